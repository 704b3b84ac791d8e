// A conversion screen with the 3D viewer attached to its "3D Display of HVC "
// box, in a fresh working folder, and palette files to load.
#pragma once

#include "screen_fixture.h"
#include "viewer/form3.h"

#include <string>
#include <vector>

namespace tw::viewer::testing {

class ViewerTest : public screen::testing::ScreenTest {
protected:
    // Starts the screen and attaches the viewer (not made yet).
    screen::Form1 &startWithViewer();
    // Ticks Check7: the viewer is made, shown and loads the remembered
    // palette.
    Form3 &tickViewer();
    // The viewer as the switchboard holds it (made now if need be).
    Form3 &viewer();

    // A palette line as the screen writes it, with this tag and notation.
    static std::string row(const std::string &tag, const std::string &hue, const std::string &value,
        const std::string &chroma);
    // `count` rows cycling through a few notations.
    static std::string rows(int count);
};

} // namespace tw::viewer::testing
