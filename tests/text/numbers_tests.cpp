#include "text/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace tw::text;

// --- display patterns -------------------------------------------------------

struct PatternCase {
    const char *name;
    double value;
    const char *pattern;
    const char *expected;
};

class FormatPatternTest : public testing::TestWithParam<PatternCase> { };

TEST_P(FormatPatternTest, Formats) {
    const PatternCase &c = GetParam();
    EXPECT_EQ(formatPattern(c.value, c.pattern), c.expected);
}

const PatternCase patternCases[] = {
    { "TwoDecimalsNoLeadingZero", 0.5, "###.00", ".50" },
    { "TwoDecimals", 41.2, "###.00", "41.20" },
    { "NegativeTwoDecimals", -3.2, "###.00", "-3.20" },
    { "NegativeBelowOne", -0.25, "###.00", "-.25" },
    { "ZeroShowsOnlyDecimals", 0.0, "###.00", ".00" },
    { "ExtraIntegerDigitsAllShown", 1234.5, "###.00", "1234.50" },
    { "CarryIntoIntegerDigit", 0.999, "###.00", "1.00" },
    { "CarryAddsADigit", 99.995, "##.00", "100.00" },
    { "ShortPatternOneDigit", 5.0, "##.00", "5.00" },
    { "RequiredIntegerDigit", 0.5, "##0.00", "0.50" },
    { "TinyNegativeLosesSign", -0.001, "##0.00", "0.00" },
    { "TinyNegativeLosesSignNoZero", -0.004, "###.00", ".00" },
    { "DecimalHalfOfBinaryBelowHalf", 2.675, "##0.00", "2.68" },
    { "DecimalHalfOfBinaryBelowHalf2", 1.005, "0.00", "1.01" },
    { "GenuineDoubleBelowHalf", 2.67499999, "##0.00", "2.67" },
    { "FourDecimalsLeadingZero", 0.3101, "0.0000", "0.3101" },
    { "FourDecimalsNoLeadingZero", 0.3101, ".0000", ".3101" },
    { "NoIntegerSlotStillShowsDigits", 1.25, ".0000", "1.2500" },
    { "NoIntegerSlotNegative", -0.5, ".0000", "-.5000" },
    { "FourDecimalsRoundUp", 0.00005, "0.0000", "0.0001" },
    { "IntegerHalfAwayFromZero", 12.5, "##0", "13" },
    { "NegativeIntegerHalfAwayFromZero", -2.5, "##0", "-3" },
    { "IntegerZero", 0.2, "##0", "0" },
    { "IntegerLarge", 1e20, "##0", "100000000000000000000" },
    { "LiteralBlanksOptionalDecimals", 5.0, "   #.##", "   5." },
    { "LiteralBlanksTwoDecimals", 2.25, "   #.##", "   2.25" },
    { "LiteralBlanksBelowOne", 0.5, "   #.##", "   .5" },
    { "LiteralBlanksTrailingZeroDropped", 2.1, "   #.##", "   2.1" },
    { "LiteralBlanksRoundsToInteger", 2.999, "   #.##", "   3." },
    { "LeadingBlankPattern", 5.0, " ##.00", " 5.00" },
    { "LeadingBlankPatternRounds", 12.345, " ##.00", " 12.35" },
    { "LeadingBlankPatternBelowOne", 0.25, " ##.00", " .25" },
    { "SignAfterLiteralBlank", -3.0, " ##.00", " -3.00" },
    { "SignBeforePointWhenNoIntegerDigit", -0.5, "   #.##", "   -.5" },
};

INSTANTIATE_TEST_SUITE_P(Patterns, FormatPatternTest, testing::ValuesIn(patternCases),
    [](const testing::TestParamInfo<PatternCase> &info) { return info.param.name; });

// Colour values are floats; their displayed rounding follows the float's own
// decimal text, not the binary value widened to double.
struct FloatPatternCase {
    const char *name;
    float value;
    const char *pattern;
    const char *expected;
};

class FormatFloatPatternTest : public testing::TestWithParam<FloatPatternCase> { };

TEST_P(FormatFloatPatternTest, RoundsOnTheFloatText) {
    const FloatPatternCase &c = GetParam();
    EXPECT_EQ(formatPattern(c.value, c.pattern), c.expected);
}

const FloatPatternCase floatPatternCases[] = {
    { "AboveHalfInBinary", 12.345f, " ##.00", " 12.35" },
    { "BelowHalfInBinary", 2.675f, "##0.00", "2.68" },
    { "BelowHalfInBinaryNoLeadingZero", 0.145f, "###.00", ".15" },
    { "QuarterExact", 0.3125f, "0.000", "0.313" },
};

