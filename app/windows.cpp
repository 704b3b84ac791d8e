#include "app/windows.h"

#include "screen/screen_host.h"

namespace tw::app {

void attachWindows(screen::ScreenHost &screen) {
    (void)screen;
}

} // namespace tw::app
