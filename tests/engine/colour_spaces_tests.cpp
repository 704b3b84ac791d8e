#include "engine/colour_spaces.h"

#include <gtest/gtest.h>

namespace tw::engine {
namespace {

TEST(XyzLab, IlluminantCWhiteIsLightnessHundred) {
    float X = 98.074f, Y = 100.0f, Z = 118.232f, L, a, b;
    xyzlab(Illuminant::C_1931, X, Y, Z, L, a, b);
    EXPECT_NEAR(L, 100.0f, 1e-3f);
    EXPECT_NEAR(a, 0.0f, 1e-3f);
    EXPECT_NEAR(b, 0.0f, 1e-3f);
}

TEST(XyzLab, EachIlluminantUsesItsOwnWhite) {
    float X = 96.42f, Y = 100.0f, Z = 82.49f, L, a, b;
    xyzlab(Illuminant::D5000, X, Y, Z, L, a, b);
    EXPECT_NEAR(a, 0.0f, 1e-3f);
    EXPECT_NEAR(b, 0.0f, 1e-3f);
    X = 94.811f, Y = 100.0f, Z = 107.304f;
    xyzlab(Illuminant::D65_10, X, Y, Z, L, a, b);
    EXPECT_NEAR(b, 0.0f, 1e-3f);
}

TEST(XyzLab, BlackIsRaisedToTheFloorInPlace) {
    float X = 0.0f, Y = 0.0f, Z = -2.0f, L, a, b;
    xyzlab(Illuminant::C_1931, X, Y, Z, L, a, b);
    EXPECT_NEAR(L, 0.0903f, 1e-4f);
    EXPECT_GT(a, 0.0f);
    EXPECT_GT(b, 0.0f);
    EXPECT_EQ(X, 0.01f);
    EXPECT_EQ(Y, 0.01f);
    EXPECT_EQ(Z, 0.01f);
}

TEST(LabXyz, InvertsXyzLabAgainstTheSelectedWhite) {
    for (Illuminant ill : { Illuminant::C_1931, Illuminant::D5000, Illuminant::D65_10 }) {
        const WhitePoint w = whitePoint(ill);
        float X, Y, Z;
        labxyz(ill, X, Y, Z, 100.0f, 0.0f, 0.0f);
        EXPECT_NEAR(X, w.X, 1e-3f);
        EXPECT_NEAR(Y, 100.0f, 1e-3f);
        EXPECT_NEAR(Z, w.Z, 1e-3f);
        // Light and dark colours, some ratios below the knee of the cube
        // root (a dark blue's X, a dark yellow's Z), come back.
        const float samples[][3] = { { 30.0f, 20.0f, 10.0f }, { 0.5f, 0.3f, 4.0f },
            { 2.0f, 1.9f, 0.05f }, { 0.02f, 0.03f, 0.02f }, { 90.0f, 95.0f, 100.0f } };
        for (const auto &s : samples) {
            float x = s[0], y = s[1], z = s[2], L, a, b;
            xyzlab(ill, x, y, z, L, a, b);
            labxyz(ill, X, Y, Z, L, a, b);
            EXPECT_NEAR(X, s[0], 1e-4f * (1.0f + s[0]));
            EXPECT_NEAR(Y, s[1], 1e-4f * (1.0f + s[1]));
            EXPECT_NEAR(Z, s[2], 1e-4f * (1.0f + s[2]));
        }
    }
    // A b* larger than any colour has gives a negative Z, passed on.
    float X, Y, Z;
    labxyz(Illuminant::C_1931, X, Y, Z, 50.0f, 0.0f, 200.0f);
    EXPECT_LT(Z, 0.0f);
}

TEST(XyzRgb, IlluminantCWhiteFloorsToTwoFiftyFourGreen) {
    DisplaySettings display;
    float X = 98.074f, Y = 100.0f, Z = 118.232f;
    const RgbResult r = xyzrgb(Illuminant::C_1931, display, X, Y, Z);
    EXPECT_NEAR(X, 0.95047f, 1e-5f);
    EXPECT_FLOAT_EQ(Y, 1.0f);
    EXPECT_NEAR(Z, 1.08883f, 1e-5f);
    EXPECT_NEAR(r.r, 1.000009f, 2e-6f);
    EXPECT_NEAR(r.g, 0.999990f, 2e-6f);
    EXPECT_NEAR(r.b, 1.000081f, 2e-6f);
    EXPECT_EQ(r.R, 255);
    EXPECT_EQ(r.G, 254);
    EXPECT_EQ(r.B, 255);
    EXPECT_FALSE(r.outofgamut);
}

TEST(XyzRgb, ClippingIsFlagged) {
    DisplaySettings display;
    // A saturated red beyond sRGB: negative green and blue.
    float X = 41.0f, Y = 20.0f, Z = 1.0f;
    const RgbResult red = xyzrgb(Illuminant::C_1931, display, X, Y, Z);
    EXPECT_TRUE(red.outofgamut);
    EXPECT_EQ(red.G, 0);
    EXPECT_EQ(red.g, 0.0f);
    // Too bright: above 255.
    X = 196.0f, Y = 200.0f, Z = 236.0f;
    const RgbResult bright = xyzrgb(Illuminant::C_1931, display, X, Y, Z);
    EXPECT_TRUE(bright.outofgamut);
    EXPECT_EQ(bright.R, 255);
    // Zero light.
    X = 0.0f, Y = 0.0f, Z = 0.0f;
    EXPECT_TRUE(xyzrgb(Illuminant::C_1931, display, X, Y, Z).outofgamut);
}

TEST(XyzRgb, ScaleAndExponentApplyPerChannel) {
    DisplaySettings display;
    display.rgbscale = { 0.5f, 1.0f, 1.0f };
    display.rgbexponent = { 1.0f, 1.0f, 1.0f };
    float X = 98.074f, Y = 100.0f, Z = 118.232f;
    const RgbResult r = xyzrgb(Illuminant::C_1931, display, X, Y, Z);
    EXPECT_EQ(r.R, 127);
    EXPECT_EQ(r.G, 254);
}

TEST(RgbXyz, InvertsTheMatrixAndTheWhiteScaling) {
    for (Illuminant ill : { Illuminant::C_1931, Illuminant::D5000, Illuminant::D65_10 }) {
        DisplaySettings linear;
        linear.rgbexponent = { 1.0f, 1.0f, 1.0f };
        float X0 = 30.0f, Y0 = 20.0f, Z0 = 10.0f;
        float X = X0, Y = Y0, Z = Z0;
        const RgbResult rgb = xyzrgb(ill, linear, X, Y, Z);
        float Xb, Yb, Zb;
        rgbxyz(ill, rgb.r, rgb.g, rgb.b, Xb, Yb, Zb);
        if (!rgb.outofgamut) {
            EXPECT_NEAR(Xb * 100, X0, 1e-3f);
            EXPECT_NEAR(Yb * 100, Y0, 1e-3f);
            EXPECT_NEAR(Zb * 100, Z0, 1e-3f);
        }
    }
}

} // namespace
} // namespace tw::engine