INSTANTIATE_TEST_SUITE_P(Floats, FormatFloatPatternTest, testing::ValuesIn(floatPatternCases),
    [](const testing::TestParamInfo<FloatPatternCase> &info) { return info.param.name; });

TEST(FormatPattern, NonFiniteValuesGiveAWordNotGarbage) {
    EXPECT_EQ(formatPattern(std::numeric_limits<double>::quiet_NaN(), "###.00"), "NaN");
    EXPECT_EQ(formatPattern(-std::numeric_limits<double>::infinity(), "##0"), "-Inf");
}

// --- plain, print and write forms -------------------------------------------

struct PlainCase {
    const char *name;
    float value;
    const char *plain;
};

class PlainTextTest : public testing::TestWithParam<PlainCase> { };

TEST_P(PlainTextTest, ShortestUpToSevenDigits) {
    EXPECT_EQ(plainText(GetParam().value), GetParam().plain);
}

const PlainCase plainCases[] = {
    { "Half", 0.5f, "0.5" },
    { "NegativeQuarter", -0.25f, "-0.25" },
    { "Integer", 10.0f, "10" },
    { "NotExactInBinary", 2.2f, "2.2" },
    { "Zero", 0.0f, "0" },
    { "NegativeZero", -0.0f, "0" },
    { "SevenDigitInteger", 1234567.0f, "1234567" },
    { "EightDigitIntegerGoesExponent", 12345678.0f, "1.234568E+07" },
    { "TenMillion", 1e7f, "1E+07" },
    { "HundredMillion", 1e8f, "1E+08" },
    { "NegativeLarge", -1e10f, "-1E+10" },
    { "SmallExponent", 1.5e-9f, "1.5E-09" },
    { "SmallFixed", 0.0001f, "0.0001" },
    { "SevenPositionsFixed", 0.1234567f, "0.1234567" },
    { "EightPositionsExponent", 0.01234567f, "1.234567E-02" },
    { "BeyondSevenDigitsDropped", 1.0000001f, "1" },
    { "TwoThirdsRoundsUp", 2.0f / 3.0f, "0.6666667" },
    { "Largest", std::numeric_limits<float>::max(), "3.402823E+38" },
    { "Subnormal", std::numeric_limits<float>::denorm_min(), "1.401298E-45" },
};

INSTANTIATE_TEST_SUITE_P(Plain, PlainTextTest, testing::ValuesIn(plainCases),
    [](const testing::TestParamInfo<PlainCase> &info) { return info.param.name; });

struct PrintCase {
    const char *name;
    float value;
    const char *digits;
    const char *print;
};

class PrintFormTest : public testing::TestWithParam<PrintCase> { };

TEST_P(PrintFormTest, DigitsAndPrintForm) {
    const PrintCase &c = GetParam();
    EXPECT_EQ(numberDigits(c.value), c.digits);
    EXPECT_EQ(printNumber(c.value), c.print);
}

const PrintCase printCases[] = {
    { "Half", 0.5f, ".5", " .5 " },
    { "NegativeQuarter", -0.25f, "-.25", "-.25 " },
    { "Negative", -2.5f, "-2.5", "-2.5 " },
    { "Integer", 255.0f, "255", " 255 " },
    { "Zero", 0.0f, "0", " 0 " },
    { "HueAngle", 2.5f, "2.5", " 2.5 " },
    { "Exponent", 1.5e-9f, "1.5E-09", " 1.5E-09 " },
};

INSTANTIATE_TEST_SUITE_P(Print, PrintFormTest, testing::ValuesIn(printCases),
    [](const testing::TestParamInfo<PrintCase> &info) { return info.param.name; });

// --- parsing ----------------------------------------------------------------

struct LeadingCase {
    const char *name;
    const char *text;
    double expected;
};

class LeadingNumberTest : public testing::TestWithParam<LeadingCase> { };

TEST_P(LeadingNumberTest, Parses) {
    EXPECT_DOUBLE_EQ(leadingNumber(GetParam().text), GetParam().expected);
}

