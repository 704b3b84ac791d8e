// Mouse buttons as the mouse handlers receive them: left 1, right 2,
// middle 4; a set of held buttons is the sum of its codes.
#pragma once

#include <Qt>

namespace tw::ui {

inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

// The code of one button; 0 for any other button.
[[nodiscard]] inline int buttonCode(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return kLeftButton;
    case Qt::RightButton:
        return kRightButton;
    case Qt::MiddleButton:
        return kMiddleButton;
    default:
        return 0;
    }
}

// The sum of the codes of the held buttons.
[[nodiscard]] inline int buttonsCode(Qt::MouseButtons b) {
    return (b.testFlag(Qt::LeftButton) ? kLeftButton : 0)
        | (b.testFlag(Qt::RightButton) ? kRightButton : 0)
        | (b.testFlag(Qt::MiddleButton) ? kMiddleButton : 0);
}

} // namespace tw::ui
