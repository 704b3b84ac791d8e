// A palette file line: comma-separated fields in write form (texts in double
// quotes, numbers bare with no zero before the point, every field followed by
// a comma), ended by CR LF. The screen's line has 22 fields: date, time, tag,
// Munsell hue, Value and Chroma as shown, X Y Z and L* a* b* as shown, linear
// r g b as numbers, display R G B and C M Y K as shown.
#pragma once

#include "text/textfile.h"

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

// The tolerance set's line, the same fields as far as a reader uses them:
// date, time, the patch number for the tag, the notation as plain texts,
// then "0" nine times where X, Y, Z, L*, a*, b* and linear r, g, b stand,
// display R, G, B in list-print form (" 118 "), and "end" where C, M, Y, K
// stand; nothing quoted, no comma after "end", CR LF.
struct TolerancePaletteLine {
    std::string date;
    std::string time;
    int patch = 0;
    std::array<std::string, 3> munsell;
    std::array<int, 3> rgb {};
};

[[nodiscard]] std::string tolerancePaletteLineText(const TolerancePaletteLine &line);

// The palette file name with ".csv" added unless it already ends so (in any
// case).
[[nodiscard]] std::string withCsvExtension(const std::string &name);

// --- Reading -----------------------------------------------------------------
// What a reader takes from a palette line: the tag and the Munsell notation
// as written (fields 3 to 6). The date and time before them are skipped and
// everything after them is dropped, so the lines of every writer read alike.
struct PaletteRow {
    std::string tag;
    std::string hue;
    std::string value;
    std::string chroma;
};

// The rows of a whole palette file's text, one after the other.
//
// A row is six fields of comma-separated field input (text/textfile.h): a
// line end separates fields too, so a line of fewer than six fields goes on
// into the next line. The rest of the line the sixth field ends on is
// dropped; when the sixth field ends its line itself (a line of exactly six
// fields), nothing more is dropped, so the next line is the next row. Blanks
// and line ends at the end of the text are no row.
class PaletteReader {
public:
    explicit PaletteReader(std::string fileText);

    // No row is left.
    [[nodiscard]] bool atEnd() const;
    // Reads the next row. False when the text ends before its sixth field:
    // the row is incomplete and `row` holds what was read.
    [[nodiscard]] bool next(PaletteRow &row);

private:
    FieldReader in_;
};

} // namespace tw::text
