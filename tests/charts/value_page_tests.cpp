// The value page on a real conversion screen: the polar chart as drawn
// (pixels read back), the hover readout, the scroll bar and a click.
#include "chart_fixture.h"

#include "charts/clip_mark.h"
#include "engine/display_colour.h"

#include "charts/book2.h"
#include "engine/mun2xyz.h"
#include "engine/notation.h"
#include "ui/drawing_surface.h"
#include "ui/label.h"
#include "ui/scrollbar.h"
#include "ui/shape.h"
#include "ui/textbox.h"

#include <QTest>

#include <cmath>

namespace tw::charts::testing {
namespace {

using screen::ScreenWindow;

class ValuePageTest : public ChartTest {
protected:
    // The middle of the chart: half the inner area, halves to even.
    static constexpr double cx = 4448, cy = 4148;

    void hover(book2 &page, double x, double y) {
        mouse(page, QEvent::MouseMove, x, y);
        QTest::qWait(40);
    }

    // The highest Chroma of a spoke that is drawn as a dot.
    int lastChroma(float H, float V) const {
        int last = -2;
        for (int c = 0; c <= 40; c += 2) {
            float v = V, X, Y, Z, x = 0, y = 0;
            if (engine::mun2xyz(form->cycle().table(), form->cycle().state().illuminant,
                    form->cycle().state().pwd, H, v, float(c), X, Y, Z, x, y)
                != engine::Mun2XyzStatus::Ok) {
                break;
            }
            last = c;
        }
        return last;
    }
};

TEST_F(ValuePageTest, DrawsARingOfGreysAndSpokesOfEngineColoursAtValue5) {
    screen::Form1 &f = startWithCharts();
    book2 &page = tick<book2>(ScreenWindow::ValuePage);
    EXPECT_EQ(page.caption(), "Munsell Value Page");
    EXPECT_EQ(page.Label1->caption(), "Value   5.");
    EXPECT_EQ(page.VScroll1->value(), 500);

    // Chroma 0 of every hue on the ring of radius 1000 twips, all one grey.
    const ui::Rgb24 grey = engineColour(0, 5, 0);
    for (int k = 0; k < 40; ++k) {
        const double t = 2.5 * k / 15.915494;
        EXPECT_EQ(page.point(cx + 1000 * std::cos(t), cy - 1000 * std::sin(t)), grey) << k;
    }
    // The spoke of hue 0 runs right from cx + 1000, a dot every 200 twips.
    const int last = lastChroma(0, 5);
    ASSERT_GE(last, 8);
    for (int c = 0; c <= last; c += 2) {
        const ui::Rgb24 want = engineColour(0, 5, float(c));
        if (ui::redOf(want) && ui::greenOf(want) && ui::blueOf(want)) {
            EXPECT_EQ(page.point(cx + 1000 + 100 * c, cy), want) << "5R chroma " << c;
        }
    }
    // Where the data run out the spoke ends with the hue's name (black
    // letters) and nothing lies beyond it.
    const double end = cx + 1000 + 100 * (last + 2);
    bool letters = false;
    for (double x = end; x < end + page.surface().textWidth(".00R"); x += 15) {
        for (double y = cy; y < cy + 150; y += 15) {
            letters = letters || page.point(x, y) == ui::kBlack;
        }
    }
    EXPECT_TRUE(letters);
    EXPECT_EQ(page.point(end + 100 + page.surface().textWidth(".00R"), cy + 60), book2::background);

    // A colour the display clips is filled solid in its clipped colour, in
    // the charts' one clip mark: a dotted outline, white on a dark colour and
    // black on a light one.
    bool marked = false;
    const double radius = cx / 40.0;
    for (int k = 0; k < 40 && !marked; ++k) {
        const float H = 2.5f * k;
        const double t = H / 15.915494;
        for (int c = 2; c <= lastChroma(H, 5); c += 2) {
            const engine::DisplayColour colour = f.cycle().munsellColour(H, 5, float(c));
            if (!colour.rgb.outofgamut) {
                continue;
            }
            const ui::Rgb24 want = ui::rgb(colour.rgb.R, colour.rgb.G, colour.rgb.B);
            const double x = cx + 100 * (c + 10) * std::cos(t),
                         y = cy - 100 * (c + 10) * std::sin(t);
            EXPECT_EQ(page.point(x, y), want) << "filled solid";
            const ui::Rgb24 mark = ui::clipMarkColour(want);
            int on = 0, off = 0;
            for (int a = 0; a < 360; a += 3) {
                const ui::Rgb24 p = page.point(
                    x + radius * std::cos(a * 0.0174533), y + radius * std::sin(a * 0.0174533));
                (p == mark ? on : off) += 1;
            }
            marked = on > 5 && off > 5;
            break;
        }
    }
    EXPECT_TRUE(marked);
}

TEST_F(ValuePageTest, HoverShowsThePixelKeepsItOverTheBackgroundAndWarnsOverBlack) {
    startWithCharts();
    book2 &page = tick<book2>(ScreenWindow::ValuePage);
    const ui::Rgb24 grey = engineColour(0, 5, 0);
    hover(page, cx + 1000, cy);
    const std::string readout = "R= " + std::to_string(ui::redOf(grey))
        + "  G= " + std::to_string(ui::greenOf(grey)) + "  B= " + std::to_string(ui::blueOf(grey));
    EXPECT_EQ(page.Label3->caption(), readout);
    EXPECT_EQ(page.Shape1->fillColor(), grey);

    hover(page, cx, 400); // the window's grey above the chart
    EXPECT_EQ(page.Label3->caption(), readout);
    EXPECT_EQ(page.Shape1->fillColor(), grey);

    // The outline of a dot is black.
    double bx = 0, by = 0;
    for (double x = cx + 1000; x < cx + 1300; x += 15) {
        if (page.point(x, cy) == ui::kBlack) {
            bx = x, by = cy;
            break;
        }
    }
    ASSERT_GT(bx, 0);
    hover(page, bx, by);
    EXPECT_EQ(page.Label3->caption(), "Out of RGB Gamut");
    EXPECT_EQ(page.Shape1->fillColor(), ui::kBlack);
}

TEST_F(ValuePageTest, ScrollBarSetsTheValueBoxAndTheScreenRedrawsThePage) {
    screen::Form1 &f = startWithCharts();
    book2 &page = tick<book2>(ScreenWindow::ValuePage);
    const std::string y = f.Text11[1]->text();
    ASSERT_TRUE(page.VScroll1->setValue(950));
    EXPECT_EQ(f.Text12[1]->text(), "9.5");
    EXPECT_NE(f.Text11[1]->text(), y) << "Munsell entry ran";
    EXPECT_EQ(page.Label1->caption(), "Value   9.5");
    EXPECT_EQ(page.point(cx + 1000, cy), engineColour(0, 9.5f, 0));
    EXPECT_EQ(page.VScroll1->value(), 950);

    // A Value box that holds no number leaves the page as drawn.
    f.Text12[1]->setText("x");
    f.muncie();
    EXPECT_EQ(page.Label1->caption(), "Value   9.5");
}

// A click converts the dot it lands on, its rim included; a click on the
// grey background between the dots converts nothing.
TEST_F(ValuePageTest, ClickConvertsTheDotUnderItAndNothingElse) {
    screen::Form1 &f = startWithCharts();
    book2 &page = tick<book2>(ScreenWindow::ValuePage);
    const ui::Rgb24 dot = engineColour(0, 5, 6);
    click(page, cx + 1600, cy);
    EXPECT_EQ(f.Text1[0]->text(), std::to_string(ui::redOf(dot)));
    EXPECT_NEAR(std::stod(f.Text12[1]->text()), 5.0, 0.1) << "converted on the screen";

    const std::vector<std::string> before = allBoxes();
    ASSERT_EQ(page.point(cx, cy), ui::rgb(192, 192, 192)) << "the middle is background";
    click(page, cx, cy);
    EXPECT_EQ(allBoxes(), before) << "the background is no colour";

    // The black rim of a grey dot at Chroma 0 belongs to the dot: its grey
    // is converted, not the rim's black.
    double rim = 0;
    for (double x = cx + 1000; x < cx + 1300; x += 15) {
        if (page.point(x, cy) == ui::kBlack) {
            rim = x;
            break;
        }
    }
    ASSERT_GT(rim, 0);
    click(page, rim, cy);
    EXPECT_NE(f.Text1[0]->text(), "0");
    EXPECT_EQ(f.Text1[0]->text(), f.Text1[1]->text());
    EXPECT_EQ(f.Text1[1]->text(), f.Text1[2]->text());
    EXPECT_NE(f.Text11[0]->text(), before[3]) << "converted";
}

} // namespace
} // namespace tw::charts::testing
