// The run-wide settings of the conversion screen's window. The colour and
// the settings every conversion reads live in its conversion cycle's state.
#pragma once

#include <string>

namespace tw::screen {

struct ScreenSettings {
    std::string instrument = "CE7000";
    int port = 1;
    // While true the change handlers of VScroll1 to VScroll6 do nothing: set
    // while the window shows its cycle's state.
    bool updating = false;
};

// The instrument list, in order. "Import" reads a spectrum from a file.
inline constexpr const char *instrumentNames[]
    = { "Import", "CE7000", "CE7000A", "CE2180", "XTH", "Ci5/Ci7", "Spectrolino", "SpectroEye" };

} // namespace tw::screen
