// Palettes of whole pictures: the questions, the file, the rows and their
// order, and the grid left on the picture.
#include "imaging_fixture.h"

#include "testing/disk_full.h"
#include "ui/drawing_surface.h"
#include "ui/menuitem.h"
#include "ui/textbox.h"

#include <filesystem>

namespace tw::imaging::testing {
namespace {

using services::Answer;
using services::ScriptedDialogs;

// A picture whose every 10 x 10 block has its own colour, set by its column
// and row.
QImage blockPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(20 + 3 * (x / 10) % 200, 30 + 4 * (y / 10) % 200, 120));
        }
    }
    return image;
}

class PaletteBuildTest : public ImagingTest {
protected:
    // Answers the file name and granularity questions and says Yes.
    void answer(const std::string &name, const std::string &n) {
        fakes.dialogs.queueInput(name);
        fakes.dialogs.queueInput(n);
        fakes.dialogs.queueAnswer(Answer::Yes);
    }
    [[nodiscard]] std::vector<std::string> inputPrompts() const {
        std::vector<std::string> out;
        for (const ScriptedDialogs::Call &c : fakes.dialogs.calls()) {
            if (c.kind == ScriptedDialogs::Kind::InputBox) {
                out.push_back(c.text);
            }
        }
        return out;
    }
};

TEST_F(PaletteBuildTest, VgaPictureAtTenGivesColumnMajorRowsAndAGrid) {
    Form2 &w = open(blockPicture(640, 480));
    writeFile("LEAF.CSV", "an old palette line\r\n");
    answer("leaf", "10");
    w.mnuMakePalette_Click();

    const ScriptedDialogs::Call &nameCall = fakes.dialogs.calls().at(0);
    EXPECT_EQ(nameCall.text, "Enter file name for palette ");
    EXPECT_EQ(nameCall.title, "Palette Generation");
    EXPECT_EQ(nameCall.proposed, "TestImage");
    EXPECT_EQ(fakes.dialogs.calls().at(1).proposed, "10");
    EXPECT_EQ(fakes.dialogs.calls().at(2).text, "Total Pixels  3072   Generate Palette");
    EXPECT_EQ(fakes.dialogs.calls().at(2).buttons, services::Buttons::YesNo);
    EXPECT_EQ(fakes.dialogs.unscriptedCount(), 0);

    const auto rows = lines("LEAF.CSV");
    ASSERT_EQ(rows.size(), 3072u);
    EXPECT_EQ(field(rows[0], 2), " 0 0");
    EXPECT_EQ(field(rows[1], 2), " 0 10");
    EXPECT_EQ(field(rows[47], 2), " 0 470");
    EXPECT_EQ(field(rows[48], 2), " 10 0");
    EXPECT_EQ(field(rows[3071], 2), " 630 470");
    // Each row holds its own block's colour, converted by the screen.
    EXPECT_EQ(field(rows[48 * 5 + 7], 12), "35"); // R of column 5: 20 + 15
    EXPECT_EQ(field(rows[48 * 5 + 7], 13), "58"); // G of row 7: 30 + 28
    EXPECT_NE(field(rows[0], 3), "");

    EXPECT_EQ(w.Text1->text(), "Palette Done and saved as LEAF.CSV");
    EXPECT_EQ(w.Text1->backColor(), ui::rgb(0, 255, 0));
    EXPECT_EQ(form->palette().fileName(), "LEAF.CSV");
    EXPECT_TRUE(w.mnuView3DPalette->visible());
    EXPECT_TRUE(w.paletteMade());
    // The grid: black lines on every block edge, the rest of the picture as it was.
    EXPECT_EQ(w.Picture1->point(10, 5), ui::rgb(0, 0, 0));
    EXPECT_EQ(w.Picture1->point(5, 470), ui::rgb(0, 0, 0));
    EXPECT_EQ(w.Picture1->point(639, 479), ui::rgb(20 + 3 * 63 % 200, 30 + 4 * 47 % 200, 120));
    EXPECT_EQ(w.Picture1->point(5, 5), ui::rgb(20, 30, 120));
}

TEST_F(PaletteBuildTest, NarrowPictureSamplesOnlyWholeColumns) {
    Form2 &w = open(blockPicture(25, 10));
    answer("narrow.csv", "10");
    w.mnuMakePalette_Click();
    const auto rows = lines("NARROW.CSV");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(field(rows[0], 2), " 0 0");
    EXPECT_EQ(field(rows[1], 2), " 10 0");
}

TEST_F(PaletteBuildTest, TooManyBlocksAreRefusedAndTheGranularityAskedAgain) {
    Form2 &w = open(blockPicture(1000, 1000));
    fakes.dialogs.queueInput("big");
    fakes.dialogs.queueInput("9");
    fakes.dialogs.queueInput("10");
    fakes.dialogs.queueAnswer(Answer::Ok); // the refusal
    fakes.dialogs.queueAnswer(Answer::No); // 10000 blocks offered, declined
    fakes.dialogs.queueInput(""); // Cancel
    w.mnuMakePalette_Click();
    const auto messages = fakes.dialogs.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "Too many pixels  12321 Maximun 10,000 - increase granularity ");
    EXPECT_EQ(messages[1], "Total Pixels  10000   Generate Palette");
    const auto prompts = inputPrompts();
    ASSERT_EQ(prompts.size(), 4u);
    EXPECT_EQ(fakes.dialogs.calls().at(3).proposed, "9") << "the refused answer is offered again";
    EXPECT_FALSE(std::filesystem::exists(folder / "BIG.CSV"));
    EXPECT_TRUE(fakes.dialogs.scriptUsedUp());
}

