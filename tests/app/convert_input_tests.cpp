// What the converter reads: notations in every usual spelling, neutrals
// written N, fields apart by blanks, commas, semicolons or tabs, quoted
// fields, a byte-order mark, a header row, comments and blank lines, and
// identifying columns passed through.
#include "app/convert_cli.h"

#include "convert_test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tw::app {
namespace {

using testing::convertOne;
using testing::runProgram;

std::string converted(const std::vector<std::string> &args, const std::string &line) {
    bool ok = false;
    const std::string out = convertOne(args, line, ok);
    EXPECT_TRUE(ok) << line << " -> " << out;
    return out;
}

TEST(ConvertInput, EverySpellingOfANotationGivesTheSameColour) {
    const std::string expected = converted({ "to-xyz" }, "5R 5 10");
    for (const char *line : { "5R 5/10", "5R5/10", "5r 5/10", " 5R  5 / 10 ", "5R,5,10", "5R;5;10",
             "5R\t5\t10", "\"5R 5/10\"", "5R, 5/10", "5R 5 10\r" }) {
        EXPECT_EQ(converted({ "to-xyz" }, line), expected) << line;
    }
}

TEST(ConvertInput, NeutralsAreWrittenN) {
    const std::string grey = converted({ "to-xyz" }, "N 5/");
    // Chroma 0 at any hue.
    EXPECT_EQ(converted({ "to-xyz" }, "7.5PB 5/0"), grey);
    EXPECT_EQ(converted({ "to-xyz" }, "2.5Y 5 0"), grey);
    for (const char *line : { "N5/", "N5", "n 5", "N 5/0", "N 5.0/", "N,5" }) {
        EXPECT_EQ(converted({ "to-xyz" }, line), grey) << line;
    }
    EXPECT_NE(converted({ "to-xyz" }, "N 5.25/"), grey);
    EXPECT_NE(converted({ "to-lab" }, "N 9.5/"), converted({ "to-lab" }, "N 2.5/"));
    bool ok = true;
    EXPECT_NE(convertOne({ "to-xyz" }, "N 5/4", ok).find("Chroma 0"), std::string::npos);
    EXPECT_FALSE(ok);
    EXPECT_NE(convertOne({ "to-rgb" }, "N", ok).find("needs its Value"), std::string::npos);
    EXPECT_FALSE(ok);
    // A neutral is grey on the display too.
    std::istringstream rgb(converted({ "to-rgb" }, "N 5/"));
    int R, G, B;
    ASSERT_TRUE(rgb >> R >> G >> B);
    EXPECT_LE(std::abs(R - G), 2);
    EXPECT_LE(std::abs(G - B), 2);
}

// A spreadsheet export: byte-order mark, header row, comments, blank
// lines, a sample-ID column, commas and quotes.
TEST(ConvertInput, ASpreadsheetExport) {
    const testing::ProgramRun run = runProgram("to-xyz",
        "\xEF\xBB\xBFSample ID,Munsell\r\n"
        "# exported\r\n"
        "\"Plot 1, A\",10YR 4/3\r\n"
        "\r\n"
        "Plot 2,N 5/\r\n"
        "Plot 3,5X 5/10\r\n");
    EXPECT_EQ(run.status, 1) << run.err;
    const std::string plot1 = converted({ "to-xyz" }, "10YR 4/3");
    const std::string grey = converted({ "to-xyz" }, "N 5/");
    EXPECT_EQ(run.out,
        "\"Sample ID\" X Y Z x y\n# exported\n\"Plot 1, A\" " + plot1 + "\n\n\"Plot 2\" " + grey
            + "\n\"Plot 3\" ERR hue \"5X\" has no hue family (R YR Y GY G BG B PB P RP)\n");
    EXPECT_EQ(run.err,
        "tintwise-convert: line 6: hue \"5X\" has no hue family (R YR Y GY G BG B PB P RP)\n");
}

TEST(ConvertInput, AHeaderNamesTheColoursColumnsWhereverTheyStand) {
    // X, Y, Z after two identifying columns, and a column after them that
    // is left out.
    const testing::ProgramRun run
        = runProgram("to-munsell --format csv", "plate;patch;X;Y;Z;note\nP1;3;30;20;10;reddish\n");
    EXPECT_EQ(run.status, 0) << run.err;
    bool ok = false;
    const std::string alone = convertOne({ "to-munsell", "--format", "csv" }, "30 20 10", ok);
    std::istringstream alone1(alone);
    std::string hue, number, value, chroma;
    alone1 >> hue >> number >> value >> chroma;
    EXPECT_EQ(run.out,
        "plate,patch,hue,hue_number,value,chroma,notation\nP1,3," + hue + "," + number + "," + value
            + "," + chroma + "," + number + "R " + value + "/" + chroma + "\n");
    // Hue, value and chroma in columns of their own.
    const testing::ProgramRun hvc
        = runProgram("to-xyz", "name\thue\tvalue\tchroma\nbrick\t10R\t4\t8\n");
    EXPECT_EQ(hvc.out, "name X Y Z x y\nbrick " + converted({ "to-xyz" }, "10R 4/8") + "\n");
}

TEST(ConvertInput, ANotationColumnLastInTheHeaderRunsToTheLineEnd) {
    const std::string brick = converted({ "to-xyz" }, "5R 5/10");
    // Blank-separated: the notation's blanks part it into fields.
    const testing::ProgramRun alone = runProgram("to-xyz", "notation\n5R 5/10\n");
    EXPECT_EQ(alone.status, 0) << alone.err;
    EXPECT_EQ(alone.out, "X Y Z x y\n" + brick + "\n");
    const testing::ProgramRun named
        = runProgram("to-xyz", "name notation\nbrick 5R 5/10\nslate N 5/\n");
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(named.out,
        "name X Y Z x y\nbrick " + brick + "\nslate " + converted({ "to-xyz" }, "N 5/") + "\n");
    // The header's separator parts the rows: a comma in a blank-separated
    // row is part of its field.
    const testing::ProgramRun comma = runProgram("to-xyz", "name munsell\nSmith,J 5R 5 10\n");
    EXPECT_EQ(comma.status, 0) << comma.err;
    EXPECT_EQ(comma.out, "name X Y Z x y\nSmith,J " + brick + "\n");
    // A column named after the notation is still left out.
    const testing::ProgramRun after
        = runProgram("to-xyz --format csv", "notation,note\n5R 5/10,reddish\n");
    EXPECT_EQ(after.status, 0) << after.err;
}

TEST(ConvertInput, IdColumnsWithoutAHeader) {
    const testing::ProgramRun run
        = runProgram("from-lab --id-columns 2", "A 1 51.57 42.14 22.16\nB 2 50 0 0\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
        "A 1 " + converted({ "from-lab" }, "51.57 42.14 22.16") + "\nB 2 "
            + converted({ "from-lab" }, "50 0 0") + "\n");
    // Without it the line holds too many fields.
    EXPECT_EQ(runProgram("from-lab", "A 51.57 42.14 22.16\n").status, 1);
}

TEST(ConvertInput, HeaderDetectedOnlyWhenItNamesTheColumns) {
    // A first line that names nothing is a line that fails, not a header.
    const testing::ProgramRun nonsense = runProgram("to-xyz", "nonsense\n5R 5/10\n");
    EXPECT_EQ(nonsense.status, 1);
    EXPECT_EQ(nonsense.out.rfind("ERR ", 0), 0u) << nonsense.out;
    // --header takes it as one, --no-header never.
    const testing::ProgramRun forced = runProgram("to-xyz --header", "colour\n5R 5/10\n");
    EXPECT_EQ(forced.status, 0);
    EXPECT_EQ(forced.out, "X Y Z x y\n" + converted({ "to-xyz" }, "5R 5/10") + "\n");
    const testing::ProgramRun never = runProgram("to-munsell --no-header", "X Y Z\n1 1 1\n");
    EXPECT_EQ(never.status, 1);
    EXPECT_EQ(never.out.rfind("ERR ", 0), 0u) << never.out;
    // A header that holds a number is data.
    EXPECT_EQ(runProgram("to-munsell", "X 1 2\n").out.rfind("ERR ", 0), 0u);
}

} // namespace
} // namespace tw::app
