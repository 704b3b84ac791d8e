#include "app/start_options.h"

namespace tw::app {

const char *const startUsage
    = "Usage: tintwise [--check] [--help] [--version]\n"
      "\n"
      "Starts the Tintwise conversion screen.\n"
      "  --check    start up without a window, print the working folder\n"
      "             and the design colour as the screen converts it, and end;\n"
      "             what stops the start-up goes to standard error, exit status 1\n"
      "  --help     print this text\n"
      "  --version  print the version\n";

StartOptions parseStartOptions(const std::vector<std::string> &args) {
    StartOptions out;
    bool optionsEnded = false;
    for (const std::string &arg : args) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            return { StartAction::Help, {} };
        }
        if (!optionsEnded && arg == "--version") {
            return { StartAction::Version, {} };
        }
        if (!optionsEnded && arg == "--check") {
            out.action = StartAction::Check;
            continue;
        }
        // A lone "-" is an argument (standard input, by custom), not an option.
        const bool option = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        return { StartAction::UsageError,
            (option ? "unknown option " : "unexpected argument ") + arg
                + " (tintwise --help lists the options)" };
    }
    return out;
}

} // namespace tw::app
