// The printable Munsell-to-CIE conversion table ("muntable2.prn"): for a
// grid of 12 Values x 40 hues x 20 Chromas, the X Y Z, CIELAB and display
// R G B of each colour, TAB-separated, CR LF line ends, under the given
// illuminant, gamma and tint. Grid points whose X, Y or Z is 0.01 or less
// are left out.
#pragma once

#include "engine/colour_spaces.h"
#include "engine/illuminant.h"
#include "engine/renotation_table.h"

#include <string>

namespace tw::screen {

struct TableOptions {
    engine::Illuminant illuminant = engine::Illuminant::C_1931;
    bool pwd = false;
    engine::DisplaySettings display;
    std::string version; // the program's version, for the notice line
};

[[nodiscard]] std::string conversionTable(
    const engine::RenotationTable &table, const TableOptions &options);

} // namespace tw::screen
