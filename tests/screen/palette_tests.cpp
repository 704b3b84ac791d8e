#include "screen_fixture.h"

#include "text/textfile.h"
#include "ui/button.h"
#include "ui/textbox.h"

#include <QTest>

namespace tw::screen::testing {
namespace {

using PaletteTest = ScreenTest;

std::vector<std::string> fields(const std::string &line) {
    text::FieldReader reader(line);
    std::vector<std::string> out;
    while (!reader.atEnd()) {
        out.push_back(reader.readField());
    }
    return out;
}

TEST_F(PaletteTest, FirstSaveAsksNameAndTagAndWritesTheLine) {
    Form1 &f = start();
    fakes.dialogs.queueInput("TWZpalette");
    fakes.dialogs.queueInput("brick, red");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);

    const auto &calls = fakes.dialogs.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].text, "Palette File Name to save or append  [.CSV added]");
    EXPECT_EQ(calls[0].title, "Save Palette Data");
    EXPECT_EQ(calls[0].proposed, "TWZpalette");
    EXPECT_EQ(calls[1].text, "Palette TWZpalette - Enter Tag [Enter 'file' to change file name]");
    EXPECT_EQ(calls[1].title, "Palette File Save - TAG");
    EXPECT_EQ(calls[1].proposed, "");

    const std::string line = readFile("TWZpalette.csv");
    ASSERT_GE(line.size(), 3u);
    EXPECT_EQ(line.substr(line.size() - 3), ",\r\n")
        << "every field, the last too, ends with a comma";
    EXPECT_EQ(
        line.rfind("\"12-08-2026\",\"14:05:09\",\"brick, red\",\"5R\",\"5\",\"10\",\"29.08\",", 0),
        0u)
        << line;
    const auto parts = fields(line);
    ASSERT_EQ(parts.size(), 22u) << line;
    EXPECT_EQ(parts[2], "brick, red");
    EXPECT_EQ(parts[15], f.Text1[0]->text());
    EXPECT_EQ(parts[21], f.Text2[3]->text());
    // Linear r, g, b are bare numbers with no zero before the point.
    EXPECT_EQ(parts[12][0], '.') << parts[12];
    EXPECT_EQ(line.find("\"" + parts[12] + "\""), std::string::npos);
}

TEST_F(PaletteTest, LaterSavesAskOnlyForTheTagAndAppend) {
    Form1 &f = start();
    fakes.dialogs.queueInput("colours.CSV");
    fakes.dialogs.queueInput("one");
    fakes.dialogs.queueInput("two");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    EXPECT_EQ(fakes.dialogs.calls().size(), 3u);
    const std::string contents = readFile("colours.CSV");
    EXPECT_EQ(std::count(contents.begin(), contents.end(), '\n'), 2);
    EXPECT_FALSE(std::filesystem::exists(folder / "colours.CSV.csv"));
}

TEST_F(PaletteTest, FileAnswerAsksForANewName) {
    Form1 &f = start();
    fakes.dialogs.queueInput("first");
    fakes.dialogs.queueInput("FiLe");
    fakes.dialogs.queueInput("second");
    fakes.dialogs.queueInput("tag");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    EXPECT_EQ(fakes.dialogs.calls().size(), 4u);
    EXPECT_FALSE(std::filesystem::exists(folder / "first.csv"));
    EXPECT_TRUE(std::filesystem::exists(folder / "second.csv"));
    EXPECT_EQ(f.palette().fileName(), "second.csv");
}

// The program's own inputs are no palettes: rows appended to them would
// spoil the ColorChecker's notations or the CIELAB import.
TEST_F(PaletteTest, AFileTheProgramReadsIsNoPalette) {
    Form1 &f = start();
    writeFile("ccnames.csv", "kept\r\n");
    fakes.dialogs.queueInput("CCNAMES");
    fakes.dialogs.queueInput("./lab_sRGB.csv");
    fakes.dialogs.queueInput("mine");
    fakes.dialogs.queueInput("tag");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    EXPECT_EQ(readFile("ccnames.csv"), "kept\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "lab_sRGB.csv"));
    EXPECT_EQ(fakes.dialogs.messages().size(), 2u);
    EXPECT_EQ(f.palette().fileName(), "mine.csv");
    EXPECT_TRUE(std::filesystem::exists(folder / "mine.csv"));
}

// While a run builds a palette, the user's own save is refused with a word,
// so that the row never lands in the palette the run is building.
TEST_F(PaletteTest, NoOwnSaveWhileARunBuildsAPalette) {
    Form1 &f = start();
    f.palette().setFileName("picture.csv");
    f.palette().beginBatch();
    fakes.dialogs.queueInput("tag");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    EXPECT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_EQ(f.palette().takeBatch(), "");
    EXPECT_FALSE(std::filesystem::exists(folder / "picture.csv"));
}

TEST_F(PaletteTest, CancelAtEitherPromptWritesNothing) {
    Form1 &f = start();
    fakes.dialogs.queueInput("");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    EXPECT_EQ(fakes.dialogs.calls().size(), 1u);
    EXPECT_TRUE(f.palette().fileName().empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1)
        << "only Muncie.dat";
    // Cancel at the tag: no row, where an empty tag (OK) writes one.
    fakes.dialogs.queueInput("pal");
    fakes.dialogs.queueCancel();
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    EXPECT_FALSE(std::filesystem::exists(folder / "pal.csv"));
    fakes.dialogs.queueInput("");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    EXPECT_EQ(fields(readFile("pal.csv")).size(), 22u);
}

TEST_F(PaletteTest, UnwritableFileOrBadRgbBoxIsSaidAndNothingIsWritten) {
    Form1 &f = start();
    fakes.dialogs.queueInput("no/such/folder/pal");
    fakes.dialogs.queueInput("tag");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_NE(fakes.dialogs.messages()[0].find("not saved"), std::string::npos);
    EXPECT_TRUE(f.palette().fileName().empty()) << "the next save asks again";

    fakes.dialogs.reset();
    f.Text1[1]->setText("green");
    fakes.dialogs.queueInput("pal");
    fakes.dialogs.queueInput("tag");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(folder / "pal.csv"));
}

TEST_F(PaletteTest, QuoteInATagCannotBreakTheLine) {
    Form1 &f = start();
    f.palette().setFileName("quoted");
    fakes.dialogs.queueInput("say \"hi\", then");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    const auto parts = fields(readFile("quoted.csv"));
    ASSERT_EQ(parts.size(), 22u);
    EXPECT_EQ(parts[2], "say 'hi', then");
}

} // namespace
} // namespace tw::screen::testing
