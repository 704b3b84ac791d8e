// Notations as people write them: every usual spelling read, neutrals as N,
// what is refused, and the notation written back read again.
#include "engine/notation_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace tw::engine {
namespace {

struct Spelling {
    const char *text;
    bool neutral;
    float H, V, C;
};

class Spellings : public ::testing::TestWithParam<Spelling> { };

TEST_P(Spellings, ReadAsTheSameNotation) {
    WrittenNotation n;
    std::string why;
    ASSERT_TRUE(readNotation(GetParam().text, n, why)) << GetParam().text << ": " << why;
    EXPECT_EQ(n.neutral, GetParam().neutral) << GetParam().text;
    EXPECT_FLOAT_EQ(n.H, GetParam().H) << GetParam().text;
    EXPECT_FLOAT_EQ(n.V, GetParam().V) << GetParam().text;
    EXPECT_FLOAT_EQ(n.C, GetParam().C) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Usual, Spellings,
    ::testing::Values(Spelling { "5R 5/10", false, 5, 5, 10 },
        Spelling { "5R5/10", false, 5, 5, 10 }, Spelling { "5R 5 10", false, 5, 5, 10 },
        Spelling { " 2.5yr 6 / 4 ", false, 12.5f, 6, 4 }, Spelling { "10RP 3/2", false, 100, 3, 2 },
        Spelling { "7.5pb4/10.7", false, 77.5f, 4, 10.7f }, Spelling { "N 5/", true, 0, 5, 0 },
        Spelling { "n5/", true, 0, 5, 0 }, Spelling { "N5", true, 0, 5, 0 },
        Spelling { "N 5/0", true, 0, 5, 0 }, Spelling { "N 5.25/", true, 0, 5.25f, 0 },
        Spelling { "N 9.5/ ", true, 0, 9.5f, 0 }));

TEST(Notations, WhatIsNoNotationIsRefusedWithAReason) {
    for (const char *text : { "", "5X 5/10", "5R 5", "5R 5/", "N", "N 5/4", "R 5/10", "5R 5/10 x",
             "NN 5/", "5 R5/10/2" }) {
        WrittenNotation n;
        std::string why;
        EXPECT_FALSE(readNotation(text, n, why)) << text;
        EXPECT_FALSE(why.empty()) << text;
    }
    std::optional<float> value;
    EXPECT_TRUE(readNeutral("N", value));
    EXPECT_FALSE(value.has_value()) << "the Value comes from elsewhere";
    EXPECT_TRUE(readNeutral(" n 2.5/ ", value));
    EXPECT_EQ(value, 2.5f);
    EXPECT_FALSE(readNeutral("N 5/2", value)) << "a neutral has Chroma 0";
    EXPECT_FALSE(readNeutral("5R", value));
}

// What the converter writes reads back as the same notation.
TEST(Notations, WrittenNotationsReadBack) {
    const float cases[][3] = { { 5, 5, 10 }, { 0, 4, 6 }, { 99.996f, 2, 3 }, { 37.5f, 8.25f, 0 },
        { 62.4f, 1.5f, 0.004f } };
    for (const auto &c : cases) {
        const std::string text = notationText(c[0], c[1], c[2], 2);
        WrittenNotation n;
        std::string why;
        ASSERT_TRUE(readNotation(text, n, why)) << text << ": " << why;
        EXPECT_EQ(n.neutral, c[2] < 0.005f) << text;
        EXPECT_NEAR(n.V, c[1], 0.005f) << text;
        EXPECT_NEAR(n.C, c[2], 0.005f) << text;
        if (!n.neutral) {
            const float dh = std::fabs(n.H - c[0]);
            EXPECT_LE(std::min(dh, 100.0f - dh), 0.005f) << text;
        }
    }
    EXPECT_EQ(notationText(5, 5, 10, 2), "5.00R 5.00/10.00");
    EXPECT_EQ(notationText(37.5f, 8.25f, 0, 1), "N 8.3/");
}

} // namespace
} // namespace tw::engine
