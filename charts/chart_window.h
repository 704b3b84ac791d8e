// What the four chart windows share: a window of its own that the conversion
// screen's check box shows and hides, a "PRINT" that prints the window's
// image, and the screen it follows.
//
// Closing a chart from its title bar clears its check box, so the box always
// says whether the chart is on screen and a later conversion does not bring
// back a window the user has just put away.
#pragma once

#include "screen/screen_host.h"
#include "screen/window_switchboard.h"
#include "ui/form.h"

namespace tw::charts {

class ChartWindow : public ui::Form, public screen::SwitchedWindow {
public:
    ChartWindow(screen::ScreenHost &screen, screen::ScreenWindow which);

    void setShown(bool shown) override;
    [[nodiscard]] bool isShown() const override;

protected:
    // Prints the window's image on the default printer; "Printer not Found"
    // when that fails.
    void printChart();

    screen::ScreenHost &screen_;

private:
    screen::ScreenWindow which_;
};

} // namespace tw::charts
