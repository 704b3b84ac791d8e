// The directions, each an entry operation of the conversion cycle, printing
// what the screen's boxes show or the numbers behind them:
//  - to-xyz: Munsell entry; X Y Z x y with four decimals;
//  - to-munsell: XYZ entry (the X, Y, Z of the selected illuminant); the hue
//    text the screen shows, then hue number, Value (without the screen's
//    floor of 0.5) and Chroma with four decimals;
//  - to-lab, to-rgb: Munsell entry; CIELAB as the boxes show it ("###.00"),
//    display R G B (a colour the display must clip is refused with the
//    clipped values, where the screen paints black);
//  - from-lab, from-rgb: CIELAB and RGB entry; the Munsell boxes.
// The input line must hold the fields of its direction; what the screen
// refuses, the cycle's outcome says, and its reason follows "ERR".
#include "app/convert_lines.h"

#include "cycle/screen_state.h"
#include "text/numbers.h"

#include <array>
#include <charconv>
#include <cmath>

namespace tw::app {

namespace {

using cycle::Boxes;

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

// A number that a colour may hold.
bool readNumber(std::string_view text, double &out) {
    return text::parseNumber(text, out) && std::fabs(out) <= absurd;
}

bool readThree(const std::string_view *fields, std::size_t count, double (&v)[3]) {
    return count == 3 && readNumber(fields[0], v[0]) && readNumber(fields[1], v[1])
        && readNumber(fields[2], v[2]);
}

std::string joined(const std::vector<std::string> &texts) {
    std::string out;
    for (const std::string &t : texts) {
        if (!out.empty()) {
            out += ' ';
        }
        out += t;
    }
    return out;
}

bool failed(const cycle::Outcome &done, std::string &out) {
    if (done.converted()) {
        return false;
    }
    out = "ERR " + done.reason;
    return true;
}

} // namespace

LineConverter::LineConverter(const engine::RenotationTable &table, const ConvertOptions &options)
    : mode_(options.mode)
    , cycle_(table) {
    cycle::ScreenState &s = cycle_.state();
    s.illuminant = options.illuminant;
    s.pwd = options.pwd;
    if (!options.gammaText.empty()) {
        (void)cycle_.gammaTextChanged(options.gammaText);
    }
    cycle_.setExactInverse(options.exact);
    // Only the XYZ-to-RGB step's numbers are read, never the RGB and CMYK
    // boxes: a clipped display colour is the answer's reason (where the
    // screen paints black).
    cycle_.setQuietRgb(true);
}

bool LineConverter::convert(std::string_view line, std::string &out) {
    std::array<std::string_view, 4> fields;
    const std::size_t count = splitFields(line, fields.data(), fields.size());
    if (count == 0) {
        out.clear();
        return true;
    }
    const cycle::ScreenState &s = cycle_.state();
    const cycle::ColourNumbers &n = s.numbers;
    double v[3] = {};
    switch (mode_) {
    case ConvertOptions::Mode::ToMunsell: {
        // The numbers themselves are the entry's to read and refuse.
        if (count != 3) {
            out = "ERR expected three numbers X Y Z, each within -1000 to 1000";
            return false;
        }
        if (failed(enterFields(Boxes::Xyz, fields.data()), out)) {
            return false;
        }
        out = s.munsell[0];
        for (float number : { n.H, n.V, n.C }) {
            out += ' ';
            appendFixed4(out, number);
        }
        return true;
    }
    case ConvertOptions::Mode::FromLab:
    case ConvertOptions::Mode::FromRgb: {
        const bool rgb = mode_ == ConvertOptions::Mode::FromRgb;
        const auto channel = [](double c) { return c >= 0.0 && c <= 255.0; };
        // RGB entry takes any text to a channel; here only 0 to 255 will do.
        if (count != 3
            || (rgb
                && !(readThree(fields.data(), count, v) && channel(v[0]) && channel(v[1])
                    && channel(v[2])))) {
            out = rgb ? "ERR expected three numbers R G B, each from 0 to 255"
                      : "ERR expected three numbers L* a* b*, each within -1000 to 1000";
            return false;
        }
        if (failed(enterFields(rgb ? Boxes::Rgb : Boxes::Lab, fields.data()), out)) {
            return false;
        }
        out = joined(cycle_.texts(Boxes::Munsell));
        return true;
    }
    case ConvertOptions::Mode::Import: // whole files, not lines
        out = "ERR import converts files, not lines";
        return false;
    case ConvertOptions::Mode::ToXyz:
    case ConvertOptions::Mode::ToLab:
    case ConvertOptions::Mode::ToRgb:
        break;
    }

    // A notation: "HUE VALUE CHROMA" or "HUE VALUE/CHROMA".
    std::string_view hue, value, chroma;
    if (count == 3) {
        hue = fields[0];
        value = fields[1];
        chroma = fields[2];
    } else if (count == 2 && fields[1].find('/') != std::string_view::npos) {
        const std::size_t slash = fields[1].find('/');
        hue = fields[0];
        value = fields[1].substr(0, slash);
        chroma = fields[1].substr(slash + 1);
    } else {
        out = "ERR expected HUE VALUE CHROMA, e.g. 5R 5 10";
        return false;
    }
    cycle_.setTexts(Boxes::Munsell, { std::string(hue), std::string(value), std::string(chroma) });
    const cycle::Outcome done = cycle_.muncie();
    if (failed(done, out)) {
        return false;
    }
    switch (mode_) {
    case ConvertOptions::Mode::ToLab:
        out = joined(cycle_.texts(Boxes::Lab));
        return true;
    case ConvertOptions::Mode::ToRgb: {
        const std::string channels = std::to_string(s.patch.R) + ' ' + std::to_string(s.patch.G)
            + ' ' + std::to_string(s.patch.B);
        if (done.outOfRgb) {
            out = "ERR out of the RGB range (clipped to " + channels + ")";
            return false;
        }
        out = channels;
        return true;
    }
    default:
        break;
    }
    out.clear();
    for (float number : { n.X, n.Y, n.Z, n.x, n.y }) {
        if (!out.empty()) {
            out += ' ';
        }
        appendFixed4(out, number);
    }
    return true;
}

cycle::Outcome LineConverter::enterFields(cycle::Boxes group, const std::string_view *fields) {
    cycle_.setTexts(
        group, { std::string(fields[0]), std::string(fields[1]), std::string(fields[2]) });
    return cycle_.enter(group);
}

bool convertLine(const engine::RenotationTable &table, const ConvertOptions &options,
    std::string_view line, std::string &out) {
    LineConverter converter(table, options);
    return converter.convert(line, out);
}

} // namespace tw::app
