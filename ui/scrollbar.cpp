// Scroll bar over QScrollBar. The widget's own range always runs upwards from
// 0 at the upper/left end; the value is min + position (or min - position when
// the minimum is the larger end), so the end at the top is the minimum
// whichever way the numbers run. Tracking is off so that a drag reports one
// change when the thumb is released, as the conversion screen expects one
// conversion per move.
#include "ui/scrollbar.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <cstdlib>

namespace tw::ui {

ScrollBar::ScrollBar(
    QWidget *container, const TwipRect &where, Qt::Orientation orientation, int min, int max)
    : Control(new QScrollBar(orientation, container), where, QPalette::Window, QPalette::WindowText)
    , min_(min)
    , max_(max) {
    QScrollBar *bar = scrollBar();
    bar->setTracking(false);
    bar->setRange(0, std::abs(max_ - min_));
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setValue(0);
    QObject::connect(
        bar, &QScrollBar::valueChanged, hook(), [this] { dispatch("ScrollBar change", onChange); });
}

QScrollBar *ScrollBar::scrollBar() const {
    return static_cast<QScrollBar *>(widget());
}

bool ScrollBar::inRange(int value) const {
    return value >= std::min(min_, max_) && value <= std::max(min_, max_);
}

int ScrollBar::value() const {
    return toValue(scrollBar()->value());
}

bool ScrollBar::moveTo(int value) {
    QScrollBar *bar = scrollBar();
    const int before = toValue(bar->value());
    const QSignalBlocker block(bar);
    bar->setValue(toPosition(value));
    return value != before;
}

void ScrollBar::setRange(int min, int max) {
    const int before = value();
    min_ = min;
    max_ = max;
    const int kept = std::clamp(before, std::min(min_, max_), std::max(min_, max_));
    // The position must be recomputed even when the value stays, since the
    // mapping from position to value has changed.
    QScrollBar *bar = scrollBar();
    {
        const QSignalBlocker block(bar);
        bar->setRange(0, std::abs(max_ - min_));
        bar->setValue(toPosition(kept));
    }
    if (kept != before) {
        if (const auto handler = onChange) {
            handler();
        }
    }
}

void ScrollBar::setMin(int min) {
    setRange(min, max_);
}

void ScrollBar::setMax(int max) {
    setRange(min_, max);
}

int ScrollBar::smallChange() const {
    return scrollBar()->singleStep();
}

void ScrollBar::setSmallChange(int step) {
    scrollBar()->setSingleStep(std::max(1, step));
}

int ScrollBar::largeChange() const {
    return scrollBar()->pageStep();
}

void ScrollBar::setLargeChange(int step) {
    scrollBar()->setPageStep(std::max(1, step));
}

bool ScrollBar::setValue(int value) {
    if (!inRange(value)) {
        return false;
    }
    if (moveTo(value)) {
        if (const auto handler = onChange) {
            handler();
        }
    }
    return true;
}

} // namespace tw::ui
