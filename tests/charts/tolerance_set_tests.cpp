// The tolerance set: the seven patches around a standard, the tolerance
// scroll bars, "Black Lines", and the palette "Save Palette" writes.
#include "chart_fixture.h"

#include "charts/ctol.h"
#include "engine/colour_spaces.h"
#include "screen/window_switchboard.h"
#include "ui/button.h"
#include "ui/checkbox.h"
#include "ui/label.h"
#include "ui/scrollbar.h"
#include "ui/shape.h"
#include "ui/textbox.h"
#include "viewer/viewer.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace tw::charts::testing {
namespace {

using screen::ScreenWindow;

class ToleranceSetTest : public ChartTest {
protected:
    // Ticks the set with the screen's CIELAB boxes holding a standard (no
    // conversion runs: the tick builds from the boxes).
    CTol &standard(const char *L, const char *a, const char *b) {
        form->Text15[0]->setText(L);
        form->Text15[1]->setText(a);
        form->Text15[2]->setText(b);
        return tick<CTol>(ScreenWindow::ToleranceSet);
    }
    ui::Rgb24 labColour(float L, float a, float b) const {
        float X, Y, Z;
        engine::labxyz(form->cycle().state().illuminant, X, Y, Z, L, a, b);
        const engine::RgbResult out = engine::xyzrgb(
            form->cycle().state().illuminant, form->cycle().state().display, X, Y, Z);
        return ui::rgb(out.R, out.G, out.B);
    }
    std::vector<ui::Rgb24> fills(const CTol &set) const {
        std::vector<ui::Rgb24> out;
        for (const ui::Shape *s : set.Shape1) {
            out.push_back(s->fillColor());
        }
        return out;
    }
};

// The viewer's palette load, as the tolerance set reaches it.
class RecordingViewer : public screen::SwitchedWindow, public screen::PaletteViewer {
public:
    explicit RecordingViewer(std::vector<int> &loads)
        : loads_(loads) { }
    void setShown(bool) override { }
    [[nodiscard]] bool isShown() const override { return false; }
    void ticked() override { }
    void follow(const screen::Refresh &) override { }
    void GetData(int mode) override { loads_.push_back(mode); }

private:
    std::vector<int> &loads_;
};

TEST_F(ToleranceSetTest, BuildsSixPatchesOneToleranceAwayWithTheirCaptions) {
    startWithCharts();
    CTol &set = standard("50", "0", "0");
    EXPECT_EQ(set.caption(), "Munsell Color Tolerance Set");
    EXPECT_EQ(set.Text2[0]->text(), "50.00");
    EXPECT_EQ(set.Text2[1]->text(), ".00");
    const char *captions[6] = { "L +5", "L -5", "A +5", "A - 5", "B +5", "B - 5" };
    const char *directions[6] = { "Lighter", "Darker", "Redder", "Greener", "Yellower", "Bluer" };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(set.Label2[i]->caption(), captions[i]);
        EXPECT_EQ(set.Label3[i]->caption(), directions[i]);
    }
    EXPECT_EQ(set.Shape1[0]->fillColor(), labColour(50, 0, 0));
    EXPECT_EQ(set.Shape1[1]->fillColor(), labColour(55, 0, 0));
    EXPECT_EQ(set.Shape1[6]->fillColor(), labColour(50, 0, -5));
    EXPECT_EQ(set.point(2160 + 547, 840 + 300), labColour(55, 0, 0))
        << "patch 1 above the standard";
    EXPECT_EQ(set.tolRgb[3][0], ui::redOf(labColour(50, 5, 0)));
    EXPECT_EQ(set.tolMunsell[2][1].substr(0, 3), "4.3") << "L* 45 is about Value 4.3";
    EXPECT_EQ(set.Shape1[4]->borderColor(), set.Shape1[4]->fillColor()) << "no visible border";

