// The charts as the screen's check boxes drive them: one window each, kept
// while hidden; which screen events repaint which chart; printing.
#include "chart_fixture.h"

#include "charts/book.h"
#include "charts/book2.h"
#include "charts/cchecker.h"
#include "charts/ctol.h"
#include "ui/button.h"
#include "ui/checkbox.h"
#include "ui/label.h"
#include "ui/optionarray.h"
#include "ui/scrollbar.h"
#include "ui/shape.h"
#include "ui/textbox.h"

#include <QPushButton>
#include <QTest>

namespace tw::charts::testing {
namespace {

using screen::ScreenWindow;

class ChartSwitchTest : public ChartTest { };

TEST_F(ChartSwitchTest, EachBoxShowsAndHidesOneWindowThatKeepsItsState) {
    screen::Form1 &f = startWithCharts();
    const ScreenWindow charts[4] = { ScreenWindow::HuePage, ScreenWindow::ToleranceSet,
        ScreenWindow::ValuePage, ScreenWindow::ColorChecker };
    ui::CheckBox *boxes[4] = { f.Check2, f.Check3, f.Check4, f.Check5 };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(f.windows().window(charts[i]), nullptr) << "made on first use";
        boxes[i]->setValue(1);
        screen::SwitchedWindow *w = f.windows().window(charts[i]);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isShown());
        boxes[i]->setValue(0);
        EXPECT_FALSE(w->isShown());
        boxes[i]->setValue(1);
        EXPECT_EQ(f.windows().window(charts[i]), w) << "one window, shown again";
    }
    // Hidden, the tolerance set keeps its tolerances and its standard.
    auto &set = *dynamic_cast<CTol *>(f.windows().window(ScreenWindow::ToleranceSet));
    ASSERT_TRUE(set.HScroll1[1]->setValue(120));
    const std::string L = set.Text2[0]->text();
    f.Check3->setValue(0);
    f.Check3->setValue(1);
    EXPECT_FLOAT_EQ(set.tolerance[1], 12.0f);
    EXPECT_EQ(set.Label2[2]->caption(), "A +12");
    EXPECT_EQ(set.Text2[0]->text(), L);

    // Closing a chart from its title bar clears its box.
    auto &page = *dynamic_cast<book *>(f.windows().window(ScreenWindow::HuePage));
    page.close();
    EXPECT_EQ(f.Check2->value(), 0);
    typeAndEnter(f.Text12[0], "5Y");
    EXPECT_FALSE(page.isShown()) << "a later conversion does not bring it back";
}

TEST_F(ChartSwitchTest, OnlyTheirOwnScreenEventsRepaintTheCharts) {
    screen::Form1 &f = startWithCharts();
    book &hue = tick<book>(ScreenWindow::HuePage);
    book2 &value = tick<book2>(ScreenWindow::ValuePage);
    CTol &set = tick<CTol>(ScreenWindow::ToleranceSet);
    CChecker &checker = tick<CChecker>(ScreenWindow::ColorChecker);
    const auto snapshot = [&] {
        return std::vector<ui::Rgb24> { hue.Shape1[book::patchIndex(10, 5)]->fillColor(),
            value.point(4448 + 1000, 4148), set.Shape1[0]->fillColor(),
            checker.Shape1[14]->fillColor() };
    };
    const std::vector<ui::Rgb24> underC = snapshot();

    // An illuminant change converts again: the pages and the set follow,
    // the ColorChecker does not.
    f.Option1->select(1);
    const std::vector<ui::Rgb24> underD50 = snapshot();
    EXPECT_NE(underD50[0], underC[0]);
    EXPECT_NE(underD50[2], underC[2]);
    EXPECT_EQ(underD50[3], underC[3]);

    // PWD and the tint convert nothing: nothing repaints.
    f.Check1->setValue(1);
    EXPECT_EQ(snapshot(), underD50);

    // CIELAB entry: the set is rebuilt around the CIELAB entered, and the
    // pages follow the notation found.
    typeAndEnter(f.Text15[0], "70");
    EXPECT_EQ(set.Text2[0]->text(), "70.00");
    EXPECT_EQ(hue.Label1[23]->caption(), f.Text12[0]->text());

    // A gamma change repaints everything, the ColorChecker included.
    f.Check1->setValue(0);
    typeAndEnter(f.Text12[0], "5R");
    const std::vector<ui::Rgb24> gamma22 = snapshot();
    ASSERT_TRUE(f.VScroll8->setValue(18));
    const std::vector<ui::Rgb24> gamma18 = snapshot();
    for (int i = 0; i < 4; ++i) {
        EXPECT_NE(gamma18[i], gamma22[i]) << i;
    }
}

TEST_F(ChartSwitchTest, PrintOnEveryChartUsesThePrinterAndSaysWhenItFails) {
    screen::Form1 &f = startWithCharts();
    ui::Button *buttons[4] = {
        tick<book>(ScreenWindow::HuePage).Command1,
        tick<book2>(ScreenWindow::ValuePage).Command1,
        tick<CChecker>(ScreenWindow::ColorChecker).Command1,
        tick<CTol>(ScreenWindow::ToleranceSet).Command1,
    };
    for (ui::Button *b : buttons) {
        QTest::mouseClick(b->button(), Qt::LeftButton);
    }
    EXPECT_EQ(fakes.printer.pages().size(), 4u);
    EXPECT_FALSE(fakes.printer.pages()[0].isNull());
    EXPECT_TRUE(fakes.dialogs.messages().empty());
    fakes.printer.setFailure("no default printer");
    for (ui::Button *b : buttons) {
        QTest::mouseClick(b->button(), Qt::LeftButton);
    }
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string>(4, "Printer not Found"));
    (void)f;
}

} // namespace
} // namespace tw::charts::testing
