// The directions, each an entry operation of the conversion cycle, printing
// what the screen's boxes show or the numbers behind them:
//  - to-xyz: Munsell entry; X Y Z x y with four decimals;
//  - to-munsell: XYZ entry (the X, Y, Z of the selected illuminant); the hue
//    text the screen shows, then hue number, Value (without the screen's
//    floor of 0.5) and Chroma with four decimals; or the notation;
//  - to-lab, to-rgb: Munsell entry; CIELAB with two decimals as the boxes
//    round them, with a zero before the point; display R G B (a colour the
//    display must clip is refused with the clipped values, where the screen
//    paints black);
//  - from-lab, from-rgb: CIELAB and RGB entry; the Munsell boxes, or the
//    notation.
// The notation of a csv or tsv row follows the columns of the screen's
// boxes, so that the row says the colour in a form to-xyz reads back.
// What the screen refuses, the cycle's outcome says, and its reason
// follows "ERR".
#include "app/convert_lines.h"

#include "cycle/screen_state.h"
#include "engine/notation_text.h"
#include "text/numbers.h"
#include "text/separated.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace tw::app {

namespace {

using cycle::Boxes;
using Mode = ConvertOptions::Mode;

constexpr double absurd = 1000.0;

bool readNumber(std::string_view text, double &out) {
    return text::parseNumber(text, out) && std::fabs(out) <= absurd;
}

bool readsNotation(Mode mode) {
    return mode == Mode::ToXyz || mode == Mode::ToLab || mode == Mode::ToRgb;
}

} // namespace

void appendFixed(std::string &out, double value, int decimals) {
    // A float times 10^decimals (up to 10^9: 2^9 times 5^9, 21 bits) is exact
    // in a double, and so is its integer part and fraction: the rounding
    // to_chars does on the exact value (halves to even) can be done here.
    static constexpr double powers[] = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9 };
    const double magnitude = std::fabs(value);
    const bool isFloat = magnitude <= std::numeric_limits<float>::max()
        && static_cast<double>(static_cast<float>(value)) == value;
    const double scaled = decimals >= 0 && decimals <= 9 ? magnitude * powers[decimals] : 0.0;
    if (!isFloat || decimals < 0 || decimals > 9 || !(scaled < 0x1p52)) {
        char buffer[400];
        const auto r = std::to_chars(
            buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
        out.append(buffer, r.ptr);
        return;
    }
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    auto n = static_cast<std::uint64_t>(whole);
    if (fraction > 0.5 || (fraction == 0.5 && n % 2 == 1)) {
        ++n;
    }
    char digits[32];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n > 0);
    while (count <= decimals) {
        digits[count++] = '0';
    }
    char text[40];
    std::size_t length = 0;
    if (std::signbit(value)) {
        text[length++] = '-';
    }
    for (int i = count; i-- > 0;) {
        text[length++] = digits[i];
        if (i == decimals && decimals > 0) {
            text[length++] = '.';
        }
    }
    out.append(text, length);
}

