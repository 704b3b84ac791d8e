#include "engine/notation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tw::engine {
namespace {

struct HueTextCase {
    const char *name;
    const char *text;
    float hue;
    bool formatError;
};

class ConvertHue : public ::testing::TestWithParam<HueTextCase> { };

TEST_P(ConvertHue, ReadsHueNumber) {
    const HueTextCase &c = GetParam();
    bool formatError = false;
    EXPECT_FLOAT_EQ(converth(c.text, formatError), c.hue);
    EXPECT_EQ(formatError, c.formatError);
}

INSTANTIATE_TEST_SUITE_P(HueTexts, ConvertHue,
    ::testing::Values(HueTextCase { "Plain", "5R", 5.0f, false },
        HueTextCase { "LowerCase", "5r", 5.0f, false },
        HueTextCase { "Decimal", "5.0R", 5.0f, false },
        HueTextCase { "TwoLetterBeforeOne", "5RP", 95.0f, false },
        HueTextCase { "TwoLetterYR", "2.5YR", 12.5f, false },
        HueTextCase { "Blue", "5B", 65.0f, false },
        HueTextCase { "PurpleBlue", "7.5PB", 77.5f, false },
        HueTextCase { "TenRP", "10RP", 100.0f, false },
        HueTextCase { "BlankInside", "5 R", 5.0f, false },
        HueTextCase { "NoStepIsZero", "GY", 30.0f, false },
        HueTextCase { "TrailingBlankIsFormatError", "5R ", 105.0f, true },
        HueTextCase { "UnknownFamily", "5Q", 105.0f, true },
        HueTextCase { "Empty", "", 100.0f, true }),
    [](const auto &info) { return std::string(info.param.name); });

struct HueNumberCase {
    const char *name;
    float hue;
    const char *text;
};

class HueToText : public ::testing::TestWithParam<HueNumberCase> { };

TEST_P(HueToText, WritesStepAndFamily) {
    EXPECT_EQ(hconvert(GetParam().hue), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(HueNumbers, HueToText,
    ::testing::Values(HueNumberCase { "Five", 5.0f, "5.00R" },
        HueNumberCase { "Ten", 10.0f, "10.00R" }, HueNumberCase { "TwelveHalf", 12.5f, "2.50YR" },
        HueNumberCase { "Hundred", 100.0f, "10.00RP" }, HueNumberCase { "Zero", 0.0f, ".00R" },
        HueNumberCase { "NearZeroClamped", 0.0005f, ".00R" },
        HueNumberCase { "PastHundredHasNoFamily", 105.0f, "5.00" },
        HueNumberCase { "FarBeyondDoesNotCrash", 250.0f, "10.00" },
        // Beyond the range of an int the family index is still found.
        HueNumberCase { "BeyondAnyInt", 3e10f, ".00" },
        HueNumberCase { "NegativeBeyondAnyInt", -3e10f, "-30000000000.00R" },
        HueNumberCase { "Infinite", std::numeric_limits<float>::infinity(), "NaN" },
        HueNumberCase { "NotANumber", std::numeric_limits<float>::quiet_NaN(), "NaN" }),
    [](const auto &info) { return std::string(info.param.name); });

struct WrapCase {
    const char *name;
    float hue;
    float wrapped;
};

class WrapHue : public ::testing::TestWithParam<WrapCase> { };

TEST_P(WrapHue, GivesTheSameHueBelowOneHundred) {
    const WrapCase &c = GetParam();
    EXPECT_EQ(wrapHue(c.hue), c.wrapped);
    EXPECT_EQ(wrapHue(static_cast<double>(c.hue)), c.wrapped);
}

INSTANTIATE_TEST_SUITE_P(HueNumbers, WrapHue,
    ::testing::Values(WrapCase { "Zero", 0.0f, 0.0f }, WrapCase { "Inside", 37.5f, 37.5f },
        WrapCase { "JustBelowATurn", 99.99999f, 99.99999f },
        WrapCase { "ATurnIsZero", 100.0f, 0.0f }, WrapCase { "PastATurn", 105.25f, 5.25f },
        // From 100 up to 200 the result is exactly 100 less.
        // (the float below 200, and exactly 100 less)
        WrapCase { "AlmostTwoTurns", 199.9999847412109375f, 99.9999847412109375f },
        WrapCase { "TwoTurns", 200.0f, 0.0f }, WrapCase { "SeveralTurns", 350.5f, 50.5f },
        WrapCase { "Negative", -5.0f, 95.0f }, WrapCase { "NegativeTurn", -100.0f, 0.0f },
        // A gained turn that rounds up to 100 is hue 0, never 100.
        WrapCase { "AHairBelowZero", -1e-6f, 0.0f }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(WrapHue, ANumberThatIsNoHueStaysNone) {
    EXPECT_TRUE(std::isnan(wrapHue(std::numeric_limits<float>::quiet_NaN())));
    EXPECT_TRUE(std::isnan(wrapHue(std::numeric_limits<float>::infinity())));
    EXPECT_TRUE(std::isnan(wrapHue(-std::numeric_limits<double>::infinity())));
}

TEST(WrapHue, DoublePrecisionIsRoundedOnceAfterTheTurn) {
    // -1e-9 plus a turn is 99.999999999, whose nearest float is 100: hue 0.
    EXPECT_EQ(wrapHue(-1e-9), 0.0f);
    // 2^-30 past a turn is kept: rounding to float before taking the turn
    // away would have lost it and given 0.
    EXPECT_EQ(wrapHue(100.0 + std::ldexp(1.0, -30)), std::ldexp(1.0f, -30));
}

TEST(ValueScale, KnownPoints) {
    EXPECT_NEAR(value2y(10.0f, false), 102.568f, 0.001f);
    EXPECT_NEAR(value2y(10.0f, true), 100.0038f, 0.001f);
    EXPECT_NEAR(value2y(5.0f, false), 19.766f, 0.001f);
    float y = 100.0f;
    EXPECT_NEAR(y2value(y, false), 9.902f, 0.001f);
    y = 100.0f;
    EXPECT_NEAR(y2value(y, true), 9.9999f, 0.0002f);
    y = 0.0f;
    EXPECT_FLOAT_EQ(y2value(y, false), 0.0f);
}

TEST(ValueScale, NegativeYIsRaisedToZeroInCallersVariable) {
    float y = -3.0f;
    EXPECT_FLOAT_EQ(y2value(y, false), 0.0f);
    EXPECT_FLOAT_EQ(y, 0.0f);
}

TEST(ValueScale, PwdDivisionDoesNotChangeCallersY) {
    float y = 50.0f;
    (void)y2value(y, true);
    EXPECT_FLOAT_EQ(y, 50.0f);
}

// The double-precision value function is value2y before its rounding, and
// its slope is its derivative (a wrong slope coefficient leaves Newton's
// method on the Value slow or stuck).
TEST(ValueScale, TheDoubleFunctionAndItsSlopeAgreeWithValue2y) {
    for (bool pwd : { false, true }) {
        for (int i = 1; i < 100; ++i) {
            const double v = i / 10.0;
            EXPECT_NEAR(valueFunction(v, pwd), value2y(static_cast<float>(v), pwd),
                2e-6 * valueFunction(v, pwd))
                << v;
            const double h = 1e-5;
            const double difference
                = (valueFunction(v + h, pwd) - valueFunction(v - h, pwd)) / (2 * h);
            EXPECT_NEAR(valueSlope(v, pwd), difference, 1e-7 * difference) << v;
        }
        EXPECT_NEAR(valueFunction(10.0, pwd), pwd ? 100.0038 : 102.568, 1e-3);
    }
}

TEST(ValueScale, RoundTripsEveryValue) {
    for (bool pwd : { false, true }) {
        for (int i = 0; i <= 1000; ++i) {
            const float v = i / 100.0f;
            float y = value2y(v, pwd);
            EXPECT_NEAR(y2value(y, pwd), v, 2e-5f) << "V=" << v << " pwd=" << pwd;
        }
    }
}

} // namespace
} // namespace tw::engine
