#include "engine/cmyk.h"

#include <gtest/gtest.h>

namespace tw::engine {
namespace {

struct ToCmykCase {
    const char *name;
    float r, g, b;
    int C, M, Y, K;
};

class ToCmyk : public ::testing::TestWithParam<ToCmykCase> { };

TEST_P(ToCmyk, Percentages) {
    const ToCmykCase &c = GetParam();
    float r = c.r, g = c.g, b = c.b;
    const CmykPercent p = rgbcmyk(DisplaySettings {}, r, g, b);
    EXPECT_EQ(p.C, c.C);
    EXPECT_EQ(p.M, c.M);
    EXPECT_EQ(p.Y, c.Y);
    EXPECT_EQ(p.K, c.K);
}

INSTANTIATE_TEST_SUITE_P(Colours, ToCmyk,
    ::testing::Values(ToCmykCase { "White", 1, 1, 1, 0, 0, 0, 0 },
        ToCmykCase { "BlackLeavesJustUnderTwenty", 0, 0, 0, 19, 19, 19, 80 },
        ToCmykCase { "MidGrey", 0.5f, 0.5f, 0.5f, 20, 20, 20, 7 },
        ToCmykCase { "Red", 1, 0, 0, 0, 100, 100, 0 },
        ToCmykCase { "LightKeepsNoBlack", 0.9f, 0.8f, 0.7f, 4, 9, 14, 0 }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ToCmyk, NegativeLinearValuesAreZeroedInPlace) {
    float r = -0.2f, g = 0.5f, b = -1.0f;
    (void)rgbcmyk(DisplaySettings {}, r, g, b);
    EXPECT_EQ(r, 0.0f);
    EXPECT_EQ(b, 0.0f);
    EXPECT_EQ(g, 0.5f);
}

TEST(FromCmyk, BlackAndWhite) {
    const CmykToRgb black = cmykrgb(DisplaySettings {}, 0.2f, 0.2f, 0.2f, 0.8f);
    EXPECT_EQ(black.r, 0.0f);
    EXPECT_EQ(black.R, 0);
    EXPECT_EQ(black.G, 0);
    EXPECT_EQ(black.B, 0);
    const CmykToRgb white = cmykrgb(DisplaySettings {}, 0, 0, 0, 0);
    EXPECT_EQ(white.r, 1.0f);
    EXPECT_EQ(white.R, 255);
    EXPECT_EQ(white.G, 255);
    EXPECT_EQ(white.B, 255);
    EXPECT_FALSE(white.clamped);
}

TEST(FromCmyk, RoundsWhereXyzRgbFloors) {
    // 0.5 linear through the ink exponent and back is 0.5; 255 * 0.5^(1/2.2)
    // is 186.08, rounded 186; a value with fraction above .5 rounds up.
    const CmykToRgb grey = cmykrgb(DisplaySettings {}, 0.27048f, 0.27048f, 0.27048f, 0.0f);
    EXPECT_NEAR(grey.r, 0.5f, 1e-3f);
    EXPECT_EQ(grey.R, 186);
    DisplaySettings bright;
    bright.rgbscale = { 2.0f, 1.0f, 1.0f };
    EXPECT_TRUE(cmykrgb(bright, 0, 0, 0, 0).clamped);
}

} // namespace
} // namespace tw::engine
