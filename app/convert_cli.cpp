// Line-oriented front end on the colour engine.
//
// to-xyz follows the conversion screen's Munsell entry: the hue text through
// converth, a hue number of 100 or more reduced by 100, then mun2xyz under
// the chosen illuminant (Value above 9.5 is taken as 9.5, as there).
// to-munsell is xyz2mun under illuminant C; the hue text is that of the hue
// number rounded to two decimals, as the screen shows it, and the Value is
// given as computed (the screen's floor of 0.5 is a display rule).
#include "app/convert_cli.h"

#include "engine/mun2xyz.h"
#include "engine/notation.h"
#include "engine/xyz2mun.h"
#include "text/numbers.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <istream>
#include <ostream>

namespace tw::app {

namespace {

std::vector<std::string_view> splitBlanks(std::string_view line) {
    std::vector<std::string_view> parts;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
            ++i;
        }
        if (i > start) {
            parts.push_back(line.substr(start, i - start));
        }
    }
    return parts;
}

std::string fixed4(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f", v);
    return buffer;
}

bool toXyz(const engine::RenotationTable &table, const ConvertOptions &options,
    const std::vector<std::string_view> &parts, std::string &out) {
    std::string_view hueText;
    std::string_view valueText;
    std::string_view chromaText;
    if (parts.size() == 3) {
        hueText = parts[0];
        valueText = parts[1];
        chromaText = parts[2];
    } else if (parts.size() == 2 && parts[1].find('/') != std::string_view::npos) {
        const std::size_t slash = parts[1].find('/');
        hueText = parts[0];
        valueText = parts[1].substr(0, slash);
        chromaText = parts[1].substr(slash + 1);
    } else {
        out = "ERR expected HUE VALUE CHROMA, e.g. 5R 5 10";
        return false;
    }
    bool formatError = false;
    float H = engine::converth(hueText, formatError);
    if (formatError) {
        out = "ERR hue \"" + std::string(hueText)
            + "\" has no hue family (R YR Y GY G BG B PB P RP)";
        return false;
    }
    double value = 0.0;
    double chroma = 0.0;
    if (!text::parseNumber(valueText, value) || !text::parseNumber(chromaText, chroma)) {
        out = "ERR Value and Chroma must be numbers";
        return false;
    }
    if (H >= 100.0f) {
        H -= 100.0f;
    }
    float V = static_cast<float>(value);
    float X = 0.0f, Y = 0.0f, Z = 0.0f, x = 0.0f, y = 0.0f;
    switch (engine::mun2xyz(
        table, options.illuminant, options.pwd, H, V, static_cast<float>(chroma), X, Y, Z, x, y)) {
    case engine::Mun2XyzStatus::Ok:
        break;
    case engine::Mun2XyzStatus::OutsideData:
        out = chroma > engine::tableChromaLimit
            ? "ERR outside the renotation data: beyond Chroma 32 of the table"
            : "ERR outside the renotation data";
        return false;
    case engine::Mun2XyzStatus::OutOfRange:
        out = "ERR out of the Munsell range";
        return false;
    }
    out = fixed4(X) + ' ' + fixed4(Y) + ' ' + fixed4(Z) + ' ' + fixed4(x) + ' ' + fixed4(y);
    return true;
}

bool toMunsell(const engine::RenotationTable &table, const ConvertOptions &options,
    const std::vector<std::string_view> &parts, std::string &out) {
    double xyz[3] = {};
    if (parts.size() != 3 || !text::parseNumber(parts[0], xyz[0])
        || !text::parseNumber(parts[1], xyz[1]) || !text::parseNumber(parts[2], xyz[2])) {
        out = "ERR expected three numbers X Y Z";
        return false;
    }
    float X = static_cast<float>(xyz[0]);
    float Y = static_cast<float>(xyz[1]);
    float Z = static_cast<float>(xyz[2]);
    if (!(X + Y + Z > 0.0f)) {
        out = "ERR X + Y + Z must be positive";
        return false;
    }
    float H = 0.0f, V = 0.0f, C = 0.0f;
    if (engine::xyz2mun(table, options.pwd, H, V, C, X, Y, Z) != engine::Xyz2MunStatus::Ok) {
        out = "ERR out of the Munsell range";
        return false;
    }
    double shown = 0.0;
    (void)text::parseNumber(text::formatPattern(H, "###.00"), shown);
    out = engine::hconvert(static_cast<float>(shown)) + ' ' + fixed4(H) + ' ' + fixed4(V) + ' '
        + fixed4(C);
    return true;
}

} // namespace