    // Black Lines: every border black; cleared again: none visible.
    set.Check1->setValue(1);
    for (const ui::Shape *s : set.Shape1) {
        EXPECT_EQ(s->borderColor(), ui::kBlack);
    }
    set.Check1->setValue(0);
    for (const ui::Shape *s : set.Shape1) {
        EXPECT_EQ(s->borderColor(), s->fillColor());
    }
}

TEST_F(ToleranceSetTest, AScrollBarChangesItsAxisOnlyAndRebuildsFromTheRoundedBoxes) {
    startWithCharts();
    CTol &set = standard("50.004", "10", "-20");
    EXPECT_EQ(set.Text2[0]->text(), "50.00");
    const std::vector<ui::Rgb24> before = fills(set);
    ASSERT_TRUE(set.HScroll1[1]->setValue(120));
    EXPECT_FLOAT_EQ(set.tolerance[1], 12.0f);
    EXPECT_EQ(set.Label2[2]->caption(), "A +12");
    EXPECT_EQ(set.Label2[3]->caption(), "A - 12");
    EXPECT_EQ(set.Label2[0]->caption(), "L +5");
    const std::vector<ui::Rgb24> after = fills(set);
    for (int p : { 0, 1, 2, 5, 6 }) {
        EXPECT_EQ(after[p], before[p]) << p;
    }
    EXPECT_EQ(after[3], labColour(50, 22, -20));
    EXPECT_EQ(after[4], labColour(50, -2, -20));

    // A box that holds no number (never entered): the set is rebuilt
    // around the standard it was built for, so that the patches show what
    // the captions say.
    set.Text2[2]->setText("abc");
    ASSERT_TRUE(set.HScroll1[0]->setValue(100));
    EXPECT_EQ(set.Label2[0]->caption(), "L +10");
    EXPECT_EQ(set.Text2[2]->text(), "-20.00");
    EXPECT_EQ(fills(set)[1], labColour(60, 10, -20));
    EXPECT_EQ(fills(set)[2], labColour(40, 10, -20));

    // Enter in a Standard box rebuilds around it; a word there is refused
    // with a message, the set and its captions stay.
    set.Text2[0]->setText("60");
    QTest::keyClick(set.Text2[0]->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(fills(set)[0], labColour(60, 10, -20));
    const std::vector<ui::Rgb24> entered = fills(set);
    set.Text2[1]->setText("abc");
    QTest::keyClick(set.Text2[1]->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_EQ(fills(set), entered);
    EXPECT_EQ(set.Label2[0]->caption(), "L +10");
}

TEST_F(ToleranceSetTest, FollowsEveryCieLabTheScreenShows) {
    screen::Form1 &f = startWithCharts();
    CTol &set = tick<CTol>(ScreenWindow::ToleranceSet);
    typeAndEnter(f.Text12[0], "5PB");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(set.Text2[i]->text(), f.Text15[i]->text());
    }
    set.hide();
    f.Text1[0]->setText("200");
    f.Command6_Click();
    EXPECT_TRUE(set.isShown()) << "a rebuild shows the set again";
    EXPECT_EQ(set.Text2[0]->text(), f.Text15[0]->text());
}

TEST_F(ToleranceSetTest, SavePaletteWritesSevenLinesAndHandsTheFileToTheViewer) {
    screen::Form1 &f = startWithCharts();
    std::vector<int> loads;
    f.windows().attach(
        ScreenWindow::PaletteViewer, [&loads] { return std::make_unique<RecordingViewer>(loads); });
    writeFile("Cpalette.csv", "old content\r\n");
    CTol &set = standard("50", "0", "0");
    QTest::mouseClick(set.Command2->button(), Qt::LeftButton);

    // Patch 6 first, the standard last; the old content is gone.
    EXPECT_EQ(readFile("Cpalette.csv"),
        "12-08-2026,14:05:09,6,4.26PB,4.846936,1.283139,0,0,0,0,0,0,0,0,0, 114 , 118 , 126 ,end\r\n"
        "12-08-2026,14:05:09,5,3.49Y,4.846936,0.7084191,0,0,0,0,0,0,0,0,0, 121 , 117 , 110 ,end\r\n"
        "12-08-2026,14:05:09,4,2.70BG,4.846936,0.9837273,0,0,0,0,0,0,0,0,0, 109 , 120 , 118 "
        ",end\r\n"
        "12-08-2026,14:05:09,3,6.26RP,4.846936,1.232891,0,0,0,0,0,0,0,0,0, 126 , 115 , 118 ,end\r\n"
        "12-08-2026,14:05:09,2,4.49P,4.363273,1.014382E-02,0,0,0,0,0,0,0,0,0, 106 , 106 , 106 "
        ",end\r\n"
        "12-08-2026,14:05:09,1,4.65P,5.335762,1.347455E-02,0,0,0,0,0,0,0,0,0, 130 , 130 , 130 "
        ",end\r\n"
        "12-08-2026,14:05:09,0,4.54P,4.846936,1.199746E-02,0,0,0,0,0,0,0,0,0, 118 , 118 , 118 "
        ",end\r\n");
    EXPECT_EQ(f.palette().fileName(), "Cpalette.csv");
    EXPECT_EQ(loads, std::vector<int> { 2 });
    EXPECT_TRUE(fakes.dialogs.messages().empty());
}

// The viewer loads the saved palette through the screen; the set it saved
// stays the set shown (with a standard whose own notation would not give
// it back exactly).
TEST_F(ToleranceSetTest, SavePaletteNeverMovesTheSetItSaves) {
    screen::Form1 &f = startWithCharts();
    viewer::attachViewer(f);
    writeFile("newpalette2.csv", "");
    f.windows().setTicked(ScreenWindow::PaletteViewer, true);
    CTol &set = standard("40", "-30", "25");
    const std::vector<ui::Rgb24> before = fills(set);
    QTest::mouseClick(set.Command2->button(), Qt::LeftButton);
    ASSERT_NE(readFile("Cpalette.csv").find(",end"), std::string::npos)
        << ::testing::PrintToString(fakes.dialogs.messages());
    EXPECT_EQ(set.Text2[0]->text(), "40.00");
    EXPECT_EQ(set.Text2[1]->text(), "-30.00");
    EXPECT_EQ(set.Text2[2]->text(), "25.00");
    EXPECT_EQ(fills(set), before);
}

TEST_F(ToleranceSetTest, PatchesOutsideTheMunsellDataAreLeftOutOfThePalette) {
    screen::Form1 &f = startWithCharts();
    CTol &set = standard("50", "0", "-86");
    ASSERT_TRUE(set.tolMunsell[6][0].empty()) << "b* -91 lies beyond the renotation data";
    ASSERT_FALSE(set.tolMunsell[5][0].empty());
    QTest::mouseClick(set.Command2->button(), Qt::LeftButton);
    const std::string file = readFile("Cpalette.csv");
    EXPECT_EQ(file.find(":09,6,"), std::string::npos) << file;
    EXPECT_NE(file.find(":09,5,"), std::string::npos) << file;
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_NE(fakes.dialogs.messages()[0].find("Patch"), std::string::npos);
    EXPECT_EQ(f.palette().fileName(), "Cpalette.csv");
}

TEST_F(ToleranceSetTest, APaletteThatCannotBeWrittenIsSaidAndChangesNothing) {
    screen::Form1 &f = startWithCharts();
    std::vector<int> loads;
    f.windows().attach(
        ScreenWindow::PaletteViewer, [&loads] { return std::make_unique<RecordingViewer>(loads); });
    f.palette().setFileName("mine.csv");
    std::filesystem::create_directory(folder / "Cpalette.csv");
    CTol &set = standard("50", "0", "0");
    QTest::mouseClick(set.Command2->button(), Qt::LeftButton);
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_NE(fakes.dialogs.messages()[0].find("Cpalette.csv"), std::string::npos);
    EXPECT_EQ(f.palette().fileName(), "mine.csv");
    EXPECT_TRUE(loads.empty());
}

} // namespace
} // namespace tw::charts::testing
