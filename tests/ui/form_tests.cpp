// Forms: placement in twips, controls inside frames, reading the window's
// pixels (shapes, labels, the drawing beneath), mouse events through shapes,
// and closing.
#include "ui/drawing_surface.h"
#include "ui/form.h"
#include "ui/frame.h"
#include "ui/guard.h"
#include "ui/label.h"
#include "ui/mouse.h"
#include "ui/shape.h"
#include "ui/textbox.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tw::ui {
namespace {

TEST(FormTest, ControlsArePlacedAtFifteenTwipsToThePixel) {
    Form form;
    form.setClientSize(8280, 5790);
    EXPECT_EQ(form.client()->size(), QSize(552, 386));
    EXPECT_EQ(form.clientWidth(), 8280);

    // 852 twips are 56.8 pixels: the nearest whole pixel.
    TextBox &box = form.add<TextBox>(TwipRect { 1560, 720, 852, 255 }, "5R");
    EXPECT_EQ(box.widget()->geometry(), QRect(104, 48, 57, 17));
    EXPECT_EQ(box.widget()->parentWidget(), form.client());

    Frame &frame = form.add<Frame>(TwipRect { 5880, 2640, 2175, 1815 }, "Instrument");
    TextBox &port = form.addIn<TextBox>(frame, TwipRect { 1560, 1080, 255, 288 }, "1");
    EXPECT_EQ(port.widget()->mapTo(form.client(), QPoint(0, 0)), QPoint(392 + 104, 176 + 72));
}

TEST(FormTest, FixedSizeWindowKeepsItsClientArea) {
    Form form;
    form.setClientSize(7125, 5205);
    form.addMenu("&File");
    form.show();
    EXPECT_EQ(form.client()->size(), QSize(475, 347));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "the user cannot resize it";
}

class FormPixelsTest : public ::testing::Test {
protected:
    Form form;

    void SetUp() override {
        form.setClientSize(3000, 3000); // 200 x 200 pixels
        form.setBackColor(rgb(192, 192, 192));
    }
};

TEST_F(FormPixelsTest, PointReadsShapesAsShown) {
    Shape &patch = form.add<Shape>(TwipRect { 1500, 1500, 615, 615 });
    patch.setFillColor(rgb(200, 30, 40));
    patch.setBorderColor(rgb(1, 2, 3));

    EXPECT_EQ(form.point(1500 + 300, 1500 + 300), rgb(200, 30, 40));
    EXPECT_EQ(form.point(1500, 1500 + 300), rgb(1, 2, 3)) << "the border on the edge pixel";
    EXPECT_EQ(form.point(300, 300), rgb(192, 192, 192));
    EXPECT_EQ(form.point(-15, 300), rgb(192, 192, 192)) << "outside: the background";
}

TEST_F(FormPixelsTest, DottedBorderShowsGaps) {
    Shape &patch = form.add<Shape>(TwipRect { 0, 0, 1500, 1500 }); // 100 pixels
    patch.setFillColor(kWhite);
    patch.setBorderColor(kBlack);
    patch.setBorderStyle(BorderStyle::Dotted);
    int black = 0;
    int white = 0;
    for (int x = 0; x < 100; ++x) {
        const Rgb24 c = form.point(x * 15, 0);
        black += c == kBlack;
        white += c == kWhite;
    }
    EXPECT_GT(black, 20);
    EXPECT_GT(white, 20);

    // A single-pixel read agrees with the whole window's picture, dots included.
    const QImage shown = form.snapshot();
    for (int x = 0; x < 100; ++x) {
        ASSERT_EQ(form.point(x * 15, 0), fromQRgb(shown.pixel(x, 0))) << "x = " << x;
        ASSERT_EQ(form.point(0, x * 15), fromQRgb(shown.pixel(0, x))) << "y = " << x;
    }

    patch.setBorderStyle(BorderStyle::Solid);
    patch.setBorderColor(kWhite); // border in the fill colour: no visible border
    EXPECT_EQ(form.point(50 * 15, 0), kWhite);
}

TEST_F(FormPixelsTest, LabelBackColourAndTheDrawingBeneathTheControls) {
    DrawingSurface &drawing = form.surface();
    drawing.setFillStyle(FillStyle::Solid);
    drawing.setFillColor(rgb(0, 0, 250));
    drawing.circle(1500, 1500, 600, rgb(0, 0, 250));
    Label &label = form.add<Label>(TwipRect { 0, 0, 600, 255 }, "");
    label.setBackColor(rgb(200, 139, 100));

    EXPECT_EQ(form.point(1500, 1500), rgb(0, 0, 250));
    EXPECT_EQ(form.point(300, 120), rgb(200, 139, 100));
    EXPECT_EQ(drawing.point(1500, 1500), rgb(0, 0, 250)) << "surface in twips, like the window";

    form.setBackColor(rgb(192, 192, 192));
    EXPECT_EQ(form.point(1500, 1500), rgb(192, 192, 192)) << "a new back colour clears the drawing";
}

TEST_F(FormPixelsTest, ClickOnAShapeReachesTheWindowInTwips) {
    Shape &patch = form.add<Shape>(TwipRect { 1500, 1500, 615, 615 });
    patch.setFillColor(rgb(10, 20, 30));
    int button = 0;
    double x = -1;
    double y = -1;
    Rgb24 under = 0;
    form.onMouseDown = [&](int b, double tx, double ty) {
        button = b;
        x = tx;
        y = ty;
        under = form.point(tx, ty);
    };
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    const QPoint inWindow = form.client()->mapTo(&form, QPoint(110, 105));
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, inWindow);

