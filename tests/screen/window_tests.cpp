#include "screen_fixture.h"

#include "text/numbers.h"
#include "ui/button.h"
#include "ui/checkbox.h"
#include "ui/drawing_surface.h"
#include "ui/frame.h"
#include "ui/label.h"
#include "ui/scrollbar.h"
#include "ui/textbox.h"

#include <QImage>
#include <QTest>

#include <cmath>

namespace tw::screen::testing {
namespace {

using cycle::Boxes;

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
    // Every control's own colour, before any tint.
    std::vector<std::pair<ui::Control *, ui::Rgb24>> own;
    for (ui::Control *c : std::initializer_list<ui::Control *> {
             f.Command1, f.Text12[0], f.Label1, f.Frame1, f.Frame2, f.Check2, f.Label3, f.Text3 }) {
        own.emplace_back(c, c->backColor());
    }
    const ui::Rgb24 window = f.backColor();
    // There and back leaves the window looking exactly as it did: labels on
    // the title panel transparent again, not filled with their old colour.
    f.show();
    const QImage untinted = f.grab().toImage();
    ASSERT_TRUE(f.VScroll7->setValue(50));
    ASSERT_NE(f.grab().toImage(), untinted);
    ASSERT_TRUE(f.VScroll7->setValue(100));
    EXPECT_EQ(f.grab().toImage(), untinted);
    ASSERT_TRUE(f.VScroll7->setValue(50));
    // Blue halved, green by 52/85 of blue's fall, red kept; from each
    // control's own colour.
    const auto warm = [](ui::Rgb24 c) {
        return ui::rgb(ui::redOf(c), static_cast<int>(std::lround(0.694118 * ui::greenOf(c))),
            static_cast<int>(std::lround(0.5 * ui::blueOf(c))));
    };
    EXPECT_EQ(f.backColor(), warm(window));
    EXPECT_EQ(f.Text12[0]->backColor(), ui::rgb(255, 177, 128));
    EXPECT_EQ(f.Command1->backColor(), warm(own[0].second));
    EXPECT_EQ(f.Check2->backColor(), own[5].second) << "the check boxes keep their colour";
    EXPECT_FALSE(f.Picture2->visible());
    EXPECT_FLOAT_EQ(f.cycle().state().display.rgbscale[2], 0.5f);
    // The tint enters the next conversion.
    typeAndEnter(f.Text12[0], "5R");
    const std::string tintedBlue = f.Text1[2]->text();
    ASSERT_TRUE(f.VScroll7->setValue(70));
    ASSERT_TRUE(f.VScroll7->setValue(100));
    // Back at 100 every control has its own colour again.
    EXPECT_EQ(f.backColor(), window);
    for (const auto &[control, colour] : own) {
        EXPECT_EQ(control->backColor(), colour);
    }
    EXPECT_TRUE(f.Picture2->visible());
    typeAndEnter(f.Text12[0], "5R");
    EXPECT_NE(f.Text1[2]->text(), tintedBlue);
}

// A window that writes down what the switchboard asks of it.
class RecordingWindow : public SwitchedWindow, public PaletteViewer {
public:
    RecordingWindow(std::string name, std::vector<std::string> &calls)
        : name_(std::move(name))
        , calls_(calls) { }
    void setShown(bool shown) override {
        shown_ = shown;
        calls_.push_back("show " + name_ + (shown ? " on" : " off"));
    }
    [[nodiscard]] bool isShown() const override { return shown_; }
    void ticked() override { calls_.push_back("fill " + name_); }
    void follow(const Refresh &r) override {
        static const char *causes[] = { "notation", "lab", "gamma", "saved" };
        std::string call = "follow " + name_ + " " + causes[static_cast<int>(r.cause)];
        if (r.cause == Refresh::Cause::Lab) {
            call += " " + text::plainText(r.L);
        }
        calls_.push_back(call);
    }
    void GetData(int mode) override {
        calls_.push_back("load " + name_ + " " + std::to_string(mode));
    }

private:
    std::string name_;
    std::vector<std::string> &calls_;
    bool shown_ = false;
};

TEST_F(WindowTest, ChartSwitchesShowTheirWindowsAndEachFollowsItsOwnRefresh) {
    Form1 &f = start();
    std::vector<std::string> calls;
    int made = 0;
    const char *names[] = { "hue", "tolerance", "value", "checker", "picture", "viewer" };
    for (int i = 0; i < screenWindowCount; ++i) {
        f.windows().attach(static_cast<ScreenWindow>(i), [&, name = names[i]] {
            ++made;
            return std::make_unique<RecordingWindow>(name, calls);
        });
    }
    f.Check2->setValue(1);
    EXPECT_EQ(calls, (std::vector<std::string> { "show hue on", "fill hue" }));
    calls.clear();
    typeAndEnter(f.Text12[1], "6");
    EXPECT_EQ(calls, (std::vector<std::string> { "follow hue notation" }))
        << "a ticked page follows every conversion";
    calls.clear();
    f.Check2->setValue(0);
    f.Check4->setValue(1);
    EXPECT_EQ(calls, (std::vector<std::string> { "show hue off", "show value on", "fill value" }));
    f.Check2->setValue(1);
    EXPECT_EQ(made, 2) << "a window is made once and kept while hidden";
    calls.clear();

    // XYZ entry: the pages follow the notation found, the tolerance set the
    // unrounded CIELAB.
    f.Check3->setValue(1);
    calls.clear();
    f.Text11[0]->setText("20");
    f.Text11[1]->setText("20");
    f.Text11[2]->setText("20");
    f.xyzenter();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].rfind("follow tolerance lab 51.8", 0), 0u) << calls[0];
    EXPECT_EQ(calls[1], "follow hue notation");
    EXPECT_EQ(calls[2], "follow value notation");
    calls.clear();

    // The ColorChecker follows a gamma change only while it is on screen.
    ASSERT_TRUE(f.VScroll8->setValue(25));
    f.Check5->setValue(1);
    f.Check2->setValue(0);
    f.Check3->setValue(0);
    f.Check4->setValue(0);
    calls.clear();
    ASSERT_TRUE(f.VScroll8->setValue(20));
    EXPECT_EQ(calls, (std::vector<std::string> { "follow checker gamma" }));
    f.Check5->setValue(0);
    calls.clear();
    ASSERT_TRUE(f.VScroll8->setValue(22));
    EXPECT_TRUE(calls.empty());

    // The viewer reloads after a save only while its box is ticked; the
    // other windows reach its load through the switchboard.
    fakes.dialogs.queueInput("pal");
    fakes.dialogs.queueInput("tag");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    EXPECT_TRUE(calls.empty());
    f.Check7->setValue(1);
    fakes.dialogs.queueInput("tag2");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    f.windows().viewPalette(2);
    EXPECT_EQ(calls,
        (std::vector<std::string> {
            "show viewer on", "fill viewer", "follow viewer saved", "load viewer 2" }));
}

