// Control base: placement through the fixed 15 twips per pixel, colours through
// the widget's palette (the background role is painted by the widget itself
// when it is a window-coloured role, hence autoFillBackground).
#include "ui/control.h"

#include <QFont>
#include <QString>

namespace tw::ui {

bool detail::Hook::eventFilter(QObject *watched, QEvent *event) {
    return filter ? filter(watched, event) : false;
}

void placeWidget(QWidget *widget, const TwipRect &where) {
    QSize natural = widget->sizeHint();
    if (!natural.isValid()) {
        natural = QSize(100, 20);
    }
    const int w = where.width > 0 ? twipsToPixels(where.width) : natural.width();
    const int h = where.height > 0 ? twipsToPixels(where.height) : natural.height();
    widget->setGeometry(twipsToPixels(where.left), twipsToPixels(where.top), w, h);
}

Control::Control(QWidget *widget, const TwipRect &where, QPalette::ColorRole backRole,
    QPalette::ColorRole foreRole)
    : hook_(std::make_unique<detail::Hook>())
    , widget_(widget)
    , backRole_(backRole)
    , foreRole_(foreRole) {
    placeWidget(widget, where);
    widget->installEventFilter(hook_.get());
}

Control::~Control() {
    hook_.reset();
    delete widget_.data();
}

bool Control::visible() const {
    return widget_ && !widget_->isHidden();
}

void Control::setVisible(bool visible) {
    widget_->setVisible(visible);
}

bool Control::enabled() const {
    return widget_->isEnabled();
}

void Control::setEnabled(bool enabled) {
    widget_->setEnabled(enabled);
}

TwipRect Control::placement() const {
    const QRect r = widget_->geometry();
    return { pixelsToTwips(r.x()), pixelsToTwips(r.y()), pixelsToTwips(r.width()),
        pixelsToTwips(r.height()) };
}

void Control::setPlacement(const TwipRect &where) {
    placeWidget(widget_, where);
}

void Control::setFocus() {
    widget_->setFocus(Qt::OtherFocusReason);
}

void Control::refresh() {
    widget_->repaint();
}

Rgb24 Control::backColor() const {
    return fromQColor(widget_->palette().color(backRole_));
}

void Control::setBackColor(Rgb24 colour) {
    QPalette p = widget_->palette();
    p.setColor(backRole_, toQColor(colour));
    // Buttons and check boxes fill their background from a role of their own
    // (Button), not from the window's.
    p.setColor(widget_->backgroundRole(), toQColor(colour));
    widget_->setPalette(p);
    if (backRole_ == QPalette::Window) {
        widget_->setAutoFillBackground(true);
    }
}

bool Control::fillsBackground() const {
    return widget_->autoFillBackground();
}

void Control::setFillsBackground(bool fills) {
    widget_->setAutoFillBackground(fills);
}

Rgb24 Control::foreColor() const {
    return fromQColor(widget_->palette().color(foreRole_));
}

void Control::setForeColor(Rgb24 colour) {
    QPalette p = widget_->palette();
    p.setColor(foreRole_, toQColor(colour));
    widget_->setPalette(p);
}

void Control::setFontName(const std::string &family) {
    QFont f = widget_->font();
    f.setFamily(QString::fromStdString(family));
    widget_->setFont(f);
}

void Control::setFontSize(double points) {
    QFont f = widget_->font();
    f.setPointSizeF(points);
    widget_->setFont(f);
}

void Control::setFontBold(bool bold) {
    QFont f = widget_->font();
    f.setBold(bold);
    widget_->setFont(f);
}

void Control::setToolTip(const std::string &text) {
    widget_->setToolTip(QString::fromStdString(text));
}

} // namespace tw::ui
