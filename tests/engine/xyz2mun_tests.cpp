#include "engine/xyz2mun.h"

#include "engine/notation.h"
#include "engine_test_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <string>

namespace tw::engine {
namespace {

TEST(InQuad, InsideOutsideAndOnTheBoundary) {
    // A unit square, corners in clockwise order.
    const Point a { 0, 0 }, b { 0, 1 }, c { 1, 1 }, d { 1, 0 };
    EXPECT_TRUE(inquad({ 0.5f, 0.5f }, a, b, c, d));
    EXPECT_FALSE(inquad({ 1.5f, 0.5f }, a, b, c, d));
    EXPECT_FALSE(inquad({ 0.5f, -0.1f }, a, b, c, d));
    EXPECT_TRUE(inquad({ 0.0f, 0.5f }, a, b, c, d)) << "on an edge";
    EXPECT_TRUE(inquad({ 1.0f, 1.0f }, a, b, c, d)) << "on a corner";
    EXPECT_TRUE(inquad({ 1.0f + 5e-7f, 0.5f }, a, b, c, d)) << "within the tolerance";
    EXPECT_FALSE(inquad({ 1.0f + 1e-5f, 0.5f }, a, b, c, d)) << "beyond the tolerance";
}

TEST(InQuad, TriangleWithZeroLengthEdge) {
    const Point n { 0.3101f, 0.3163f };
    EXPECT_TRUE(inquad({ 0.32f, 0.32f }, n, n, { 0.34f, 0.35f }, { 0.35f, 0.30f }));
    EXPECT_FALSE(inquad({ 0.40f, 0.40f }, n, n, { 0.34f, 0.35f }, { 0.35f, 0.30f }));
}

// A made-up table of concentric rings around the neutral point: the point at
// hue index h and chroma index c lies at radius 0.01 c and angle
// 2 pi h / 40 + phase(v). `rings(v)` is how many chroma rings level v has.
RenotationTable ringTable(
    const std::function<double(int)> &phase, const std::function<int(int)> &rings) {
    std::string text;
    for (int v = 0; v <= 10; ++v) {
        for (int h = 0; h < 40; ++h) {
            for (int c = 0; c <= 16; ++c) {
                int x = 0, y = 0;
                if (c <= rings(v)) {
                    const double angle = 2 * std::numbers::pi * h / 40 + phase(v);
                    x = static_cast<int>(
                        std::lround((0.3101 + 0.01 * c * std::cos(angle)) * 10000));
                    y = static_cast<int>(
                        std::lround((0.3163 + 0.01 * c * std::sin(angle)) * 10000));
                }
                text += std::to_string(x) + "," + std::to_string(y) + ",";
            }
        }
    }
    RenotationTable t;
    std::string error;
    EXPECT_TRUE(t.loadText(text, "rings", error)) << error;
    return t;
}

// X, Y, Z of a chromaticity at a given angle (fraction of the circle) and
// radius around the neutral point, with the luminance of Value V.
void xyzAt(double turn, double radius, float V, float &X, float &Y, float &Z) {
    const double x = 0.3101 + radius * std::cos(2 * std::numbers::pi * turn);
    const double y = 0.3163 + radius * std::sin(2 * std::numbers::pi * turn);
    Y = value2y(V, false);
    X = static_cast<float>(x * Y / y);
    Z = static_cast<float>((1 - x - y) * Y / y);
}

TEST(Xyz2Mun, HueBlendsAcrossTenRP) {
    // Level 5 sees the colour at hue 98, level 6 (rotated) at hue 1.
    const RenotationTable t = ringTable(
        [](int v) { return v >= 6 ? 2 * std::numbers::pi * 0.97 : 0.0; }, [](int) { return 16; });
    float X, Y, Z, H, V, C;
    xyzAt(0.98, 0.045, 5.5f, X, Y, Z);
    ASSERT_EQ(xyz2mun(t, false, H, V, C, X, Y, Z), Xyz2MunStatus::Ok);
    EXPECT_NEAR(V, 5.5f, 1e-4f);
    EXPECT_NEAR(H, 99.5f, 0.2f) << "not 49.5";
    EXPECT_NEAR(C, 9.0f, 0.2f);
}

TEST(Xyz2Mun, BelowValueOneTakesTheUpperLevelWhenTheLowerIsEmpty) {
    const RenotationTable t
        = ringTable([](int) { return 0.0; }, [](int v) { return v == 0 ? 0 : 16; });
    float X, Y, Z, H, V, C;
    xyzAt(0.25, 0.03, 0.5f, X, Y, Z);
    ASSERT_EQ(xyz2mun(t, false, H, V, C, X, Y, Z), Xyz2MunStatus::Ok);
    EXPECT_NEAR(V, 0.5f, 1e-4f);
    EXPECT_NEAR(H, 25.0f, 0.3f);
    EXPECT_NEAR(C, 6.0f, 0.2f);
}

TEST(Xyz2Mun, ALevelThatCountsAndMissesMakesTheColourOutOfRange) {
    // Level 6 has only 2 rings, level 5 has 16.
    const RenotationTable t
        = ringTable([](int) { return 0.0; }, [](int v) { return v == 6 ? 2 : 16; });
    float X, Y, Z, H, V, C;
    xyzAt(0.1, 0.08, 5.3f, X, Y, Z);
    EXPECT_EQ(xyz2mun(t, false, H, V, C, X, Y, Z), Xyz2MunStatus::OutOfRange);
    // Within 1e-4 of Value 5 the empty level 6 carries no weight.
    xyzAt(0.1, 0.08, 5.00002f, X, Y, Z);
    ASSERT_EQ(xyz2mun(t, false, H, V, C, X, Y, Z), Xyz2MunStatus::Ok);
    EXPECT_NEAR(C, 16.0f, 0.3f);
    // And at Value 6 exactly, level 5 carries none: level 6 alone misses.
    xyzAt(0.1, 0.08, 6.0f, X, Y, Z);
    EXPECT_EQ(xyz2mun(t, false, H, V, C, X, Y, Z), Xyz2MunStatus::OutOfRange);
}

TEST(Xyz2Mun, NeutralIsHueZeroChromaZero) {
    const RenotationTable &t = testing::realTable();
    float H, V, C;
    float Y = value2y(5.0f, false);
    const float X = 0.3101f * Y / 0.3163f;
    const float Z = (1 - 0.3101f - 0.3163f) * Y / 0.3163f;
    ASSERT_EQ(xyz2mun(t, false, H, V, C, X, Y, Z), Xyz2MunStatus::Ok);
    EXPECT_NEAR(H, 0.0f, 1e-4f);
    EXPECT_NEAR(C, 0.0f, 1e-3f);
    EXPECT_EQ(hconvert(H), ".00R");
}

TEST(Xyz2Mun, WhiteAtOrAboveValueTenIsValueTen) {
    const RenotationTable &t = testing::realTable();
    for (float scale : { 1.0f, 1.0256f, 1.2f }) {
        float H, V, C;
        float Y = 100.0f * scale;
        ASSERT_EQ(
            xyz2mun(t, false, H, V, C, 98.074f * scale, Y, 118.232f * scale), Xyz2MunStatus::Ok)
            << scale;
        EXPECT_LE(V, 10.0f);
        EXPECT_NEAR(C, 0.0f, 0.05f);
    }
    float H, V, C;
    float Y = 150.0f;
    ASSERT_EQ(xyz2mun(t, false, H, V, C, 147.1f, Y, 177.3f), Xyz2MunStatus::Ok);
    EXPECT_EQ(V, 10.0f);
}

TEST(Xyz2Mun, OutsideTheDataOrNoLightIsOutOfRange) {
    const RenotationTable &t = testing::realTable();
    float H, V, C;
    float Y = 20.0f;
    EXPECT_EQ(xyz2mun(t, false, H, V, C, 140.0f, Y, 0.5f), Xyz2MunStatus::OutOfRange);
    Y = 0.0f;
    EXPECT_EQ(xyz2mun(t, false, H, V, C, 0.0f, Y, 0.0f), Xyz2MunStatus::OutOfRange);
    Y = -5.0f;
    EXPECT_EQ(xyz2mun(t, false, H, V, C, 1.0f, Y, 1.0f), Xyz2MunStatus::OutOfRange);
    EXPECT_EQ(Y, 0.0f) << "a negative Y is raised to 0 in the caller's variable";
}

TEST(Xyz2Mun, InfiniteOrNotANumberIsOutOfRange) {
    // An infinite X made x NaN, and a NaN point used to lie inside every
    // cell: ".00R 0.0000 0.8437 0.0000" came back as a colour.
    const RenotationTable &t = testing::realTable();
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float cases[][3] = { { inf, 1, 1 }, { 1, 1, inf }, { nan, 20, 10 }, { 30, 20, nan },
        { 3e38f, 3e38f, 3e38f }, { -inf, 20, inf } };
    for (const auto &xyz : cases) {
        float H = -1, V = -1, C = -1, Y = xyz[1];
        EXPECT_EQ(xyz2mun(t, false, H, V, C, xyz[0], Y, xyz[2]), Xyz2MunStatus::OutOfRange)
            << xyz[0] << " " << xyz[1] << " " << xyz[2];
    }
    int h = 0, c = 0;
    EXPECT_FALSE(findcell(t, nan, 0.3f, 5, h, c));
    EXPECT_FALSE(inquad({ nan, nan }, { 0, 0 }, { 0, 1 }, { 1, 1 }, { 1, 0 }));
}

// Colours the cell search admits within its edge tolerance, a hair outside
// a cell edge: the bisection keeps them in the cell instead of carrying them
// to its far side.
TEST(Xyz2Mun, AColourJustOutsideACellEdgeStaysInItsCell) {
    const RenotationTable &t = testing::realTable();
    float H, V, C;
    // Munsell to XYZ of 2.50071P 7/3.06171; it came back as 2.50P 7/4.
    float Y = 43.0628357f;
    ASSERT_EQ(xyz2mun(t, false, H, V, C, 44.3829002f, Y, 61.090744f), Xyz2MunStatus::Ok);
    EXPECT_NEAR(H, 82.50071f, 0.01f);
    EXPECT_NEAR(V, 7.0f, 0.01f);
    EXPECT_NEAR(C, 3.06171f, 0.01f);
    // Under PWD, 7.3RP 7/20; it came back as 7.50RP.
    Y = 41.9862633f;
    ASSERT_EQ(xyz2mun(t, true, H, V, C, 75.6733551f, Y, 47.8102608f), Xyz2MunStatus::Ok);
    EXPECT_NEAR(H, 97.3f, 0.01f);
    EXPECT_NEAR(C, 20.0f, 0.01f);
}

// 10G 1/8 and 7.5G 2/16 end their hue's Chroma at their Value; written with
// four decimals, their X, Y, Z put the chromaticity a few millionths beyond
// that outermost ring, where no cell lies. Within the tolerance of X, Y and
// Z they are the colour of the data nearest them; a ten-thousandth more in
// X is beyond it.
TEST(Xyz2Mun, AColourAHairBeyondTheDataIsTheNearestColourOfIt) {
    const RenotationTable &t = testing::realTable();
    struct Case {
        float X, Y, Z, hue, value, chroma, fartherX;
    };
    for (const Case &k : { Case { 0.1487f, 1.2101f, 1.5515f, 50.0f, 1.0f, 8.0f, 0.1486f },
             Case { 0.1674f, 3.1262f, 2.7731f, 47.5f, 2.0f, 16.0f, 0.1673f } }) {
        float H = -1, V = -1, C = -1, Y = k.Y;
        ASSERT_EQ(xyz2mun(t, false, H, V, C, k.X, Y, k.Z), Xyz2MunStatus::Ok) << k.X;
        EXPECT_NEAR(H, k.hue, 0.01f);
        EXPECT_NEAR(V, k.value, 0.01f);
        EXPECT_NEAR(C, k.chroma, 0.01f);
        Y = k.Y;
        EXPECT_EQ(
            xyz2mun(t, false, H, V, C, k.X, Y, k.Z, NearData::Refused), Xyz2MunStatus::OutOfRange)
            << "the data alone do not hold it";
        Y = k.Y;
        EXPECT_EQ(xyz2mun(t, false, H, V, C, k.fartherX, Y, k.Z), Xyz2MunStatus::OutOfRange)
            << "1e-4 farther from the data in X";
    }
}

// Next to black every chromaticity lies within a ten-thousandth in X, Y and
// Z of some colour of the data; one far outside the data is still no colour.
TEST(Xyz2Mun, ANearBlackOfAnImpossibleChromaticityIsOutOfRange) {
    const RenotationTable &t = testing::realTable();
    struct Case {
        float X, Y, Z;
    };
    for (const Case &k : { Case { 0.0003f, 0.00001f, 0.0003f }, Case { 0.0f, 0.00005f, 0.0f },
             Case { 0.00009f, 0.0f, 0.0f } }) {
        float H = -1, V = -1, C = -1, Y = k.Y;
        EXPECT_EQ(xyz2mun(t, false, H, V, C, k.X, Y, k.Z), Xyz2MunStatus::OutOfRange)
            << k.X << " " << k.Y << " " << k.Z << ": H " << H << " C " << C;
    }
}

} // namespace
} // namespace tw::engine