TEST_F(PaletteBuildTest, UnusableGranularityIsAskedAgainAndCancelTouchesNoFile) {
    Form2 &w = open(blockPicture(40, 40));
    writeFile("KEEP.CSV", "kept\r\n");
    fakes.dialogs.queueInput("keep");
    for (const char *bad : { "abc", "0", "-5", "1e9", "50" }) {
        fakes.dialogs.queueInput(bad);
    }
    fakes.dialogs.queueInput("");
    w.mnuMakePalette_Click();
    EXPECT_EQ(inputPrompts().size(), 7u);
    EXPECT_TRUE(fakes.dialogs.messages().empty());
    EXPECT_EQ(readFile("KEEP.CSV"), "kept\r\n");
    EXPECT_EQ(w.Text1->text(), "");
}

TEST_F(PaletteBuildTest, BlocksWithoutANotationGiveNoRowAndAreCounted) {
    // Deep blue at (1, 1, 251) lies beyond the renotation data; a black
    // block has no light. Neither takes a neighbour's notation.
    QImage picture = filled(40, 10, qRgb(1, 1, 251));
    for (int y = 0; y < 10; ++y) {
        for (int x = 10; x < 20; ++x) {
            picture.setPixel(x, y, qRgb(120, 110, 100));
        }
        for (int x = 30; x < 40; ++x) {
            picture.setPixel(x, y, qRgb(0, 0, 0));
        }
    }
    Form2 &w = open(picture);
    answer("deep", "10");
    w.mnuMakePalette_Click();
    const auto rows = lines("DEEP.CSV");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(field(rows[0], 2), " 10 0");
    EXPECT_EQ(w.blocksWithoutRow(), 3);
    EXPECT_EQ(w.Text1->text(),
        "Palette Done and saved as DEEP.CSV  (3 blocks have no Munsell notation and no row: 1 no "
        "light, 2 out of the Munsell range)");
    EXPECT_EQ(fakes.dialogs.unscriptedCount(), 0) << "nothing asked for the refused blocks";
    EXPECT_TRUE(fakes.dialogs.scriptUsedUp());
}

TEST_F(PaletteBuildTest, ASecondBuildIsRefusedUntilANewPicture) {
    Form2 &w = open(blockPicture(20, 20));
    answer("one", "10");
    w.mnuMakePalette_Click();
    ASSERT_EQ(lines("ONE.CSV").size(), 4u);
    fakes.dialogs.reset();
    w.mnuMakePalette_Click();
    EXPECT_EQ(fakes.dialogs.messages(),
        (std::vector<std::string> { "Palette already made - reload or load new picture" }));
    EXPECT_TRUE(inputPrompts().empty());

    fakes.pictures.setClipboard(blockPicture(30, 10));
    w.mnuGetClip_Click();
    EXPECT_FALSE(w.paletteMade());
    EXPECT_FALSE(w.mnuView3DPalette->visible());
    answer("two", "10");
    w.mnuMakePalette_Click();
    EXPECT_EQ(lines("TWO.CSV").size(), 3u);
}

TEST_F(PaletteBuildTest, AFileThatCannotBeCreatedIsNamedAndTheBuildCanBeRetried) {
    Form2 &w = open(blockPicture(20, 20));
    answer("no such folder/leaf", "10");
    w.mnuMakePalette_Click();
    const auto messages = fakes.dialogs.messages();
    ASSERT_EQ(messages.size(), 2u); // Yes/No, then the failure
    EXPECT_NE(messages[1].find("NO SUCH FOLDER/LEAF.CSV"), std::string::npos) << messages[1];
    EXPECT_FALSE(w.paletteMade());
    EXPECT_FALSE(w.mnuView3DPalette->visible());
    EXPECT_EQ(w.Picture1->point(10, 5), ui::rgb(20 + 3, 30, 120)) << "no grid drawn";

    answer("leaf", "10");
    w.mnuMakePalette_Click();
    EXPECT_EQ(lines("LEAF.CSV").size(), 4u);
}

TEST_F(PaletteBuildTest, ADiskThatFillsUpMidBuildLeavesTheOldPaletteWhole) {
    Form2 &w = open(blockPicture(640, 480));
    writeFile("LEAF.CSV", "an old palette line\r\n");
    answer("leaf", "10");
    {
        // Room for a few rows of the 3072.
        services::DiskFullAfter full(3000);
        ASSERT_TRUE(full.active());
        w.mnuMakePalette_Click();
    }
    EXPECT_EQ(readFile("LEAF.CSV"), "an old palette line\r\n");
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos)
            << entry.path() << " is left behind";
    }
    const auto messages = fakes.dialogs.messages();
    ASSERT_EQ(messages.size(), 2u); // Yes/No, then the writer's failure
    EXPECT_NE(messages[1].find("LEAF.CSV"), std::string::npos) << messages[1];
    EXPECT_NE(w.Text1->text().find("LEAF.CSV could not be written"), std::string::npos)
        << w.Text1->text();
    EXPECT_FALSE(w.paletteMade());
    EXPECT_FALSE(w.mnuView3DPalette->visible());

    fakes.dialogs.reset();
    answer("leaf", "10");
    w.mnuMakePalette_Click();
    EXPECT_EQ(lines("LEAF.CSV").size(), 3072u) << "replaced, not extended";
    EXPECT_EQ(form->palette().fileName(), "LEAF.CSV");
}

} // namespace
} // namespace tw::imaging::testing