bool parseConvertArguments(
    const std::vector<std::string> &args, ConvertOptions &options, std::string &error) {
    if (args.empty()) {
        error = "missing mode: to-xyz or to-munsell";
        return false;
    }
    if (args[0] == "to-xyz") {
        options.mode = ConvertOptions::Mode::ToXyz;
    } else if (args[0] == "to-munsell") {
        options.mode = ConvertOptions::Mode::ToMunsell;
    } else {
        error = "unknown mode \"" + args[0] + "\": use to-xyz or to-munsell";
        return false;
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--pwd") {
            options.pwd = true;
        } else if (a == "--table" && i + 1 < args.size()) {
            options.table = args[++i];
        } else if (a == "--illuminant" && i + 1 < args.size()
            && options.mode == ConvertOptions::Mode::ToXyz) {
            const std::string &name = args[++i];
            if (name == "C") {
                options.illuminant = engine::Illuminant::C_1931;
            } else if (name == "D50") {
                options.illuminant = engine::Illuminant::D5000;
            } else if (name == "D65") {
                options.illuminant = engine::Illuminant::D65_10;
            } else {
                error = "unknown illuminant \"" + name + "\": use C, D50 or D65";
                return false;
            }
        } else {
            error = "unexpected argument \"" + a + "\"";
            return false;
        }
    }
    return true;
}

bool convertLine(const engine::RenotationTable &table, const ConvertOptions &options,
    std::string_view line, std::string &out) {
    const std::vector<std::string_view> parts = splitBlanks(line);
    return options.mode == ConvertOptions::Mode::ToXyz ? toXyz(table, options, parts, out)
                                                       : toMunsell(table, options, parts, out);
}

std::size_t convertStream(const engine::RenotationTable &table, const ConvertOptions &options,
    std::istream &in, std::ostream &out) {
    std::size_t failed = 0;
    std::string line;
    std::string result;
    while (std::getline(in, line)) {
        if (splitBlanks(line).empty()) {
            continue;
        }
        if (!convertLine(table, options, line, result)) {
            ++failed;
        }
        out << result << '\n';
    }
    return failed;
}

int runConvert(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
    std::ostream &err, const std::string &executableDir) {
    ConvertOptions options;
    std::string error;
    if (!parseConvertArguments(args, options, error)) {
        err << "tintwise-convert: " << error << "\n"
            << "usage: tintwise-convert to-xyz [--illuminant C|D50|D65] [--pwd] [--table FILE]\n"
            << "       tintwise-convert to-munsell [--pwd] [--table FILE]\n";
        return 2;
    }
    std::string path = options.table;
    if (path.empty()) {
        namespace fs = std::filesystem;
        std::error_code ec;
        const std::vector<fs::path> candidates = {
            "Muncie.dat",
            fs::path(executableDir) / "Muncie.dat",
            fs::path(executableDir) / ".." / "share" / "tintwise" / "Muncie.dat",
        };
        path = candidates[0].string();
        for (const fs::path &candidate : candidates) {
            if (fs::is_regular_file(candidate, ec)) {
                path = candidate.string();
                break;
            }
        }
    }
    engine::RenotationTable table;
    if (!table.loadFile(path, error)) {
        err << "tintwise-convert: " << error << "\n";
        return 2;
    }
    return convertStream(table, options, in, out) == 0 ? 0 : 1;
}

} // namespace tw::app
