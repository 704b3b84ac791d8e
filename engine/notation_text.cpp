// A small scanner over the text: blanks are skipped between the parts; a
// number is an optional sign, digits and at most one point (no exponent:
// no notation needs one, and "5E" would read as a number); a family is the
// run of letters after the hue step, and must be one of the ten.
#include "engine/notation_text.h"

#include "engine/notation.h"
#include "text/numbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace tw::engine {

namespace {

class Scanner {
public:
    explicit Scanner(std::string_view text)
        : s_(text) { }

    void blanks() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t')) {
            ++i_;
        }
    }
    [[nodiscard]] bool atEnd() {
        blanks();
        return i_ >= s_.size();
    }
    [[nodiscard]] char peek() const { return i_ < s_.size() ? upper(s_[i_]) : '\0'; }
    bool take(char c) {
        blanks();
        if (peek() == c) {
            ++i_;
            return true;
        }
        return false;
    }
    // A number; its text in `text`.
    bool number(float &out, std::string &text) {
        blanks();
        const std::size_t start = i_;
        if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-')) {
            ++i_;
        }
        bool digits = false, point = false;
        for (; i_ < s_.size(); ++i_) {
            const char c = s_[i_];
            if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
                digits = true;
            } else if (c == '.' && !point) {
                point = true;
            } else {
                break;
            }
        }
        double v = 0.0;
        text = std::string(s_.substr(start, i_ - start));
        if (!digits || !text::parseNumber(text, v) || !std::isfinite(static_cast<float>(v))) {
            i_ = start;
            return false;
        }
        out = static_cast<float>(v);
        return true;
    }
    std::string letters() {
        blanks();
        std::string out;
        while (i_ < s_.size() && std::isalpha(static_cast<unsigned char>(s_[i_])) != 0) {
            out += upper(s_[i_++]);
        }
        return out;
    }
    [[nodiscard]] std::size_t position() const { return i_; }
    void rewind(std::size_t at) { i_ = at; }

private:
    static char upper(char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    std::string_view s_;
    std::size_t i_ = 0;
};

// "N", then an optional Value and an optional "/" with an optional Chroma of
// 0. False when the text does not start with a lone N.
bool neutral(Scanner &in, std::optional<float> &value, std::string &valueText, bool &zeroChroma) {
    in.blanks();
    const std::size_t start = in.position();
    if (in.letters() != "N") {
        in.rewind(start);
        return false;
    }
    float v = 0.0f;
    if (in.number(v, valueText)) {
        value = v;
    }
    zeroChroma = true;
    if (in.take('/')) {
        float c = 0.0f;
        std::string cText;
        if (in.number(c, cText)) {
            zeroChroma = c == 0.0f;
        }
    }
    return true;
}

} // namespace

bool readNeutral(std::string_view text, std::optional<float> &value) {
    Scanner in(text);
    std::optional<float> v;
    std::string valueText;
    bool zeroChroma = true;
    if (!neutral(in, v, valueText, zeroChroma) || !zeroChroma || !in.atEnd()) {
        return false;
    }
    value = v;
    return true;
}

bool readNotation(std::string_view text, WrittenNotation &out, std::string &why) {
    Scanner in(text);
    std::optional<float> value;
    std::string valueText;
    bool zeroChroma = true;
    if (neutral(in, value, valueText, zeroChroma)) {
        if (!value) {
            why = "a neutral needs its Value, e.g. N 5/";
            return false;
        }
        if (!zeroChroma) {
            why = "a neutral (N) has Chroma 0";
            return false;
        }
        if (!in.atEnd()) {
            why = "expected HUE VALUE/CHROMA or N VALUE/, e.g. 5R 5/10 or N 5/";
            return false;
        }
        out = { true, "N", valueText, "0", 0.0f, *value, 0.0f };
        return true;
    }
    float step = 0.0f;
    std::string stepText;
    if (!in.number(step, stepText)) {
        why = "expected HUE VALUE/CHROMA or N VALUE/, e.g. 5R 5/10 or N 5/";
        return false;
    }
    const std::string family = in.letters();
    int index = -1;
    for (int i = 0; i < 10; ++i) {
        if (huenames[static_cast<std::size_t>(i)] == family) {
            index = i;
        }
    }
    if (index < 0) {
        why = "hue \"" + stepText + family + "\" has no hue family (R YR Y GY G BG B PB P RP)";
        return false;
    }
    float V = 0.0f, C = 0.0f;
    std::string chromaText;
    if (!in.number(V, valueText)) {
        why = "expected a Value after the hue, e.g. 5R 5/10";
        return false;
    }
    (void)in.take('/');
    if (!in.number(C, chromaText) || !in.atEnd()) {
        why = "expected a Chroma after the Value, e.g. 5R 5/10";
        return false;
    }
    out = { false, stepText + family, valueText, chromaText,
        10.0f * static_cast<float>(index) + step, V, C };
    return true;
}

std::string notationText(float H, float V, float C, int decimals) {
    std::string pattern = "0";
    if (decimals > 0) {
        pattern += "." + std::string(static_cast<std::size_t>(decimals), '0');
    }
    const std::string chroma = text::formatPattern(C, pattern);
    const std::string value = text::formatPattern(V, pattern);
    double c = 0.0;
    if (text::parseNumber(chroma, c) && c == 0.0) {
        return "N " + value + "/";
    }
    // The hue's family and step as hconvert names them.
    const float h = wrapHue(H);
    const double b = std::max(0.0, std::floor((static_cast<double>(h) - 0.001) / 10.0));
    const float step = h - 10.0f * static_cast<float>(b);
    return text::formatPattern(step, pattern) + std::string(huenames[static_cast<std::size_t>(b)])
        + " " + value + "/" + chroma;
}

} // namespace tw::engine
