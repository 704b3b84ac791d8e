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
    // The output: blank-separated columns, or comma- or tab-separated with
    // a header row naming them.
    enum class Format { Plain, Csv, Tsv } format = Format::Plain;
    // The input's first line that is neither blank nor a comment: a header
    // row when it names the columns (Detect), always, or never.
    enum class Header { Detect, Yes, No } header = Header::Detect;
    engine::Illuminant illuminant = engine::Illuminant::C_1931;
    bool pwd = false;
    // to-munsell: refine to the exact inverse of Munsell to XYZ.
    bool exact = false;
    // to-munsell, from-lab, from-rgb: the notation alone ("5.00R 5.00/10.00",
    // "N 5.00/") instead of the screen's boxes.
    bool notation = false;
    // Decimals of the numbers written; -1: the direction's own (four for
    // X Y Z and the Munsell numbers, two for CIELAB and the screen's boxes).
    int decimals = -1;
    // Leading columns passed through; -1: none, or those a header names
    // before the colour's columns.
    int idColumns = -1;
    // Each output line goes out as soon as it is written.
    bool unbuffered = false;
    std::string table; // empty: the default search
    // The gamma as given (empty: the screen's own 2.2), set as the screen's
    // gamma box takes it.
    std::string gammaText;
    // import: the type and input file; the other subcommands: the input
    // files ("-" is standard input; none: standard input).
    std::vector<std::string> arguments;
    // -o: the file to write ("-" or empty: standard output).
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
