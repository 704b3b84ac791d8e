// The four chart windows around the conversion screen: the hue page, the
// value page, the ColorChecker chart and the tolerance set. Attached once at
// start-up; each window is made the first time its check box is ticked.
#pragma once

namespace tw::screen {
class ScreenHost;
}

namespace tw::charts {

void attachCharts(screen::ScreenHost &screen);

} // namespace tw::charts
