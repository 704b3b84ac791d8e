// The texts of numbers.
//
// Method: every conversion from a number to text starts from a decimal digit
// string obtained with std::to_chars, which is exact and independent of the
// locale, and then works on those digits as text:
//  - Display patterns round on the shortest decimal text that reads back as
//    the same number, not on the binary value, so that 2.675 (stored as
//    2.67499999...) shows as 2.68, as a person reading the number expects.
//    Colour values are single precision and reach formatPattern widened to
//    double; a double that is exactly a float is therefore rounded on the
//    float's shortest text (12.345f is 12.345, not 12.345000267...).
//  - The plain form of a single-precision number keeps at most seven
//    significant digits, the precision a float carries reliably; the digits
//    are the exact binary value rounded to seven places. Fixed notation is
//    used while it needs at most seven digit positions (zeros between the
//    point and the first significant digit count, the zero before the point
//    does not); beyond that the exponent form d.ddddddE+XX is used, so that no
//    text suggests more precision than the number has.
//  - Display patterns and the strict parse run for every box of every
//    conversion (a million lines through the converter), so they work in
//    fixed buffers: the digits of the pattern path live on the stack (a text
//    too long for them takes the general path on strings, which gives the
//    same text), and the strict parse checks the form in place and hands
//    the text itself to std::from_chars (a compact copy only for a leading
//    "+" or a "D" exponent, which from_chars does not read).
//  - The leading-number parse builds a compact number text and hands it to
//    std::from_chars.
//
// Rounding to integers uses floor and the exact fractional remainder (exact
// for every double), so it does not depend on the floating-point rounding
// mode in force.
#include "text/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace tw::text {

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

// What a display pattern asks for: its integer and fraction sections, how
// many digit places the integer section has and how many of them are
// required, and how many decimals it shows and how many of those are required.
struct PatternShape {
    std::string_view intPattern;
    std::string_view fracPattern;
    bool hasPoint = false;
    int intSlots = 0;
    int minIntDigits = 0;
    int decimals = 0;
    int requiredDecimals = 0;
};

static PatternShape patternShape(std::string_view pattern) {
    const std::size_t point = pattern.find('.');
    PatternShape shape;
    shape.intPattern = pattern.substr(0, point);
    shape.hasPoint = point != std::string_view::npos;
    shape.fracPattern
        = point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    for (const char c : shape.intPattern) {
        if (isPlaceholder(c)) {
            ++shape.intSlots;
            // Every placeholder from the first "0" on is a required digit.
            if (c == '0' || shape.minIntDigits > 0) {
                ++shape.minIntDigits;
            }
        }
    }
    for (const char c : shape.fracPattern) {
        if (isPlaceholder(c)) {
            ++shape.decimals;
            if (c == '0') {
                shape.requiredDecimals = shape.decimals;
            }
        }
    }
    return shape;
}

