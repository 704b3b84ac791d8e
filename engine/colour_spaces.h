// CIE XYZ to and from CIELAB, and to and from display RGB.
#pragma once

#include "engine/illuminant.h"

#include <array>

namespace tw::engine {

// Display settings of the conversion screen, per channel R, G, B (index 0..2
// here; the screen's arrays count 1..3).
struct DisplaySettings {
    std::array<float, 3> rgbscale { 1.0f, 1.0f, 1.0f };
    // 1 / gamma; start-up value 1/2.2 in single precision (0.45454544).
    std::array<float, 3> rgbexponent { 1.0f / 2.2f, 1.0f / 2.2f, 1.0f / 2.2f };
    std::array<float, 3> cmykexponent { 0.4545f, 0.4545f, 0.4545f };
};

// Factors that carry each illuminant's white to the D65 white before the
// sRGB matrix (X and Z; Y is never scaled).
struct WhiteScale {
    float x, z;
};
[[nodiscard]] WhiteScale whiteScale(Illuminant ill);

// XYZ to CIELAB with the white of the selected illuminant. X, Y, Z below
// 0.01 are raised to 0.01 in the caller's variables.
void xyzlab(Illuminant ill, float &X, float &Y, float &Z, float &L, float &a, float &b);

// CIELAB to XYZ with the white of the selected illuminant: the inverse of
// xyzlab, the dark colours' linear segment included. A negative bracket
// term gives a negative X, Y or Z, passed on as it is.
void labxyz(Illuminant ill, float &X, float &Y, float &Z, float L, float a, float b);

struct RgbResult {
    int R = 0, G = 0, B = 0; // display values, clipped to 0..255
    float r = 0.0f, g = 0.0f, b = 0.0f; // linear values, negatives set to 0
    bool outofgamut = false; // anything clipped, or XYZ not positive
};

// XYZ (white Y = 100) to display RGB. X, Y, Z come back divided by 100 and X,
// Z multiplied by the white-scale factors of the illuminant (callers read
// them). Display value = floor(rgbscale * 255 * linear ^ rgbexponent).
[[nodiscard]] RgbResult xyzrgb(
    Illuminant ill, const DisplaySettings &display, float &X, float &Y, float &Z);

// Linear RGB (0..1) to XYZ on the scale white Y = 1, undoing the white
// scaling of the illuminant.
void rgbxyz(Illuminant ill, float r, float g, float b, float &X, float &Y, float &Z);

} // namespace tw::engine
