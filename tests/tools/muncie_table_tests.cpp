#include "tools/muncie/muncie_table.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tw::tools {
namespace {

constexpr const char *kHeader = "hue,value,chroma,x,y,Y\n";

MuncieBuild build(const std::string &rows) {
    std::istringstream csv(kHeader + rows);
    return buildMuncieTable(csv);
}

// Number of cells outside chroma index 0 that hold a sample.
int filledCells(const MuncieTable &table) {
    int filled = 0;
    for (int value = 0; value < MuncieTable::kValues; ++value) {
        for (int hue = 0; hue < MuncieTable::kHues; ++hue) {
            for (int chroma = 1; chroma < MuncieTable::kChromas; ++chroma) {
                filled += table.at(value, hue, chroma) != MunciePair {};
            }
        }
    }
    return filled;
}

struct HueCase {
    const char *name;
    const char *hue;
    int index;
};

void PrintTo(const HueCase &c, std::ostream *os) {
    *os << c.name;
}

class MuncieHueTest : public ::testing::TestWithParam<HueCase> { };

TEST_P(MuncieHueTest, SampleLandsAtItsHueIndexOnly) {
    const HueCase &c = GetParam();
    const MuncieBuild result = build(std::string(c.hue) + ",5.0,4.0,0.4516,0.3001,19.77\n");
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.table.at(5, c.index, 2), (MunciePair { 4516, 3001 }));
    EXPECT_EQ(filledCells(result.table), 1);
}

INSTANTIATE_TEST_SUITE_P(Rows, MuncieHueTest,
    ::testing::Values(HueCase { "TenRPIsHueZero", "10RP", 0 },
        HueCase { "ZeroRIsHueZero", "0R", 0 }, HueCase { "FirstStep", "2.5R", 1 },
        HueCase { "TenR", "10R", 4 }, HueCase { "TwoLetterFamily", "2.5YR", 5 },
        HueCase { "FamilyY", "10Y", 12 }, HueCase { "FamilyPB", "5PB", 30 },
        HueCase { "LastStep", "7.5RP", 39 }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MuncieTableTest, ValueZeroComesFromValuePointTwoAlone) {
    const MuncieBuild result = build("5R,0.4,2.0,0.6000,0.3000,0.5\n"
                                     "5R,0.2,2.0,0.5010,0.2040,0.237\n"
                                     "5R,0.6,2.0,0.7000,0.3000,0.7\n"
                                     "5R,1.0,2.0,0.3629,0.3130,1.21\n");
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.table.at(0, 2, 1), (MunciePair { 5010, 2040 }));
    EXPECT_EQ(result.table.at(1, 2, 1), (MunciePair { 3629, 3130 }));
    EXPECT_EQ(filledCells(result.table), 2);
}

struct RunEndCase {
    const char *name;
    const char *x;
    const char *y;
};

void PrintTo(const RunEndCase &c, std::ostream *os) {
    *os << c.name;
}

class MuncieRunEndTest : public ::testing::TestWithParam<RunEndCase> { };

TEST_P(MuncieRunEndTest, NonPositiveSampleEndsTheChromaRun) {
    const RunEndCase &c = GetParam();
    const MuncieBuild result = build(std::string("7.5GY,1.0,2.0,0.2620,0.8370,1.2\n")
        + "7.5GY,1.0,4.0," + c.x + "," + c.y + ",1.2\n" + "7.5GY,1.0,6.0,0.3000,0.9000,1.2\n"
        + "7.5GY,2.0,6.0,0.3000,0.6000,3.1\n");
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.table.at(1, 15, 1), (MunciePair { 2620, 8370 }));
    EXPECT_EQ(result.table.at(1, 15, 2), MunciePair {});
    EXPECT_EQ(result.table.at(1, 15, 3), MunciePair {});
    // Another Value at the same hue keeps its samples.
    EXPECT_EQ(result.table.at(2, 15, 3), (MunciePair { 3000, 6000 }));
}

INSTANTIATE_TEST_SUITE_P(Rows, MuncieRunEndTest,
    ::testing::Values(RunEndCase { "NegativeX", "-0.0780", "2.1600" },
        RunEndCase { "NegativeY", "0.2000", "-0.0100" }, RunEndCase { "ZeroX", "0.0000", "0.5000" },
        RunEndCase { "ZeroY", "0.2000", "0" },
        // Rounds to zero at four decimals.
        RunEndCase { "XBelowHalfAUnit", "0.00004", "0.5000" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MuncieTableTest, ChromaZeroIsTheNeutralPointEverywhere) {
    const MuncieBuild result = build("");
    ASSERT_TRUE(result.ok()) << result.error;
    for (int value = 0; value < MuncieTable::kValues; ++value) {
        for (int hue = 0; hue < MuncieTable::kHues; ++hue) {
            EXPECT_EQ(result.table.at(value, hue, 0), (MunciePair { 3101, 3163 }));
        }
    }
    EXPECT_EQ(filledCells(result.table), 0);
}

TEST(MuncieTableTest, MissingSampleIsZeroAndDoesNotEndTheRun) {
    const MuncieBuild result = build("5B,4.0,2.0,0.2600,0.2900,12\n"
                                     "5B,4.0,6.0,0.2200,0.2600,12\n");
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.table.at(4, 26, 2), MunciePair {});
    EXPECT_EQ(result.table.at(4, 26, 3), (MunciePair { 2200, 2600 }));
    EXPECT_EQ(result.table.at(4, 25, 1), MunciePair {});
}

TEST(MuncieTableTest, ChromasAbove32AreIgnored) {
    const MuncieBuild result = build("5PB,3.0,32.0,0.1600,0.1000,6.5\n"
                                     "5PB,3.0,34.0,0.1550,0.0950,6.5\n"
                                     "5PB,3.0,50.0,0.1500,0.0900,6.5\n");
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.table.at(3, 30, 16), (MunciePair { 1600, 1000 }));
    EXPECT_EQ(filledCells(result.table), 1);
}

