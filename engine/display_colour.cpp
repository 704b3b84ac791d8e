// Munsell to display: mun2xyz, then xyzrgb on the result. xyzrgb scales the
// X, Y, Z it is given in place, so it works on a copy and the caller gets
// the unscaled tristimulus values beside the display colour.
#include "engine/display_colour.h"

#include "engine/mun2xyz.h"
#include "engine/notation.h"

#include <cmath>
#include <cstddef>

namespace tw::engine {

DisplayColour munsellToDisplay(const RenotationTable &table, Illuminant illuminant, bool pwd,
    const DisplaySettings &display, float H, float V, float C) {
    DisplayColour out;
    // Hue numbers from 100 on are taken round the circle; a negative one
    // is left for mun2xyz to refuse.
    if (H >= 100.0f) {
        H = wrapHue(H);
    }
    switch (mun2xyz(table, illuminant, pwd, H, V, C, out.X, out.Y, out.Z, out.x, out.y)) {
    case Mun2XyzStatus::Ok:
        break;
    case Mun2XyzStatus::OutsideData:
        out.status = DisplayStatus::OutsideData;
        return out;
    default:
        out.status = DisplayStatus::OutOfRange;
        return out;
    }
    float X = out.X, Y = out.Y, Z = out.Z;
    out.rgb = xyzrgb(illuminant, display, X, Y, Z);
    out.status = out.rgb.outofgamut ? DisplayStatus::OutsideGamut : DisplayStatus::Shown;
    return out;
}

float displayToLinear(int channel, const DisplaySettings &display, int k) {
    const auto i = static_cast<std::size_t>(k);
    const float scaled = static_cast<float>(channel) / (255.0f * display.rgbscale[i]);
    return static_cast<float>(std::pow(scaled, 1.0 / display.rgbexponent[i]));
}

} // namespace tw::engine
