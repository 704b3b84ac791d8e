// The windows around the conversion screen: each room attaches its windows to
// the screen's check boxes here, once, before the screen starts.
#pragma once

namespace tw::screen {
class ScreenHost;
}

namespace tw::app {

void attachWindows(screen::ScreenHost &screen);

} // namespace tw::app
