// formatPattern and parseNumber against the reference copy of their earlier
// form (numbers_reference.cpp): the same text for every value and pattern,
// the same answer for every text. Random floats and doubles over the whole
// range, values at rounding boundaries, and every pattern the screen uses
// besides odd ones.
#include "numbers_reference.h"
#include "text/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace tw::text {
namespace {

const std::vector<std::string> &patternsToTry() {
    static const std::vector<std::string> p { "###.00", "##.00", "##0.00", "0.0000", ".0000", "##0",
        "   #.##", " ##.00", "0", "#", ".", "", "0.0", "0.000000", "#.#####", "00.00", "#,##0.00",
        "$#0.0#", "x#y0.z0w", "###", "0.00000000000000000000", ".##", "#0#.0#0", "000000", "0." };
    return p;
}

void expectSameText(double v) {
    for (const std::string &pattern : patternsToTry()) {
        ASSERT_EQ(formatPattern(v, pattern), reference::formatPattern(v, pattern))
            << "value " << std::hexfloat << v << " pattern \"" << pattern << "\"";
    }
}

TEST(NumbersDifferential, RandomFloatsAndDoubles) {
    std::mt19937_64 random(20240917);
    std::uniform_real_distribution<double> usual(-1200.0, 1200.0);
    std::uniform_real_distribution<double> small(-2.0, 2.0);
    for (int i = 0; i < 20000; ++i) {
        const double a = usual(random);
        expectSameText(a);
        expectSameText(static_cast<float>(a));
        expectSameText(small(random));
        // Any bit pattern: subnormals, huge values, NaN and infinities.
        const std::uint64_t bits = random();
        double any = 0.0;
        std::memcpy(&any, &bits, sizeof any);
        expectSameText(any);
        const auto bits32 = static_cast<std::uint32_t>(bits >> 11);
        float anyFloat = 0.0f;
        std::memcpy(&anyFloat, &bits32, sizeof anyFloat);
        expectSameText(anyFloat);
    }
}

TEST(NumbersDifferential, RoundingBoundariesAndEdges) {
    std::vector<double> values { 0.0, -0.0, 0.5, -0.5, 0.05, 0.005, 0.0049999, 0.995, 9.995, 99.995,
        999.995, -999.995, 2.675, 1.005, 12.345, 0.00005, 0.000049, 1e-300, -1e-300, 1e300, -1e300,
        1e21, 123456789012345678.0, std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(), std::numeric_limits<double>::min(),
        std::numeric_limits<double>::denorm_min(), std::numeric_limits<float>::max(),
        std::numeric_limits<float>::min(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN() };
    // Halves and nines at every scale, as doubles and as floats.
    for (int e = -12; e <= 12; ++e) {
        const double scale = std::pow(10.0, e);
        for (const double m : { 0.5, 0.95, 0.995, 0.9995, 0.99995, 1.0, 1.5, 2.5, 9.5, 9.9999 }) {
            values.push_back(m * scale);
            values.push_back(-m * scale);
            values.push_back(static_cast<float>(m * scale));
            values.push_back(std::nextafter(m * scale, 0.0));
            values.push_back(std::nextafter(m * scale, 1e308));
        }
    }
    for (const double v : values) {
        expectSameText(v);
    }
}

// Number texts: well formed and not, built from the characters a number
// and its neighbours are made of.
TEST(NumbersDifferential, ParseTheSameTexts) {
    std::vector<std::string> texts { "", " ", "0", "-0", "+0", "1", "+1", "-1", ".5", "5.", ".",
        "-.", "+.5", "1e5", "1E5", "1d5", "1D5", "1e+5", "1e-5", "1D-5", "1e", "1e+", "1e-x",
        " 12.5 ", "\t3\t", "1 2", "1,5", "0x10", "inf", "nan", "-inf", "Infinity", "1e400",
        "-1e400", "1e-400", "4.9e-324", "2.2250738585072014e-308", "1.7976931348623157e308",
        "1.7976931348623159e308", "00012", "1..2", "--1", "+-1", "1e5e5", "1.5.", "5R", "1f",
        "12345678901234567890123456789012345678901234567890" };
    std::mt19937 random(4711);
    const std::string alphabet = "0123456789.+-eEdD \t x";
    for (int i = 0; i < 200000; ++i) {
        std::string t;
        const int length = static_cast<int>(random() % 9);
        for (int k = 0; k < length; ++k) {
            t += alphabet[random() % alphabet.size()];
        }
        texts.push_back(t);
    }
    for (const std::string &t : texts) {
        double a = 12345.0;
        double b = 12345.0;
        const bool okA = parseNumber(t, a);
        const bool okB = reference::parseNumber(t, b);
        ASSERT_EQ(okA, okB) << "\"" << t << "\"";
        if (okA) {
            ASSERT_EQ(std::memcmp(&a, &b, sizeof a), 0) << "\"" << t << "\"";
        } else {
            ASSERT_EQ(a, 12345.0) << "a refused text leaves the number alone: \"" << t << "\"";
        }
    }
}

} // namespace
} // namespace tw::text
