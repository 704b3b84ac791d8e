// The conversion screen as the other windows see it. They run its conversion
// cycle (cycle().muncie() ... each with its outcome), write palettes through
// its palette writer and use its services; the screen shows every operation
// of its cycle as it happens. Besides what every host of the cycle gives
// (cycle/cycle_host.h), the screen gives what only a window has: the printer
// and the pictures, showing and hiding itself, the check boxes of the chart
// windows, and the hidden-mode Import button.
//
//     screen.cycle().setTexts(cycle::Boxes::Munsell, { "5R", "5", "10" });
//     if (screen.cycle().muncie().converted()) {
//         const cycle::DisplayRgb patch = screen.cycle().state().patch;
//     }
#pragma once

#include "cycle/cycle_host.h"
#include "services/pictures.h"
#include "services/printer.h"

#include <functional>

namespace tw::screen {

class WindowSwitchboard;

class ScreenHost : public cycle::CycleHost {
public:
    [[nodiscard]] virtual services::Printer &printer() = 0;
    [[nodiscard]] virtual services::Pictures &pictures() = 0;
    // Hides or shows the conversion screen (it keeps its state).
    virtual void setScreenVisible(bool visible) = 0;
    // The check boxes Check2 to Check7 and the windows they drive.
    [[nodiscard]] virtual WindowSwitchboard &windows() = 0;
    // What the hidden-mode "Import" button runs (the batch import attaches
    // itself here at start-up; unattached, the button does nothing).
    virtual void setImportAction(std::function<void()> action) = 0;
};

} // namespace tw::screen
