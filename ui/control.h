// The common part of every control wrapper: the Qt widget it stands for, its
// placement in twips, visibility, enabled state, colours and font.
//
// A wrapper creates its widget as a child of the container it is given (a
// form's client area or a frame) and deletes it when the wrapper goes; if the
// widget went first (its container was deleted), the wrapper notices and does
// nothing. Wrappers are neither copied nor moved: the handlers they call are
// bound to them.
//
// Handlers are plain std::function members, set by the window:
//     Text12[0]->onKeyDown = [this](int key) { Text12_KeyDown(0, key); };
// A handler run for a user action is guarded (ui/guard.h); one run because code
// wrote a value is called directly, before the write returns.
#pragma once

#include "ui/colour.h"
#include "ui/guard.h"
#include "ui/twips.h"

#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QEvent;

namespace tw::ui {

namespace detail {
// The receiver of a wrapper's signal connections and its event filter. It is
// deleted first when the wrapper goes, which cuts every connection at once.
class Hook : public QObject {
public:
    std::function<bool(QObject *, QEvent *)> filter;
    bool eventFilter(QObject *watched, QEvent *event) override;
};
} // namespace detail

class Control {
public:
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;
    virtual ~Control();

    [[nodiscard]] QWidget *widget() const { return widget_; }

    // The control's own visibility flag: true unless hidden, whether or not
    // its window is on screen.
    [[nodiscard]] bool visible() const;
    void setVisible(bool visible);
    [[nodiscard]] bool enabled() const;
    void setEnabled(bool enabled);

    [[nodiscard]] TwipRect placement() const;
    void setPlacement(const TwipRect &where);

    void setFocus();
    // Repaints at once, without waiting for the event loop.
    void refresh();

    [[nodiscard]] virtual Rgb24 backColor() const;
    virtual void setBackColor(Rgb24 colour);
    // Whether the control paints its own background or lets its container
    // show through (a label until a back colour is set).
    [[nodiscard]] bool fillsBackground() const;
    void setFillsBackground(bool fills);
    [[nodiscard]] virtual Rgb24 foreColor() const;
    virtual void setForeColor(Rgb24 colour);

    void setFontName(const std::string &family);
    void setFontSize(double points);
    void setFontBold(bool bold);

    void setToolTip(const std::string &text);

protected:
    // Takes ownership of `widget`, already created as a child of its
    // container, and places it. Natural size where `where` gives 0.
    Control(QWidget *widget, const TwipRect &where, QPalette::ColorRole backRole,
        QPalette::ColorRole foreRole);

    detail::Hook *hook() const { return hook_.get(); }

    // Runs a handler for a user action, guarded. The handler is taken by
    // value, so a handler that replaces itself while it runs stays alive.
    static void dispatch(const char *where, std::function<void()> handler) {
        if (handler) {
            (void)runGuarded(where, handler);
        }
    }

private:
    std::unique_ptr<detail::Hook> hook_;
    QPointer<QWidget> widget_;
    QPalette::ColorRole backRole_;
    QPalette::ColorRole foreRole_;
};

// Creates a child widget and applies the twip placement; used by the
// wrappers' constructors.
void placeWidget(QWidget *widget, const TwipRect &where);

} // namespace tw::ui
