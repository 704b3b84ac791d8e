// The directions, each following the conversion screen's entry path for its
// form, and printing what the screen's boxes show:
//  - to-xyz: Munsell entry (converth, a hue of 100 or more reduced by 100,
//    mun2xyz under the illuminant, Value above 9.5 taken as 9.5), X Y Z x y
//    with four decimals;
//  - to-munsell: xyz2mun under illuminant C (or its exact inverse), the hue
//    text of the hue rounded to two decimals, then hue number, Value (as
//    computed, without the screen's floor of 0.5) and Chroma with four
//    decimals;
//  - to-lab, to-rgb: Munsell entry, then CIELAB "###.00" and display R G B
//    as the screen shows them (X, Y, Z below 0.01 raised to 0.01 first, as
//    the CIELAB step does);
//  - from-lab, from-rgb: CIELAB and RGB entry; the X, Y, Z boxes hold two
//    decimals, which the Munsell step reads back; hue text, Value and
//    Chroma "##0.00", the Value not shown below 0.50.
// Input the screen refuses is refused: a Value above 10, a hue step outside
// 0 to 10, numbers that are not finite or are absurd for a colour (beyond
// +-1000).
#include "app/convert_lines.h"

#include "engine/adaptation.h"
#include "engine/mun2xyz.h"
#include "engine/notation.h"
#include "engine/xyz2mun.h"
#include "engine/xyz2mun_exact.h"
#include "text/numbers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace tw::app {

namespace {

constexpr double absurd = 1000.0;

// Up to `n` blank-separated fields; returns how many the line holds (which
// may be more than n).
std::size_t splitFields(std::string_view line, std::string_view *fields, std::size_t n) {
    std::size_t count = 0;
    std::size_t i = 0;
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (i < line.size()) {
        while (i < line.size() && blank(line[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && !blank(line[i])) {
            ++i;
        }
        if (i > start) {
            if (count < n) {
                fields[count] = line.substr(start, i - start);
            }
            ++count;
        }
    }
    return count;
}

void appendFixed4(std::string &out, double v) {
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 4);
    out.append(buffer, r.ptr);
}

std::string fixed4(double v) {
    std::string s;
    appendFixed4(s, v);
    return s;
}

// A number that a colour may hold.
bool readNumber(std::string_view text, double &out) {
    return text::parseNumber(text, out) && std::fabs(out) <= absurd;
}

float twoDecimals(float v) {
    double out = 0.0;
    (void)text::parseNumber(text::formatPattern(v, "###.00"), out);
    return static_cast<float>(out);
}

// The length of the family name at the end of a hue text, tried as
// converth tries it: the two-letter families first.
std::size_t familyLength(std::string_view hue) {
    const auto upperAt = [&](std::size_t i) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(hue[i])));
    };
    if (hue.size() >= 2) {
        const char last2[2] = { upperAt(hue.size() - 2), upperAt(hue.size() - 1) };
        for (int i = 1; i <= 9; i += 2) {
            if (engine::huenames[static_cast<std::size_t>(i)] == std::string_view(last2, 2)) {
                return 2;
            }
        }
    }
    return 1;
}

struct Munsell {
    float H, V, C;
};

// "HUE VALUE CHROMA" or "HUE VALUE/CHROMA", the hue a step from 0 to 10 and
// a family.
bool readMunsell(const std::string_view *fields, std::size_t count, Munsell &m, std::string &out) {
    std::string_view hueText, valueText, chromaText;
    if (count == 3) {
        hueText = fields[0];
        valueText = fields[1];
        chromaText = fields[2];
    } else if (count == 2 && fields[1].find('/') != std::string_view::npos) {
        const std::size_t slash = fields[1].find('/');
        hueText = fields[0];
        valueText = fields[1].substr(0, slash);
        chromaText = fields[1].substr(slash + 1);
    } else {
        out = "ERR expected HUE VALUE CHROMA, e.g. 5R 5 10";
        return false;
    }
    bool formatError = false;
    const float H = engine::converth(hueText, formatError);
    if (formatError) {
        out = "ERR hue \"" + std::string(hueText)
            + "\" has no hue family (R YR Y GY G BG B PB P RP)";
        return false;
    }
    const std::string_view stepText = hueText.substr(0, hueText.size() - familyLength(hueText));
    double step = 0.0;
    if (!text::parseNumber(stepText, step)) {
        out = "ERR hue \"" + std::string(hueText) + "\" needs a number before its family";
        return false;
    }
    double value = 0.0, chroma = 0.0;
    if (!text::parseNumber(valueText, value) || !text::parseNumber(chromaText, chroma)) {
        out = "ERR Value and Chroma must be numbers";
        return false;
    }
    if (!(step >= 0.0 && step <= 10.0)) {
        out = "ERR out of the Munsell range: hue step " + std::string(stepText)
            + " is outside 0 to 10";
        return false;
    }
    if (value > 10.0) {
        out = "ERR out of the Munsell range: Value above 10";
        return false;
    }
    m = { H >= 100.0f ? H - 100.0f : H, static_cast<float>(value), static_cast<float>(chroma) };
    return true;
}

