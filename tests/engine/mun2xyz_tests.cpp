#include "engine/mun2xyz.h"

#include "engine/notation.h"
#include "engine_test_data.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tw::engine {
namespace {

using testing::realTable;

struct Result {
    Mun2XyzStatus status;
    float V, X, Y, Z, x, y;
};

Result convert(float H, float V, float C, Illuminant ill = Illuminant::C_1931, bool pwd = false) {
    Result r {};
    r.V = V;
    r.x = -1.0f; // sentinel: "left as the caller had them"
    r.y = -1.0f;
    r.status = mun2xyz(realTable(), ill, pwd, H, r.V, C, r.X, r.Y, r.Z, r.x, r.y);
    return r;
}

float tableX(int v, int h, int c) {
    return realTable().point(v, h, c).x;
}
float tableY(int v, int h, int c) {
    return realTable().point(v, h, c).y;
}

TEST(Mun2Xyz, DesignColourHitsItsTableCellExactly) {
    const Result r = convert(5.0f, 5.0f, 10.0f);
    ASSERT_EQ(r.status, Mun2XyzStatus::Ok);
    EXPECT_FLOAT_EQ(r.x, tableX(5, 2, 5));
    EXPECT_FLOAT_EQ(r.y, tableY(5, 2, 5));
    EXPECT_NEAR(r.Y, 19.766f, 0.001f);
    EXPECT_NEAR(r.X, r.Y * r.x / r.y, 1e-4f);
    EXPECT_NEAR(r.Z, r.Y / r.y - r.X - r.Y, 1e-4f);
}

TEST(Mun2Xyz, InterpolatesBetweenTableNeighbours) {
    // Halfway along hue between 5R and 7.5R at Value 5, Chroma 10.
    const Result r = convert(6.25f, 5.0f, 10.0f);
    ASSERT_EQ(r.status, Mun2XyzStatus::Ok);
    EXPECT_NEAR(r.x, (tableX(5, 2, 5) + tableX(5, 3, 5)) / 2, 1e-6f);
    // Halfway along value between 5 and 6.
    const Result rv = convert(5.0f, 5.5f, 10.0f);
    EXPECT_NEAR(rv.y, (tableY(5, 2, 5) + tableY(6, 2, 5)) / 2, 1e-6f);
    EXPECT_NEAR(rv.Y, value2y(5.5f, false), 1e-4f);
}

TEST(Mun2Xyz, NeutralIsTheNeutralPointForAnyHue) {
    for (float h : { 0.0f, 5.0f, 37.5f, 62.5f, 97.5f }) {
        const Result r = convert(h, 5.0f, 0.0f);
        ASSERT_EQ(r.status, Mun2XyzStatus::Ok) << h;
        EXPECT_FLOAT_EQ(r.x, 0.3101f);
        EXPECT_FLOAT_EQ(r.y, 0.3163f);
    }
}

TEST(Mun2Xyz, BeyondTheDataGivesZeroAndKeepsChromaticity) {
    // 5R 5/32 lies beyond the data of its row, and the table stops at
    // Chroma 32.
    for (float chroma : { 32.0f, 33.0f, 40.0f, 58.0f }) {
        const Result r = convert(5.0f, 5.0f, chroma);
        EXPECT_EQ(r.status, Mun2XyzStatus::OutsideData) << chroma;
        EXPECT_EQ(r.X, 0.0f);
        EXPECT_EQ(r.Y, 0.0f);
        EXPECT_EQ(r.Z, 0.0f);
        EXPECT_EQ(r.x, -1.0f);
        EXPECT_EQ(r.y, -1.0f);
    }
    int highest = 0;
    while (realTable().at(5, 2, highest + 1, 0) != 0) {
        ++highest;
    }
    // The highest Chroma of the row is a sample of the table: the ring
    // beyond it has no weight and is not needed. Anything further out is.
    EXPECT_EQ(convert(5.0f, 5.0f, 2.0f * highest).status, Mun2XyzStatus::Ok);
    EXPECT_EQ(convert(5.0f, 5.0f, 2.0f * highest + 0.5f).status, Mun2XyzStatus::OutsideData);
    EXPECT_EQ(convert(5.0f, 5.0f, 2.0f * highest - 2.0f).status, Mun2XyzStatus::Ok);
}

TEST(Mun2Xyz, ANeighbourWithoutWeightIsNotNeeded) {
    // 5P 2/32 is the last Chroma of its row, 7.5P stops earlier at Value 2,
    // and the table stops at Chroma 32: of its seven neighbours it needs
    // none.
    ASSERT_NE(realTable().at(2, 34, 16, 0), 0);
    ASSERT_EQ(realTable().at(2, 35, 16, 0), 0);
    const Result p = convert(85.0f, 2.0f, 32.0f);
    ASSERT_EQ(p.status, Mun2XyzStatus::Ok);
    EXPECT_FLOAT_EQ(p.x, tableX(2, 34, 16));
    EXPECT_FLOAT_EQ(p.y, tableY(2, 34, 16));
    // A hair along hue the 7.5P column carries weight, and it is empty.
    EXPECT_EQ(convert(85.5f, 2.0f, 32.0f).status, Mun2XyzStatus::OutsideData);
    // Between Values 2 and 3 both levels count.
    EXPECT_EQ(convert(85.0f, 2.5f, 32.0f).status, Mun2XyzStatus::Ok);
}

TEST(Mun2Xyz, ValueAboveNineAndHalfIsClampedInPlace) {
    const Result r = convert(5.0f, 9.8f, 2.0f);
    EXPECT_FLOAT_EQ(r.V, 9.5f);
    EXPECT_NEAR(r.Y, 90.009f, 0.001f);
}

TEST(Mun2Xyz, HueBetweenSevenAndHalfRPAndTenRPUsesTheClosingColumn) {
    const Result r = convert(98.75f, 5.0f, 4.0f);
    ASSERT_EQ(r.status, Mun2XyzStatus::Ok);
    EXPECT_NEAR(r.x, (tableX(5, 39, 2) + tableX(5, 0, 2)) / 2, 1e-6f);
}

TEST(Mun2Xyz, IndicesOutsideTheTableAreOutOfRange) {
    EXPECT_EQ(convert(-1.0f, 5.0f, 4.0f).status, Mun2XyzStatus::OutOfRange);
    EXPECT_EQ(convert(5.0f, -0.5f, 4.0f).status, Mun2XyzStatus::OutOfRange);
    EXPECT_EQ(convert(5.0f, 5.0f, -2.0f).status, Mun2XyzStatus::OutOfRange);
    EXPECT_EQ(convert(5.0f, 5.0f, 60.0f).status, Mun2XyzStatus::OutOfRange);
    EXPECT_EQ(convert(103.0f, 5.0f, 4.0f).status, Mun2XyzStatus::OutOfRange);
    // Far beyond any table index, and beyond an int.
    EXPECT_EQ(convert(5.0f, 5.0f, 1e10f).status, Mun2XyzStatus::OutOfRange);
    EXPECT_EQ(convert(1e10f, 5.0f, 10.0f).status, Mun2XyzStatus::OutOfRange);
    EXPECT_EQ(convert(5.0f, -1e10f, 10.0f).status, Mun2XyzStatus::OutOfRange);
    EXPECT_EQ(convert(-1e10f, 5.0f, 10.0f).status, Mun2XyzStatus::OutOfRange);
    EXPECT_EQ(convert(5.0f, 5.0f, -1e30f).status, Mun2XyzStatus::OutOfRange);
}

TEST(Mun2Xyz, BelowValueOneUsesValueZeroLevel) {
    // Value 0.5 at a neutral-adjacent chroma: the Value-0 level holds the
    // darkest published samples, so a low chroma converts.
    const Result r = convert(5.0f, 0.5f, 2.0f);
    EXPECT_NE(r.status, Mun2XyzStatus::OutOfRange);
    if (r.status == Mun2XyzStatus::Ok) {
        EXPECT_NEAR(r.Y, value2y(0.5f, false), 1e-5f);
    }
}

TEST(Mun2Xyz, AdaptsToTheSelectedIlluminant) {
    const Result c = convert(5.0f, 5.0f, 10.0f);
    const Result d50 = convert(5.0f, 5.0f, 10.0f, Illuminant::D5000);
    const Result d65 = convert(5.0f, 5.0f, 10.0f, Illuminant::D65_10);
    ASSERT_EQ(d50.status, Mun2XyzStatus::Ok);
    ASSERT_EQ(d65.status, Mun2XyzStatus::Ok);
    EXPECT_GT(std::fabs(d50.Z - c.Z), 1.0f); // D50 is far less blue than C
    EXPECT_NEAR(d50.x, d50.X / (d50.X + d50.Y + d50.Z), 1e-6f);
    EXPECT_NE(d65.X, c.X);
}

TEST(Mun2Xyz, PwdScalesLuminance) {
    const Result plain = convert(5.0f, 5.0f, 10.0f);
    const Result pwd = convert(5.0f, 5.0f, 10.0f, Illuminant::C_1931, true);
    EXPECT_NEAR(pwd.Y, plain.Y * 0.975f, 1e-4f);
    EXPECT_FLOAT_EQ(pwd.x, plain.x);
}

TEST(Mun2Xyz, ValueZeroUnderD50IsAFailureNotADivisionByZero) {
    const Result r = convert(5.0f, 0.0f, 0.0f, Illuminant::D5000);
    EXPECT_EQ(r.status, Mun2XyzStatus::OutOfRange);
}

} // namespace
} // namespace tw::engine
