#include "app/windows.h"

#include "charts/charts.h"
#include "screen/screen_host.h"

namespace tw::app {

void attachWindows(screen::ScreenHost &screen) {
    charts::attachCharts(screen);
}

} // namespace tw::app
