// A timer: onTick runs every interval milliseconds while the timer is enabled
// and the interval is above 0.
//
// Setting the interval or enabling the timer starts the count afresh, so a
// handler that sets the interval of its own timer sets the time to the next
// tick. A tick never interrupts the same timer's handler: if the handler
// yields and the timer comes due meanwhile, that tick is dropped.
#pragma once

#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

class QObject;

namespace tw::ui {

namespace detail {
class Hook;
}

class Timer {
public:
    explicit Timer(QObject *parent = nullptr, int intervalMs = 0, bool enabled = true);
    Timer(const Timer &) = delete;
    Timer &operator=(const Timer &) = delete;
    ~Timer();

    [[nodiscard]] int interval() const { return interval_; }
    void setInterval(int ms);
    [[nodiscard]] bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // True while the timer is counting towards a tick.
    [[nodiscard]] bool active() const;
    [[nodiscard]] QTimer *timer() const { return timer_; }

    std::function<void()> onTick;

private:
    void apply();

    std::unique_ptr<detail::Hook> hook_;
    QPointer<QTimer> timer_;
    int interval_;
    bool enabled_;
    bool ticking_ = false;
};

} // namespace tw::ui
