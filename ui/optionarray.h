// An array of option buttons of which at most one is selected, indexed from 0
// in the order they were added.
//
// onClick(index) runs when the user clicks a button and when code selects one
// with select(): at once, before select() returns, and also when that button
// was already selected (the conversion screen's start-up relies on selecting
// the first illuminant to run its handler).
#pragma once

#include "ui/colour.h"

#include "ui/twips.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QButtonGroup;
class QRadioButton;
class QWidget;

namespace tw::ui {

namespace detail {
class Hook;
}

class OptionArray {
public:
    // The buttons are created inside `container` (a frame or a client area).
    explicit OptionArray(QWidget *container);
    OptionArray(const OptionArray &) = delete;
    OptionArray &operator=(const OptionArray &) = delete;
    ~OptionArray();

    // Adds a button at the given place; returns its index.
    int add(const std::string &caption, const TwipRect &where);

    [[nodiscard]] int count() const;
    // Index of the selected button, -1 when none is.
    [[nodiscard]] int index() const;
    [[nodiscard]] bool value(int index) const;
    // Selects a button and fires onClick; false (and nothing happens) for an
    // index that does not exist.
    bool select(int index);

    [[nodiscard]] std::string caption(int index) const;
    void setCaption(int index, const std::string &caption);
    void setVisible(bool visible);
    void setEnabled(bool enabled);
    // Gives every button its own background (they are transparent
    // otherwise, showing what lies under them).
    void setBackColor(Rgb24 colour);

    [[nodiscard]] QRadioButton *button(int index) const;

    std::function<void(int index)> onClick;

private:
    std::unique_ptr<detail::Hook> hook_;
    QPointer<QWidget> container_;
    QPointer<QButtonGroup> group_;
    std::vector<QPointer<QRadioButton>> buttons_;
};

} // namespace tw::ui
