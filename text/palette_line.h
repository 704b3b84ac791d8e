// A palette file line: comma-separated fields in write form (texts in double
// quotes, numbers bare with no zero before the point, every field followed by
// a comma), ended by CR LF. The screen's line has 22 fields: date, time, tag,
// Munsell hue, Value and Chroma as shown, X Y Z and L* a* b* as shown, linear
// r g b as numbers, display R G B and C M Y K as shown.
#pragma once

#include <array>
#include <string>

namespace tw::text {

struct PaletteLine {
    std::string date; // "MM-DD-YYYY"
    std::string time; // "HH:MM:SS"
    std::string tag;
    std::array<std::string, 3> munsell; // hue, Value, Chroma box texts
    std::array<std::string, 3> xyz;
    std::array<std::string, 3> lab;
    std::array<float, 3> linear {};
    std::array<std::string, 3> rgb;
    std::array<std::string, 4> cmyk;
};

// The line's text. A blank box is written as a text holding one blank; a
// double quote inside any text is written as a single quote.
[[nodiscard]] std::string paletteLineText(const PaletteLine &line);

// The palette file name with ".csv" added unless it already ends so (in any
// case).
[[nodiscard]] std::string withCsvExtension(const std::string &name);

} // namespace tw::text
