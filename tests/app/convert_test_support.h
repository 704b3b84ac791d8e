// Shared helpers of the tintwise-convert tests: the project's table, one
// line through the converter, and the built program run end to end.
#pragma once

#include "app/convert_cli.h"

#include <string>
#include <vector>

namespace tw::app::testing {

const engine::RenotationTable &table();

// The output line of `line` under the arguments `args` (which must parse);
// `ok` says whether it converted.
std::string convertOne(const std::vector<std::string> &args, const std::string &line, bool &ok);

struct ProgramRun {
    std::string out;
    std::string err;
    int status;
};

// The built program with `args` (as a shell would split them) on `input`,
// in folder `dir` when given.
ProgramRun runProgram(
    const std::string &args, const std::string &input, const std::string &dir = {});

} // namespace tw::app::testing
