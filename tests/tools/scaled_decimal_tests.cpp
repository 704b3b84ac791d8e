#include "tools/muncie/scaled_decimal.h"

#include <gtest/gtest.h>

namespace tw::tools {
namespace {

struct ScaledCase {
    const char *name;
    const char *text;
    int decimals;
    std::optional<std::int64_t> expected;
};

void PrintTo(const ScaledCase &c, std::ostream *os) {
    *os << c.name;
}

class ScaledDecimalTest : public ::testing::TestWithParam<ScaledCase> { };

TEST_P(ScaledDecimalTest, ScalesExactly) {
    const ScaledCase &c = GetParam();
    EXPECT_EQ(scaledDecimal(c.text, c.decimals), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Rows, ScaledDecimalTest,
    ::testing::Values(
        // In binary floating point 0.0058 * 10000 and 0.1430 * 10000 land
        // just below 58 and 1430, 1.00005 * 10000 just above its tie and
        // 0.00015 * 10000 just below: each row would fail there.
        ScaledCase { "FourDecimals", "0.4516", 4, 4516 },
        ScaledCase { "BinaryBelowSmall", "0.0058", 4, 58 },
        ScaledCase { "BinaryBelow", "0.1430", 4, 1430 },
        ScaledCase { "Negative", "-0.0780", 4, -780 },
        ScaledCase { "LeadingPlus", "+1.4140", 4, 14140 },
        ScaledCase { "FewerDecimalsPadded", "2.5", 4, 25000 },
        ScaledCase { "WholeNumber", "32", 4, 320000 }, ScaledCase { "TrailingPoint", "1.", 1, 10 },
        ScaledCase { "NoIntegerDigits", ".5", 1, 5 },
        ScaledCase { "TieToEvenDown", "1.00005", 4, 10000 },
        ScaledCase { "TieToEvenUp", "0.00015", 4, 2 },
        ScaledCase { "NegativeTieToEven", "-0.00015", 4, -2 },
        ScaledCase { "AboveTieRoundsUp", "0.000050001", 4, 1 },
        ScaledCase { "BelowTieRoundsDown", "0.000149", 4, 1 },
        ScaledCase { "Empty", "", 4, std::nullopt },
        ScaledCase { "SignOnly", "-", 4, std::nullopt },
        ScaledCase { "PointOnly", ".", 4, std::nullopt },
        ScaledCase { "TwoPoints", "1.2.3", 4, std::nullopt },
        ScaledCase { "Exponent", "1e3", 4, std::nullopt },
        ScaledCase { "Blank", " 1", 4, std::nullopt },
        ScaledCase { "TrailingText", "0.45x", 4, std::nullopt },
        ScaledCase { "TooLarge", "1000000000", 9, std::nullopt }),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace tw::tools
