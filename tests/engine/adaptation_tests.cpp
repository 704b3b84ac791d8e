#include "engine/adaptation.h"

#include <gtest/gtest.h>

namespace tw::engine {
namespace {

struct AdaptCase {
    const char *name;
    Illuminant ill;
    WhitePoint in;
    WhitePoint expected;
};

class ForwardAdaptation : public ::testing::TestWithParam<AdaptCase> { };

TEST_P(ForwardAdaptation, CarriesFromIlluminantC) {
    const AdaptCase &c = GetParam();
    float X = c.in.X, Y = c.in.Y, Z = c.in.Z, x = 0, y = 0;
    ASSERT_TRUE(xyzconvert(Direction::Forward, c.ill, X, Y, Z, x, y));
    EXPECT_NEAR(X, c.expected.X, 2e-3f);
    EXPECT_NEAR(Y, c.expected.Y, 2e-3f);
    EXPECT_NEAR(Z, c.expected.Z, 2e-3f);
    EXPECT_NEAR(x, X / (X + Y + Z), 1e-6f);
    // And back again.
    float xb = 0, yb = 0;
    ASSERT_TRUE(xyzconvert(Direction::Back, c.ill, X, Y, Z, xb, yb));
    EXPECT_NEAR(X, c.in.X, 2e-3f);
    EXPECT_NEAR(Y, c.in.Y, 2e-3f);
    EXPECT_NEAR(Z, c.in.Z, 2e-3f);
}

INSTANTIATE_TEST_SUITE_P(Whites, ForwardAdaptation,
    ::testing::Values(AdaptCase { "WhiteToD50", Illuminant::D5000, whiteC, whiteD50 },
        AdaptCase { "WhiteToD65", Illuminant::D65_10, whiteC, whiteD65_10 },
        AdaptCase {
            "SampleToD50", Illuminant::D5000, { 30, 20, 10 }, { 30.857f, 20.435f, 6.952f } }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Adaptation, BackUnderIlluminantCChangesNothingButChromaticity) {
    float X = 30, Y = 20, Z = 10, x = 0, y = 0;
    ASSERT_TRUE(xyzconvert(Direction::Back, Illuminant::C_1931, X, Y, Z, x, y));
    EXPECT_NEAR(X, 30.0f, 1e-4f);
    EXPECT_NEAR(Y, 20.0f, 1e-4f);
    EXPECT_NEAR(Z, 10.0f, 1e-4f);
    EXPECT_NEAR(x, 0.5f, 1e-5f);
}

TEST(Adaptation, ZeroLuminanceIsAFailureAndChangesNothing) {
    float X = 1, Y = 0, Z = 1, x = 0.25f, y = 0.5f;
    EXPECT_FALSE(xyzconvert(Direction::Forward, Illuminant::D5000, X, Y, Z, x, y));
    EXPECT_EQ(X, 1.0f);
    EXPECT_EQ(x, 0.25f);
}

} // namespace
} // namespace tw::engine
