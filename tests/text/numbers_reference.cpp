// The display patterns and the strict number parse as they were written
// before they were made fast: a verbatim copy, kept only as the reference
// the differential test holds the library's own functions to.
#include "numbers_reference.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace tw::text::reference {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isPlaceholder(char c) {
    return c == '#' || c == '0';
}

// A finite number as decimal digits: value = 0.digits x 10^pointPos, with no
// leading zero in digits (digits is empty for zero).
struct Decimal {
    bool negative = false;
    std::string digits;
    int pointPos = 0;

    [[nodiscard]] bool isZero() const { return digits.empty(); }

    // Rounds to `decimals` places after the point, halves away from zero on
    // the digits held (a dropped "5..." always rounds up).
    void roundTo(int decimals) {
        const long keep = static_cast<long>(pointPos) + decimals;
        if (keep >= static_cast<long>(digits.size())) {
            return;
        }
        if (keep < 0) {
            digits.clear();
            return;
        }
        const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (up) {
            std::size_t i = digits.size();
            while (i > 0 && digits[i - 1] == '9') {
                digits[--i] = '0';
            }
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                ++pointPos;
            } else {
                ++digits[i - 1];
            }
        }
        trim();
    }

    void trim() {
        while (!digits.empty() && digits.back() == '0') {
            digits.pop_back();
        }
        if (digits.empty()) {
            pointPos = 0;
        }
    }

    [[nodiscard]] std::string integerDigits() const {
        std::string out;
        for (int i = 0; i < pointPos; ++i) {
            const auto at = static_cast<std::size_t>(i);
            out += at < digits.size() ? digits[at] : '0';
        }
        return out;
    }

    [[nodiscard]] std::string fractionDigits(int count) const {
        std::string out;
        for (int j = 0; j < count; ++j) {
            const int index = pointPos + j;
            const auto at = static_cast<std::size_t>(index);
            out += index >= 0 && at < digits.size() ? digits[at] : '0';
        }
        return out;
    }
};

// Reads the scientific text "-d.ddde+XX" written by std::to_chars.
Decimal fromScientific(std::string_view text) {
    Decimal d;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        d.negative = true;
        ++i;
    }
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (isDigit(text[i])) {
            d.digits += text[i];
        }
    }
    int exponent = 0;
    if (i < text.size()) {
        std::string_view e = text.substr(i + 1);
        if (!e.empty() && e.front() == '+') {
            e.remove_prefix(1);
        }
        std::from_chars(e.data(), e.data() + e.size(), exponent);
    }
    // to_chars puts exactly one digit before the point.
    d.pointPos = exponent + 1;
    std::size_t lead = 0;
    while (lead < d.digits.size() && d.digits[lead] == '0') {
        ++lead;
    }
    d.digits.erase(0, lead);
    d.pointPos -= static_cast<int>(lead);
    d.trim();
    return d;
}

// The shortest decimal text of a finite value; a double that is exactly a
// float is read as that float.
Decimal shortestDecimal(double value) {
    std::array<char, 64> buf {};
    std::to_chars_result r {};
    const bool fitsFloat = std::fabs(value) <= std::numeric_limits<float>::max();
    if (fitsFloat && static_cast<double>(static_cast<float>(value)) == value) {
        r = std::to_chars(buf.data(), buf.data() + buf.size(), static_cast<float>(value),
            std::chars_format::scientific);
    } else {
        r = std::to_chars(
            buf.data(), buf.data() + buf.size(), value, std::chars_format::scientific);
    }
    return fromScientific(
        std::string_view(buf.data(), static_cast<std::size_t>(r.ptr - buf.data())));
}

std::string nonFiniteText(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    return value < 0 ? "-Inf" : "Inf";
}

double fromText(const std::string &text, bool &ok) {
    double value = 0.0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    ok = r.ec == std::errc() && r.ptr == text.data() + text.size();
    return value;
}

