// The run-wide settings and state of the conversion screen. The current
// colour itself lives in the screen's text boxes.
#pragma once

#include "engine/colour_spaces.h"
#include "engine/illuminant.h"

#include <string>

namespace tw::screen {

struct ScreenSettings {
    engine::DisplaySettings display; // rgbscale, rgbexponent, cmykexponent
    std::string instrument = "CE7000";
    int port = 1;
    // While true the change handlers of VScroll1 to VScroll6 do nothing: set
    // by every operation that moves those scroll bars itself.
    bool updating = false;
    // Under quietrgb the XYZ-to-RGB conversion only computes: the RGB boxes
    // and scroll bars, the out-of-range label and the CMYK boxes stay.
    bool quietrgb = false;
    // The last XYZ-to-RGB conversion was clipped (or XYZ not positive).
    bool outofgamut = false;
    // The current display colour (the patch).
    int R = 0, G = 0, B = 0;
};

// The instrument list, in order. "Import" reads a spectrum from a file.
inline constexpr const char *instrumentNames[]
    = { "Import", "CE7000", "CE7000A", "CE2180", "XTH", "Ci5/Ci7", "Spectrolino", "SpectroEye" };

} // namespace tw::screen
