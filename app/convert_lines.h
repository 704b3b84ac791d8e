// One line of tintwise-convert: the colour's fields of an input line in, the
// columns of its output line out. Each direction runs the conversion
// screen's own entry operation on a conversion cycle set up as the options
// say, so a line converts exactly as the screen converts what it shows.
#pragma once

#include "app/convert_options.h"
#include "cycle/conversion_cycle.h"
#include "engine/renotation_table.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tw::app {

// The output columns of one line (at most five), reused from line to line.
struct Columns {
    std::array<std::string, 5> text;
    std::size_t count = 0;
};

class LineConverter {
public:
    // The cycle starts as the screen does (illuminant C, the design colour)
    // and takes the options' illuminant, PWD, gamma and inverse.
    LineConverter(const engine::RenotationTable &table, const ConvertOptions &options);

    // Converts the colour's fields of a line (a notation in one field or in
    // several, or three numbers); false, with the reason in `why`, when it
    // cannot.
    [[nodiscard]] bool convertFields(
        const std::string_view *fields, std::size_t count, Columns &out, std::string &why);

    // A whole line in the plain format, its fields apart by blanks, commas,
    // semicolons or tabs: the output line, or "ERR reason" and false. A
    // blank line gives a blank line and true.
    [[nodiscard]] bool convert(std::string_view line, std::string &out);

    // The names of the output columns, for a header row.
    [[nodiscard]] std::vector<std::string> columnNames() const;

    // After an entry the caller ran on the cycle (a CGATS file's sample):
    // the columns of to-munsell, or false with the reason.
    [[nodiscard]] bool notationColumns(const cycle::Outcome &done, Columns &out, std::string &why);

    [[nodiscard]] cycle::ConversionCycle &cycle() { return cycle_; }
    [[nodiscard]] ConvertOptions::Mode mode() const { return mode_; }

private:
    bool fromNotation(
        const std::string_view *fields, std::size_t count, Columns &out, std::string &why);
    void writeNumbers(Columns &out, std::initializer_list<float> numbers) const;
    [[nodiscard]] std::string notation(float H, float V, float C) const;
    [[nodiscard]] std::string shownNotation(
        float H, const std::string &value, const std::string &chroma) const;

    ConvertOptions::Mode mode_;
    // Columns of the notation alone, with the screen's boxes, or both.
    bool notationOnly_;
    bool notationColumn_;
    int decimals_;
    // The pattern of CIELAB and of the Munsell boxes with --decimals.
    std::string pattern_;
    bool ownDecimals_;
    cycle::ConversionCycle cycle_;
    std::string joined_;
};

// One line on a converter of its own (for a single line; a stream keeps one
// LineConverter).
[[nodiscard]] bool convertLine(const engine::RenotationTable &table, const ConvertOptions &options,
    std::string_view line, std::string &out);

// `value` with `decimals` decimals (0 to 9), as std::to_chars writes it in
// fixed form with that precision ("0.4747", "-0.0000"), appended to `out`.
void appendFixed(std::string &out, double value, int decimals);

} // namespace tw::app
