// Loading palettes into the viewer: which file each mode takes, what a row
// becomes, the 10000-row limit, the failures and what they leave, and the
// remembered name.
#include "viewer_fixture.h"

#include "ui/button.h"
#include "ui/checkbox.h"
#include "ui/listbox.h"
#include "ui/textbox.h"

#include <QTest>

#include <algorithm>
#include <filesystem>

namespace tw::viewer::testing {
namespace {

using services::ScriptedDialogs;

constexpr ui::Rgb24 kYellow = ui::rgb(255, 255, 0);
constexpr ui::Rgb24 kGreen = ui::rgb(0, 255, 0);
const std::string kFailure = "File format Error or Palette not generated";

bool shown(const std::vector<std::string> &messages, const std::string &text) {
    return std::find(messages.begin(), messages.end(), text) != messages.end();
}

class LoaderTest : public ViewerTest { };

TEST_F(LoaderTest, RowsBecomeDotsListRowsAndTheLastNotationOnTheScreen) {
    startWithViewer();
    writeFile("LastPalette.txt", "three.csv\r\n");
    writeFile("three.csv",
        row("leaf, dark", "2.5YR", "6.3", "4") + row("sky", "5pb", "7", "6")
            + row("last", "10RP", "4", "12"));
    Form3 &v = tickViewer();

    ASSERT_EQ(v.dotCount(), 3) << ::testing::PrintToString(fakes.dialogs.messages());
    EXPECT_EQ(v.dot(1).tag, "leaf, dark");
    EXPECT_FLOAT_EQ(v.dot(1).value, 6.3f);
    EXPECT_FLOAT_EQ(v.dot(1).chroma, 4.0f);
    EXPECT_NEAR(v.dot(1).hueAngle, 12.5f * 3.6f * 0.0174532925f, 1e-6f);
    EXPECT_EQ(v.dot(2).hueLabel.rfind("5pb ", 0), 0u) << "lower case, blank-padded";
    EXPECT_GE(v.textWidth(v.dot(2).hueLabel), 600.0);
    EXPECT_LT(v.textWidth(v.dot(2).hueLabel.substr(0, v.dot(2).hueLabel.size() - 1)), 600.0);

    // The list row: number, four blanks, tag padded to 2000 twips, notation.
    const std::string first = v.List1->item(0);
    const std::size_t h = first.find("     H 2.5yr");
    ASSERT_NE(h, std::string::npos) << first;
    EXPECT_EQ(first.rfind("1    leaf, dark", 0), 0u);
    EXPECT_GE(v.textWidth(first.substr(0, h)), 2000.0);
    EXPECT_LT(v.textWidth(first.substr(0, h - 1)), 2000.0);
    EXPECT_TRUE(first.ends_with("   V 6.30     C 4.00")) << first;

    // The screen shows the last row, and the dot has the screen's colour
    // for it.
    EXPECT_EQ(form->cycle().texts(cycle::Boxes::Munsell),
        (std::vector<std::string> { "10RP", "4", "12" }));
    const cycle::DisplayRgb last = form->cycle().state().patch;
    EXPECT_EQ(std::vector<int>({ v.dot(3).red, v.dot(3).green, v.dot(3).blue }),
        std::vector<int>({ last.R, last.G, last.B }));
    EXPECT_TRUE(form->isVisible()) << "the screen is shown again";

    EXPECT_EQ(v.Text1->text(), "Loaded Palette three.csv");
    EXPECT_EQ(v.Text1->backColor(), kGreen);
    EXPECT_EQ(readFile("LastPalette.txt"), "three.csv\r\n");
}

// A row the screen cannot convert is listed but has no dot, never the colour
// of the row before it; the load says how many once, and shows no message
// of the screen's for each.
TEST_F(LoaderTest, RowsWithoutANotationAreListedWithoutADot) {
    startWithViewer();
    writeFile("LastPalette.txt", "gaps.csv\r\n");
    writeFile("gaps.csv",
        row("red", "5R", "5", "14") + row("beyond", "5R", "5", "40") + row("words", "qq", "5", "4")
            + row("sky", "5pb", "7", "6"));
    Form3 &v = tickViewer();
    ASSERT_EQ(v.dotCount(), 4);
    EXPECT_TRUE(v.dot(1).placed);
    EXPECT_FALSE(v.dot(2).placed);
    EXPECT_FALSE(v.dot(3).placed);
    EXPECT_TRUE(v.dot(4).placed);
    EXPECT_EQ(v.List1->count(), 4);
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u)
        << ::testing::PrintToString(fakes.dialogs.messages());
    EXPECT_EQ(fakes.dialogs.messages()[0].rfind("2 rows of gaps.csv could not be converted", 0), 0u)
        << fakes.dialogs.messages()[0];
}

TEST_F(LoaderTest, TenThousandRowsAtMostWithTheLimitSaid) {
    startWithViewer();
    writeFile("LastPalette.txt", "over.csv\r\n");
    writeFile("over.csv", rows(10001));
    writeFile("exact.csv", rows(10000));
    Form3 &v = tickViewer();
    EXPECT_EQ(v.dotCount(), 10000);
    EXPECT_EQ(v.List1->count(), 10000);
    EXPECT_EQ(v.dot(10000).tag, "10000");
    EXPECT_TRUE(shown(fakes.dialogs.messages(), "Palette limited to 10000"));
    EXPECT_EQ(v.Text1->text(), "Loaded Palette over.csv");

    fakes.dialogs.reset();
    form->palette().setFileName("exact.csv");
    v.GetData(2);
    EXPECT_EQ(v.dotCount(), 10000);
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string> { "Palette limited to 10000" })
        << "a file of exactly 10000 rows is said to be limited too";
    EXPECT_EQ(readFile("LastPalette.txt"), "exact.csv\r\n");
}