struct Xyz {
    float X, Y, Z, x, y;
};

bool munsellToXyz(const engine::RenotationTable &table, const ConvertOptions &options, Munsell m,
    Xyz &c, std::string &out) {
    c = {};
    switch (engine::mun2xyz(
        table, options.illuminant, options.pwd, m.H, m.V, m.C, c.X, c.Y, c.Z, c.x, c.y)) {
    case engine::Mun2XyzStatus::Ok:
        return true;
    case engine::Mun2XyzStatus::OutsideData:
        out = m.C > engine::tableChromaLimit
            ? "ERR outside the renotation data: beyond Chroma 32 of the table"
            : "ERR outside the renotation data";
        return false;
    case engine::Mun2XyzStatus::OutOfRange:
        break;
    }
    out = "ERR out of the Munsell range";
    return false;
}

// The Munsell boxes after an XYZ reached the screen's XYZ boxes.
bool showMunsell(const engine::RenotationTable &table, const ConvertOptions &options, float X,
    float Y, float Z, std::string &out) {
    if (!(X + Y + Z > 0.0f)) {
        out = "ERR no light: X + Y + Z must be positive";
        return false;
    }
    float H = 0.0f, V = 0.0f, C = 0.0f;
    if (engine::xyz2mun(table, options.pwd, H, V, C, X, Y, Z) != engine::Xyz2MunStatus::Ok) {
        out = "ERR out of the Munsell range";
        return false;
    }
    out = engine::hconvert(twoDecimals(H)) + ' ' + text::formatPattern(std::max(V, 0.5f), "##0.00")
        + ' ' + text::formatPattern(C, "##0.00");
    return true;
}

bool readThree(const std::string_view *fields, std::size_t count, double (&v)[3]) {
    return count == 3 && readNumber(fields[0], v[0]) && readNumber(fields[1], v[1])
        && readNumber(fields[2], v[2]);
}

bool toMunsell(const engine::RenotationTable &table, const ConvertOptions &options,
    const std::string_view *fields, std::size_t count, std::string &out) {
    double xyz[3] = {};
    if (!readThree(fields, count, xyz)) {
        out = "ERR expected three numbers X Y Z, each within -1000 to 1000";
        return false;
    }
    const float X = static_cast<float>(xyz[0]);
    float Y = static_cast<float>(xyz[1]);
    const float Z = static_cast<float>(xyz[2]);
    if (!(X + Y + Z > 0.0f)) {
        out = "ERR X + Y + Z must be positive";
        return false;
    }
    float H = 0.0f, V = 0.0f, C = 0.0f;
    if (options.exact) {
        if (engine::xyz2munExact(table, options.pwd, X, Y, Z, H, V, C) != engine::ExactStatus::Ok) {
            out = "ERR no colour inside the renotation data converts to this X Y Z";
            return false;
        }
    } else if (engine::xyz2mun(table, options.pwd, H, V, C, X, Y, Z) != engine::Xyz2MunStatus::Ok) {
        out = "ERR out of the Munsell range";
        return false;
    }
    out = engine::hconvert(twoDecimals(H));
    out += ' ';
    appendFixed4(out, H);
    out += ' ';
    appendFixed4(out, V);
    out += ' ';
    appendFixed4(out, C);
    return true;
}

