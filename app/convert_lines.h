// One line of tintwise-convert: the fields of an input line in, the text of
// its output line out.
#pragma once

#include "app/convert_options.h"
#include "engine/renotation_table.h"

#include <string>
#include <string_view>

namespace tw::app {

// Converts one input line; returns false, with "ERR reason" in `out`, when
// it cannot. A blank line gives a blank line and true.
[[nodiscard]] bool convertLine(const engine::RenotationTable &table, const ConvertOptions &options,
    std::string_view line, std::string &out);

} // namespace tw::app
