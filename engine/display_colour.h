// A Munsell notation as the display shows it, and the display's channels back
// to linear light: the two steps every window that draws Munsell colours
// needs (the conversion screen, the charts, the picture analysis, the 3D
// viewer, the decorative colour solid).
#pragma once

#include "engine/colour_spaces.h"
#include "engine/illuminant.h"
#include "engine/renotation_table.h"

namespace tw::engine {

enum class DisplayStatus {
    // The display shows the colour as it is.
    Shown,
    // The notation lies in the renotation data, but the display must clip
    // it (or it is too dark to have a positive X, Y, Z): R, G, B are the
    // clipped values.
    OutsideGamut,
    // The notation lies beyond the renotation data: X = Y = Z = 0 and no
    // display colour.
    OutsideData,
    // The notation is not one the table can be asked for (a negative hue,
    // Value or Chroma, a Chroma of 60 or more ...).
    OutOfRange,
};

struct DisplayColour {
    DisplayStatus status = DisplayStatus::OutOfRange;
    // Munsell to XYZ (white Y = 100) and the chromaticity.
    float X = 0.0f, Y = 0.0f, Z = 0.0f, x = 0.0f, y = 0.0f;
    // The display colour; meaningful for Shown and OutsideGamut only.
    RgbResult rgb;

    [[nodiscard]] bool hasRgb() const {
        return status == DisplayStatus::Shown || status == DisplayStatus::OutsideGamut;
    }
};

// Hue number H (0 to 100; 100 and beyond are taken round the circle by
// wrapHue, so 100 is 0), Value V, Chroma C to the display colour under
// `display`, by mun2xyz and xyzrgb.
[[nodiscard]] DisplayColour munsellToDisplay(const RenotationTable &table, Illuminant illuminant,
    bool pwd, const DisplaySettings &display, float H, float V, float C);

// A display channel (0 to 255) of channel k (0 red, 1 green, 2 blue) back to
// its linear value: (channel / (255 * rgbscale)) ^ (1 / rgbexponent), the
// power taken in double precision.
[[nodiscard]] float displayToLinear(int channel, const DisplaySettings &display, int k);

} // namespace tw::engine
