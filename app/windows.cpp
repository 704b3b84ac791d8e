#include "app/windows.h"

#include "imaging/imaging.h"
#include "screen/screen_host.h"

namespace tw::app {

void attachWindows(screen::ScreenHost &screen) {
    imaging::attachImaging(screen);
}

} // namespace tw::app