bool fromMunsell(const engine::RenotationTable &table, const ConvertOptions &options,
    const std::string_view *fields, std::size_t count, std::string &out) {
    Munsell m {};
    Xyz c {};
    if (!readMunsell(fields, count, m, out) || !munsellToXyz(table, options, m, c, out)) {
        return false;
    }
    if (options.mode == ConvertOptions::Mode::ToXyz) {
        out = fixed4(c.X) + ' ' + fixed4(c.Y) + ' ' + fixed4(c.Z) + ' ' + fixed4(c.x) + ' '
            + fixed4(c.y);
        return true;
    }
    float L = 0.0f, a = 0.0f, b = 0.0f;
    engine::xyzlab(options.illuminant, c.X, c.Y, c.Z, L, a, b);
    if (options.mode == ConvertOptions::Mode::ToLab) {
        out = text::formatPattern(L, "###.00") + ' ' + text::formatPattern(a, "###.00") + ' '
            + text::formatPattern(b, "###.00");
        return true;
    }
    const engine::RgbResult rgb
        = engine::xyzrgb(options.illuminant, options.display, c.X, c.Y, c.Z);
    const std::string channels
        = std::to_string(rgb.R) + ' ' + std::to_string(rgb.G) + ' ' + std::to_string(rgb.B);
    if (rgb.outofgamut) {
        // The screen shows black and "Out of RGB Range".
        out = "ERR out of the RGB range (clipped to " + channels + ")";
        return false;
    }
    out = channels;
    return true;
}

bool fromLab(const engine::RenotationTable &table, const ConvertOptions &options,
    const std::string_view *fields, std::size_t count, std::string &out) {
    double lab[3] = {};
    if (!readThree(fields, count, lab)) {
        out = "ERR expected three numbers L* a* b*, each within -1000 to 1000";
        return false;
    }
    float X = 0.0f, Y = 0.0f, Z = 0.0f, x = 0.0f, y = 0.0f;
    engine::labxyz(X, Y, Z, static_cast<float>(lab[0]), static_cast<float>(lab[1]),
        static_cast<float>(lab[2]));
    if (options.illuminant != engine::Illuminant::C_1931
        && !engine::xyzconvert(engine::Direction::Back, options.illuminant, X, Y, Z, x, y)) {
        out = "ERR no light: a black cannot be adapted to illuminant C";
        return false;
    }
    return showMunsell(table, options, twoDecimals(X), twoDecimals(Y), twoDecimals(Z), out);
}

bool fromRgb(const engine::RenotationTable &table, const ConvertOptions &options,
    const std::string_view *fields, std::size_t count, std::string &out) {
    double rgb[3] = {};
    if (!readThree(fields, count, rgb) || !(rgb[0] >= 0 && rgb[0] <= 255)
        || !(rgb[1] >= 0 && rgb[1] <= 255) || !(rgb[2] >= 0 && rgb[2] <= 255)) {
        out = "ERR expected three numbers R G B, each from 0 to 255";
        return false;
    }
    float linear[3];
    for (std::size_t i = 0; i < 3; ++i) {
        const float channel = static_cast<float>(text::roundHalfEven(rgb[i]));
        const float scaled = channel / (255.0f * options.display.rgbscale[i]);
        linear[i] = static_cast<float>(std::pow(scaled, 1.0 / options.display.rgbexponent[i]));
    }
    float X = 0.0f, Y = 0.0f, Z = 0.0f;
    engine::rgbxyz(options.illuminant, linear[0], linear[1], linear[2], X, Y, Z);
    return showMunsell(table, options, twoDecimals(X * 100.0f), twoDecimals(Y * 100.0f),
        twoDecimals(Z * 100.0f), out);
}

} // namespace

bool convertLine(const engine::RenotationTable &table, const ConvertOptions &options,
    std::string_view line, std::string &out) {
    std::array<std::string_view, 4> fields;
    const std::size_t count = splitFields(line, fields.data(), fields.size());
    if (count == 0) {
        out.clear();
        return true;
    }
    switch (options.mode) {
    case ConvertOptions::Mode::ToMunsell:
        return toMunsell(table, options, fields.data(), count, out);
    case ConvertOptions::Mode::FromLab:
        return fromLab(table, options, fields.data(), count, out);
    case ConvertOptions::Mode::FromRgb:
        return fromRgb(table, options, fields.data(), count, out);
    case ConvertOptions::Mode::Import: // whole files, not lines
        out = "ERR import converts files, not lines";
        return false;
    case ConvertOptions::Mode::ToXyz:
    case ConvertOptions::Mode::ToLab:
    case ConvertOptions::Mode::ToRgb:
        break;
    }
    return fromMunsell(table, options, fields.data(), count, out);
}

} // namespace tw::app
