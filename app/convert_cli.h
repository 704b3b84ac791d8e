// The command-line converter `tintwise-convert`: Munsell notations to and
// from CIE X, Y, Z, CIELAB and display RGB, a line at a time, for scripts
// and spreadsheets. `tintwise-convert --help` and the manual page
// (app/tintwise-convert.1) give the whole of it.
//
// Every input line gives one output line: a blank line a blank line, a line
// that cannot be converted "ERR " and a reason (and on standard error the
// reason with the line's number), and the run goes on. The exit status is 0
// when every line converted, 1 when some line failed, 2 for a usage error or
// an unreadable table.
#pragma once

#include "app/convert_lines.h"
#include "app/convert_options.h"
#include "engine/renotation_table.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace tw::app {

// Converts every line of `in` onto `out`, the failures also onto `err`
// (when given) with their line numbers; returns the number of failed lines.
[[nodiscard]] std::size_t convertStream(const engine::RenotationTable &table,
    const ConvertOptions &options, std::istream &in, std::ostream &out,
    std::ostream *err = nullptr);

// The whole program; returns the exit status.
int runConvert(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
    std::ostream &err, const std::string &executableDir);

} // namespace tw::app
