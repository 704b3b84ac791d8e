// Every renotation sample at the integer Values 1 to 9 that the table holds,
// given as X, Y, Z with six decimals, must come back through xyz2mun with
// its own hue, Value and Chroma; and mun2xyz must reproduce its
// chromaticity.
#include "engine/mun2xyz.h"
#include "engine/notation.h"
#include "engine/xyz2mun.h"
#include "engine/xyz2mun_exact.h"
#include "engine_test_data.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>

namespace tw::engine {
namespace {

using testing::realTable;
using testing::renotationSamples;

double sixDecimals(double v) {
    return std::round(v * 1e6) / 1e6;
}

float hueDistance(float a, float b) {
    const float d = std::fmod(std::fabs(a - b), 100.0f);
    return std::min(d, 100.0f - d);
}

bool inTable(const testing::Sample &s, int &hueIndex, int &chromaIndex) {
    if (s.value != std::floor(s.value) || s.value < 1 || s.value > 9 || s.chroma > 32) {
        return false;
    }
    hueIndex = static_cast<int>(std::lround(s.hueNumber / 2.5f)) % 40;
    chromaIndex = static_cast<int>(std::lround(s.chroma / 2));
    const int v = static_cast<int>(s.value);
    return realTable().at(v, hueIndex, chromaIndex, 0) == std::lround(s.x * 10000)
        && realTable().at(v, hueIndex, chromaIndex, 0) != 0;
}

TEST(RoundTrip, EveryTableSampleComesBackThroughXyz2Mun) {
    int checked = 0;
    int failures = 0;
    for (const testing::Sample &s : renotationSamples()) {
        int h = 0, c = 0;
        if (!inTable(s, h, c)) {
            continue;
        }
        ++checked;
        const double Yd = value2y(s.value, false);
        float X = static_cast<float>(sixDecimals(s.x * Yd / s.y));
        float Y = static_cast<float>(sixDecimals(Yd));
        float Z = static_cast<float>(sixDecimals((1.0 - s.x - s.y) * Yd / s.y));
        float H = 0, V = 0, C = 0;
        const Xyz2MunStatus status = xyz2mun(realTable(), false, H, V, C, X, Y, Z);
        const bool ok = status == Xyz2MunStatus::Ok && hueDistance(H, s.hueNumber) <= 0.01f
            && std::fabs(V - s.value) <= 0.01f && std::fabs(C - s.chroma) <= 0.01f;
        if (!ok && ++failures <= 20) {
            ADD_FAILURE() << s.hue << " " << s.value << "/" << s.chroma << " came back as H " << H
                          << " V " << V << " C " << C
                          << (status == Xyz2MunStatus::Ok ? "" : " (out of range)");
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(checked, 3700) << "the table should hold about 3800 samples at Values 1 to 9";
}

TEST(RoundTrip, Mun2XyzReproducesEverySampleChromaticity) {
    for (const testing::Sample &s : renotationSamples()) {
        int h = 0, c = 0;
        if (!inTable(s, h, c)) {
            continue;
        }
        float V = s.value;
        float X, Y, Z, x = 0, y = 0;
        const float hue = s.hueNumber >= 100.0f ? s.hueNumber - 100.0f : s.hueNumber;
        const Mun2XyzStatus status
            = mun2xyz(realTable(), Illuminant::C_1931, false, hue, V, s.chroma, X, Y, Z, x, y);
        // The outermost chroma of a hue has no ring beyond it to interpolate
        // towards; everything else converts.
        if (realTable().at(static_cast<int>(s.value), h, c + 1, 0) == 0
            || realTable().at(static_cast<int>(s.value), h + 1, c + 1, 0) == 0
            || realTable().at(static_cast<int>(s.value) + 1, h, c + 1, 0) == 0
            || realTable().at(static_cast<int>(s.value) + 1, h + 1, c + 1, 0) == 0
            || realTable().at(static_cast<int>(s.value) + 1, h, c, 0) == 0
            || realTable().at(static_cast<int>(s.value) + 1, h + 1, c, 0) == 0
            || realTable().at(static_cast<int>(s.value), h + 1, c, 0) == 0) {
            continue;
        }
        ASSERT_EQ(status, Mun2XyzStatus::Ok) << s.hue << " " << s.value << "/" << s.chroma;
        EXPECT_NEAR(x, s.x, 1e-6f) << s.hue << " " << s.value << "/" << s.chroma;
        EXPECT_NEAR(y, s.y, 1e-6f) << s.hue << " " << s.value << "/" << s.chroma;
    }
}

// At a whole Value the inversion is exact by construction: a colour
// interpolated inside a cell comes back with its own hue and Chroma. Colours
// on a cell's edges, and a hair to either side of one, are those the edge
// tolerance of the cell search admits into a neighbouring cell; they too
// must come back within 0.01.
TEST(RoundTrip, ColoursOnAndBesideCellEdgesAtWholeValues) {
    const RenotationTable &t = realTable();
    std::mt19937 rng(1616);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const float offsets[] = { 0.0f, 1e-5f, -1e-5f, 1e-4f, -1e-4f, 1e-3f, -1e-3f };
    int checked = 0;
    int failures = 0;
    for (int v = 1; v <= 9; ++v) {
        for (int h = 0; h < 40; ++h) {
            for (int c = 1; c < 16; ++c) {
                if (t.at(v, h, c + 1, 0) == 0 || t.at(v, h + 1, c + 1, 0) == 0
                    || t.at(v, h + 2, c + 1, 0) == 0 || t.at(v + 1, h, c + 1, 0) == 0
                    || t.at(v + 1, h + 1, c + 1, 0) == 0) {
                    continue;
                }
                for (const float d : offsets) {
                    // Beside a hue edge (hue h + 1, Chroma inside the ring),
                    // then beside a chroma ring (Chroma c, hue inside).
                    const float notations[2][2] = {
                        { 2.5f * (h + 1) + d, 2.0f * (c + unit(rng)) },
                        { 2.5f * (h + unit(rng)), 2.0f * c + d },
                    };
                    for (const auto &n : notations) {
                        float V = static_cast<float>(v), X, Y, Z, x = 0, y = 0;
                        if (n[0] < 0.0f || n[0] >= 100.0f
                            || mun2xyz(t, Illuminant::C_1931, false, n[0], V, n[1], X, Y, Z, x, y)
                                != Mun2XyzStatus::Ok) {
                            continue;
                        }
                        ++checked;
                        float H = 0, Vb = 0, C = 0;
                        const Xyz2MunStatus status = xyz2mun(t, false, H, Vb, C, X, Y, Z);
                        const bool ok = status == Xyz2MunStatus::Ok && hueDistance(H, n[0]) <= 0.01f
                            && std::fabs(C - n[1]) <= 0.01f;
                        if (!ok && ++failures <= 10) {
                            ADD_FAILURE() << "H " << n[0] << " V " << v << " C " << n[1]
                                          << " came back as H " << H << " V " << Vb << " C " << C;
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(failures, 0) << "of " << checked;
    EXPECT_GT(checked, 30000);
}

// Every real renotation colour the table holds (Chroma up to 32) converts
// to XYZ and comes back within 0.01; those beyond Chroma 32 lie outside the
// table. (The table's chromaticities come from the full set, which differs
// from this one at 10Y 4/2 and 2.5R 9/2; Mun2XyzReproducesEverySampleChromaticity
// holds them to the full set.)
TEST(RoundTrip, EveryRealColourOfTheTableConvertsBothWays) {
    int inTable = 0, beyond = 0, failures = 0;
    for (const testing::Sample &s : testing::realSamples()) {
        float V = s.value, X, Y, Z, x = 0, y = 0;
        const float hue = s.hueNumber >= 100.0f ? s.hueNumber - 100.0f : s.hueNumber;
        const Mun2XyzStatus status
            = mun2xyz(realTable(), Illuminant::C_1931, false, hue, V, s.chroma, X, Y, Z, x, y);
        if (s.chroma > 32.0f) {
            ++beyond;
            EXPECT_EQ(status, Mun2XyzStatus::OutsideData)
                << s.hue << " " << s.value << "/" << s.chroma;
            continue;
        }
        ++inTable;
        float H = 0, Vb = 0, C = 0;
        const bool ok = status == Mun2XyzStatus::Ok
            && xyz2mun(realTable(), false, H, Vb, C, X, Y, Z) == Xyz2MunStatus::Ok
            && hueDistance(H, s.hueNumber) <= 0.01f && std::fabs(Vb - s.value) <= 0.01f
            && std::fabs(C - s.chroma) <= 0.01f;
        if (!ok && ++failures <= 20) {
            ADD_FAILURE() << s.hue << " " << s.value << "/" << s.chroma
                          << (status == Mun2XyzStatus::Ok ? "" : " does not convert to XYZ")
                          << ", came back as H " << H << " V " << Vb << " C " << C;
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(inTable, 2724);
    EXPECT_EQ(beyond, 10);
}

// X, Y, Z as the converter writes them (four decimals) and reads them back.
float fourDecimals(float v) {
    char text[64];
    const auto written = std::to_chars(
        text, text + sizeof text, static_cast<double>(v), std::chars_format::fixed, 4);
    double read = 0.0;
    (void)std::from_chars(text, written.ptr, read);
    return static_cast<float>(read);
}

// Every real colour of the table, converted to X, Y, Z and written with four
// decimals, comes back within 0.01 in hue, Value and Chroma through xyz2mun
// and through xyz2munExact, on either Value scale. (The four decimals put
// the colours at the outermost Chroma of their hue a few millionths beyond
// the data, and a Y a hair below its whole Value.)
TEST(RoundTrip, EveryRealColourComesBackFromItsFourDecimalTexts) {
    int tried = 0, failures = 0;
    for (const bool pwd : { false, true }) {
        for (const testing::Sample &s : testing::realSamples()) {
            if (s.chroma > tableChromaLimit) {
                continue;
            }
            float V = s.value, X, Y, Z, x = 0, y = 0;
            const float hue = wrapHue(s.hueNumber);
            ASSERT_EQ(
                mun2xyz(realTable(), Illuminant::C_1931, pwd, hue, V, s.chroma, X, Y, Z, x, y),
                Mun2XyzStatus::Ok)
                << s.hue << " " << s.value << "/" << s.chroma;
            X = fourDecimals(X);
            Y = fourDecimals(Y);
            Z = fourDecimals(Z);
            ++tried;
            const auto near = [&](float H, float Vb, float C) {
                return hueDistance(H, s.hueNumber) <= 0.01f && std::fabs(Vb - s.value) <= 0.01f
                    && std::fabs(C - s.chroma) <= 0.01f;
            };
            float H = 0, Vb = 0, C = 0, Yb = Y;
            const bool defined = xyz2mun(realTable(), pwd, H, Vb, C, X, Yb, Z) == Xyz2MunStatus::Ok
                && near(H, Vb, C);
            float He = 0, Ve = 0, Ce = 0;
            const bool exact
                = xyz2munExact(realTable(), pwd, X, Y, Z, He, Ve, Ce) == ExactStatus::Ok
                && near(He, Ve, Ce);
            if (!(defined && exact) && ++failures <= 20) {
                ADD_FAILURE() << s.hue << " " << s.value << "/" << s.chroma << (pwd ? " pwd" : "")
                              << " from " << X << " " << Y << " " << Z
                              << (defined ? "" : ": xyz2mun missed")
                              << (exact ? "" : ": exact missed");
            }
        }
    }
    EXPECT_EQ(failures, 0) << "of " << tried;
    EXPECT_EQ(tried, 2 * 2724);
}

} // namespace
} // namespace tw::engine