TEST(MuncieTableTest, AcceptsCrLfBlankLinesAndFiveColumns) {
    std::istringstream csv("hue,value,chroma,x,y\r\n\r\n5R,5.0,10.0,0.4747,0.3227\r\n");
    const MuncieBuild result = buildMuncieTable(csv);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.table.at(5, 2, 5), (MunciePair { 4747, 3227 }));
}

struct FaultCase {
    const char *name;
    const char *csv;
    std::size_t line;
    const char *message;
};

void PrintTo(const FaultCase &c, std::ostream *os) {
    *os << c.name;
}

class MuncieFaultTest : public ::testing::TestWithParam<FaultCase> { };

TEST_P(MuncieFaultTest, ReportsLineAndReason) {
    const FaultCase &c = GetParam();
    std::istringstream csv(c.csv);
    const MuncieBuild result = buildMuncieTable(csv);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.errorLine, c.line);
    EXPECT_NE(result.error.find(c.message), std::string::npos) << result.error;
}

INSTANTIATE_TEST_SUITE_P(Rows, MuncieFaultTest,
    ::testing::Values(FaultCase { "EmptyInput", "", 1, "header" },
        FaultCase { "NoHeader", "5R,5.0,10.0,0.4747,0.3227\n", 1, "header" },
        FaultCase { "TooFewFields", "hue,value,chroma,x,y\n5R,5.0,10.0\n", 2, "found 3" },
        FaultCase { "BadNumber", "hue,value,chroma,x,y\n5R,5,2,0.30,0.3\n5R,5,4,0.4x,0.3\n", 3,
            "x \"0.4x\"" },
        FaultCase { "UnknownFamily", "hue,value,chroma,x,y\n5Q,5,2,0.3,0.3\n", 2, "\"5Q\"" },
        FaultCase { "NoStep", "hue,value,chroma,x,y\nRP,5,2,0.3,0.3\n", 2, "\"RP\"" },
        FaultCase { "StepAboveTen", "hue,value,chroma,x,y\n12.5R,5,2,0.3,0.3\n", 2, "\"12.5R\"" },
        FaultCase { "NotAStepOf2Point5", "hue,value,chroma,x,y\n3R,5,2,0.3,0.3\n", 2, "2.5" },
        FaultCase { "OddChroma", "hue,value,chroma,x,y\n5R,5,3,0.3,0.3\n", 2, "Chroma \"3\"" },
        FaultCase { "ZeroChroma", "hue,value,chroma,x,y\n5R,5,0,0.3,0.3\n", 2, "Chroma \"0\"" },
        FaultCase { "ValueAboveTen", "hue,value,chroma,x,y\n5R,11,2,0.3,0.3\n", 2, "Value \"11\"" },
        FaultCase { "TooLargeForTable", "hue,value,chroma,x,y\n5R,5,2,3.2768,0.3\n", 2, "large" },
        // 10RP and 0R are the same hue.
        FaultCase { "Duplicate", "hue,value,chroma,x,y\n10RP,5,2,0.3,0.3\n\n0R,5.0,2.0,0.3,0.3\n",
            4, "line 2" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MuncieTableTest, TextHas34NumbersPerCrLfLineInValueHueChromaOrder) {
    MuncieTable table;
    table.at(0, 0, 0) = kNeutralPair;
    table.at(3, 7, 5) = { 1234, 4567 };
    const std::string text = muncieText(table);

    std::vector<std::vector<std::string>> lines;
    std::size_t start = 0;
    for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n "), std::string::npos) << "stray line break or blank";
        std::vector<std::string> &numbers = lines.emplace_back();
        std::istringstream fields(line);
        for (std::string number; std::getline(fields, number, ',');) {
            numbers.push_back(number);
        }
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "the text must end with CR LF";
    ASSERT_EQ(lines.size(), 11u * 40u);
    std::size_t numbers = 0;
    for (const auto &line : lines) {
        EXPECT_EQ(line.size(), 34u);
        numbers += line.size();
    }
    EXPECT_EQ(numbers, 14960u);
    EXPECT_EQ(lines[0][0], "3101");
    EXPECT_EQ(lines[0][1], "3163");
    EXPECT_EQ(lines[3 * 40 + 7][10], "1234");
    EXPECT_EQ(lines[3 * 40 + 7][11], "4567");
    EXPECT_EQ(lines[3 * 40 + 7][12], "0");
}

} // namespace
} // namespace tw::tools
