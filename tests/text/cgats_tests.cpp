// CGATS files: keywords, the data format and the sets with their line
// numbers, several tables, and what is refused with its line.
#include "text/cgats.h"

#include <gtest/gtest.h>

namespace tw::text {
namespace {

const char *const twoTables = "CGATS.17\n"
                              "ORIGINATOR \"a test\"\n"
                              "# a comment\n"
                              "ILLUMINANT D50\n"
                              "WHITE_POINT \"96.42 100 82.49\"\n"
                              "NUMBER_OF_FIELDS 4\n"
                              "BEGIN_DATA_FORMAT\n"
                              "SAMPLE_ID XYZ_X XYZ_Y\n"
                              "XYZ_Z\n"
                              "END_DATA_FORMAT\n"
                              "NUMBER_OF_SETS 2\n"
                              "BEGIN_DATA\n"
                              "A1 30 20 10\n"
                              "\"A 2\" 1\n"
                              "  2 3 # wrapped\n"
                              "END_DATA\n"
                              "\n"
                              "CTI3\n"
                              "BEGIN_DATA_FORMAT SAMPLE_ID nm400 END_DATA_FORMAT\n"
                              "BEGIN_DATA 1 50 END_DATA\n";

TEST(Cgats, ReadsKeywordsFormatAndSets) {
    std::vector<CgatsTable> tables;
    std::string error;
    std::size_t line = 0;
    ASSERT_TRUE(readCgats(twoTables, tables, error, line)) << error << " line " << line;
    ASSERT_EQ(tables.size(), 2u);
    const CgatsTable &t = tables[0];
    EXPECT_EQ(t.identifier, "CGATS.17");
    ASSERT_NE(t.keyword("illuminant"), nullptr);
    EXPECT_EQ(*t.keyword("ILLUMINANT"), "D50");
    EXPECT_EQ(*t.keyword("WHITE_POINT"), "96.42 100 82.49");
    EXPECT_EQ(*t.keyword("ORIGINATOR"), "a test");
    EXPECT_EQ(t.fields, (std::vector<std::string> { "SAMPLE_ID", "XYZ_X", "XYZ_Y", "XYZ_Z" }));
    EXPECT_EQ(t.field("xyz_y"), 2);
    EXPECT_EQ(t.field("LAB_L"), -1);
    ASSERT_EQ(t.sets.size(), 2u);
    EXPECT_EQ(t.sets[0].values, (std::vector<std::string> { "A1", "30", "20", "10" }));
    EXPECT_EQ(t.sets[0].line, 13u);
    EXPECT_EQ(t.sets[1].values, (std::vector<std::string> { "A 2", "1", "2", "3" }));
    EXPECT_EQ(t.sets[1].line, 14u);
    EXPECT_EQ(tables[1].identifier, "CTI3");
    ASSERT_EQ(tables[1].sets.size(), 1u);
    EXPECT_EQ(tables[1].sets[0].values[1], "50");
}

struct Refusal {
    const char *text;
    const char *reason;
    std::size_t line;
};

class CgatsRefuses : public ::testing::TestWithParam<Refusal> { };

TEST_P(CgatsRefuses, WithTheLine) {
    std::vector<CgatsTable> tables;
    std::string error;
    std::size_t line = 0;
    EXPECT_FALSE(readCgats(GetParam().text, tables, error, line));
    EXPECT_NE(error.find(GetParam().reason), std::string::npos) << error;
    EXPECT_EQ(line, GetParam().line) << error;
}

INSTANTIATE_TEST_SUITE_P(Files, CgatsRefuses,
    ::testing::Values(Refusal { "CGATS.17\nBEGIN_DATA\n1\nEND_DATA\n", "before its format", 2 },
        Refusal { "X1\nBEGIN_DATA_FORMAT\nA B\nEND_DATA_FORMAT\nBEGIN_DATA\n1 2\n3\nEND_DATA\n",
            "last set holds 1 of its 2", 7 },
        Refusal { "X1\nNUMBER_OF_SETS 3\nBEGIN_DATA_FORMAT\nA\nEND_DATA_FORMAT\nBEGIN_DATA\n1\n"
                  "END_DATA\n",
            "NUMBER_OF_SETS says 3", 8 },
        Refusal { "X1\nBEGIN_DATA_FORMAT\nA A\nEND_DATA_FORMAT\n", "named twice", 3 },
        Refusal { "X1\nBEGIN_DATA_FORMAT\nA\n", "no END_DATA_FORMAT", 2 },
        Refusal { "X1\nBEGIN_DATA_FORMAT\nA\nEND_DATA_FORMAT\nBEGIN_DATA\n1\n", "no END_DATA", 5 },
        Refusal { "X1\nORIGINATOR \"open\n", "never closed", 2 },
        Refusal { "X1\nORIGINATOR me\n", "no data", 3 }));

TEST(Cgats, TheFirstLineOfAFile) {
    for (const char *line : { "CGATS.17", "CTI3", "IT8.7/2",
             "\xEF\xBB\xBF"
             "CGATS.5",
             "NUMBER_OF_FIELDS 4", "BEGIN_DATA_FORMAT", "ORIGINATOR \"x\"", "cgats" }) {
        EXPECT_TRUE(looksLikeCgats(line)) << line;
    }
    for (const char *line :
        { "30 20 10", "X,Y,Z", "sample X Y Z", "5R", "N5", "hello", "A1 30 20 10", "" }) {
        EXPECT_FALSE(looksLikeCgats(line)) << line;
    }
}

} // namespace
} // namespace tw::text
