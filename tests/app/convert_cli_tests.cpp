#include "app/convert_cli.h"

#include "convert_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace tw::app {
namespace {

using testing::convertOne;
using testing::runProgram;

TEST(ConvertCli, MunsellToXyzBothNotations) {
    bool ok = false;
    const std::string spaced = convertOne({ "to-xyz" }, "5R 5 10", ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(convertOne({ "to-xyz" }, "5R 5/10", ok), spaced);
    EXPECT_TRUE(ok);
    // Y of Value 5 is 19.766; five fields with four decimals.
    std::istringstream fields(spaced);
    double X, Y, Z, x, y;
    ASSERT_TRUE(fields >> X >> Y >> Z >> x >> y) << spaced;
    EXPECT_NEAR(Y, 19.766, 1e-3);
    EXPECT_NE(spaced.find("19.76"), std::string::npos) << spaced;
    // 10RP is hue 0.
    EXPECT_EQ(convertOne({ "to-xyz" }, "10RP 5 4", ok), convertOne({ "to-xyz" }, "0R 5 4", ok));
}

TEST(ConvertCli, IlluminantAndPwdChangeTheResult) {
    bool ok = false;
    const std::string c = convertOne({ "to-xyz" }, "5R 5 10", ok);
    EXPECT_NE(convertOne({ "to-xyz", "--illuminant", "D50" }, "5R 5 10", ok), c);
    EXPECT_NE(convertOne({ "to-xyz", "--illuminant", "D65" }, "5R 5 10", ok), c);
    EXPECT_NE(convertOne({ "to-xyz", "--pwd" }, "5R 5 10", ok), c);
}

struct BadLine {
    const char *name;
    std::vector<std::string> args;
    const char *line;
    const char *reason;
};

class ConvertCliBadLine : public ::testing::TestWithParam<BadLine> { };

TEST_P(ConvertCliBadLine, PrintsErrAndAReason) {
    bool ok = true;
    const std::string out = convertOne(GetParam().args, GetParam().line, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(out.rfind("ERR ", 0), 0u) << out;
    EXPECT_NE(out.find(GetParam().reason), std::string::npos) << out;
}

INSTANTIATE_TEST_SUITE_P(Lines, ConvertCliBadLine,
    ::testing::Values(BadLine { "NoFamily", { "to-xyz" }, "5Q 5 10", "hue family" },
        BadLine { "NotANumber", { "to-xyz" }, "5R five 10", "numbers" },
        BadLine { "TooFewFields", { "to-xyz" }, "5R", "expected" },
        BadLine { "BeyondData", { "to-xyz" }, "5R 5 40", "outside the renotation data" },
        BadLine { "BeyondTableChroma", { "to-xyz" }, "5PB 3 34", "beyond Chroma 32 of the table" },
        BadLine { "BeyondItsRow", { "to-xyz" }, "5R 5 30", "outside the renotation data" },
        BadLine { "ChromaSixty", { "to-xyz" }, "5R 5 60", "out of the Munsell range" },
        BadLine { "NegativeValue", { "to-xyz" }, "5R -1 4", "out of the Munsell range" },
        BadLine { "HugeChroma", { "to-xyz" }, "5R 5 1e10", "out of the Munsell range" },
        BadLine { "HugeHue", { "to-xyz" }, "1e10R 5 10", "out of the Munsell range" },
        BadLine { "HugeNegativeValue", { "to-xyz" }, "5R -1e10 10", "out of the Munsell range" },
        BadLine { "HugeHueStep", { "to-xyz" }, "7777777775G 9 4", "out of the Munsell range" },
        BadLine { "XyzInfinite", { "to-munsell" }, "1e308 1 1", "within -1000 to 1000" },
        BadLine { "XyzTooFew", { "to-munsell" }, "1 2", "three numbers" },
        BadLine { "XyzNoLight", { "to-munsell" }, "0 0 0", "positive" },
        BadLine { "XyzOutside", { "to-munsell" }, "140 20 0.5", "out of the Munsell range" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ConvertCli, XyzToMunsellShowsHueTextAndNumbers) {
    bool ok = false;
    const std::string xyz = convertOne({ "to-xyz" }, "5R 5 10", ok);
    std::istringstream fields(xyz);
    std::string X, Y, Z;
    fields >> X >> Y >> Z;
    const std::string mun = convertOne({ "to-munsell" }, X + " " + Y + " " + Z, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(mun.substr(0, 6), "5.00R ") << mun;
    std::istringstream back(mun.substr(6));
    double H, V, C;
    ASSERT_TRUE(back >> H >> V >> C);
    EXPECT_NEAR(H, 5.0, 0.01);
    EXPECT_NEAR(V, 5.0, 0.01);
    EXPECT_NEAR(C, 10.0, 0.01);
    // A dark grey keeps its computed Value below the screen's 0.5 floor.
    const std::string dark = convertOne({ "to-munsell" }, "0.1 0.1 0.12", ok);
    EXPECT_TRUE(ok) << dark;
    std::istringstream darkFields(dark);
    std::string hueText;
    darkFields >> hueText >> H >> V;
    EXPECT_LT(V, 0.5);
}

TEST(ConvertCli, ArgumentErrors) {
    ConvertOptions options;
    std::string error;
    EXPECT_FALSE(parseConvertArguments({}, options, error));
    EXPECT_FALSE(parseConvertArguments({ "to-hsv" }, options, error));
    EXPECT_FALSE(parseConvertArguments({ "to-xyz", "--illuminant", "A" }, options, error));
    EXPECT_FALSE(parseConvertArguments({ "to-munsell", "--gamma", "2" }, options, error));
    EXPECT_FALSE(parseConvertArguments({ "to-xyz", "--table" }, options, error));
}

// The built program end to end: standard input to standard output, exit
// status, and the table search.
TEST(ConvertCliProgram, ConvertsLinesAndGoesOnAfterABadOne) {
    // A blank line gives a blank line, so rows stay in step with the input.
    const testing::ProgramRun ok = runProgram("to-xyz", "5R 5 10\n\n2.5YR 6/4\n");
    EXPECT_EQ(ok.status, 0) << ok.out;
    EXPECT_EQ(std::count(ok.out.begin(), ok.out.end(), '\n'), 3) << ok.out;
    EXPECT_NE(ok.out.find("\n\n"), std::string::npos) << ok.out;

    const testing::ProgramRun bad = runProgram("to-xyz", "5R 5 10\nnonsense\n5R 5 10\n");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err.rfind("tintwise-convert: line 2: ", 0), 0u) << bad.err;
    std::istringstream lines(bad.out);
    std::string first, second, third;
    std::getline(lines, first);
    std::getline(lines, second);
    std::getline(lines, third);
    EXPECT_EQ(first, third);
    EXPECT_EQ(second.rfind("ERR ", 0), 0u) << bad.out;
}

TEST(ConvertCliProgram, TableOptionAndMissingTable) {
    const testing::ProgramRun explicitTable
        = runProgram(std::string("to-munsell --table \"") + TW_DATA_DIR + "/Muncie.dat\"",
            "19.77 19.77 23.83\n");
    EXPECT_EQ(explicitTable.status, 0) << explicitTable.out;
    const testing::ProgramRun missing
        = runProgram("to-munsell --table /nonexistent/Muncie.dat", "1 1 1\n");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("/nonexistent/Muncie.dat"), std::string::npos) << missing.err;
    // Without --table, from a folder with no Muncie.dat, the copy beside the
    // program is used.
    const testing::ProgramRun beside = runProgram("to-munsell", "19.77 19.77 23.83\n", "/");
    EXPECT_EQ(beside.status, 0) << beside.out;
}

} // namespace
} // namespace tw::app