LineConverter::LineConverter(const engine::RenotationTable &table, const ConvertOptions &options)
    : mode_(options.mode)
    , notationOnly_(options.notation)
    , notationColumn_(!options.notation && options.format != ConvertOptions::Format::Plain)
    , cycle_(table) {
    const bool screenBoxes = mode_ == Mode::FromLab || mode_ == Mode::FromRgb;
    ownDecimals_ = options.decimals >= 0;
    decimals_ = ownDecimals_ ? options.decimals : mode_ == Mode::ToLab || screenBoxes ? 2 : 4;
    pattern_ = decimals_ > 0 ? "0." + std::string(static_cast<std::size_t>(decimals_), '0') : "0";
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

std::vector<std::string> LineConverter::columnNames() const {
    switch (mode_) {
    case Mode::ToXyz:
        return { "X", "Y", "Z", "x", "y" };
    case Mode::ToLab:
        return { "L*", "a*", "b*" };
    case Mode::ToRgb:
        return { "R", "G", "B" };
    case Mode::ToMunsell:
    case Mode::FromLab:
    case Mode::FromRgb: {
        if (notationOnly_) {
            return { "notation" };
        }
        std::vector<std::string> names { "hue", "value", "chroma" };
        if (mode_ == Mode::ToMunsell) {
            names.insert(names.begin() + 1, "hue_number");
        }
        if (notationColumn_) {
            names.emplace_back("notation");
        }
        return names;
    }
    case Mode::Import:
        break;
    }
    return {};
}

void LineConverter::writeNumbers(Columns &out, std::initializer_list<float> numbers) const {
    for (const float v : numbers) {
        std::string &t = out.text[out.count++];
        t.clear();
        appendFixed(t, v, decimals_);
    }
}

// The notation of H, V, C with `decimals` decimals, each number first
// rounded as the numbers' own columns round it, so that a row's notation
// says what its columns say.
std::string LineConverter::notation(float H, float V, float C) const {
    float rounded[3] = { H, V, C };
    std::string text;
    for (float &v : rounded) {
        text.clear();
        appendFixed(text, v, decimals_);
        double back = 0.0;
        if (text::parseNumber(text, back)) {
            v = static_cast<float>(back);
        }
    }
    return engine::notationText(rounded[0], rounded[1], rounded[2], decimals_);
}

// The notation of from-lab and from-rgb: the Value and Chroma read back
// from the texts of their columns (the screen's boxes, or --decimals with
// the screen's floor of Value 0.5), so that it says what the row says even
// where the boxes round differently or floor the Value.
std::string LineConverter::shownNotation(
    float H, const std::string &value, const std::string &chroma) const {
    double V = 0.0;
    double C = 0.0;
    if (!text::parseNumber(value, V) || !text::parseNumber(chroma, C)) {
        const cycle::ColourNumbers &n = cycle_.state().numbers;
        return notation(H, n.V, n.C);
    }
    return notation(H, static_cast<float>(V), static_cast<float>(C));
}

bool LineConverter::notationColumns(const cycle::Outcome &done, Columns &out, std::string &why) {
    out.count = 0;
    if (!done.converted()) {
        why = done.reason;
        return false;
    }
    const cycle::ScreenState &s = cycle_.state();
    const cycle::ColourNumbers &n = s.numbers;
    if (mode_ == Mode::ToMunsell) {
        if (notationOnly_) {
            out.text[out.count++] = notation(n.H, n.V, n.C);
            return true;
        }
        out.text[out.count++] = s.munsell[0];
        writeNumbers(out, { n.H, n.V, n.C });
        if (notationColumn_) {
            out.text[out.count++] = notation(n.H, n.V, n.C);
        }
        return true;
    }
    // The Value and Chroma columns, written or not: the notation is made
    // from them.
    std::string value;
    std::string chroma;
    if (ownDecimals_) {
        const float shownV = n.V < 0.5f ? 0.5f : n.V;
        value = text::formatPattern(shownV, pattern_);
        chroma = text::formatPattern(n.C, pattern_);
    } else {
        value = s.munsell[1];
        chroma = s.munsell[2];
    }
    if (!notationOnly_) {
        out.text[out.count++] = s.munsell[0];
        out.text[out.count++] = value;
        out.text[out.count++] = chroma;
    }
    if (notationOnly_ || notationColumn_) {
        out.text[out.count++] = shownNotation(n.H, value, chroma);
    }
    return true;
}

bool LineConverter::convertFields(
    const std::string_view *fields, std::size_t count, Columns &out, std::string &why) {
    out.count = 0;
    // Empty fields at the end (a trailing separator) are none.
    while (count > 0 && fields[count - 1].empty()) {
        --count;
    }
    if (readsNotation(mode_)) {
        return fromNotation(fields, count, out, why);
    }
    switch (mode_) {
    case Mode::ToMunsell: {
        // The numbers themselves are the entry's to read and refuse.
        if (count != 3) {
            why = "expected three numbers X Y Z, each within -1000 to 1000";
            return false;
        }
        cycle_.setTexts(
            Boxes::Xyz, { std::string(fields[0]), std::string(fields[1]), std::string(fields[2]) });
        return notationColumns(cycle_.xyzenter(), out, why);
    }
    case Mode::FromLab:
    case Mode::FromRgb: {
        const bool rgb = mode_ == Mode::FromRgb;
        const auto channel = [](std::string_view text) {
            double c = 0.0;
            return readNumber(text, c) && c >= 0.0 && c <= 255.0;
        };
        // RGB entry takes any text to a channel; here only 0 to 255 will do.
        if (count != 3
            || (rgb && !(channel(fields[0]) && channel(fields[1]) && channel(fields[2])))) {
            why = rgb ? "expected three numbers R G B, each from 0 to 255"
                      : "expected three numbers L* a* b*, each within -1000 to 1000";
            return false;
        }
        const Boxes group = rgb ? Boxes::Rgb : Boxes::Lab;
        cycle_.setTexts(
            group, { std::string(fields[0]), std::string(fields[1]), std::string(fields[2]) });
        return notationColumns(cycle_.enter(group), out, why);
    }
    default:
        why = "import converts files, not lines";
        return false;
    }
}

bool LineConverter::fromNotation(
    const std::string_view *fields, std::size_t count, Columns &out, std::string &why) {
    // A notation in any usual spelling, in one field or over several.
    joined_.clear();
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            joined_ += ' ';
        }
        joined_ += fields[i];
    }
    engine::WrittenNotation written;
    std::optional<float> neutralValue;
    const bool neutral = count > 0 && engine::readNeutral(fields[0], neutralValue);
    if (engine::readNotation(joined_, written, why)) {
        cycle_.setTexts(Boxes::Munsell, { written.hue, written.value, written.chroma });
    } else if (neutral) {
        // "N 5/4": the hue box would take N and make the Chroma 0.
        return false;
    } else if (count == 3) {
        // Three fields that are no notation still go into the boxes, as
        // typed: the screen says what is wrong with them ("out of the
        // Munsell range", "needs a number before its family" ...).
        cycle_.setTexts(Boxes::Munsell,
            { std::string(fields[0]), std::string(fields[1]), std::string(fields[2]) });
    } else if (count == 2 && fields[1].find('/') != std::string_view::npos) {
        const std::size_t slash = fields[1].find('/');
        cycle_.setTexts(Boxes::Munsell,
            { std::string(fields[0]), std::string(fields[1].substr(0, slash)),
                std::string(fields[1].substr(slash + 1)) });
    } else {
        return false;
    }
    const cycle::Outcome done = cycle_.muncie();
    if (!done.converted()) {
        why = done.reason;
        return false;
    }
    const cycle::ScreenState &s = cycle_.state();
    const cycle::ColourNumbers &n = s.numbers;
    switch (mode_) {
    case Mode::ToLab:
        for (const float v : { n.L, n.a, n.b }) {
            out.text[out.count++] = text::formatPattern(v, pattern_);
        }
        return true;
    case Mode::ToRgb: {
        const int channels[3] = { s.patch.R, s.patch.G, s.patch.B };
        for (const int c : channels) {
            out.text[out.count++] = std::to_string(c);
        }
        if (done.outOfRgb) {
            why = "out of the RGB range (clipped to " + out.text[0] + ' ' + out.text[1] + ' '
                + out.text[2] + ")";
            out.count = 0;
            return false;
        }
        return true;
    }
    default:
        writeNumbers(out, { n.X, n.Y, n.Z, n.x, n.y });
        return true;
    }
}

bool LineConverter::convert(std::string_view line, std::string &out) {
    text::SeparatedLine fields;
    fields.split(line, text::detectSeparator(line));
    out.clear();
    if (fields.empty() || (fields.size() == 1 && fields[0].empty())) {
        return true;
    }
    std::vector<std::string_view> views;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        views.push_back(fields[i]);
    }
    Columns columns;
    std::string why;
    if (!convertFields(views.data(), views.size(), columns, why)) {
        out = "ERR " + why;
        return false;
    }
    for (std::size_t i = 0; i < columns.count; ++i) {
        if (i > 0) {
            out += ' ';
        }
        out += columns.text[i];
    }
    return true;
}

bool convertLine(const engine::RenotationTable &table, const ConvertOptions &options,
    std::string_view line, std::string &out) {
    LineConverter converter(table, options);
    return converter.convert(line, out);
}

} // namespace tw::app
