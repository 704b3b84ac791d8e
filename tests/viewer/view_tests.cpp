// The view: dots as the pixels show them, the rotation step, the redraw that
// waits for a change, and identifying dots by clicking.
#include "viewer_fixture.h"

#include "engine/display_colour.h"
#include "ui/button.h"
#include "ui/checkbox.h"
#include "ui/drawing_surface.h"
#include "ui/listbox.h"
#include "ui/mouse.h"
#include "ui/scrollbar.h"
#include "ui/shape.h"
#include "ui/textbox.h"
#include "ui/timer.h"

namespace tw::viewer::testing {
namespace {

class ViewTest : public ViewerTest {
protected:
    // The viewer showing these rows, stopped, seen from the side (tilt 90,
    // VScroll1 at 0) with no rotation.
    Form3 &sideView(const std::string &rowsText) {
        startWithViewer();
        writeFile("newpalette2.csv", rowsText);
        Form3 &v = tickViewer();
        v.Command2_Click();
        EXPECT_TRUE(v.HScroll1->setValue(0));
        EXPECT_TRUE(v.VScroll1->setValue(0));
        return v;
    }

    // The lengths of the runs of `colour` through a world point, across and
    // down, counting `inside` as part of the run.
    static std::pair<int, int> runThrough(
        const ui::DrawingSurface &p, float x, float y, ui::Rgb24 colour, ui::Rgb24 inside) {
        const QImage &image = p.image();
        const QPoint at = p.scale().toPixelIndex(x, y);
        const auto in = [&](int px, int py) {
            if (!image.rect().contains(px, py)) {
                return false;
            }
            const ui::Rgb24 c = ui::fromQRgb(image.pixel(px, py));
            return c == colour || c == inside;
        };
        int across = 0;
        int down = 0;
        for (int d = -60; d <= 60; ++d) {
            across += in(at.x() + d, at.y());
            down += in(at.x(), at.y() + d);
        }
        return { across, down };
    }
};

TEST_F(ViewTest, DotWidthsFollowTheValueAndTheSelectedDotHasAWhiteCentre) {
    Form3 &v = sideView(row("high", "5R", "9", "0") + row("low", "5R", "1", "0"));
    for (int selected : { 0, 1 }) {
        ASSERT_TRUE(v.List1->setListIndex(selected));
        v.DrawPalette();
        const PaletteDot &high = v.dot(1);
        const PaletteDot &low = v.dot(2);
        // From the side, Value 9 is 16 units up the axis and Value 1 16 down.
        EXPECT_NEAR(high.projectedY, 16.0f, 1e-4f);
        EXPECT_NEAR(low.projectedY, -16.0f, 1e-4f);
        const ui::Rgb24 highColour = ui::rgb(high.red, high.green, high.blue);
        const ui::Rgb24 lowColour = ui::rgb(low.red, low.green, low.blue);
        EXPECT_EQ(runThrough(*v.Picture1, 0, 16, highColour, ui::kWhite), std::pair(20, 20));
        EXPECT_EQ(runThrough(*v.Picture1, 0, -16, lowColour, ui::kWhite), std::pair(4, 4));
        const ui::Rgb24 none = ui::rgb(1, 2, 3);
        const auto [highCentre, highDown] = runThrough(*v.Picture1, 0, 16, ui::kWhite, none);
        const auto [lowCentre, lowDown] = runThrough(*v.Picture1, 0, -16, ui::kWhite, none);
        EXPECT_EQ(highCentre, selected == 0 ? 11 : 0);
        EXPECT_EQ(lowCentre, selected == 1 ? 3 : 0);
    }
}

TEST_F(ViewTest, GreyOfValueFiveSitsInTheCentreWhateverTheView) {
    Form3 &v = sideView(row("grey", "5R", "5", "0"));
    for (const auto &[rotation, tiltBar] :
        { std::pair(0, 0), std::pair(137, 15), std::pair(-90, 90) }) {
        ASSERT_TRUE(v.HScroll1->setValue(rotation) || v.HScroll1->value() == rotation);
        ASSERT_TRUE(v.VScroll1->setValue(tiltBar) || v.VScroll1->value() == tiltBar);
        v.DrawPalette();
        EXPECT_EQ(v.dot(1).projectedX, 0.0f);
        EXPECT_EQ(v.dot(1).projectedY, 0.0f);
        const QPoint centre(
            v.Picture1->pixelSize().width() / 2, v.Picture1->pixelSize().height() / 2);
        EXPECT_EQ(ui::fromQRgb(v.Picture1->image().pixel(centre)),
            ui::rgb(v.dot(1).red, v.dot(1).green, v.dot(1).blue));
    }
}

// A colour the display must clip is drawn clipped with the dotted clip
// mark round it, never black (the screen's patch is black for it); its
// swatch after a click carries the same mark. A colour the display shows
// as it is has neither.
TEST_F(ViewTest, ClippedColoursAreDrawnClippedWithTheClipMark) {
    Form3 &v = sideView(row("pale", "5R", "9", "4") + row("plain", "5R", "5", "4"));
    v.DrawPalette();
    const PaletteDot &pale = v.dot(1);
    const engine::DisplayColour want = form->cycle().munsellColour(5.0f, 9.0f, 4.0f);
    ASSERT_TRUE(want.rgb.outofgamut);
    const ui::Rgb24 colour = ui::rgb(want.rgb.R, want.rgb.G, want.rgb.B);
    EXPECT_EQ(ui::rgb(pale.red, pale.green, pale.blue), colour);
    EXPECT_TRUE(pale.clipped);
    EXPECT_FALSE(v.dot(2).clipped);
    // The mark: a ring of the mark's colour round the dot, the dot whole.
    EXPECT_EQ(runThrough(*v.Picture1, pale.projectedX, pale.projectedY, colour, colour),
        std::pair(20, 20));
    const ui::Rgb24 mark = ui::clipMarkColour(colour);
    const QPoint at = v.Picture1->scale().toPixelIndex(pale.projectedX, pale.projectedY);
    int ring = 0;
    for (int dy = -14; dy <= 14; ++dy) {
        for (int dx = -14; dx <= 14; ++dx) {
            ring += ui::fromQRgb(v.Picture1->image().pixel(at + QPoint(dx, dy))) == mark;
        }
    }
    EXPECT_GT(ring, 20);
    EXPECT_LT(ring, 60) << "dotted, one pixel wide";

    v.Picture1_MouseDown(ui::kLeftButton, pale.projectedX, pale.projectedY);
    EXPECT_EQ(v.Shape1->fillColor(), colour);
    EXPECT_EQ(v.Shape1->borderStyle(), ui::BorderStyle::Dotted);
    v.Picture1_MouseDown(ui::kLeftButton, v.dot(2).projectedX, v.dot(2).projectedY);
    EXPECT_EQ(v.Shape1->borderStyle(), ui::BorderStyle::Solid);
}

// A nearer dot covers a farther one, whatever their order in the palette:
// seen from above, the higher Value.
TEST_F(ViewTest, NearerDotsAreDrawnOverFartherOnes) {
    Form3 &v = sideView(row("high", "5R", "7", "4") + row("low", "5R", "3", "4"));
    ASSERT_TRUE(v.VScroll1->setValue(90)); // tilt 0: both fall on one point
    v.DrawPalette();
    const PaletteDot &high = v.dot(1);
    ASSERT_NEAR(high.projectedX, v.dot(2).projectedX, 1e-5);
    ASSERT_NEAR(high.projectedY, v.dot(2).projectedY, 1e-5);
    EXPECT_EQ(v.Picture1->point(high.projectedX, high.projectedY),
        ui::rgb(high.red, high.green, high.blue))
        << "the higher Value, listed first, is on top";
    // From below the Value axis's foot it would be the other way round: from
    // the side, the two stand apart.
    ASSERT_TRUE(v.VScroll1->setValue(0));
    v.DrawPalette();
    EXPECT_GT(high.projectedY, v.dot(2).projectedY);
}

TEST_F(ViewTest, RotationTurnsAtTheSpeedOfItsBarWhateverTheTicks) {
    startWithViewer();
    writeFile("newpalette2.csv", rows(1));
    Form3 &v = tickViewer();
    EXPECT_TRUE(v.rotating()) << "the window starts turning";
    EXPECT_TRUE(v.Timer1->enabled());
    EXPECT_EQ(v.Command1->backColor(), ui::rgb(224, 160, 160));
    EXPECT_EQ(v.Command2->backColor(), ui::rgb(160, 224, 160));

    // A calm 30 degrees a second at first: two seconds turn it 60 degrees,
    // in ten ticks or in two hundred.
    ASSERT_TRUE(v.HScroll1->setValue(0) || v.HScroll1->value() == 0);
    v.Timer1_Timer();
    for (int i = 0; i < 10; ++i) {
        fakes.clock.advance(0.2);
        v.Timer1_Timer();
    }
    EXPECT_EQ(v.HScroll1->value(), 60);
    for (int i = 0; i < 200; ++i) {
        fakes.clock.advance(0.01);
        v.Timer1_Timer();
    }
    EXPECT_EQ(v.HScroll1->value(), 120);

    // The bar's steps are even: Fast is 60 degrees a second, each step 0.6
    // less; past the half turn the angle goes on from -180.
    ASSERT_TRUE(v.HScroll3->setValue(1));
    ASSERT_TRUE(v.HScroll1->setValue(170));
    fakes.clock.advance(0.25);
    v.Timer1_Timer();
    EXPECT_EQ(v.HScroll1->value(), -175);
    ASSERT_TRUE(v.HScroll3->setValue(100));
    fakes.clock.advance(0.25);
    v.Timer1_Timer();
    fakes.clock.advance(0.25);
    v.Timer1_Timer();
    EXPECT_EQ(v.HScroll1->value(), -175) << "0.6 degrees a second";
    // A stall (a modal message, a hidden window) does not jump.
    ASSERT_TRUE(v.HScroll3->setValue(1));
    fakes.clock.advance(30.0);
    v.Timer1_Timer();
    EXPECT_EQ(v.HScroll1->value(), -160);

    v.Command2_Click();
    EXPECT_FALSE(v.Timer1->enabled());
    EXPECT_EQ(v.Command1->backColor(), ui::rgb(160, 224, 160));
    EXPECT_EQ(v.Command2->backColor(), ui::rgb(224, 160, 160));

    // e&Xit hides the window and clears its box, so that one click brings
    // it back; the table stays.
    v.mnuExit_Click();
    EXPECT_FALSE(v.isVisible());
    EXPECT_EQ(form->Check7->value(), 0);
    EXPECT_EQ(v.dotCount(), 1);
    form->Check7->setValue(1);
    EXPECT_TRUE(v.isVisible());
}

TEST_F(ViewTest, TheRedrawWaitsForSomethingToChange) {
    Form3 &v = sideView(rows(3));
    v.Timer2_Timer();
    const std::uint64_t base = v.redrawCount();
    v.Timer2_Timer();
    v.Timer2_Timer();
    EXPECT_EQ(v.redrawCount(), base) << "an idle view is not redrawn";

    ASSERT_TRUE(v.HScroll2->setValue(380));
    v.Timer2_Timer();
    EXPECT_EQ(v.redrawCount(), base + 1);
    EXPECT_NEAR(v.Picture1->scaleLeft(), 2.0f - 20.0f, 1e-5) << "pan x 2";
    ASSERT_TRUE(v.List1->setListIndex(1));
    v.Timer2_Timer();
    v.Check1->setValue(1);
    v.Timer2_Timer();
    v.Timer1_Timer();
    fakes.clock.advance(0.1);
    v.Timer1_Timer();
    v.Timer2_Timer();
    v.Timer2_Timer();
    EXPECT_EQ(v.redrawCount(), base + 4) << "selection, numbers and rotation each redraw once";

    v.mnuExit_Click();
    ASSERT_TRUE(v.VScroll2->setValue(10));
    v.Timer2_Timer();
    EXPECT_EQ(v.redrawCount(), base + 4) << "nothing is drawn while hidden";
    v.setShown(true);
    v.Timer2_Timer();
    EXPECT_EQ(v.redrawCount(), base + 5);
    EXPECT_NEAR(v.Picture1->scaleWidth(), 20.0, 1e-6) << "zoom 10";
}

TEST_F(ViewTest, ClicksIdentifyTheNearestDotIntoTheirOwnPair) {
    // 10G and 10RP point opposite ways: 2 units left and right of the centre.
    Form3 &v = sideView(row("green", "10G", "5", "2") + row("purple", "10RP", "5", "2")
        + row("far", "5Y", "9", "12"));
    v.DrawPalette();
    ASSERT_NEAR(v.dot(1).projectedX, -2.0f, 1e-5f);
    ASSERT_NEAR(v.dot(2).projectedX, 2.0f, 1e-5f);

    v.Picture1_MouseDown(ui::kLeftButton, 0.0, 0.0);
    EXPECT_EQ(v.List1->listIndex(), 0) << "exactly between: the lower number";
    EXPECT_EQ(v.Text3[0]->text(), "green");
    EXPECT_EQ(v.Text4[0]->text(), v.dot(1).hueLabel + " 5.00/2.00");
    EXPECT_EQ(v.Shape1->fillColor(), ui::rgb(v.dot(1).red, v.dot(1).green, v.dot(1).blue));
    EXPECT_EQ(v.Text3[1]->text(), "");

    v.Picture1_MouseDown(ui::kRightButton, 0.1, 0.0);
    EXPECT_EQ(v.List1->listIndex(), 1);
    EXPECT_EQ(v.Text3[1]->text(), "purple");
    EXPECT_EQ(v.Shape2->fillColor(), ui::rgb(v.dot(2).red, v.dot(2).green, v.dot(2).blue));
    EXPECT_EQ(v.Text3[0]->text(), "green") << "the other pair keeps its colour";

    v.Picture1_MouseDown(ui::kMiddleButton, v.dot(3).projectedX, v.dot(3).projectedY);
    EXPECT_EQ(v.List1->listIndex(), 2) << "any other button only selects";
    EXPECT_EQ(v.Text3[0]->text(), "green");
    EXPECT_EQ(v.Text3[1]->text(), "purple");
}

TEST_F(ViewTest, AClickWithNoPaletteChangesNothing) {
    startWithViewer();
    Form3 &v = tickViewer(); // nothing to load
    ASSERT_EQ(v.dotCount(), 0);
    v.Picture1_MouseDown(ui::kLeftButton, 0.0, 0.0);
    EXPECT_EQ(v.List1->listIndex(), -1);
    EXPECT_EQ(v.Text3[0]->text(), "");
}

} // namespace
} // namespace tw::viewer::testing
