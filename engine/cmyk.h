// A printing-ink approximation: linear RGB to C, M, Y, K percentages and
// back.
#pragma once

#include "engine/colour_spaces.h"

namespace tw::engine {

struct CmykPercent {
    int C = 0, M = 0, Y = 0, K = 0;
};

// Linear RGB to whole percentages. Negative r, g, b are set to 0 in the
// caller's variables. Ink = 1 - linear ^ cmykexponent; K is what the
// smallest ink holds above 0.2, taken out of C, M and Y.
[[nodiscard]] CmykPercent rgbcmyk(const DisplaySettings &display, float &r, float &g, float &b);

struct CmykToRgb {
    float r = 0.0f, g = 0.0f, b = 0.0f; // linear, 0..1
    int R = 0, G = 0, B = 0; // display, rounded to nearest, 0..255
    bool clamped = false; // a display value had to be clamped
};

// C, M, Y, K as fractions (the entry clamps them to 0..1) to linear and
// display RGB. Display value = floor(rgbscale * 255 * linear ^ rgbexponent
// + 0.5): rounded, unlike xyzrgb's floor.
[[nodiscard]] CmykToRgb cmykrgb(const DisplaySettings &display, float C, float M, float Y, float K);

} // namespace tw::engine
