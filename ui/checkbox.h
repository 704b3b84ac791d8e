// A check box with the value 0 (clear) or 1 (ticked).
//
// onClick runs when the user toggles the box and when code changes its value
// with setValue() (at once, before setValue() returns, only for a real
// change). The handler reads the new state with value().
#pragma once

#include "ui/control.h"

#include <functional>
#include <string>

class QCheckBox;

namespace tw::ui {

class CheckBox : public Control {
public:
    CheckBox(QWidget *container, const TwipRect &where, const std::string &caption = {});

    [[nodiscard]] int value() const;
    // Any value other than 0 ticks the box.
    void setValue(int value);

    [[nodiscard]] std::string caption() const;
    void setCaption(const std::string &caption);

    [[nodiscard]] QCheckBox *checkBox() const;

    std::function<void()> onClick;
};

} // namespace tw::ui
