// One sample of the loaded palette, as the viewer lists and draws it.
//
// The loader fills everything but the projected position from a palette row
// and the display colour the conversion screen computed for it; each redraw
// stores where the dot landed, which the click search reads.
#pragma once

#include "ui/text_handle.h"

#include <string>

namespace tw::viewer {

// The most rows one palette load takes.
inline constexpr int kPaletteCapacity = 10000;

struct PaletteDot {
    float hueAngle = 0.0f; // radians, counter-clockwise from 0R
    float cosHue = 1.0f, sinHue = 0.0f; // of hueAngle, for the redraws
    std::string number; // the row's number as "Display sample #" prints it
    ui::TextHandle numberHandle; // the view's handle of that text
    float value = 0.0f; // Munsell Value as read
    float chroma = 0.0f; // Munsell Chroma as read
    std::string tag;
    std::string hueLabel; // the hue text in lower case, blank-padded
    int red = 0, green = 0, blue = 0; // display colour, 0 to 255
    // The display cannot show the colour as it is: red, green and blue are
    // the colour clipped, and the dot carries the clip mark.
    bool clipped = false;
    // The screen converted the notation: a row it cannot convert is listed
    // but has no colour, and no dot is drawn for it.
    bool placed = true;
    float projectedX = 0.0f, projectedY = 0.0f; // world position in the last redraw
};

} // namespace tw::viewer
