#include "engine/renotation_table.h"

#include "engine_test_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace tw::engine {
namespace {

// A file's worth of numbers: each pair encodes its own position so that a
// misplaced read shows. `separator` goes between numbers.
std::string syntheticFile(const std::string &separator, int count = RenotationTable::fileNumbers) {
    std::string s;
    for (int i = 0; i < count; ++i) {
        const int pair = i / 2;
        const int chroma = pair % 17;
        const int hue = (pair / 17) % 40;
        const int value = pair / (17 * 40);
        const int number = (i % 2 == 0) ? 1000 + value * 100 + chroma : 2000 + hue;
        s += std::to_string(number);
        s += separator;
    }
    return s;
}

TEST(RenotationTable, LayoutAndFixedCells) {
    RenotationTable t;
    std::string error;
    ASSERT_TRUE(t.loadText(syntheticFile(","), "test", error)) << error;
    for (int v = 0; v <= 10; ++v) {
        for (int h = 0; h < 40; ++h) {
            // Chroma 0 is the neutral point whatever the file held.
            EXPECT_EQ(t.at(v, h, 0, 0), 3101);
            EXPECT_EQ(t.at(v, h, 0, 1), 3163);
            for (int c = 1; c <= 16; ++c) {
                ASSERT_EQ(t.at(v, h, c, 0), 1000 + v * 100 + c);
                ASSERT_EQ(t.at(v, h, c, 1), 2000 + h);
            }
            for (int c = 17; c < RenotationTable::chromas; ++c) {
                EXPECT_EQ(t.at(v, h, c, 0), 0);
                EXPECT_EQ(t.at(v, h, c, 1), 0);
            }
        }
        for (int c = 0; c <= 16; ++c) {
            EXPECT_EQ(t.at(v, 40, c, 0), t.at(v, 0, c, 0));
            EXPECT_EQ(t.at(v, 40, c, 1), t.at(v, 0, c, 1));
            EXPECT_EQ(t.at(v, 41, c, 0), 0);
            EXPECT_EQ(t.at(v, 41, c, 1), 0);
        }
    }
}

TEST(RenotationTable, SeparatorsDoNotMatter) {
    RenotationTable commas;
    RenotationTable lines;
    RenotationTable mixed;
    std::string error;
    ASSERT_TRUE(commas.loadText(syntheticFile(","), "a", error));
    ASSERT_TRUE(lines.loadText(syntheticFile("\r\n"), "b", error));
    ASSERT_TRUE(mixed.loadText(syntheticFile(" , \t"), "c", error));
    for (int v = 0; v <= 10; ++v) {
        for (int h = 0; h < RenotationTable::hues; ++h) {
            for (int c = 0; c < RenotationTable::chromas; ++c) {
                for (int k = 0; k < 2; ++k) {
                    ASSERT_EQ(commas.at(v, h, c, k), lines.at(v, h, c, k));
                    ASSERT_EQ(commas.at(v, h, c, k), mixed.at(v, h, c, k));
                }
            }
        }
    }
}

TEST(RenotationTable, DecimalsRoundHalfToEvenAndExtraNumbersAreIgnored) {
    std::string text = "0,0,";
    text += "2.5,3.5,"; // (0, 0, 1): 2 and 4
    text += syntheticFile(",", RenotationTable::fileNumbers - 4);
    text += "junk after the end";
    RenotationTable t;
    std::string error;
    ASSERT_TRUE(t.loadText(text, "t", error)) << error;
    EXPECT_EQ(t.at(0, 0, 1, 0), 2);
    EXPECT_EQ(t.at(0, 0, 1, 1), 4);
}

struct BadFileCase {
    const char *name;
    std::string text;
    const char *expected; // part of the message
};

class BrokenFile : public ::testing::TestWithParam<BadFileCase> { };

TEST_P(BrokenFile, IsRefusedWithAMessageAndTheTableKept) {
    RenotationTable t;
    std::string error;
    ASSERT_TRUE(t.loadText(syntheticFile(","), "good", error));
    const std::int16_t before = t.at(3, 5, 7, 0);
    EXPECT_FALSE(t.loadText(GetParam().text, "Muncie.dat", error));
    EXPECT_NE(error.find("Muncie.dat"), std::string::npos) << error;
    EXPECT_NE(error.find(GetParam().expected), std::string::npos) << error;
    EXPECT_EQ(t.at(3, 5, 7, 0), before);
}

INSTANTIATE_TEST_SUITE_P(Files, BrokenFile,
    ::testing::Values(BadFileCase { "Empty", "", "holds 0 numbers" },
        BadFileCase { "TooFew", syntheticFile(",", 14959), "holds 14959 numbers" },
        BadFileCase { "NotANumber", "12,abc," + syntheticFile(","),
            "\"abc\", which is not a number (line 1, number 2)" },
        BadFileCase { "SecondLine", "1,2\r\n3,x4", "line 2, number 4" },
        BadFileCase { "TooLarge", "40000," + syntheticFile(","), "outside the range" },
        BadFileCase { "TooSmall", "-32769," + syntheticFile(","), "outside the range" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RenotationTable, MissingFileNamesIt) {
    RenotationTable t;
    std::string error;
    EXPECT_FALSE(t.loadFile("/nonexistent/dir/Muncie.dat", error));
    EXPECT_NE(error.find("/nonexistent/dir/Muncie.dat"), std::string::npos) << error;
    EXPECT_FALSE(t.loaded());
}

TEST(RenotationTable, ProjectDataHoldsTheDesignColour) {
    const RenotationTable &t = testing::realTable();
    ASSERT_TRUE(t.loaded());
    // The design colour 5R 5/10 is stored as its renotation x, y times 10000.
    for (const auto &s : testing::renotationSamples()) {
        if (s.hue == "5R" && s.value == 5.0f && s.chroma == 10.0f) {
            EXPECT_EQ(t.at(5, 2, 5, 0), static_cast<int>(std::lround(s.x * 10000)));
            EXPECT_EQ(t.at(5, 2, 5, 1), static_cast<int>(std::lround(s.y * 10000)));
            return;
        }
    }
    FAIL() << "5R 5/10 not among the samples";
}

// The point accessor gives each real colour's published chromaticity (to
// the float nearest its four decimals), the neutral at chroma 0, and 0, 0
// where the table holds no colour.
TEST(RenotationTable, PointsAreThePublishedChromaticities) {
    const RenotationTable &t = testing::realTable();
    int checked = 0;
    for (const auto &s : testing::realSamples()) {
        if (s.chroma > 32.0f || (s.hue == "10Y" && s.value == 4.0f && s.chroma == 2.0f)
            || (s.hue == "2.5R" && s.value == 9.0f && s.chroma == 2.0f)) {
            continue; // beyond the table, or one of the two the full set gives otherwise
        }
        const int h = static_cast<int>(std::lround(s.hueNumber / 2.5f)) % 40;
        const Point p = t.point(static_cast<int>(s.value), h, static_cast<int>(s.chroma / 2));
        ASSERT_EQ(p.x, s.x) << s.hue << " " << s.value << "/" << s.chroma;
        ASSERT_EQ(p.y, s.y) << s.hue << " " << s.value << "/" << s.chroma;
        ++checked;
    }
    EXPECT_EQ(checked, 2722);
    for (int v = 0; v <= 10; ++v) {
        EXPECT_EQ(t.point(v, 17, 0).x, 0.3101f);
        EXPECT_EQ(t.point(v, 17, 0).y, 0.3163f);
    }
    EXPECT_EQ(t.point(1, 20, 5).x, 0.0f) << "10G 1/10 lies beyond the real colours";
    EXPECT_EQ(t.point(1, 20, 5).y, 0.0f);
}

} // namespace
} // namespace tw::engine
