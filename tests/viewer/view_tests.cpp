// The view: dots as the pixels show them, the rotation step, the redraw that
// waits for a change, and identifying dots by clicking.
#include "viewer_fixture.h"

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

TEST_F(ViewTest, RotationStepsADegreeATickAndWrapsAtTheHalfTurn) {
    startWithViewer();
    writeFile("newpalette2.csv", rows(1));
    Form3 &v = tickViewer();
    EXPECT_TRUE(v.rotating()) << "the window starts turning";
    EXPECT_TRUE(v.Timer1->enabled());
    EXPECT_EQ(v.Command1->backColor(), ui::rgb(224, 160, 160));
    EXPECT_EQ(v.Command2->backColor(), ui::rgb(160, 224, 160));

    ASSERT_TRUE(v.HScroll3->setValue(37));
    ASSERT_TRUE(v.HScroll1->setValue(179));
    v.Timer1_Timer();
    EXPECT_EQ(v.HScroll1->value(), 180);
    EXPECT_EQ(v.Timer1->interval(), 37) << "the next step comes after the Fast-Slow bar's time";
    v.Timer1_Timer();
    EXPECT_EQ(v.HScroll1->value(), -180);

    v.Command2_Click();
    EXPECT_FALSE(v.Timer1->enabled());
    EXPECT_EQ(v.Command1->backColor(), ui::rgb(160, 224, 160));
    EXPECT_EQ(v.Command2->backColor(), ui::rgb(224, 160, 160));

    // e&Xit hides the window only: its box stays ticked and its table stays.
    v.mnuExit_Click();
    EXPECT_FALSE(v.isVisible());
    EXPECT_EQ(form->Check7->value(), 1);
    EXPECT_EQ(v.dotCount(), 1);
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
