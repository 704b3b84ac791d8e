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

// A shell script run by /bin/sh in folder `dir` (a fresh scratch folder
// when empty), with $TW naming the built program; its standard output and
// standard error (apart, or together when `merged`) and exit status.
ProgramRun runShell(const std::string &script, const std::string &dir = {}, bool merged = false);

// A scratch folder of its own, removed at the end of the test.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;
    [[nodiscard]] const std::string &path() const { return path_; }
    void write(const std::string &name, const std::string &contents) const;
    [[nodiscard]] std::string read(const std::string &name) const;

private:
    std::string path_;
};

} // namespace tw::app::testing
