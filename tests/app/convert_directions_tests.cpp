// The directions beyond XYZ, the screen's refusals, --exact, and the
// program's behaviour as a Unix tool.
#include "app/convert_cli.h"

#include "convert_test_support.h"
#include "engine/notation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>
#include <sstream>

namespace tw::app {
namespace {

using testing::convertOne;
using testing::runProgram;

struct Notation {
    float H, V, C;
};

Notation readNotation(const std::string &line) {
    std::istringstream in(line);
    std::string hue;
    Notation n {};
    in >> hue >> n.V >> n.C;
    bool formatError = false;
    n.H = engine::converth(hue, formatError);
    EXPECT_FALSE(formatError) << line;
    return n;
}

// Hue is measured along its circle at the colour's Chroma (100 hue steps
// make a circle), so that a near-grey's ill-defined hue counts for what it
// is worth.
void expectNear(const Notation &a, const Notation &b, float tolerance, const std::string &what) {
    const float dh = std::fmod(std::fabs(a.H - b.H), 100.0f);
    const float arc = std::min(dh, 100.0f - dh) * 6.2831853f / 100.0f * std::max(a.C, b.C);
    EXPECT_LE(arc, tolerance) << what;
    EXPECT_NEAR(a.V, b.V, tolerance) << what;
    EXPECT_NEAR(a.C, b.C, tolerance) << what;
}

const char *notations[] = { "5R 5 10", "5PB 4 8", "2.5G 6 6", "5Y 8 4", "5RP 2 6", "10YR 3 2" };

// to-FORM then from-FORM of each notation: the line `to` prints must match
// `pattern`, and the notation come back within `tolerance`.
void thereAndBack(const char *form, const std::string &pattern, float tolerance) {
    for (const char *n : notations) {
        bool ok = false;
        const std::string there = convertOne({ std::string("to-") + form }, n, ok);
        ASSERT_TRUE(ok) << n << ": " << there;
        EXPECT_TRUE(std::regex_match(there, std::regex(pattern))) << there;
        const std::string back = convertOne({ std::string("from-") + form }, there, ok);
        ASSERT_TRUE(ok) << there << ": " << back;
        expectNear(readNotation(back), readNotation(n), tolerance,
            std::string(n) + " -> " + there + " -> " + back);
    }
}

TEST(ConvertDirections, LabThereAndBackAgain) {
    // Through the two decimals of the boxes and CIELAB's own white.
    thereAndBack("lab", R"(^-?\d*\.\d\d -?\d*\.\d\d -?\d*\.\d\d$)", 0.1f);
    bool ok = false;
    // Y of Value 5 is 19.766: L* = 116 (0.19766)^0.333333 - 16.
    EXPECT_EQ(convertOne({ "to-lab" }, "5R 5 10", ok).substr(0, 6), "51.57 ");
    // Under D50 the white moves and so does a*.
    EXPECT_NE(convertOne({ "to-lab", "--illuminant", "D50" }, "5R 5 10", ok),
        convertOne({ "to-lab" }, "5R 5 10", ok));
}

TEST(ConvertDirections, RgbThereAndBackAgain) {
    // Eight bits a channel move a notation by up to about a tenth.
    thereAndBack("rgb", R"(^\d{1,3} \d{1,3} \d{1,3}$)", 0.2f);
    bool ok = false;
    EXPECT_EQ(convertOne({ "to-rgb" }, "5R 5 10", ok), "194 90 87");
    EXPECT_EQ(convertOne({ "to-rgb", "--gamma", "1" }, "5R 5 10", ok), "140 26 24")
        << "gamma 1 is linear light";
    // Gamma 2.2 given by hand is the default's 1/2.2 to a float's last bit.
    EXPECT_EQ(convertOne({ "to-rgb", "--gamma=2.2" }, "5R 5 10", ok), "194 90 87");
}

TEST(ConvertDirections, WhatTheScreenWouldNotShow) {
    bool ok = true;
    // A colour the display cannot show: the screen paints black.
    const std::string blue = convertOne({ "to-rgb" }, "5PB 3 20", ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(blue, "ERR out of the RGB range (clipped to 0 69 207)");
    EXPECT_EQ(convertOne({ "from-rgb" }, "0 0 0", ok).rfind("ERR no light", 0), 0u);
    EXPECT_FALSE(ok);
    for (const char *bad : { "256 0 0", "-1 0 0", "1 2", "a b c" }) {
        EXPECT_EQ(
            convertOne({ "from-rgb" }, bad, ok).rfind("ERR expected three numbers R G B", 0), 0u)
            << bad;
    }
    EXPECT_NE(
        convertOne({ "from-lab" }, "1e30 0 0", ok).find("within -1000 to 1000"), std::string::npos);
    // The screen never shows a Value below 0.50.
    EXPECT_EQ(readNotation(convertOne({ "from-lab" }, "2 0 0", ok)).V, 0.5f);
    EXPECT_TRUE(ok);
}

// The notation of from-lab and from-rgb, alone or as a column, says the
// Value and Chroma its row's columns say: the same rounding, the same floor.
TEST(ConvertDirections, TheNotationSaysWhatTheColumnsSay) {
    const struct {
        const char *mode;
        const char *line;
    } colours[] = { { "from-lab", "25.37 12.11 -16.23" }, { "from-lab", "3 1 1" },
        { "from-lab", "50 0 0" }, { "from-lab", "62 -12.4 14.1" }, { "from-rgb", "5 3 2" },
        { "from-rgb", "200 120 90" } };
    for (const auto &c : colours) {
        for (const std::vector<std::string> &extra :
            { std::vector<std::string> {}, { "--decimals", "3" }, { "--decimals", "0" } }) {
            std::vector<std::string> args { c.mode };
            args.insert(args.end(), extra.begin(), extra.end());
            bool ok = false;
            std::istringstream plain(convertOne(args, c.line, ok));
            ASSERT_TRUE(ok) << c.line;
            std::string hue, value, chroma;
            plain >> hue >> value >> chroma;
            args.emplace_back("--notation");
            const std::string alone = convertOne(args, c.line, ok);
            args.back() = "--format=csv";
            const std::string row = convertOne(args, c.line, ok);
            // The row's columns, then its notation.
            const std::string columns = hue + " " + value + " " + chroma + " ";
            ASSERT_EQ(row.rfind(columns, 0), 0u) << row;
            EXPECT_EQ(alone, row.substr(columns.size())) << c.line;
            // "7.70YR 0.50/0.24", or "N 1/" when the Chroma shows as 0.
            const std::size_t blank = alone.find(' ');
            const std::string said = alone.substr(blank + 1);
            double C = 1.0;
            std::istringstream(chroma) >> C;
            const std::string expected = C == 0.0 ? value + "/" : value + "/" + chroma;
            EXPECT_EQ(said, expected) << c.mode << " " << c.line << " " << extra.size() << ": "
                                      << alone << " against " << value << " " << chroma;
        }
    }
}

struct Refused {
    const char *mode;
    const char *line;
    const char *reason;
};

class ConvertRefuses : public ::testing::TestWithParam<Refused> { };

TEST_P(ConvertRefuses, WhatTheScreenRefuses) {
    bool ok = true;
    const std::string out = convertOne({ GetParam().mode }, GetParam().line, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(out.rfind("ERR ", 0), 0u) << out;
    EXPECT_NE(out.find(GetParam().reason), std::string::npos) << out;
}

INSTANTIATE_TEST_SUITE_P(Lines, ConvertRefuses,
    ::testing::Values(Refused { "to-xyz", "5R 12 6", "Value above 10" },
        Refused { "to-lab", "5R 10.5/2", "Value above 10" },
        Refused { "to-xyz", "100R 5 4", "hue step 100 is outside 0 to 10" },
        Refused { "to-rgb", "-5R 5 4", "hue step -5 is outside 0 to 10" },
        Refused { "to-xyz", "R 5 4", "needs a number" },
        Refused { "to-xyz", "5.0.0R 5 4", "needs a number" },
        Refused { "to-munsell", "1e30 1 1", "within -1000 to 1000" },
        Refused { "to-munsell", "nan 20 10", "within -1000 to 1000" },
        Refused { "to-munsell", "inf 20 10", "within -1000 to 1000" },
        Refused { "to-munsell", "30 20 10 5", "three numbers" }));

TEST(ConvertDirections, TheEdgesOfTheStepsStillConvert) {
    bool ok = false;
    (void)convertOne({ "to-xyz" }, "10RP 5 4", ok);
    EXPECT_TRUE(ok);
    (void)convertOne({ "to-xyz" }, "0YR 5 4", ok);
    EXPECT_TRUE(ok);
    (void)convertOne({ "to-xyz" }, "5r 10 0", ok);
    EXPECT_TRUE(ok) << "Value 10 is taken as 9.5";
}

TEST(ConvertExact, ClosesWhatTheDefinedInverseLeavesOpen) {
    // 7.5PB 3.5/20 between whole Values: the defined inverse gives about
    // 20.11; the exact one gives the notation back.
    bool ok = false;
    std::istringstream xyz(convertOne({ "to-xyz" }, "7.5PB 3.5 20", ok));
    std::string X, Y, Z;
    xyz >> X >> Y >> Z;
    const std::string line = X + " " + Y + " " + Z;
    const auto fields = [](const std::string &s) {
        std::istringstream in(s);
        std::string text;
        double H, V, C;
        in >> text >> H >> V >> C;
        return std::array<double, 3> { H, V, C };
    };
    const auto defined = fields(convertOne({ "to-munsell" }, line, ok));
    const auto exact = fields(convertOne({ "to-munsell", "--exact" }, line, ok));
    ASSERT_TRUE(ok);
    EXPECT_GT(std::fabs(defined[2] - 20.0), 0.05);
    EXPECT_NEAR(exact[0], 77.5, 0.01);
    EXPECT_NEAR(exact[1], 3.5, 0.01);
    EXPECT_NEAR(exact[2], 20.0, 0.01);
    // Beyond every colour of the data.
    EXPECT_EQ(convertOne({ "to-munsell", "--exact" }, "140 20 0.5", ok),
        "ERR no colour inside the renotation data converts to this X Y Z");
    EXPECT_FALSE(ok);
}

TEST(ConvertProgram, HelpVersionAndUsageErrors) {
    const testing::ProgramRun help = runProgram("--help", "");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage:"), std::string::npos);
    EXPECT_TRUE(help.err.empty());
    for (const char *sub : { "to-xyz", "to-munsell", "to-lab", "to-rgb", "from-lab", "from-rgb" }) {
        EXPECT_NE(help.out.find(sub), std::string::npos) << sub;
    }
    EXPECT_EQ(runProgram("to-rgb -h", "").out, help.out);
    const testing::ProgramRun version = runProgram("--version", "");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("tintwise-convert ", 0), 0u) << version.out;

    for (const char *args : { "", "to-hsv", "to-xyz --table", "to-xyz --illuminant A",
             "to-xyz --pwd=yes", "to-munsell --gamma 2", "to-rgb --gamma 9" }) {
        const testing::ProgramRun run = runProgram(args, "5R 5 10\n");
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_TRUE(run.out.empty()) << args;
        EXPECT_NE(run.err.find("--help"), std::string::npos) << args << ": " << run.err;
    }
    EXPECT_NE(
        runProgram("to-xyz --table", "").err.find("--table needs a value"), std::string::npos);
}

TEST(ConvertProgram, OneLineOutForEachLineIn) {
    const testing::ProgramRun run
        = runProgram("to-lab", "5R 5 10\n\n5R 12 6\n   \n2.5YR 6/4\nnonsense\n");
    EXPECT_EQ(run.status, 1);
    std::istringstream lines(run.out);
    std::vector<std::string> out;
    for (std::string l; std::getline(lines, l);) {
        out.push_back(l);
    }
    ASSERT_EQ(out.size(), 6u) << run.out;
    EXPECT_TRUE(out[1].empty());
    EXPECT_EQ(out[2].rfind("ERR ", 0), 0u);
    EXPECT_TRUE(out[3].empty());
    EXPECT_EQ(out[5].rfind("ERR ", 0), 0u);
    EXPECT_EQ(run.err,
        "tintwise-convert: line 3: out of the Munsell range: Value above 10\n"
        "tintwise-convert: line 6: expected HUE VALUE/CHROMA or N VALUE/, e.g. 5R 5/10 or N "
        "5/\n");
    // The same with --opt=value and with an illuminant in lower case.
    EXPECT_EQ(runProgram("to-xyz --illuminant=d65", "5R 5 10\n").out,
        runProgram("to-xyz --illuminant D65", "5R 5 10\n").out);
}

} // namespace
} // namespace tw::app
