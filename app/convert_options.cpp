// The table of subcommands: one row each, with the options it takes.
#include "app/convert_options.h"

#include "text/numbers.h"

#include <array>
#include <cctype>

namespace tw::app {

namespace {

const Option illuminantOption { "illuminant", 0, "C|D50|D65",
    "the illuminant and observer of X Y Z, CIELAB and RGB: C (2 degrees, the renotation's; the "
    "default), D50 (2 degrees) or D65 (10 degrees); any case" };
const Option pwdOption { "pwd", 0, "",
    "Value 10 is Y = 100 (perfect white diffuser) instead of Y = 102.568" };
const Option tableOption { "table", 0, "FILE",
    "the renotation table (default: Muncie.dat here, then the copy installed with the program)" };
const Option gammaOption { "gamma", 0, "G", "display gamma from 1 to 3 (default 2.2)" };
const Option exactOption { "exact", 0, "",
    "refine to the notation that converts back to the input within 1e-4" };

const Option outputOption { "output", 'o', "FILE",
    "import: the file to write instead of the type's own (type xyz: the palette file)" };

const std::array<Subcommand, 7> subcommands { {
    { "to-xyz", "", 0, "HUE VALUE CHROMA (5R 5 10 or 5R 5/10) to X Y Z x y",
        { illuminantOption, pwdOption, tableOption } },
    { "to-munsell", "", 0,
        "X Y Z (white Y about 100) to HUE_TEXT HUE_NUMBER VALUE CHROMA (the notation belongs "
        "to illuminant C)",
        { illuminantOption, pwdOption, exactOption, tableOption } },
    { "to-lab", "", 0, "HUE VALUE CHROMA to L* a* b*",
        { illuminantOption, pwdOption, tableOption } },
    { "to-rgb", "", 0, "HUE VALUE CHROMA to display R G B",
        { illuminantOption, pwdOption, gammaOption, tableOption } },
    { "from-lab", "", 0, "L* a* b* to HUE VALUE CHROMA",
        { illuminantOption, pwdOption, tableOption } },
    { "from-rgb", "", 0, "display R G B (0 to 255) to HUE VALUE CHROMA",
        { illuminantOption, pwdOption, gammaOption, tableOption } },
    { "import", "TYPE [INPUT]", 2,
        "a batch import as the conversion screen's Import button runs it (TYPE 1, 2, 3, 4, 0, "
        "6 or xyz; INPUT and -o default to the type's files here)",
        { outputOption, illuminantOption, pwdOption, gammaOption, tableOption } },
} };

constexpr ConvertOptions::Mode modes[] = { ConvertOptions::Mode::ToXyz,
    ConvertOptions::Mode::ToMunsell, ConvertOptions::Mode::ToLab, ConvertOptions::Mode::ToRgb,
    ConvertOptions::Mode::FromLab, ConvertOptions::Mode::FromRgb, ConvertOptions::Mode::Import };

std::string upper(std::string s) {
    for (char &c : s) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

bool readIlluminant(const std::string &name, engine::Illuminant &out) {
    const std::string n = upper(name);
    if (n == "C") {
        out = engine::Illuminant::C_1931;
    } else if (n == "D50" || n == "D5000") {
        out = engine::Illuminant::D5000;
    } else if (n == "D65" || n == "D65/10") {
        out = engine::Illuminant::D65_10;
    } else {
        return false;
    }
    return true;
}

} // namespace

std::span<const Subcommand> convertSubcommands() {
    return subcommands;
}

std::string convertUsage() {
    return usageText("tintwise-convert",
               "tintwise-convert: Munsell notations to and from CIE XYZ, CIELAB and display RGB, "
               "a line at a time.",
               subcommands)
        + "\nEach input line gives one output line (a blank line a blank line); a line that "
          "cannot be\nconverted gives \"ERR reason\", and the reason with its line number goes "
          "to standard error.\nExit status: 0 all converted, 1 some line failed, 2 usage error or "
          "unreadable table.\n";
}

bool parseConvertArguments(
    const std::vector<std::string> &args, ConvertOptions &options, std::string &error) {
    ParsedArguments parsed;
    if (!parseArguments(args, subcommands, parsed, error)) {
        return false;
    }
    options = ConvertOptions {};
    options.help = parsed.help;
    options.version = parsed.version;
    if (parsed.subcommand == nullptr) {
        return true;
    }
    options.mode = modes[parsed.subcommand - subcommands.data()];
    options.pwd = parsed.has("pwd");
    options.arguments = parsed.arguments;
    if (const auto it = parsed.options.find("output"); it != parsed.options.end()) {
        options.output = it->second;
        if (options.output.empty()) {
            error = "option --output needs a file name";
            return false;
        }
    }
    if (options.mode == ConvertOptions::Mode::Import && options.arguments.empty()) {
        error = "import needs a TYPE (1, 2, 3, 4, 0, 6 or xyz)";
        return false;
    }
    options.exact = parsed.has("exact");
    if (const auto it = parsed.options.find("table"); it != parsed.options.end()) {
        options.table = it->second;
        if (options.table.empty()) {
            error = "option --table needs a file name";
            return false;
        }
    }
    if (const auto it = parsed.options.find("illuminant");
        it != parsed.options.end() && !readIlluminant(it->second, options.illuminant)) {
        error = "unknown illuminant \"" + it->second + "\": use C, D50 or D65";
        return false;
    }
    if (const auto it = parsed.options.find("gamma"); it != parsed.options.end()) {
        double gamma = 0.0;
        if (!text::parseNumber(it->second, gamma) || !(gamma >= 1.0 && gamma <= 3.0)) {
            error = "--gamma must be a number from 1 to 3, not \"" + it->second + "\"";
            return false;
        }
        // Set as the screen's gamma box sets it.
        options.gammaText = it->second;
    }
    return true;
}

} // namespace tw::app