TEST_F(LoaderTest, RowsLetEventsRunEveryFiveHundredWithTheScreenHidden) {
    startWithViewer();
    writeFile("LastPalette.txt", "long.csv\r\n");
    writeFile("long.csv", rows(1100));
    writeFile("other.csv", rows(2));
    form->show();
    std::vector<int> atYield;
    bool asked = false;
    fakes.dialogs.setOnYield([&] {
        if (form->windows().window(screen::ScreenWindow::PaletteViewer) == nullptr
            || form->isVisible()) {
            return;
        }
        Form3 &v = viewer();
        atYield.push_back(v.dotCount());
        if (!asked) {
            // A save elsewhere asks for a load in the middle of this one.
            asked = true;
            form->palette().setFileName("other.csv");
            v.GetData(2);
        }
    });
    Form3 &v = tickViewer();
    EXPECT_EQ(atYield, (std::vector<int> { 1, 502, 1003, 1 }))
        << "rows 1, 502 and 1003 of the long file, then row 1 of the next";
    EXPECT_EQ(v.dotCount(), 2) << "the request made during the load follows it";
    EXPECT_EQ(v.Text1->text(), "Loaded Palette other.csv");
}

TEST_F(LoaderTest, EmptyFileLoadsNothingAndIsRemembered) {
    startWithViewer();
    writeFile("LastPalette.txt", "empty.csv\r\n");
    writeFile("empty.csv", "");
    Form3 &v = tickViewer();
    EXPECT_EQ(v.dotCount(), 0);
    EXPECT_EQ(v.Text1->text(), "Loaded Palette empty.csv");
    EXPECT_EQ(v.Text1->backColor(), kGreen);
    EXPECT_TRUE(fakes.dialogs.messages().empty());
    EXPECT_EQ(readFile("LastPalette.txt"), "empty.csv\r\n");
}

TEST_F(LoaderTest, NothingRememberedAndNoDefaultFileFailsWithItsName) {
    startWithViewer();
    Form3 &v = tickViewer();
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string> { kFailure + "newpalette2.csv" });
    EXPECT_EQ(v.dotCount(), 0);
    EXPECT_EQ(v.Text1->text(), "Loading Palette newpalette2.csv");
    EXPECT_EQ(v.Text1->backColor(), kYellow);
    EXPECT_FALSE(std::filesystem::exists(folder / "LastPalette.txt"));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(LoaderTest, BadRowsEndTheLoadKeepingTheRowsBefore) {
    startWithViewer();
    writeFile("newpalette2.csv", rows(2));
    Form3 &v = tickViewer();
    ASSERT_EQ(v.dotCount(), 2);

    // A heading line fails on its first row.
    writeFile("heading.csv", row("Tag", "Hue", "Value", "Chroma") + rows(3));
    // A Value that is no number after two good rows; a row cut off by the
    // end of the file after one.
    writeFile("bad.csv", rows(2) + row("x", "5R", "abc", "4") + rows(2));
    writeFile("cut.csv", rows(1) + "\"d\",\"t\",\"cut\",\"5R\",\"5\"");
    for (const auto &[name, kept] : { std::pair { "heading.csv", 0 }, std::pair { "bad.csv", 2 },
             std::pair { "cut.csv", 1 } }) {
        fakes.dialogs.reset();
        form->palette().setFileName(name);
        v.GetData(2);
        EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string> { kFailure + name });
        EXPECT_EQ(v.dotCount(), kept) << name;
        EXPECT_EQ(v.List1->count(), kept) << name << ": the list and the dots agree";
        EXPECT_EQ(v.Text1->backColor(), kYellow);
        EXPECT_TRUE(v.List1->visible());
        EXPECT_TRUE(form->isVisible());
    }
    EXPECT_EQ(readFile("LastPalette.txt"), "newpalette2.csv\r\n") << "only a success is remembered";
}