// The general form of formatPattern, on growing strings: used for the
// texts too long for the fixed buffers of the usual path (a huge value, a
// long pattern).
static std::string formatPatternGeneral(double value, std::string_view pattern) {
    const PatternShape shape = patternShape(pattern);

    Decimal d = shortestDecimal(value);
    d.roundTo(shape.decimals);
    const bool negative = d.negative && !d.isZero();
    std::string intDigits = d.integerDigits();
    if (static_cast<int>(intDigits.size()) < shape.minIntDigits) {
        intDigits.insert(0, static_cast<std::size_t>(shape.minIntDigits) - intDigits.size(), '0');
    }
    std::string fracDigits = d.fractionDigits(shape.decimals);
    while (
        static_cast<int>(fracDigits.size()) > shape.requiredDecimals && fracDigits.back() == '0') {
        fracDigits.pop_back();
    }

    // The integer section is filled from the right; the leftmost placeholder
    // takes every digit left over, and the sign goes just before the first
    // digit shown (or before the point when no integer digit is shown).
    std::string reversed;
    std::size_t remaining = intDigits.size();
    bool signPlaced = !negative;
    int slot = 0;
    for (std::size_t i = shape.intPattern.size(); i-- > 0;) {
        const char c = shape.intPattern[i];
        if (!isPlaceholder(c)) {
            reversed += c;
            continue;
        }
        ++slot;
        const bool leftmost = slot == shape.intSlots;
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
    if (shape.intSlots == 0) {
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
    if (shape.hasPoint) {
        out += '.';
    }
    std::size_t k = 0;
    for (const char c : shape.fracPattern) {
        if (!isPlaceholder(c)) {
            out += c;
        } else if (k < fracDigits.size()) {
            out += fracDigits[k++];
        }
    }
    return out;
}

namespace {

// The digits of a finite number in a fixed buffer: value = 0.d x 10^pointPos
// with no leading zero (n is 0 for zero). The same digits as Decimal, made
// without a string: formatPattern runs for every box of every conversion.
struct ShortDigits {
    bool negative = false;
    int n = 0;
    int pointPos = 0;
    char d[40] {};

    [[nodiscard]] char at(int index) const { return index >= 0 && index < n ? d[index] : '0'; }

    // As Decimal::roundTo.
    void roundTo(int decimals) {
        const long keep = static_cast<long>(pointPos) + decimals;
        if (keep >= n) {
            return;
        }
        if (keep < 0) {
            n = 0;
            pointPos = 0;
            return;
        }
        const bool up = d[keep] >= '5';
        n = static_cast<int>(keep);
        if (up) {
            int i = n;
            while (i > 0 && d[i - 1] == '9') {
                d[--i] = '0';
            }
            if (i == 0) {
                // Every digit was a 9: 1 followed by the zeros, which the
                // trim below drops.
                d[0] = '1';
                n = 1;
                ++pointPos;
            } else {
                ++d[i - 1];
            }
        }
        while (n > 0 && d[n - 1] == '0') {
            --n;
        }
        if (n == 0) {
            pointPos = 0;
        }
    }
};

// As shortestDecimal.
void shortestDigits(double value, ShortDigits &out) {
    char buf[64];
    std::to_chars_result r {};
    const bool fitsFloat = std::fabs(value) <= std::numeric_limits<float>::max();
    if (fitsFloat && static_cast<double>(static_cast<float>(value)) == value) {
        r = std::to_chars(
            buf, buf + sizeof buf, static_cast<float>(value), std::chars_format::scientific);
    } else {
        r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    }
    const char *p = buf;
    const char *const end = r.ptr;
    if (p < end && *p == '-') {
        out.negative = true;
        ++p;
    }
    int n = 0;
    for (; p < end && *p != 'e'; ++p) {
        if (isDigit(*p) && n < static_cast<int>(sizeof out.d)) {
            out.d[n++] = *p;
        }
    }
    int exponent = 0;
    if (p < end) {
        ++p;
        bool negative = false;
        if (p < end && (*p == '+' || *p == '-')) {
            negative = *p == '-';
            ++p;
        }
        for (; p < end; ++p) {
            exponent = exponent * 10 + (*p - '0');
        }
        if (negative) {
            exponent = -exponent;
        }
    }
    // to_chars writes one digit before the point, never 0 but for zero.
    out.pointPos = exponent + 1;
    if (n > 0 && out.d[0] == '0') {
        n = 0;
    }
    while (n > 0 && out.d[n - 1] == '0') {
        --n;
    }
    out.n = n;
    if (n == 0) {
        out.pointPos = 0;
    }
}

// The digits of `value` rounded to `decimals` places as shortestDigits and
// roundTo give them, found without the shortest text where that is sure:
// the value times 10^decimals is an integer and a fraction, and the
// shortest text lies within one unit in the last place of the value (of the
// float, for a double that is exactly one). Unless the fraction lies within
// that distance of one half, the shortest text rounds the same way as the
// value itself. False where it does: the caller then takes the shortest
// text.
bool roundedDigits(double value, int decimals, ShortDigits &out) {
    static constexpr double powers[] = { 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9 };
    if (decimals < 0 || decimals > 9) {
        return false;
    }
    const double magnitude = std::fabs(value);
    const double scaled = magnitude * powers[decimals];
    // Below 2^52 the integer part and its successor are exact.
    if (!(scaled < 4.0e15)) {
        return false;
    }
    const bool isFloat = magnitude <= std::numeric_limits<float>::max()
        && static_cast<double>(static_cast<float>(value)) == value;
    // One unit in the last place of the value, scaled, and the error of the
    // product, both taken generously (twice over).
    const double relative = isFloat ? 0x1p-22 : 0x1p-51;
    const double margin = scaled * relative + scaled * 0x1p-51;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (std::fabs(fraction - 0.5) <= margin) {
        return false;
    }
    auto n = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    out.negative = std::signbit(value);
    if (n == 0) {
        out.n = 0;
        out.pointPos = 0;
        return true;
    }
    char reversed[24];
    int count = 0;
    while (n > 0) {
        reversed[count++] = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    out.pointPos = count - decimals;
    int length = count;
    // Trailing zeros are no digits of the decimal.
    int first = 0;
    while (first < count && reversed[first] == '0') {
        ++first;
        --length;
    }
    for (int i = 0; i < length; ++i) {
        out.d[i] = reversed[count - 1 - i];
    }
    out.n = length;
    return true;
}

} // namespace

std::string formatPattern(double value, std::string_view pattern) {
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    const PatternShape shape = patternShape(pattern);

    ShortDigits d;
    if (!roundedDigits(value, shape.decimals, d)) {
        shortestDigits(value, d);
        d.roundTo(shape.decimals);
    }
    const int intCount = std::max(d.pointPos, 0);
    const int pad = std::max(shape.minIntDigits - intCount, 0);
    const int totalInt = intCount + pad;
    // Beyond the buffer below (a value of hundreds of digits, a long
    // pattern) the general form takes over; it gives the same text.
    constexpr std::size_t room = 256;
    if (2 * static_cast<std::size_t>(totalInt) + pattern.size() + 2 > room) {
        return formatPatternGeneral(value, pattern);
    }
    const bool negative = d.negative && d.n > 0;
    // The integer digit k of the text, the required zeros first.
    const auto intDigit = [&](int k) { return k < pad ? '0' : d.at(k - pad); };
    int fracLength = shape.decimals;
    while (fracLength > shape.requiredDecimals && d.at(d.pointPos + fracLength - 1) == '0') {
        --fracLength;
    }

    // The integer section, filled from the right as in the general form.
    char buffer[room];
    char *const sectionEnd = buffer + room;
    char *w = sectionEnd;
    int remaining = totalInt;
    bool signPlaced = !negative;
    int slot = 0;
    for (std::size_t i = shape.intPattern.size(); i-- > 0;) {
        const char c = shape.intPattern[i];
        if (!isPlaceholder(c)) {
            *--w = c;
            continue;
        }
        ++slot;
        const bool leftmost = slot == shape.intSlots;
        while (remaining > 0) {
            *--w = intDigit(--remaining);
            if (!leftmost) {
                break;
            }
        }
        if (remaining == 0 && !signPlaced && totalInt > 0) {
            *--w = '-';
            signPlaced = true;
        }
    }
    // The rest after it, in a second buffer: the integer digits (without
    // an integer placeholder), the sign, the point and the fraction.
    char tail[room];
    std::size_t t = 0;
    if (shape.intSlots == 0) {
        if (!signPlaced) {
            tail[t++] = '-';
            signPlaced = true;
        }
        for (int k = 0; k < totalInt; ++k) {
            tail[t++] = intDigit(k);
        }
    }
    if (!signPlaced) {
        tail[t++] = '-';
    }
    if (shape.hasPoint) {
        tail[t++] = '.';
    }
    int k = 0;
    for (const char c : shape.fracPattern) {
        if (!isPlaceholder(c)) {
            tail[t++] = c;
        } else if (k < fracLength) {
            tail[t++] = d.at(d.pointPos + k++);
        }
    }
    std::string out;
    const auto head = static_cast<std::size_t>(sectionEnd - w);
    out.resize(head + t);
    std::memcpy(out.data(), w, head);
    std::memcpy(out.data() + head, tail, t);
    return out;
}

std::string plainText(float value) {
    if (!std::isfinite(value)) {
        return nonFiniteText(value);
    }
    if (value == 0.0f) {
        return "0";
    }
    std::array<char, 64> buf {};
    const auto r = std::to_chars(
        buf.data(), buf.data() + buf.size(), value, std::chars_format::scientific, 6);
    const Decimal d = fromScientific(
        std::string_view(buf.data(), static_cast<std::size_t>(r.ptr - buf.data())));
    const int nd = static_cast<int>(d.digits.size());
    const int exponent = d.pointPos - 1; // value = d.ddd x 10^exponent
    const int fixedPositions = exponent >= 0 ? std::max(exponent + 1, nd) : -exponent - 1 + nd;

    std::string out = d.negative ? "-" : "";
    if (fixedPositions <= 7) {
        const std::string intDigits = d.integerDigits();
        out += intDigits.empty() ? "0" : intDigits;
        const int fracCount = nd - d.pointPos;
        if (fracCount > 0) {
            out += '.';
            out += d.fractionDigits(fracCount);
        }
        return out;
    }
    out += d.digits[0];
    if (nd > 1) {
        out += '.';
        out.append(d.digits, 1);
    }
    out += exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) {
        out += '0';
    }
    out += std::to_string(magnitude);
    return out;
}

std::string numberDigits(float value) {
    std::string text = plainText(value);
    if (text.starts_with("0.")) {
        text.erase(0, 1);
    } else if (text.starts_with("-0.")) {
        text.erase(1, 1);
    }
    return text;
}

std::string printNumber(float value) {
    std::string digits = numberDigits(value);
    if (!digits.starts_with('-')) {
        digits.insert(digits.begin(), ' ');
    }
    digits += ' ';
    return digits;
}

double leadingNumber(std::string_view s) {
    std::size_t i = 0;
    bool negativeExponent = false;
    const std::string text = scanNumber(s, i, true, negativeExponent);
    if (text.empty()) {
        return 0.0;
    }
    bool ok = false;
    const double value = fromText(text, ok);
    if (ok) {
        return value;
    }
    // Out of range: too small is zero, too large is infinite.
    const bool negative = text.front() == '-';
    if (negativeExponent) {
        return negative ? -0.0 : 0.0;
    }
    return negative ? -HUGE_VAL : HUGE_VAL;
}

bool parseNumber(std::string_view s, double &out) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    // The form, checked in place: [sign] digits [. digits] [E|D [sign]
    // digits], a mantissa digit at least, an exponent only with a digit.
    const std::size_t n = s.size();
    std::size_t i = 0;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    bool mantissaDigits = false;
    while (i < n && isDigit(s[i])) {
        ++i;
        mantissaDigits = true;
    }
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && isDigit(s[i])) {
            ++i;
            mantissaDigits = true;
        }
    }
    if (!mantissaDigits) {
        return false;
    }
    bool plainExponent = true;
    if (i < n && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        if (j < n && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        const std::size_t digitsFrom = j;
        while (j < n && isDigit(s[j])) {
            ++j;
        }
        if (j > digitsFrom) {
            plainExponent = s[i] == 'e' || s[i] == 'E';
            i = j;
        }
    }
    if (i != n) {
        return false;
    }
    double value = 0.0;
    std::from_chars_result r {};
    if (s.front() != '+' && plainExponent) {
        // std::from_chars reads this form as it stands.
        r = std::from_chars(s.data(), s.data() + n, value);
        if (r.ec != std::errc() || r.ptr != s.data() + n) {
            return false;
        }
    } else {
        // A leading "+" or a "D" exponent: the compact text from_chars reads.
        std::size_t at = 0;
        bool negativeExponent = false;
        const std::string text = scanNumber(s, at, false, negativeExponent);
        bool ok = false;
        value = fromText(text, ok);
        if (!ok) {
            return false;
        }
    }
    out = value;
    return true;
}

std::int64_t roundHalfEven(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double lower = std::floor(value);
    const double fraction = value - lower; // exact
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0)) {
        rounded = lower + 1.0;
    }
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (rounded >= limit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (rounded < -limit) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(rounded);
}

} // namespace tw::text
