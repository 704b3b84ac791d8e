// The exact inverse: whatever mun2xyz makes of a notation inside the data,
// xyz2munExact gives back a notation that converts to the same X, Y, Z
// within 1e-4, and that notation is the one started from.
#include "engine/xyz2mun_exact.h"

#include "engine/mun2xyz.h"
#include "engine/notation.h"
#include "engine/xyz2mun.h"
#include "engine_test_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

namespace tw::engine {
namespace {

using testing::realTable;

// Distance between two notations in the Munsell solid: hue as an angle at
// the radius of Chroma, so that near the neutral, where hue means little, a
// hue difference counts for little.
double notationDistance(float H1, float V1, float C1, float H2, float V2, float C2) {
    const double t1 = H1 * std::numbers::pi / 50, t2 = H2 * std::numbers::pi / 50;
    const double da = C1 * std::cos(t1) - C2 * std::cos(t2);
    const double db = C1 * std::sin(t1) - C2 * std::sin(t2);
    return std::max(std::hypot(da, db), static_cast<double>(std::fabs(V1 - V2)));
}

struct Trip {
    bool ok = false;
    double distance = 0;
};

// Munsell -> XYZ -> exact inverse; ok when the answer converts back within
// the tolerance and lies within 0.01 of the notation started from.
Trip roundTrip(float H, float V, float C, bool pwd, bool &inData) {
    Trip trip;
    float v = V, X, Y, Z, x = 0, y = 0;
    inData = mun2xyz(realTable(), Illuminant::C_1931, pwd, H, v, C, X, Y, Z, x, y)
        == Mun2XyzStatus::Ok;
    if (!inData) {
        return trip;
    }
    float h = 0, vb = 0, c = 0;
    if (xyz2munExact(realTable(), pwd, X, Y, Z, h, vb, c) != ExactStatus::Ok) {
        return trip;
    }
    float back = vb, Xb, Yb, Zb, xb = 0, yb = 0;
    const bool converts
        = mun2xyz(realTable(), Illuminant::C_1931, pwd, h, back, c, Xb, Yb, Zb, xb, yb)
        == Mun2XyzStatus::Ok;
    trip.distance = notationDistance(h, vb, c, H, V, C);
    trip.ok = converts && std::fabs(Xb - X) <= exactTolerance && std::fabs(Yb - Y) <= exactTolerance
        && std::fabs(Zb - Z) <= exactTolerance && trip.distance <= 0.01 && h >= 0.0f && h < 100.0f;
    return trip;
}

TEST(Xyz2MunExact, RandomColoursInsideTheDataComeBack) {
    std::mt19937 rng(17);
    std::uniform_real_distribution<float> hue(0.0f, 100.0f), value(0.2f, 9.5f), chroma(0.0f, 32.0f);
    int tried = 0, failures = 0;
    double definedWorst = 0;
    while (tried < 20000) {
        const float H = hue(rng), V = value(rng), C = chroma(rng);
        const bool pwd = tried % 4 == 0;
        bool inData = false;
        const Trip trip = roundTrip(H, V, C, pwd, inData);
        if (!inData) {
            continue;
        }
        ++tried;
        if (!trip.ok && ++failures <= 10) {
            ADD_FAILURE() << H << " " << V << "/" << C << (pwd ? " pwd" : "") << " came back "
                          << trip.distance << " away";
        }
        // The defined inverse, for comparison: between whole Values it is
        // not the inverse of mun2xyz.
        float vv = V, X, Y, Z, x = 0, y = 0, h = 0, vd = 0, c = 0;
        (void)mun2xyz(realTable(), Illuminant::C_1931, pwd, H, vv, C, X, Y, Z, x, y);
        if (xyz2mun(realTable(), pwd, h, vd, c, X, Y, Z) == Xyz2MunStatus::Ok) {
            definedWorst = std::max(definedWorst, notationDistance(h, vd, c, H, V, C));
        }
    }
    EXPECT_EQ(failures, 0) << "of " << tried;
    EXPECT_GT(definedWorst, 0.3) << "the two inverses should differ between whole Values";
}

TEST(Xyz2MunExact, EveryRealColourOfTheTableComesBack) {
    int failures = 0, tried = 0;
    for (const testing::Sample &s : testing::realSamples()) {
        if (s.chroma > tableChromaLimit) {
            continue;
        }
        bool inData = false;
        const float hue = s.hueNumber >= 100.0f ? s.hueNumber - 100.0f : s.hueNumber;
        const Trip trip = roundTrip(hue, s.value, s.chroma, false, inData);
        ++tried;
        if (!(inData && trip.ok) && ++failures <= 10) {
            ADD_FAILURE() << s.hue << " " << s.value << "/" << s.chroma;
        }
    }
    EXPECT_EQ(failures, 0) << "of " << tried;
}

// 10G 1/8 with X, Y, Z written to four decimals: Y rounds a hair below the
// Value 1 level, where mun2xyz blends in the Value 0 data, whose 10G ends
// at Chroma 2, and its chromaticity lies a hair beyond 10G's last ring. The
// notation 10G 1/8 itself converts to within 1e-4 of these X, Y, Z.
TEST(Xyz2MunExact, AnEdgeColourAHairBelowAWholeValue) {
    const float X = 0.1487f, Y = 1.2101f, Z = 1.5515f;
    ASSERT_LT(Y, value2y(1.0f, false));
    float H = -1, V = -1, C = -1;
    ASSERT_EQ(xyz2munExact(realTable(), false, X, Y, Z, H, V, C), ExactStatus::Ok);
    EXPECT_NEAR(H, 50.0f, 0.01f);
    EXPECT_NEAR(V, 1.0f, 0.01f);
    EXPECT_NEAR(C, 8.0f, 0.01f);
    float v = V, Xb, Yb, Zb, x, y;
    ASSERT_EQ(mun2xyz(realTable(), Illuminant::C_1931, false, H, v, C, Xb, Yb, Zb, x, y),
        Mun2XyzStatus::Ok);
    EXPECT_NEAR(Xb, X, exactTolerance);
    EXPECT_NEAR(Yb, Y, exactTolerance);
    EXPECT_NEAR(Zb, Z, exactTolerance);
    // A Y whose Value is not within reach of the whole one gains nothing:
    // no colour converts to these.
    EXPECT_EQ(xyz2munExact(realTable(), false, X, 1.2098f, Z, H, V, C), ExactStatus::NoColour);
}

TEST(Xyz2MunExact, ANeutralHasNoChroma) {
    float Y = value2y(5.0f, false);
    float H = -1, V = -1, C = -1;
    ASSERT_EQ(xyz2munExact(realTable(), false, neutralX * Y / neutralY, Y,
                  (1 - neutralX - neutralY) * Y / neutralY, H, V, C),
        ExactStatus::Ok);
    EXPECT_NEAR(V, 5.0f, 1e-5f);
    EXPECT_LT(C, 0.01f);
}

TEST(Xyz2MunExact, SaysWhenNoColourOfTheDataFits) {
    float H = -1, V = -1, C = -1;
    // A chromaticity beyond every real colour, at Value 5.
    EXPECT_EQ(
        xyz2munExact(realTable(), false, 60.0f, 19.77f, 0.5f, H, V, C), ExactStatus::NoColour);
    // Brighter than Value 9.5, where mun2xyz stops.
    EXPECT_EQ(
        xyz2munExact(realTable(), false, 95.0f, 97.0f, 114.0f, H, V, C), ExactStatus::NoColour);
    EXPECT_EQ(H, -1.0f) << "nothing is written on failure";
    // Not a colour at all.
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(xyz2munExact(realTable(), false, inf, 1, 1, H, V, C), ExactStatus::OutOfRange);
    EXPECT_EQ(xyz2munExact(realTable(), false, 1, -1, 1, H, V, C), ExactStatus::OutOfRange);
    EXPECT_EQ(xyz2munExact(realTable(), false, 0, 0, 0, H, V, C), ExactStatus::OutOfRange);
    EXPECT_EQ(xyz2munExact(RenotationTable(), false, 30, 20, 10, H, V, C), ExactStatus::NoColour)
        << "an empty table holds no colour";
}

} // namespace
} // namespace tw::engine
