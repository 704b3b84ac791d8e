// The command line of the windowed program:
//   tintwise [--check] [--help] [--version]
// The options are read in order, as getopt does: --help or --version prints
// its text and ends the program there; an unknown option or any argument is
// a usage error (exit status 2) told in one line on standard error, before
// anything else starts, so that a mistyped option never opens the window.
// No Qt: the text is read before the application object exists.
#pragma once

#include <string>
#include <vector>

namespace tw::app {

// What the command line asks for.
enum class StartAction { Window, Check, Help, Version, UsageError };

struct StartOptions {
    StartAction action = StartAction::Window;
    std::string error; // the usage error, one line without the program's name
};

// Parses the arguments after the program name.
[[nodiscard]] StartOptions parseStartOptions(const std::vector<std::string> &args);

// The text --help prints.
extern const char *const startUsage;

} // namespace tw::app