// Scans a number text starting at `i`: sign, digits, point, digits, exponent.
// With `allowBlanks`, blanks between the parts are skipped (leading-number
// rule); without, the number must be one unbroken run. Returns the compact
// text ("-12.5e3") or "" when no mantissa digit was found; `i` ends after the
// last character used.
std::string scanNumber(
    std::string_view s, std::size_t &i, bool allowBlanks, bool &negativeExponent) {
    const auto skip = [&] {
        while (allowBlanks && i < s.size() && isBlank(s[i])) {
            ++i;
        }
    };
    std::string out;
    bool mantissaDigits = false;
    negativeExponent = false;
    skip();
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') {
            out += '-';
        }
        ++i;
    }
    const auto digits = [&] {
        for (;;) {
            skip();
            if (i < s.size() && isDigit(s[i])) {
                out += s[i++];
                mantissaDigits = true;
            } else {
                break;
            }
        }
    };
    digits();
    if (i < s.size() && s[i] == '.') {
        out += '.';
        ++i;
        digits();
    }
    if (!mantissaDigits) {
        return {};
    }
    // An exponent counts only when a digit follows its letter and sign.
    std::size_t j = i;
    const auto skipAt = [&] {
        while (allowBlanks && j < s.size() && isBlank(s[j])) {
            ++j;
        }
    };
    skipAt();
    if (j < s.size() && (s[j] == 'e' || s[j] == 'E' || s[j] == 'd' || s[j] == 'D')) {
        ++j;
        std::string exponent = "e";
        skipAt();
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            if (s[j] == '-') {
                exponent += '-';
                negativeExponent = true;
            }
            ++j;
        }
        bool expDigits = false;
        for (;;) {
            skipAt();
            if (j < s.size() && isDigit(s[j])) {
                exponent += s[j++];
                expDigits = true;
            } else {
                break;
            }
        }
        if (expDigits) {
            out += exponent;
            i = j;
        } else {
            negativeExponent = false;
        }
    }
    return out;
}

} // namespace

std::string formatPattern(double value, std::string_view pattern) {
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    const std::size_t point = pattern.find('.');
    const std::string_view intPattern = pattern.substr(0, point);
    const std::string_view fracPattern
        = point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);

    int intSlots = 0;
    int minIntDigits = 0;
    for (const char c : intPattern) {
        if (isPlaceholder(c)) {
            ++intSlots;
            // Every placeholder from the first "0" on is a required digit.
            if (c == '0' || minIntDigits > 0) {
                ++minIntDigits;
            }
        }
    }
    int decimals = 0;
    int requiredDecimals = 0;
    for (const char c : fracPattern) {
        if (isPlaceholder(c)) {
            ++decimals;
            if (c == '0') {
                requiredDecimals = decimals;
            }
        }
    }

    Decimal d = shortestDecimal(value);
    d.roundTo(decimals);
    const bool negative = d.negative && !d.isZero();
    std::string intDigits = d.integerDigits();
    if (static_cast<int>(intDigits.size()) < minIntDigits) {
        intDigits.insert(0, static_cast<std::size_t>(minIntDigits) - intDigits.size(), '0');
    }
    std::string fracDigits = d.fractionDigits(decimals);
    while (static_cast<int>(fracDigits.size()) > requiredDecimals && fracDigits.back() == '0') {
        fracDigits.pop_back();
    }

    // The integer section is filled from the right; the leftmost placeholder
    // takes every digit left over, and the sign goes just before the first
    // digit shown (or before the point when no integer digit is shown).
    std::string reversed;
    std::size_t remaining = intDigits.size();
    bool signPlaced = !negative;
    int slot = 0;
    for (std::size_t i = intPattern.size(); i-- > 0;) {
        const char c = intPattern[i];
        if (!isPlaceholder(c)) {
            reversed += c;
            continue;
        }
        ++slot;
        const bool leftmost = slot == intSlots;
        while (remaining > 0) {
            reversed += intDigits[--remaining];
            if (!leftmost) {
                break;
            }
        }
        if (remaining == 0 && !signPlaced && !intDigits.empty()) {
            reversed += '-';
            signPlaced = true;
        }
    }
    std::string out(reversed.rbegin(), reversed.rend());
    if (intSlots == 0) {
        // No integer placeholder (".0000"): integer digits still show, before
        // the point.
        if (!signPlaced) {
            out += '-';
            signPlaced = true;
        }
        out += intDigits;
    }
    if (!signPlaced) {
        out += '-';
    }
    if (point != std::string_view::npos) {
        out += '.';
    }
    std::size_t k = 0;
    for (const char c : fracPattern) {
        if (!isPlaceholder(c)) {
            out += c;
        } else if (k < fracDigits.size()) {
            out += fracDigits[k++];
        }
    }
    return out;
}

bool parseNumber(std::string_view s, double &out) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    std::size_t i = 0;
    bool negativeExponent = false;
    const std::string text = scanNumber(s, i, false, negativeExponent);
    if (text.empty() || i != s.size()) {
        return false;
    }
    bool ok = false;
    const double value = fromText(text, ok);
    if (!ok) {
        return false;
    }
    out = value;
    return true;
}

} // namespace tw::text::reference
