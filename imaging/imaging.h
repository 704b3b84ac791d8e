// The picture-analysis window joins the conversion screen: its "Image
// Analysis" box makes the window on first use (which loads "TestImage.jpg"
// from the working folder) and shows and hides it after that.
#pragma once

namespace tw::screen {
class ScreenHost;
}

namespace tw::imaging {

void attachImaging(screen::ScreenHost &screen);

} // namespace tw::imaging
