// A push button. onClick runs when the user presses it (mouse or keyboard).
// A caption too wide for the button wraps onto a second line at a blank, as
// the windows' narrow buttons ("Save to Palette") expect.
#pragma once

#include "ui/control.h"

#include <functional>
#include <string>

class QPushButton;

namespace tw::ui {

class Button : public Control {
public:
    Button(QWidget *container, const TwipRect &where, const std::string &caption = {});

    [[nodiscard]] std::string caption() const;
    void setCaption(const std::string &caption);

    [[nodiscard]] QPushButton *button() const;

    std::function<void()> onClick;

private:
    void showCaption();

    std::string caption_;
};

} // namespace tw::ui
