// One line of tintwise-convert: the fields of an input line in, the text of
// its output line out. Each direction runs the conversion screen's own entry
// operation on a conversion cycle set up as the options say, so a line
// converts exactly as the screen converts what it shows.
#pragma once

#include "app/convert_options.h"
#include "cycle/conversion_cycle.h"
#include "engine/renotation_table.h"

#include <string>
#include <string_view>

namespace tw::app {

class LineConverter {
public:
    // The cycle starts as the screen does (illuminant C, the design colour)
    // and takes the options' illuminant, PWD, gamma and inverse.
    LineConverter(const engine::RenotationTable &table, const ConvertOptions &options);

    // Converts one input line; returns false, with "ERR reason" in `out`,
    // when it cannot. A blank line gives a blank line and true.
    [[nodiscard]] bool convert(std::string_view line, std::string &out);

    [[nodiscard]] ConvertOptions::Mode mode() const { return mode_; }

private:
    // Three fields into a group of boxes, then the group's entry.
    cycle::Outcome enterFields(cycle::Boxes group, const std::string_view *fields);

    ConvertOptions::Mode mode_;
    cycle::ConversionCycle cycle_;
};

// One line on a converter of its own (for a single line; a stream keeps one
// LineConverter).
[[nodiscard]] bool convertLine(const engine::RenotationTable &table, const ConvertOptions &options,
    std::string_view line, std::string &out);

} // namespace tw::app
