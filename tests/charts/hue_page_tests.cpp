// The hue page on a real conversion screen: what a fill paints, what the
// scroll bar and a click do to the screen.
#include "chart_fixture.h"

#include "charts/book.h"
#include "engine/colour_spaces.h"
#include "engine/mun2xyz.h"
#include "engine/notation.h"
#include "ui/label.h"
#include "ui/scrollbar.h"
#include "ui/shape.h"
#include "ui/textbox.h"

namespace tw::charts::testing {
namespace {

using screen::ScreenWindow;

class HuePageTest : public ChartTest { };

// The centre of the patch of Chroma c and Value v, in twips.
double patchX(int c) {
    return book::gridLeft + (c / 2) * book::pitch + book::patchSize / 2.0;
}
double patchY(int v) {
    return book::gridTop + (9 - v) * book::pitch + book::patchSize / 2.0;
}

int luma(ui::Rgb24 c) {
    return (299 * ui::redOf(c) + 587 * ui::greenOf(c) + 114 * ui::blueOf(c)) / 1000;
}

TEST_F(HuePageTest, FillsThePageOfTheHueBoxWithTheEngineColoursAndMarksClippedOnes) {
    screen::Form1 &f = startWithCharts();
    const std::vector<std::string> before = allBoxes();
    const std::string note = f.Label19->caption();
    book &page = tick<book>(ScreenWindow::HuePage);

    EXPECT_TRUE(page.isShown());
    EXPECT_EQ(page.caption(), "Munsell Book of Color");
    EXPECT_EQ(page.Label1[23]->caption(), "5R");
    EXPECT_EQ(page.VScroll1->value(), 5);
    EXPECT_EQ(allBoxes(), before) << "filling the page leaves the screen's boxes alone";
    EXPECT_EQ(f.Label19->caption(), note);

    int dotted = 0, missing = 0;
    for (int c = 0; c <= 28; c += 2) {
        for (int v = 1; v <= 9; ++v) {
            const ui::Shape *patch = page.Shape1[book::patchIndex(c, v)];
            const engine::DisplayColour want
                = engine::munsellToDisplay(f.cycle().table(), f.cycle().state().illuminant,
                    f.cycle().state().pwd, f.cycle().state().display, 5.0f, float(v), float(c));
            if (!want.hasRgb()) {
                EXPECT_EQ(patch->fillColor(), book::missingGrey) << c << " " << v;
                EXPECT_EQ(patch->borderStyle(), ui::BorderStyle::Solid);
                ++missing;
                continue;
            }
            EXPECT_EQ(patch->fillColor(), ui::rgb(want.rgb.R, want.rgb.G, want.rgb.B))
                << "5R " << v << "/" << c;
            // Clipped at 0 or at 255, however dark: the dotted mark, in a
            // colour that stands out from the patch.
            const bool clipped = want.status == engine::DisplayStatus::OutsideGamut;
            EXPECT_EQ(
                patch->borderStyle(), clipped ? ui::BorderStyle::Dotted : ui::BorderStyle::Solid)
                << "5R " << v << "/" << c;
            if (clipped) {
                EXPECT_GE(std::abs(luma(patch->borderColor()) - luma(patch->fillColor())), 100)
                    << "5R " << v << "/" << c;
            }
            dotted += patch->borderStyle() == ui::BorderStyle::Dotted;
        }
    }
    EXPECT_GT(dotted, 5);
    EXPECT_GT(missing, 20) << "high Chromas lie beyond the renotation data";
    // The grid as the window shows it: the patch of 5R 5/10 by its pixel.
    EXPECT_EQ(page.point(patchX(10), patchY(5)), engineColour(5, 5, 10));

    // The N column: neutral greys over a black Value 0 patch; the other
    // Value 0 patches keep their grey.
    for (int v = 1; v <= 9; ++v) {
        const ui::Rgb24 grey = page.Shape1[book::patchIndex(0, v)]->fillColor();
        EXPECT_LE(std::abs(ui::redOf(grey) - ui::blueOf(grey)), 2) << v;
        EXPECT_EQ(grey, engineColour(5, float(v), 0));
    }
    EXPECT_EQ(page.Shape1[9]->fillColor(), ui::kBlack);
    EXPECT_EQ(page.Shape1[book::patchIndex(2, 0)]->fillColor(), book::missingGrey);
    EXPECT_EQ(page.point(patchX(0), patchY(0)), ui::kBlack);

    // A page with dark clipped colours (purple-blue at Value 1 and 2): they
    // are marked in white.
    typeAndEnter(f.Text12[0], "7.5PB");
    int whiteMarks = 0;
    for (int c = 2; c <= 28; c += 2) {
        for (int v = 1; v <= 2; ++v) {
            const ui::Shape *patch = page.Shape1[book::patchIndex(c, v)];
            whiteMarks += patch->borderStyle() == ui::BorderStyle::Dotted
                && patch->borderColor() == ui::kWhite;
        }
    }
    EXPECT_GT(whiteMarks, 0);
}

TEST_F(HuePageTest, FollowsTheScreenAnd10RPIsHueZero) {
    screen::Form1 &f = startWithCharts();
    book &page = tick<book>(ScreenWindow::HuePage);
    typeAndEnter(f.Text12[0], "10RP");
    EXPECT_EQ(page.VScroll1->value(), 0);
    EXPECT_EQ(page.Label1[23]->caption(), "10RP");
    EXPECT_EQ(page.Shape1[book::patchIndex(8, 4)]->fillColor(), engineColour(0, 4, 8));

    // A CIE entry refills the page for the hue found.
    f.Text11[0]->setText("20");
    f.Text11[1]->setText("30");
    f.Text11[2]->setText("10");
    f.xyzenter();
    bool formatError = false;
    const float h = engine::converth(f.Text12[0]->text(), formatError);
    EXPECT_EQ(page.Label1[23]->caption(), f.Text12[0]->text());
    EXPECT_EQ(page.Shape1[book::patchIndex(4, 6)]->fillColor(), engineColour(h, 6, 4));

    // No hue in the box (a colour outside the Munsell data): the page stays.
    const ui::Rgb24 kept = page.Shape1[book::patchIndex(4, 6)]->fillColor();
    f.Text12[0]->setText("");
    page.fillbook();
    EXPECT_EQ(page.Shape1[book::patchIndex(4, 6)]->fillColor(), kept);
    EXPECT_TRUE(fakes.dialogs.messages().empty());
}

TEST_F(HuePageTest, ScrollBarWritesTheHueBoxAndRefillsWithoutConverting) {
    screen::Form1 &f = startWithCharts();
    book &page = tick<book>(ScreenWindow::HuePage);
    const std::string x = f.Text11[0]->text();
    ASSERT_TRUE(page.VScroll1->setValue(25));
    EXPECT_EQ(f.Text12[0]->text(), engine::hconvert(25.0f));
    EXPECT_EQ(f.Text12[0]->text(), "5.00Y");
    EXPECT_EQ(page.Label1[23]->caption(), "5.00Y");
    EXPECT_EQ(page.Shape1[book::patchIndex(10, 8)]->fillColor(), engineColour(25, 8, 10));
    EXPECT_EQ(f.Text11[0]->text(), x) << "the screen converts nothing";
    EXPECT_EQ(page.VScroll1->value(), 25);
}

TEST_F(HuePageTest, ClickSendsThePixelToTheScreenAndConvertsUnlessAChannelIsZero) {
    screen::Form1 &f = startWithCharts();
    book &page = tick<book>(ScreenWindow::HuePage);
    typeAndEnter(f.Text12[0], "5G");
    const ui::Rgb24 patch = page.Shape1[book::patchIndex(4, 6)]->fillColor();
    click(page, patchX(4), patchY(6));
    EXPECT_EQ(f.Text1[0]->text(), std::to_string(ui::redOf(patch)));
    EXPECT_EQ(f.Text1[2]->text(), std::to_string(ui::blueOf(patch)));
    EXPECT_NEAR(std::stod(f.Text12[2]->text()), 4.0, 0.3) << "converted back to about 5G 6/4";
    EXPECT_NEAR(std::stod(f.Text12[1]->text()), 6.0, 0.1);

    const std::vector<std::string> before = allBoxes();
    click(page, patchX(0), patchY(0));
    EXPECT_EQ(f.Text1[0]->text(), "0");
    EXPECT_EQ(f.Text1[1]->text(), "0");
    EXPECT_EQ(f.Text11[0]->text(), before[3]) << "the black patch is not converted";
    EXPECT_EQ(f.Text12[0]->text(), before[0]);

    // The page's grey between patches, and a cell beyond the data: nothing
    // reaches the screen.
    typeAndEnter(f.Text12[0], "5PB");
    const std::vector<std::string> shown = allBoxes();
    int emptyC = -1, emptyV = -1;
    for (int c = 28; c > 0 && emptyC < 0; c -= 2) {
        for (int v = 1; v <= 9 && emptyC < 0; ++v) {
            if (page.Shape1[book::patchIndex(c, v)]->fillColor() == book::missingGrey) {
                emptyC = c;
                emptyV = v;
            }
        }
    }
    ASSERT_GE(emptyC, 0);
    click(page, patchX(emptyC), patchY(emptyV));
    click(
        page, patchX(4) + book::patchSize / 2.0 + (book::pitch - book::patchSize) / 2.0, patchY(6));
    click(page, patchX(4), book::gridTop - 30);
    EXPECT_EQ(allBoxes(), shown);
}

} // namespace
} // namespace tw::charts::testing
