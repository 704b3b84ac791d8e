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
const Option notationOption { "notation", 0, "",
    "write the notation alone (5.00R 5.00/10.00, N 5.00/), as to-xyz reads it" };
const Option outputOption { "output", 'o', "FILE",
    "write to FILE instead of standard output (import: the file to write instead of the "
    "type's own; type xyz: the palette file)" };
const Option formatOption { "format", 0, "plain|csv|tsv",
    "blank-separated columns (the default), or comma- or tab-separated with a header row" };
const Option decimalsOption { "decimals", 0, "N",
    "decimals of the numbers written, 0 to 9 (default 4 for X Y Z and the Munsell numbers, 2 "
    "for CIELAB and the screen's boxes)" };
const Option headerOption { "header", 0, "",
    "the first line that is no comment is a header row (default: when it names the columns)" };
const Option noHeaderOption { "no-header", 0, "", "the input has no header row" };
const Option idColumnsOption { "id-columns", 0, "N",
    "the first N columns of every line are passed through before the results (default: none, "
    "or those a header row names before the colour's columns)" };
const Option unbufferedOption { "unbuffered", 0, "",
    "write each line out at once (the default when standard output is no regular file)" };

// The options every line direction takes.
std::vector<Option> lineOptions(std::initializer_list<Option> own) {
    std::vector<Option> out { outputOption, formatOption, decimalsOption, headerOption,
        noHeaderOption, idColumnsOption, unbufferedOption, illuminantOption, pwdOption };
    out.insert(out.end(), own.begin(), own.end());
    out.push_back(tableOption);
    return out;
}

const std::array<Subcommand, 7> subcommands { {
    { "to-xyz", "[FILE]...", anyArguments,
        "a Munsell notation (5R 5/10, 5R 5 10, N 5/) to X Y Z x y", lineOptions({}) },
    { "to-munsell", "[FILE]...", anyArguments,
        "X Y Z (white Y about 100), or a CGATS file's samples, to HUE_TEXT HUE_NUMBER VALUE "
        "CHROMA (the notation belongs to illuminant C)",
        lineOptions({ exactOption, notationOption }) },
    { "to-lab", "[FILE]...", anyArguments, "a Munsell notation to L* a* b*", lineOptions({}) },
    { "to-rgb", "[FILE]...", anyArguments, "a Munsell notation to display R G B",
        lineOptions({ gammaOption }) },
    { "from-lab", "[FILE]...", anyArguments, "L* a* b* to HUE VALUE CHROMA",
        lineOptions({ notationOption }) },
    { "from-rgb", "[FILE]...", anyArguments, "display R G B (0 to 255) to HUE VALUE CHROMA",
        lineOptions({ gammaOption, notationOption }) },
    { "import", "TYPE [INPUT]", 2,
        "a batch import as the conversion screen's Import button runs it (TYPE 1, 2, 3, 4, 0, "
        "6 or xyz; INPUT and -o default to the type's files here)",
        { outputOption, illuminantOption, pwdOption, gammaOption, tableOption } },
} };

constexpr ConvertOptions::Mode modes[] = { ConvertOptions::Mode::ToXyz,
    ConvertOptions::Mode::ToMunsell, ConvertOptions::Mode::ToLab, ConvertOptions::Mode::ToRgb,
    ConvertOptions::Mode::FromLab, ConvertOptions::Mode::FromRgb, ConvertOptions::Mode::Import };

std::string lower(std::string s) {
    for (char &c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

bool readIlluminant(const std::string &name, engine::Illuminant &out) {
    const std::string n = lower(name);
    if (n == "c") {
        out = engine::Illuminant::C_1931;
    } else if (n == "d50" || n == "d5000") {
        out = engine::Illuminant::D5000;
    } else if (n == "d65" || n == "d65/10") {
        out = engine::Illuminant::D65_10;
    } else {
        return false;
    }
    return true;
}

// A whole number from `low` to `high`.
bool readCount(const std::string &text, int low, int high, int &out) {
    double v = 0.0;
    if (!text::parseNumber(text, v) || !(v >= low && v <= high) || v != static_cast<int>(v)) {
        return false;
    }
    out = static_cast<int>(v);
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
        + "\nThe input is the FILEs named, or standard input (also \"-\"); fields are separated "
          "by blanks,\ncommas, semicolons or tabs. Each input line gives one output line (a "
          "blank line or a\n# comment as it is); a line that cannot be converted gives \"ERR "
          "reason\", and the reason\nwith its line number goes to standard error.\nExit status: "
          "0 all converted, 1 some line failed or the output could not be written,\n2 usage "
          "error, unreadable table or input.\n";
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
    const auto value = [&](const char *name) -> const std::string * {
        const auto it = parsed.options.find(name);
        return it == parsed.options.end() ? nullptr : &it->second;
    };
    if (const std::string *o = value("output")) {
        options.output = *o;
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
    options.notation = parsed.has("notation");
    options.unbuffered = parsed.has("unbuffered");
    if (parsed.has("header") && parsed.has("no-header")) {
        error = "--header and --no-header exclude each other";
        return false;
    }
    options.header = parsed.has("header") ? ConvertOptions::Header::Yes
        : parsed.has("no-header")         ? ConvertOptions::Header::No
                                          : ConvertOptions::Header::Detect;
    if (const std::string *t = value("table")) {
        options.table = *t;
        if (options.table.empty()) {
            error = "option --table needs a file name";
            return false;
        }
    }
    if (const std::string *name = value("illuminant");
        name != nullptr && !readIlluminant(*name, options.illuminant)) {
        error = "unknown illuminant \"" + *name + "\": use C, D50 or D65";
        return false;
    }
    if (const std::string *g = value("gamma")) {
        double gamma = 0.0;
        if (!text::parseNumber(*g, gamma) || !(gamma >= 1.0 && gamma <= 3.0)) {
            error = "--gamma must be a number from 1 to 3, not \"" + *g + "\"";
            return false;
        }
        // Set as the screen's gamma box sets it.
        options.gammaText = *g;
    }
    if (const std::string *f = value("format")) {
        const std::string name = lower(*f);
        if (name == "plain") {
            options.format = ConvertOptions::Format::Plain;
        } else if (name == "csv") {
            options.format = ConvertOptions::Format::Csv;
        } else if (name == "tsv") {
            options.format = ConvertOptions::Format::Tsv;
        } else {
            error = "unknown format \"" + *f + "\": use plain, csv or tsv";
            return false;
        }
    }
    if (const std::string *d = value("decimals");
        d != nullptr && !readCount(*d, 0, 9, options.decimals)) {
        error = "--decimals must be a whole number from 0 to 9, not \"" + *d + "\"";
        return false;
    }
    if (const std::string *n = value("id-columns");
        n != nullptr && !readCount(*n, 0, 1000, options.idColumns)) {
        error = "--id-columns must be a whole number from 0 to 1000, not \"" + *n + "\"";
        return false;
    }
    return true;
}

} // namespace tw::app
