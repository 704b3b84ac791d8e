// The subcommands and options of tintwise-convert, and what they ask for.
#pragma once

#include "app/arguments.h"
#include "engine/illuminant.h"

#include <span>
#include <string>
#include <vector>

namespace tw::app {

struct ConvertOptions {
    // to-xyz, to-lab and to-rgb read a Munsell notation; to-munsell,
    // from-lab and from-rgb give one.
    enum class Mode { ToXyz, ToMunsell, ToLab, ToRgb, FromLab, FromRgb, Import } mode = Mode::ToXyz;
    engine::Illuminant illuminant = engine::Illuminant::C_1931;
    bool pwd = false;
    // to-munsell: refine to the exact inverse of Munsell to XYZ.
    bool exact = false;
    std::string table; // empty: the default search
    // The gamma as given (empty: the screen's own 2.2), set as the screen's
    // gamma box takes it.
    std::string gammaText;
    // import: the type and input file, and the output file (-o).
    std::vector<std::string> arguments;
    std::string output;
    bool help = false;
    bool version = false;
};

// Every subcommand of the program, in the order the usage text lists them.
[[nodiscard]] std::span<const Subcommand> convertSubcommands();

// The usage text printed by --help.
[[nodiscard]] std::string convertUsage();

// Parses the arguments after the program name. On failure returns false
// with a one-line message for standard error. With --help or --version the
// options say so and the rest need not be complete.
[[nodiscard]] bool parseConvertArguments(
    const std::vector<std::string> &args, ConvertOptions &options, std::string &error);

} // namespace tw::app
