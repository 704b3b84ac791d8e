// What an entry operation of the conversion cycle came to. Every caller reads
// it: a colour whose outcome is not `Converted` is never written into a file
// or shown as that colour.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw::cycle {

enum class Result {
    // Every form shows the colour.
    Converted,
    // The notation lies beyond the renotation data: no X, Y, Z (the boxes
    // show 0.00) and no display colour.
    OutsideData,
    // Out of the Munsell range: a notation the table cannot be asked for (a
    // negative Value, a Chroma of 60 or more, a hue step outside 0 to 10 ...),
    // or an X, Y, Z that no notation places.
    OutOfRange,
    // A box does not hold what the entry reads (a hue without a family, a
    // number that is no number): nothing was converted.
    FormatError,
    // X + Y + Z is not above 0: no chromaticity and no notation.
    NoLight,
};

struct Outcome {
    Result result = Result::Converted;
    // The display had to clip the colour (or X, Y, Z were not positive).
    bool outOfRgb = false;
    // Modal messages the window shows, in order ("Format Error", "Out of
    // Munsell Range").
    std::vector<std::string> messages;
    // Why the conversion failed, in a few words for a file or a terminal;
    // empty when it converted.
    std::string reason;
    // What the charts that follow the screen follow: a Munsell entry
    // started or a notation was shown (hue and value pages); CIELAB was
    // shown or entered (the tolerance set, around the numbers in the state).
    bool notationChanged = false;
    bool labShown = false;
    // The gamma changed (the ColorChecker chart refills).
    bool gammaChanged = false;

    [[nodiscard]] bool converted() const { return result == Result::Converted; }
};

// "outside the Munsell data", "out of the Munsell range", "format error",
// "no light"; empty for Converted.
[[nodiscard]] std::string_view resultText(Result result);

} // namespace tw::cycle
