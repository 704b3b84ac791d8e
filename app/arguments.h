// The command line of a program with subcommands, each with its own
// options: "PROGRAM SUBCOMMAND [OPTION | ARGUMENT] ...", read by the rules
// of getopt_long with argument permutation:
//  - options and arguments come in any order, before the subcommand too
//    ("--pwd to-xyz" is "to-xyz --pwd"); the first argument that is no
//    option names the subcommand, the rest are its arguments;
//  - a long option is "--name", "--name VALUE" or "--name=VALUE", and any
//    unique prefix of its name will do ("--illum D65"; an exact name wins
//    over a longer one it begins);
//  - a one-letter option is "-n", "-n VALUE" or "-nVALUE", and letters may
//    be grouped ("-ho FILE");
//  - an option that takes a value takes the next argument whatever it
//    looks like; "--" ends the options; "-" alone is an argument (standard
//    input, by custom).
// "--help" / "-h" and "--version" are understood everywhere, with or
// without a subcommand. A new subcommand is one more row of the table
// handed to parseArguments.
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tw::app {

struct Option {
    std::string_view name; // without the dashes: "table"
    char letter = 0; // one-letter form, 0 for none
    std::string_view value; // the value's name in usage texts ("FILE"); empty: a flag
    std::string_view help;
};

inline constexpr std::size_t anyArguments = static_cast<std::size_t>(-1);

struct Subcommand {
    std::string_view name;
    std::string_view arguments; // the positional arguments in usage texts ("TYPE [INPUT]")
    std::size_t maxArguments = 0; // anyArguments: no limit
    std::string_view help;
    std::vector<Option> options;
};

struct ParsedArguments {
    const Subcommand *subcommand = nullptr;
    bool help = false;
    bool version = false;
    // Options given, by name; a flag maps to the empty string.
    std::map<std::string, std::string, std::less<>> options;
    std::vector<std::string> arguments;

    [[nodiscard]] bool has(std::string_view name) const { return options.contains(name); }
};

// Parses the arguments after the program name. On a usage error returns
// false with a one-line reason. With --help or --version the rest may be
// incomplete (no subcommand), but must still be well formed up to there.
[[nodiscard]] bool parseArguments(const std::vector<std::string> &args,
    std::span<const Subcommand> subcommands, ParsedArguments &out, std::string &error);

// The usage text: one synopsis per subcommand, then each subcommand's
// options.
[[nodiscard]] std::string usageText(
    std::string_view program, std::string_view summary, std::span<const Subcommand> subcommands);

} // namespace tw::app