TEST_F(LoaderTest, NameWithACommaIsRememberedWholeAndOldLinesStillRead) {
    startWithViewer();
    std::filesystem::create_directories(folder / "a,b");
    writeFile("a,b/pal.csv", rows(3));
    writeFile("plain.csv", rows(1));
    writeFile("LastPalette.txt", "plain.csv\r\n");
    Form3 &v = tickViewer();
    EXPECT_EQ(v.dotCount(), 1) << "a bare line, as written before";

    form->palette().setFileName("a,b/pal.csv");
    v.GetData(2);
    EXPECT_EQ(readFile("LastPalette.txt"), "\"a,b/pal.csv\"\r\n");
    Form3 next(*form);
    next.GetData(1);
    EXPECT_EQ(next.dotCount(), 3);
    EXPECT_EQ(next.Text1->text(), "Loaded Palette a,b/pal.csv");
}

TEST_F(LoaderTest, OpenDialogLoadsThePickAndCancelKeepsWhatIsShown) {
    startWithViewer();
    writeFile("newpalette2.csv", rows(2));
    writeFile("picked.csv", rows(5));
    Form3 &v = tickViewer();
    fakes.dialogs.queueFile((folder / "picked.csv").string());
    v.mnuFileOpen_Click();
    const ScriptedDialogs::Call &open = fakes.dialogs.calls().back();
    EXPECT_EQ(open.kind, ScriptedDialogs::Kind::OpenFile);
    EXPECT_EQ(open.filter, "DataBase Files (*.csv)|*.csv");
    EXPECT_TRUE(std::filesystem::equivalent(open.initialFolder, folder))
        << "the palettes are in the working folder: " << open.initialFolder;
    EXPECT_EQ(v.dotCount(), 5);

    fakes.dialogs.reset();
    fakes.dialogs.queueFile("");
    v.mnuFileOpen_Click();
    EXPECT_EQ(v.dotCount(), 5);
    EXPECT_EQ(v.List1->count(), 5);
    EXPECT_TRUE(fakes.dialogs.messages().empty());
    EXPECT_EQ(v.Text1->text(), "Loaded Palette " + (folder / "picked.csv").string());
}

TEST_F(LoaderTest, AFileGoneSinceTheDialogLoadsNothingAndKeepsWhatIsShown) {
    startWithViewer();
    writeFile("newpalette2.csv", rows(3));
    Form3 &v = tickViewer();
    ASSERT_EQ(v.dotCount(), 3);
    const std::string lastRow = v.List1->item(2);
    writeFile("gone.csv", rows(5));
    const std::string gone = (folder / "gone.csv").string();
    std::filesystem::remove(gone);
    fakes.dialogs.reset();
    fakes.dialogs.queueFile(gone);
    v.mnuFileOpen_Click();
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string> { kFailure + gone });
    EXPECT_EQ(v.dotCount(), 3);
    ASSERT_EQ(v.List1->count(), 3);
    EXPECT_EQ(v.List1->item(2), lastRow);
    EXPECT_TRUE(v.List1->visible());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(readFile("LastPalette.txt"), "newpalette2.csv\r\n");
}

TEST_F(LoaderTest, SaveToPaletteReloadsWhileTheBoxIsTicked) {
    startWithViewer();
    writeFile("newpalette2.csv", rows(2));
    Form3 &v = tickViewer();
    fakes.dialogs.queueInput(""); // the file name asked for is cancelled
    QTest::mouseClick(form->Command11->button(), Qt::LeftButton);
    EXPECT_TRUE(fakes.dialogs.messages().empty()) << "a cancelled save reports no failure";
    EXPECT_EQ(v.dotCount(), 2);

    fakes.dialogs.queueInput("mine");
    fakes.dialogs.queueInput("first");
    QTest::mouseClick(form->Command11->button(), Qt::LeftButton);
    ASSERT_EQ(v.dotCount(), 1) << ::testing::PrintToString(fakes.dialogs.messages());
    EXPECT_EQ(v.dot(1).tag, "first");
    EXPECT_EQ(v.Text1->text(), "Loaded Palette mine.csv");

    form->Check7->setValue(0);
    EXPECT_FALSE(v.isVisible());
    fakes.dialogs.queueInput("second");
    QTest::mouseClick(form->Command11->button(), Qt::LeftButton);
    EXPECT_EQ(v.dotCount(), 1) << "a cleared box does not reload";
    form->windows().viewPalette(2);
    EXPECT_EQ(v.dotCount(), 2);
}

} // namespace
} // namespace tw::viewer::testing
