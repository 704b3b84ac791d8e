#include "app/windows.h"

#include "batch/import_button.h"
#include "charts/charts.h"
#include "imaging/imaging.h"
#include "screen/screen_host.h"
#include "viewer/viewer.h"

namespace tw::app {

void attachWindows(screen::ScreenHost &screen) {
    charts::attachCharts(screen);
    imaging::attachImaging(screen);
    viewer::attachViewer(screen);
    batch::attachImport(screen);
}

} // namespace tw::app
