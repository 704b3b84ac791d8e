// Number texts and display patterns: any text parses to a finite number or
// is refused; the leading number of any text is a number; any double shown
// through any pattern gives a text, and a pattern's text of a finite value
// reads back as that value to the decimals shown.
#include "fuzz_check.h"
#include "text/numbers.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    double v = 0.0;
    if (tw::text::parseNumber(text, v)) {
        FUZZ_CHECK(std::isfinite(v));
    }
    // Beyond the range of a double the leading number is infinite, never
    // a NaN.
    FUZZ_CHECK(!std::isnan(tw::text::leadingNumber(text)));

    if (size >= sizeof(double)) {
        double value = 0.0;
        std::memcpy(&value, data, sizeof value);
        const std::string_view pattern = text.substr(sizeof value, 12);
        (void)tw::text::formatPattern(value, pattern);
        (void)tw::text::plainText(static_cast<float>(value));
        (void)tw::text::printNumber(static_cast<float>(value));
        if (std::isfinite(value) && std::fabs(value) < 1e15) {
            for (const std::string_view p : { "###.00", "##0.00", "0.0000", ".0000", "##0" }) {
                const std::string shown = tw::text::formatPattern(value, p);
                double back = 0.0;
                FUZZ_CHECK(tw::text::parseNumber(shown, back));
                const std::size_t point = p.find('.');
                const int decimals
                    = point == std::string_view::npos ? 0 : static_cast<int>(p.size() - point - 1);
                const double step = std::pow(10.0, -decimals);
                // A double that is exactly a float is rounded on the float's
                // shortest text, which may lie a float's precision away.
                FUZZ_CHECK(std::fabs(back - value) <= step * 0.5 + std::fabs(value) * 1e-7);
            }
        }
        const double r = static_cast<double>(
            tw::text::roundHalfEven(std::isfinite(value) && std::fabs(value) < 9e18 ? value : 0.0));
        FUZZ_CHECK(std::isfinite(r));
    }
    return 0;
}
