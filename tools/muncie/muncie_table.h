// The renotation table as it is written to Muncie.dat, and its construction
// from the renotation data in CSV form.
//
// The table holds, for Values 0..10, the 40 hue steps of 2.5 and the even
// Chromas 0..32, the CIE 1931 chromaticity x, y under illuminant C times
// 10000. Hue index h is hue number 2.5 h, so 0 is 10RP, 1 is 2.5R, 4 is 10R
// and 39 is 7.5RP. A pair of 0, 0 means there is no renotation colour there.
#pragma once

#include "engine/renotation_geometry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>

namespace tw::tools {

struct MunciePair {
    std::int16_t x = 0;
    std::int16_t y = 0;
    friend bool operator==(const MunciePair &, const MunciePair &) = default;
};

struct MuncieTable {
    static constexpr int kValues = engine::fileValues; // Values 0..10
    static constexpr int kHues = engine::fileHues; // hue numbers 0, 2.5, ..., 97.5
    static constexpr int kChromas = engine::fileChromas; // Chromas 0, 2, ..., 32
    static constexpr int kPairs = kValues * kHues * kChromas;

    std::array<MunciePair, kPairs> pairs {};

    MunciePair &at(int value, int hue, int chroma) {
        return pairs[static_cast<std::size_t>((value * kHues + hue) * kChromas + chroma)];
    }
    const MunciePair &at(int value, int hue, int chroma) const {
        return pairs[static_cast<std::size_t>((value * kHues + hue) * kChromas + chroma)];
    }
};

// The neutral point, illuminant C with the 1931 observer, at chroma index 0.
inline constexpr MunciePair kNeutralPair { engine::neutralUnitsX, engine::neutralUnitsY };

struct MuncieBuild {
    MuncieTable table; // complete when error is empty
    std::size_t errorLine = 0; // 1-based line of the first fault, 0 if none
    std::string error; // empty on success

    [[nodiscard]] bool ok() const { return error.empty(); }
};

// Reads renotation samples as CSV: a header line "hue,value,chroma,x,y"
// (a sixth column, Y, is allowed and ignored), then one sample per line;
// blank lines are skipped and CR LF line ends are accepted. Rules:
//  - hue is a step 0..10 and a family R YR Y GY G BG B PB P RP; its hue
//    number (family index x 10 + step, 10RP = 100 = 0) must be a multiple of
//    2.5, else the line is an error;
//  - Values 1..10 (whole) go to their own level and Value 0.2, the darkest
//    published level, to level 0; other Values in 0..10 are not used;
//  - Chroma must be an even whole number from 2 up; Chromas above 32 are
//    not used;
//  - x and y are stored times 10000, rounded half to even on their decimal
//    digits; a sample with x <= 0 or y <= 0 is stored as 0, 0 and so is
//    every higher Chroma at that hue and Value;
//  - a missing sample is 0, 0; chroma index 0 is kNeutralPair;
//  - two samples for the same table cell are an error.
// The first fault stops the build; errorLine and error say where and why.
[[nodiscard]] MuncieBuild buildMuncieTable(std::istream &csv);

// The Muncie.dat text: one line per Value (outer, 0..10) and hue index
// (0..39) holding the 17 x, y pairs of chroma index 0..16 as 34 integers
// separated by commas, each line ended by CR LF; no header.
[[nodiscard]] std::string muncieText(const MuncieTable &table);

} // namespace tw::tools
