// The command-line converter `tintwise-convert`: Munsell notations to CIE
// X, Y, Z and back, a line at a time, for scripts and spreadsheets.
//
//   tintwise-convert to-xyz [--illuminant C|D50|D65] [--pwd] [--table FILE]
//       reads "HUE VALUE CHROMA" (5R 5 10, or 5R 5/10) and prints
//       "X Y Z x y" with four decimals.
//   tintwise-convert to-munsell [--pwd] [--table FILE]
//       reads "X Y Z" (illuminant C, white Y about 100) and prints
//       "HUE_TEXT HUE_NUMBER VALUE CHROMA".
//
// A line that cannot be converted prints "ERR " and a reason and the run goes
// on; the exit status is 1 when any line failed, 2 for a usage error or an
// unreadable table. Blank lines are passed over.
#pragma once

#include "engine/illuminant.h"
#include "engine/renotation_table.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tw::app {

struct ConvertOptions {
    enum class Mode { ToXyz, ToMunsell } mode = Mode::ToXyz;
    engine::Illuminant illuminant = engine::Illuminant::C_1931;
    bool pwd = false;
    std::string table; // empty: the default search
};

// Parses the arguments after the program name. On failure returns false
// with a message for standard error.
[[nodiscard]] bool parseConvertArguments(
    const std::vector<std::string> &args, ConvertOptions &options, std::string &error);

// Converts one input line; returns false (and "ERR reason" in `out`) when it
// cannot.
[[nodiscard]] bool convertLine(const engine::RenotationTable &table, const ConvertOptions &options,
    std::string_view line, std::string &out);

// Converts every line of `in` onto `out`; returns the number of failed lines.
[[nodiscard]] std::size_t convertStream(const engine::RenotationTable &table,
    const ConvertOptions &options, std::istream &in, std::ostream &out);

// The whole program; returns the exit status.
int runConvert(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
    std::ostream &err, const std::string &executableDir);

} // namespace tw::app
