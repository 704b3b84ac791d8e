#include "app/windows.h"

#include "screen/screen_host.h"
#include "viewer/viewer.h"

namespace tw::app {

void attachWindows(screen::ScreenHost &screen) {
    viewer::attachViewer(screen);
}

} // namespace tw::app
