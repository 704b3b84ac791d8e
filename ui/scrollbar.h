// A vertical or horizontal scroll bar whose minimum may exceed its maximum.
//
// The minimum is the value at the upper (vertical) or left (horizontal) end
// and the maximum the value at the other end, whichever is larger: with
// minimum 202 and maximum 0 the top of a vertical bar is 202, and the up arrow
// (and a page step towards the top) increases the value.
//
// setValue() refuses a value outside the range: it returns false and leaves
// the value as it was, so that the caller can treat it as the failure it is.
// Otherwise a write from code fires onChange at once, before setValue()
// returns, and only when the value really changes. The user's arrow clicks,
// page clicks and finished thumb drags fire onChange too (not every step of a
// drag: the value changes when the thumb is let go).
//
// Changing the range keeps the value when it still lies inside, and otherwise
// moves it to the nearest end, which counts as a change.
#pragma once

#include "ui/control.h"

#include <Qt>

#include <functional>

class QScrollBar;

namespace tw::ui {

class ScrollBar : public Control {
public:
    ScrollBar(QWidget *container, const TwipRect &where, Qt::Orientation orientation, int min = 0,
        int max = 32767);

    [[nodiscard]] int min() const { return min_; }
    [[nodiscard]] int max() const { return max_; }
    void setMin(int min);
    void setMax(int max);
    void setRange(int min, int max);

    [[nodiscard]] int smallChange() const;
    void setSmallChange(int step);
    [[nodiscard]] int largeChange() const;
    void setLargeChange(int step);

    [[nodiscard]] int value() const;
    [[nodiscard]] bool setValue(int value);

    [[nodiscard]] QScrollBar *scrollBar() const;

    std::function<void()> onChange;

private:
    // The widget runs from 0 at the upper/left end to |max - min|; these map
    // between that position and the value.
    [[nodiscard]] int direction() const { return max_ >= min_ ? 1 : -1; }
    [[nodiscard]] int toPosition(int value) const { return (value - min_) * direction(); }
    [[nodiscard]] int toValue(int position) const { return min_ + position * direction(); }
    [[nodiscard]] bool inRange(int value) const;
    // Moves the widget without its signals; true when the value changed.
    bool moveTo(int value);

    int min_;
    int max_;
};

} // namespace tw::ui
