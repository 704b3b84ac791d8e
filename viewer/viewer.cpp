#include "viewer/viewer.h"

#include "screen/screen_host.h"
#include "screen/window_switchboard.h"
#include "viewer/form3.h"

#include <memory>

namespace tw::viewer {

void attachViewer(screen::ScreenHost &screen) {
    screen.windows().attach(screen::ScreenWindow::PaletteViewer,
        [&screen]() -> std::unique_ptr<screen::SwitchedWindow> {
            return std::make_unique<Form3>(screen);
        });
}

} // namespace tw::viewer
