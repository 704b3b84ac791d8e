#include "screen_fixture.h"

#include "ui/button.h"
#include "ui/checkbox.h"
#include "ui/drawing_surface.h"
#include "ui/frame.h"
#include "ui/label.h"
#include "ui/scrollbar.h"
#include "ui/textbox.h"

#include <QTest>

namespace tw::screen::testing {
namespace {

using WindowTest = ScreenTest;

TEST_F(WindowTest, HiddenModeOpensOnTheExactCode) {
    Form1 &f = start();
    QLineEdit *messages = f.Text3->lineEdit();
    messages->selectAll();
    QTest::keyClicks(messages, "zqk");
    EXPECT_TRUE(f.Command3->visible());
    EXPECT_TRUE(f.import->visible());
    EXPECT_TRUE(f.VScroll7->visible());
    QTest::keyClicks(messages, "x");
    EXPECT_FALSE(f.Command3->visible());
    EXPECT_FALSE(f.VScroll7->visible());
    f.Text3->setText("ZQK");
    EXPECT_FALSE(f.Command3->visible());
    f.Text3->setText("zqk");
    EXPECT_TRUE(f.Command3->visible());
    f.showMessage("XT Sleeping");
    EXPECT_FALSE(f.Command3->visible()) << "any message closes hidden mode";
}

TEST_F(WindowTest, HelpTextIsExact) {
    Form1 &f = start();
    QTest::mouseClick(f.Command1->button(), Qt::LeftButton);
    ASSERT_EQ(fakes.dialogs.calls().size(), 1u);
    const auto &call = fakes.dialogs.calls()[0];
    EXPECT_EQ(call.title, "Munsell TWZ Help");
    EXPECT_EQ(call.text,
        "Enter Hue, Value and Chroma and press 'Enter'\r"
        "Neutrals - Enter value and set Chroma to zero - ignore Hue\r"
        "Hue Names - R YR Y GY G BG B PB P RP \r"
        "                      or\r"
        "Enter X,Y and Z and press 'Enter'\r"
        "                      or\r"
        "Enter L*,a* and b* and press 'Enter'\r"
        "                  or\r"
        "Enter R,G or B and press enter\r"
        "\r"
        "Checking PWD sets the Value scale to 10 for a Y value of 100\r"
        "\r"
        "'Save to Palette' saves a Palette file for opening with Excel or viewing with "
        "Optional 3D Palette Viewer (option 2)");
    EXPECT_EQ(call.text.find('\n'), std::string::npos) << "lines end with CR alone";
}

TEST_F(WindowTest, AboutNamesTheVersion) {
    Form1 &f = start();
    QTest::mouseClick(f.Command9->button(), Qt::LeftButton);
    ASSERT_EQ(fakes.dialogs.calls().size(), 1u);
    EXPECT_EQ(fakes.dialogs.calls()[0].title, "Tintwise Version 1.0.0");
    EXPECT_EQ(fakes.dialogs.calls()[0].icon, services::Icon::Information);
    EXPECT_EQ(
        fakes.dialogs.calls()[0].text.rfind("The Tintwise Program is a software utility", 0), 0u);
}

TEST_F(WindowTest, PrintFailureSaysPrinterNotFound) {
    Form1 &f = start();
    QTest::mouseClick(f.printB->button(), Qt::LeftButton);
    EXPECT_TRUE(fakes.dialogs.messages().empty());
    EXPECT_EQ(fakes.printer.pages().size(), 1u);
    fakes.printer.setFailure("no default printer");
    QTest::mouseClick(f.printB->button(), Qt::LeftButton);
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string> { "Printer not Found" });
}

TEST_F(WindowTest, ViewingLightTint) {
    Form1 &f = start();
    f.Text3->setText("zqk");
    ASSERT_TRUE(f.VScroll7->setValue(50));
    EXPECT_EQ(f.backColor(), ui::rgb(200, 139, 100));
    EXPECT_EQ(f.Text12[0]->backColor(), ui::rgb(255, 177, 128));
    EXPECT_EQ(f.Command1->backColor(), ui::rgb(200, 139, 100));
    EXPECT_FALSE(f.Picture2->visible());
    EXPECT_FLOAT_EQ(f.settings().display.rgbscale[2], 0.5f);
    // The tint enters the next conversion.
    typeAndEnter(f.Text12[0], "5R");
    const std::string tintedBlue = f.Text1[2]->text();
    ASSERT_TRUE(f.VScroll7->setValue(100));
    EXPECT_EQ(f.backColor(), ui::rgb(200, 200, 200));
    EXPECT_EQ(f.Text12[0]->backColor(), ui::rgb(255, 255, 255));
    EXPECT_TRUE(f.Picture2->visible());
    typeAndEnter(f.Text12[0], "5R");
    EXPECT_NE(f.Text1[2]->text(), tintedBlue);
}

TEST_F(WindowTest, ChartSwitchesCallTheirWindows) {
    Form1 &f = start();
    std::vector<std::string> calls;
    f.charts.showWindow = [&](int n, bool show) {
        calls.push_back("show " + std::to_string(n) + (show ? " on" : " off"));
    };
    f.charts.huePage = [&](const std::string &hue) { calls.push_back("hue " + hue); };
    f.charts.valuePage = [&](const std::string &value) { calls.push_back("value " + value); };
    f.Check2->setValue(1);
    EXPECT_EQ(calls, (std::vector<std::string> { "show 2 on", "hue 5R" }));
    calls.clear();
    typeAndEnter(f.Text12[1], "6");
    EXPECT_EQ(calls, (std::vector<std::string> { "hue 5R" }))
        << "a ticked page follows every conversion";
    calls.clear();
    f.Check2->setValue(0);
    f.Check4->setValue(1);
    EXPECT_EQ(calls, (std::vector<std::string> { "show 2 off", "show 4 on", "value 6" }));
}

TEST_F(WindowTest, DecorativePictureIsAColourSolid) {
    Form1 &f = start();
    // The middle column holds the grey scale: dark at the bottom, light at
    // the top.
    const ui::Rgb24 top = f.Picture2->point(50, 10);
    const ui::Rgb24 bottom = f.Picture2->point(50, 96);
    EXPECT_GT(ui::greenOf(top), ui::greenOf(bottom) + 100);
}

} // namespace
} // namespace tw::screen::testing