const LeadingCase leadingCases[] = {
    { "TrailingLetters", "12abc", 12.0 },
    { "BlanksInsideSkipped", " 1 2.5", 12.5 },
    { "NoDigit", "abc", 0.0 },
    { "Empty", "", 0.0 },
    { "PointOnly", ".", 0.0 },
    { "SignOnly", "-", 0.0 },
    { "ExponentThenLetter", "-3.5e2x", -350.0 },
    { "DExponent", "1.5D2", 150.0 },
    { "NegativeExponent", "25e-1", 2.5 },
    { "ExponentWithoutDigits", "1e", 1.0 },
    { "ExponentSignWithoutDigits", "4e-", 4.0 },
    { "TrailingPoint", "5.", 5.0 },
    { "NoLeadingZero", "-.5", -0.5 },
    { "PlusSign", "+8", 8.0 },
    { "BlankAfterSign", "- 4", -4.0 },
    { "SecondPointEnds", "1.2.3", 1.2 },
    { "CommaEnds", "1,5", 1.0 },
    { "HueStep", "2.5YR", 2.5 },
    { "Underflow", "1e-999", 0.0 },
};

INSTANTIATE_TEST_SUITE_P(Leading, LeadingNumberTest, testing::ValuesIn(leadingCases),
    [](const testing::TestParamInfo<LeadingCase> &info) { return info.param.name; });

TEST(LeadingNumber, OverflowIsInfiniteWithItsSign) {
    EXPECT_EQ(leadingNumber("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(leadingNumber("-1e999"), -std::numeric_limits<double>::infinity());
}

struct ParseCase {
    const char *name;
    const char *text;
    bool ok;
    double value;
};

class ParseNumberTest : public testing::TestWithParam<ParseCase> { };

TEST_P(ParseNumberTest, Strict) {
    const ParseCase &c = GetParam();
    double out = -999.0;
    EXPECT_EQ(parseNumber(c.text, out), c.ok);
    // A refused text leaves the target untouched.
    EXPECT_DOUBLE_EQ(out, c.ok ? c.value : -999.0);
}

const ParseCase parseCases[] = {
    { "Decimal", "12.5", true, 12.5 },
    { "BlanksAround", " 7 ", true, 7.0 },
    { "TabsAround", "\t-0.25\t", true, -0.25 },
    { "TrailingPoint", "5.", true, 5.0 },
    { "NoLeadingZero", ".5", true, 0.5 },
    { "Exponent", "1e3", true, 1000.0 },
    { "PlusSign", "+3", true, 3.0 },
    { "Empty", "", false, 0.0 },
    { "Word", "abc", false, 0.0 },
    { "DecimalComma", "1,5", false, 0.0 },
    { "TrailingLetters", "12abc", false, 0.0 },
    { "PointOnly", ".", false, 0.0 },
    { "SignOnly", "-", false, 0.0 },
    { "BlankInside", "1 2", false, 0.0 },
    { "ExponentWithoutDigits", "1e", false, 0.0 },
    { "OutOfRange", "1e999", false, 0.0 },
    { "NanWord", "nan", false, 0.0 },
    { "Hex", "0x10", false, 0.0 },
};

INSTANTIATE_TEST_SUITE_P(Parse, ParseNumberTest, testing::ValuesIn(parseCases),
    [](const testing::TestParamInfo<ParseCase> &info) { return info.param.name; });

// --- rounding ---------------------------------------------------------------

struct RoundCase {
    const char *name;
    double value;
    std::int64_t expected;
};

class RoundHalfEvenTest : public testing::TestWithParam<RoundCase> { };

TEST_P(RoundHalfEvenTest, Rounds) {
    EXPECT_EQ(roundHalfEven(GetParam().value), GetParam().expected);
}

const RoundCase roundCases[] = {
    { "TwoAndAHalf", 2.5, 2 },
    { "ThreeAndAHalf", 3.5, 4 },
    { "NegativeTwoAndAHalf", -2.5, -2 },
    { "NegativeOneAndAHalf", -1.5, -2 },
    { "Half", 0.5, 0 },
    { "NegativeHalf", -0.5, 0 },
    { "OneAndAHalf", 1.5, 2 },
    { "JustBelowHalf", 0.49999999999999994, 0 },
    { "JustAboveHalf", 2.5000001, 3 },
    { "NegativeFraction", -3.7, -4 },
    { "BeyondFractionBits", 4503599627370497.0, 4503599627370497 },
    { "HugeSaturates", 1e300, std::numeric_limits<std::int64_t>::max() },
    { "NegativeHugeSaturates", -1e300, std::numeric_limits<std::int64_t>::min() },
    { "NotANumberIsZero", std::nan(""), 0 },
};

INSTANTIATE_TEST_SUITE_P(Round, RoundHalfEvenTest, testing::ValuesIn(roundCases),
    [](const testing::TestParamInfo<RoundCase> &info) { return info.param.name; });

} // namespace