TEST_F(WindowTest, OtherWindowsDriveTheBoxesThroughTheFace) {
    Form1 &f = start();
    ScreenHost &screen = f;
    screen.cycle().setTexts(Boxes::Munsell, { "2.5YR", "6", "4" });
    EXPECT_EQ(f.Text11[1]->text(), "19.77") << "writing a box converts nothing";
    screen.cycle().muncie();
    EXPECT_EQ(screen.cycle().texts(Boxes::Xyz), f.cycle().texts(Boxes::Xyz));
    EXPECT_EQ(f.Text11[1]->text(), "30.05");
    EXPECT_EQ(screen.cycle().state().patch.R, std::stoi(f.Text1[0]->text()));

    // Under quietrgb a conversion computes the colour but leaves the RGB
    // and CMYK boxes as they were.
    const std::vector<std::string> rgb = screen.cycle().texts(Boxes::Rgb);
    const std::vector<std::string> cmyk = screen.cycle().texts(Boxes::Cmyk);
    screen.cycle().setQuietRgb(true);
    screen.cycle().setTexts(Boxes::Lab, { "40", "30", "10" });
    screen.cycle().labenter();
    screen.cycle().setQuietRgb(false);
    EXPECT_EQ(screen.cycle().texts(Boxes::Rgb), rgb);
    EXPECT_EQ(screen.cycle().texts(Boxes::Cmyk), cmyk);
    EXPECT_NE(screen.cycle().state().patch.R, std::stoi(rgb[0]));

    screen.cycle().setTexts(Boxes::Rgb, { "30", "60", "200" });
    screen.cycle().Command6_Click();
    const std::string hue = screen.cycle().text(Boxes::Munsell, 0);
    EXPECT_EQ(hue.substr(hue.size() - 2), "PB") << hue;
    EXPECT_EQ(screen.cycle().text(Boxes::Cmyk, 3), f.Text2[3]->text());
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
