// Timer over a QTimer that runs only while enabled with a positive interval.
#include "ui/timer.h"

#include "ui/control.h"

#include <QTimer>

#include <algorithm>

namespace tw::ui {

Timer::Timer(QObject *parent, int intervalMs, bool enabled)
    : hook_(std::make_unique<detail::Hook>())
    , timer_(new QTimer(parent))
    , interval_(std::max(0, intervalMs))
    , enabled_(enabled) {
    QObject::connect(timer_, &QTimer::timeout, hook_.get(), [this] {
        if (ticking_ || !onTick) {
            return;
        }
        ticking_ = true;
        const auto handler = onTick;
        (void)runGuarded("Timer tick", handler);
        ticking_ = false;
    });
    apply();
}

Timer::~Timer() {
    hook_.reset();
    delete timer_.data();
}

void Timer::apply() {
    if (enabled_ && interval_ > 0) {
        timer_->start(interval_);
    } else {
        timer_->stop();
    }
}

void Timer::setInterval(int ms) {
    interval_ = std::max(0, ms);
    apply();
}

void Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    apply();
}

bool Timer::active() const {
    return timer_->isActive();
}

} // namespace tw::ui
