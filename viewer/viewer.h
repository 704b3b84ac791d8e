// The 3D palette viewer's place in the program: attaches Form3 to the
// conversion screen's "3D Display of HVC " box, so that ticking the box
// makes and shows it, and the windows that write palettes reach it through
// screen.windows().viewPalette(2).
#pragma once

namespace tw::screen {
class ScreenHost;
}

namespace tw::viewer {

void attachViewer(screen::ScreenHost &screen);

} // namespace tw::viewer
