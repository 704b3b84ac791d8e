// The muncie_builder command: muncie_builder INPUT.csv OUTPUT.dat reads the
// renotation CSV (see buildMuncieTable) and writes the Muncie.dat text.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tw::tools {

// Runs the command on `args` (the arguments after the program name) and
// returns the exit status: 0 when OUTPUT was written, 1 when INPUT cannot be
// read or holds a fault, or OUTPUT cannot be written, 2 on wrong usage.
// Faults go to `err` as "FILE:LINE: message" or "FILE: message". The output
// is written to OUTPUT.part beside OUTPUT and renamed over it, so on any
// failure OUTPUT keeps what it held before.
[[nodiscard]] int runMuncieBuilder(const std::vector<std::string> &args, std::ostream &err);

} // namespace tw::tools
