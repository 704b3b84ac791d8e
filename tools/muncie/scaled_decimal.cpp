// Digit-by-digit decimal scaling: the digits up to the wanted number of
// decimals are accumulated as an integer; the first dropped digit and
// whether any later one is non-zero decide the rounding (above half up,
// below half down, an exact half to the even neighbour).
#include "tools/muncie/scaled_decimal.h"

#include <algorithm>

namespace tw::tools {

namespace {
constexpr std::int64_t kLimit = 1'000'000'000'000'000; // 10^15, far from overflow
}

std::optional<std::int64_t> scaledDecimal(std::string_view text, int decimals) {
    if (decimals < 0 || decimals > 9) {
        return std::nullopt;
    }
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        i = 1;
    }
    std::int64_t magnitude = 0;
    int fractionDigits = -1; // -1 until the decimal point is seen
    int digits = 0;
    int firstDropped = 0;
    bool laterDroppedNonZero = false;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '.' && fractionDigits < 0) {
            fractionDigits = 0;
            continue;
        }
        if (ch < '0' || ch > '9') {
            return std::nullopt;
        }
        ++digits;
        const int digit = ch - '0';
        if (fractionDigits >= 0 && ++fractionDigits > decimals) {
            if (fractionDigits == decimals + 1) {
                firstDropped = digit;
            } else {
                laterDroppedNonZero = laterDroppedNonZero || digit != 0;
            }
            continue;
        }
        magnitude = magnitude * 10 + digit;
        if (magnitude > kLimit) {
            return std::nullopt;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    for (int kept = std::clamp(fractionDigits, 0, decimals); kept < decimals; ++kept) {
        magnitude *= 10;
        if (magnitude > kLimit) {
            return std::nullopt;
        }
    }
    if (firstDropped > 5 || (firstDropped == 5 && (laterDroppedNonZero || magnitude % 2 != 0))) {
        ++magnitude;
    }
    return negative ? -magnitude : magnitude;
}

} // namespace tw::tools