    EXPECT_EQ(button, kLeftButton);
    EXPECT_EQ(x, 110 * 15);
    EXPECT_EQ(y, 105 * 15);
    EXPECT_EQ(under, rgb(10, 20, 30));
}

TEST(FormCloseTest, ClosingRunsUnloadAndHides) {
    Form form;
    int unloads = 0;
    form.onUnload = [&] { ++unloads; };
    form.show();
    form.close();
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(form.isVisible());
}

// A window class in the way the program writes them: controls made by the
// form, handlers bound to the window.
struct TwoBoxWindow : Form {
    int &calls;
    TextBox &first = add<TextBox>(TwipRect { 0, 0, 900, 255 }, "a");
    TextBox &second = add<TextBox>(TwipRect { 0, 300, 900, 255 }, "b");

    explicit TwoBoxWindow(int &counter)
        : calls(counter) {
        for (TextBox *box : { &first, &second }) {
            box->onGotFocus = [this] { ++calls; };
            box->onChange = [this] { ++calls; };
        }
    }
};

TEST(FormCloseTest, NoHandlerRunsWhileAWindowIsTornDown) {
    int calls = 0;
    int before = 0;
    {
        TwoBoxWindow window(calls);
        window.activate();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        window.second.setFocus();
        QCoreApplication::processEvents();
        EXPECT_TRUE(window.second.lineEdit()->hasFocus());
        before = calls;
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, before);
}

TEST(FormTextTest, TextWidthIsInTwipsOfTheWindowFont) {
    Form form;
    const double one = form.textWidth(" ");
    EXPECT_GT(one, 0);
    EXPECT_GT(form.textWidth("WWW"), form.textWidth("iii"));
    EXPECT_NEAR(form.textWidth("    "), 4 * one, 1e-6);
    EXPECT_EQ(form.textWidth(""), 0);
}

TEST(GuardTest, ExceptionsBecomeFailuresAndReachTheSink) {
    std::vector<std::string> sunk;
    const FailureSink previous
        = setFailureSink([&](const std::string &where, const std::string &what) {
              sunk.push_back(where + "|" + what);
          });

    const HandlerResult fine = runGuarded("quiet", [] {});
    const HandlerResult failed
        = runGuarded("Command8_Click", [] { throw std::out_of_range("index 41"); });
    const HandlerResult odd = runGuarded("Timer1_Timer", [] { throw 42; });
    const HandlerResult tried = tryRun([] { throw std::runtime_error("bad number"); });

    setFailureSink(previous);
    EXPECT_TRUE(fine.ok);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.message, "index 41");
    EXPECT_FALSE(odd.ok);
    EXPECT_FALSE(tried.ok);
    EXPECT_EQ(tried.message, "bad number");
    EXPECT_EQ(sunk,
        (std::vector<std::string> { "Command8_Click|index 41", "Timer1_Timer|unknown exception" }))
        << "tryRun reports nothing";
}

} // namespace
} // namespace tw::ui
