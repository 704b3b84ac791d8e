#include "engine/spectral.h"

#include <gtest/gtest.h>

namespace tw::engine {
namespace {

TEST(Tristimulus, PerfectWhiteSumsToTheWeightColumns) {
    Spectrum s {};
    s.fill(100.0f);
    float X, Y, Z;
    tris(s, X, Y, Z);
    EXPECT_NEAR(X, 98.074f, 1e-3f);
    EXPECT_NEAR(Y, 100.000f, 1e-3f);
    EXPECT_NEAR(Z, 118.230f, 1e-3f) << "0.002 below the white point";
}

TEST(Tristimulus, SingleWavelength) {
    Spectrum s {};
    s[20] = 100.0f; // 550 nm
    s[0] = 5000.0f; // slot 0 is not a wavelength
    float X, Y, Z;
    tris(s, X, Y, Z);
    EXPECT_NEAR(X, 4.285f, 1e-5f);
    EXPECT_NEAR(Y, 9.831f, 1e-5f);
    EXPECT_NEAR(Z, 0.086f, 1e-5f);
}

TEST(Tristimulus, WeightTableWhiteRow) {
    const WeightTable &w = getweights();
    EXPECT_FLOAT_EQ(w[0].x, 98.074f);
    EXPECT_FLOAT_EQ(w[0].z, 118.232f);
    EXPECT_FLOAT_EQ(w[28].z, 0.0f);
}

} // namespace
} // namespace tw::engine
