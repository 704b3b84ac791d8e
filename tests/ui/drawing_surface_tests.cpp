// Drawing surfaces: user coordinate systems (y upwards with a negative
// height), what a pixel read returns after each drawing operation, text at the
// current position, pictures, and mouse positions in user units.
#include "ui/drawing_surface.h"
#include "ui/form.h"
#include "ui/mouse.h"
#include "ui/user_scale.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace tw::ui {
namespace {

struct ScaleRow {
    const char *name;
    QSize pixels;
    double left, top, width, height;
    double x, y;
    QPoint pixel;
};

class UserScaleTest : public ::testing::TestWithParam<ScaleRow> { };

TEST_P(UserScaleTest, UserPointFallsInItsPixel) {
    const ScaleRow &row = GetParam();
    UserScale scale;
    scale.setPixelSize(row.pixels);
    ASSERT_TRUE(scale.setUser(row.left, row.top, row.width, row.height));
    EXPECT_EQ(scale.toPixelIndex(row.x, row.y), row.pixel);
}

INSTANTIATE_TEST_SUITE_P(Systems, UserScaleTest,
    ::testing::Values(
        // The 3D viewer: world span 40 on both axes, y upwards.
        ScaleRow { "ViewerCentre", { 400, 400 }, -20, 20, 40, -40, 0, 0, { 200, 200 } },
        ScaleRow { "ViewerTopLeftCorner", { 400, 400 }, -20, 20, 40, -40, -20, 20, { 0, 0 } },
        ScaleRow { "ViewerUpIsUp", { 400, 400 }, -20, 20, 40, -40, 0, 19.95, { 200, 0 } },
        ScaleRow {
            "ViewerBottomRight", { 400, 400 }, -20, 20, 40, -40, 19.95, -19.95, { 399, 399 } },
        ScaleRow { "ViewerPanned", { 400, 400 }, -15, 22, 40, -40, 5, 2, { 200, 200 } },
        ScaleRow { "PixelsOneToOne", { 640, 480 }, 0, 0, 640, 480, 25, 30, { 25, 30 } },
        ScaleRow {
            "TwipsFifteenToThePixel", { 593, 553 }, 0, 0, 8895, 8295, 4447, 4147, { 296, 276 } },
        ScaleRow { "ReversedX", { 100, 100 }, 10, 0, -10, 10, 2.5, 5, { 75, 50 } }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(UserScaleTest, PixelCornerMapsBackToItsPixel) {
    // The mouse reports a pixel by its corner; a read there must find the
    // same pixel despite the rounding of the division.
    UserScale scale;
    scale.setPixelSize({ 401, 397 });
    ASSERT_TRUE(scale.setUser(-20.3, 17.1, 40.7, -33.9));
    for (int x = 0; x < 401; x += 7) {
        for (int y = 0; y < 397; y += 5) {
            const QPointF u = scale.toUser({ x, y });
            ASSERT_EQ(scale.toPixelIndex(u.x(), u.y()), QPoint(x, y)) << x << "," << y;
        }
    }
}

TEST(UserScaleTest, ZeroSpanIsRefused) {
    UserScale scale;
    EXPECT_FALSE(scale.setUser(0, 0, 0, 10));
    EXPECT_FALSE(scale.setUser(0, 0, 10, 0));
    EXPECT_EQ(scale.mode(), UserScale::Mode::Twips);
}

class SurfaceTest : public ::testing::Test {
protected:
    Form form;
    // 100 x 100 pixels.
    DrawingSurface &surface = form.add<DrawingSurface>(TwipRect { 0, 0, 1500, 1500 });

    QRgb at(int x, int y) const { return surface.image().pixel(x, y); }
};

TEST_F(SurfaceTest, RgbPutsRedInTheLowByte) {
    EXPECT_EQ(rgb(1, 2, 3), 0x030201u);
    EXPECT_EQ(rgb(300, -5, 255), rgb(255, 0, 255)) << "channels are clamped";

    surface.setScalePixels();
    surface.pset(5, 5, rgb(200, 100, 50));
    const Rgb24 c = surface.point(5, 5);
    EXPECT_EQ(c, rgb(200, 100, 50));
    EXPECT_EQ(c & 255, 200u);
    EXPECT_EQ((c >> 8) & 255, 100u);
    EXPECT_EQ((c >> 16) & 255, 50u);
}

TEST_F(SurfaceTest, FilledBoxWithYUpwardsCoversExactlyItsCorners) {
    // 0..10 across, 10 at the top down to 0 at the bottom: 10 pixels a unit.
    ASSERT_TRUE(surface.setScale(0, 10, 10, -10));
    const Rgb24 teal = rgb(10, 120, 130);
    surface.box(2, 2, 4, 8, teal, true);

    EXPECT_EQ(surface.point(3, 5), teal);
    // x 2..4 is columns 20..40; y 8 is row 20 (near the top), y 2 row 80.
    EXPECT_EQ(fromQRgb(at(20, 20)), teal);
    EXPECT_EQ(fromQRgb(at(40, 80)), teal);
    EXPECT_EQ(fromQRgb(at(19, 50)), kWhite);
    EXPECT_EQ(fromQRgb(at(41, 50)), kWhite);
    EXPECT_EQ(fromQRgb(at(30, 19)), kWhite);
    EXPECT_EQ(fromQRgb(at(30, 81)), kWhite);
    EXPECT_EQ(surface.point(3, 9), kWhite) << "above the box in user terms is above on screen";
}

TEST_F(SurfaceTest, OutlinedBoxTakesItsInsideFromTheFillStyle) {
    surface.setScalePixels();
    surface.setFillStyle(FillStyle::Solid);
    surface.setFillColor(rgb(0, 0, 255));
    surface.box(10, 10, 30, 30, rgb(255, 0, 0));
    EXPECT_EQ(surface.point(10, 20), rgb(255, 0, 0));
    EXPECT_EQ(surface.point(30, 30), rgb(255, 0, 0));
    EXPECT_EQ(surface.point(20, 20), rgb(0, 0, 255));
    EXPECT_EQ(surface.point(31, 20), kWhite);
}

TEST_F(SurfaceTest, CircleHasItsOutlineAndFill) {
    surface.setScalePixels();
    surface.setFillStyle(FillStyle::Solid);
    surface.setFillColor(rgb(255, 0, 0));
    surface.circle(50, 50, 20, kBlack);

    EXPECT_EQ(surface.point(50, 50), rgb(255, 0, 0));
    EXPECT_EQ(surface.point(60, 50), rgb(255, 0, 0));
    EXPECT_EQ(surface.point(50, 75), kWhite);
    // The outline: somewhere between 18 and 22 pixels right of the centre.
    bool outline = false;
    for (int x = 68; x <= 72; ++x) {
        outline = outline || surface.point(x, 50) == kBlack;
    }
    EXPECT_TRUE(outline);
    EXPECT_EQ(surface.currentX(), 50);
    EXPECT_EQ(surface.currentY(), 50);
}

TEST_F(SurfaceTest, EllipseAspectIsVerticalOverHorizontalRadius) {
    surface.setScalePixels();
    surface.setFillStyle(FillStyle::Solid);
    surface.setFillColor(rgb(0, 255, 0));
    surface.circle(50, 50, 40, rgb(0, 255, 0), 0.25); // 40 across, 10 up and down

    EXPECT_EQ(surface.point(80, 50), rgb(0, 255, 0));
    EXPECT_EQ(surface.point(50, 58), rgb(0, 255, 0));
    EXPECT_EQ(surface.point(50, 65), kWhite);
}

TEST_F(SurfaceTest, HatchedFillLeavesWhatLiesBeneathBetweenItsLines) {
    surface.setScalePixels();
    surface.setFillStyle(FillStyle::DiagonalCross);
    surface.setFillColor(rgb(255, 0, 0));
    surface.circle(50, 50, 30, kBlack);
    int hatch = 0;
    int beneath = 0;
    for (int x = 40; x < 60; ++x) {
        for (int y = 40; y < 60; ++y) {
            const Rgb24 c = surface.point(x, y);
            hatch += c == rgb(255, 0, 0);
            beneath += c == kWhite;
        }
    }
    EXPECT_GT(hatch, 0);
    EXPECT_GT(beneath, 0);
}

struct DotRow {
    const char *name;
    int width;
};

class DotWidthTest : public SurfaceTest, public ::testing::WithParamInterface<DotRow> { };

// Dots of the 3D viewer: a Value 9 dot is 20 pixels wide with an 11-pixel
// white centre; Value 1 gives 4 and 3.
TEST_P(DotWidthTest, DotIsExactlyThePenWidthAcross) {
    const int w = GetParam().width;
    surface.setScalePixels();
    surface.setDrawWidth(w);
    surface.pset(50, 50, rgb(0, 0, 200));
    int across = 0;
    int down = 0;
    for (int i = 0; i < 100; ++i) {
        across += surface.point(i, 50) == rgb(0, 0, 200);
        down += surface.point(50, i) == rgb(0, 0, 200);
    }
    EXPECT_EQ(across, w);
    EXPECT_EQ(down, w);

    // A circle of radius 0 is the same dot.
    surface.setBackColor(kBlack);
    surface.circle(50, 50, 0, kWhite);
    int white = 0;
    for (int i = 0; i < 100; ++i) {
        white += surface.point(i, 50) == kWhite;
    }
    EXPECT_EQ(white, w);
}

INSTANTIATE_TEST_SUITE_P(Widths, DotWidthTest,
    ::testing::Values(DotRow { "Value9Dot", 20 }, DotRow { "Value9Centre", 11 },
        DotRow { "Value1Dot", 4 }, DotRow { "Value1Centre", 3 }, DotRow { "Two", 2 }),
    [](const auto &info) { return std::string(info.param.name); });

// Dots are written straight into the image while lines go through the
// painter: what is drawn later still covers what was drawn earlier, and a
// dot over an edge keeps to the image.
TEST_F(SurfaceTest, DotsAndLinesKeepTheirDrawingOrder) {
    surface.setScalePixels();
    surface.line(0, 50, 99, 50, rgb(1, 1, 1));
    surface.setDrawWidth(9);
    surface.pset(50, 50, rgb(0, 200, 0));
    surface.setDrawWidth(1);
    surface.line(50, 0, 50, 99, rgb(2, 2, 2));
    EXPECT_EQ(surface.point(20, 50), rgb(1, 1, 1));
    EXPECT_EQ(surface.point(53, 50), rgb(0, 200, 0)) << "the dot covers the first line";
    EXPECT_EQ(surface.point(50, 50), rgb(2, 2, 2)) << "the second line covers the dot";

    surface.setDrawWidth(20);
    for (const QPoint corner : { QPoint(0, 0), QPoint(99, 0), QPoint(0, 99), QPoint(99, 99) }) {
        surface.pset(corner.x(), corner.y(), rgb(9, 0, 9));
        EXPECT_EQ(surface.point(corner.x(), corner.y()), rgb(9, 0, 9));
    }
    surface.pset(-500, 40, rgb(7, 0, 0)); // wholly outside: nothing drawn
    EXPECT_EQ(surface.point(0, 40), kWhite);
}

TEST_F(SurfaceTest, LineRunsBetweenItsEndsAndLeavesThePositionAtTheSecond) {
    ASSERT_TRUE(surface.setScale(-20, 20, 40, -40)); // 2.5 pixels a unit
    surface.line(0, 0, 0, 20, rgb(9, 9, 9));
    EXPECT_EQ(surface.point(0, 10), rgb(9, 9, 9));
    EXPECT_EQ(surface.point(0, -10), kWhite);
    EXPECT_EQ(surface.currentY(), 20);
    surface.lineTo(-20, 20, rgb(9, 9, 9));
    EXPECT_EQ(surface.point(-10, 19.9), rgb(9, 9, 9));
}

TEST_F(SurfaceTest, PrintWritesAtTheCurrentPositionAndMovesOn) {
    ASSERT_TRUE(surface.setScale(-20, 20, 40, -40));
    surface.setForeColor(rgb(255, 0, 0));
    surface.setCurrentX(-10);
    surface.setCurrentY(10);

    surface.print("12", false);
    EXPECT_NEAR(surface.currentX(), -10 + surface.textWidth("12"), 1e-9);
    EXPECT_EQ(surface.currentY(), 10);

    surface.setForeColor(rgb(0, 0, 255));
    surface.print("7");
    EXPECT_EQ(surface.currentX(), -20) << "the next line starts at the left edge";
    EXPECT_NEAR(surface.currentY(), 10 - surface.textHeight(), 1e-9) << "one line down the screen";

    // The red "12" lies right of and below its starting point.
    const QPoint start = surface.scale().toPixelIndex(-10, 10);
    int inside = 0;
    int outside = 0;
    const QImage img = surface.image();
    for (int x = 0; x < img.width(); ++x) {
        for (int y = 0; y < img.height(); ++y) {
            if (fromQRgb(img.pixel(x, y)) == rgb(255, 0, 0)) {
                (x >= start.x() && y >= start.y() ? inside : outside) += 1;
            }
        }
    }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
}

// A handle kept between prints must never print another text: not one from
// another surface, nor one from before the font changed; and a text partly
// off the surface is cut at its edge, not wrapped onto the next row.
TEST_F(SurfaceTest, KeptTextHandlesPrintTheirOwnTextOnly) {
    DrawingSurface &other = form.add<DrawingSurface>(TwipRect { 0, 1500, 1500, 1500 });
    const auto printed = [](DrawingSurface &s, const std::function<void()> &print) {
        s.setScalePixels();
        s.cls();
        s.setCurrentX(20);
        s.setCurrentY(20);
        print();
        return s.image().copy();
    };
    TextHandle handle;
    const QImage plain = printed(surface, [&] { surface.print("12"); });
    EXPECT_EQ(printed(surface, [&] { surface.print("12", handle); }), plain);
    EXPECT_EQ(printed(surface, [&] { surface.print("12", handle); }), plain) << "kept";

    other.print("7"); // the other surface's first text is a different one
    const QImage otherPlain = printed(other, [&] { other.print("12"); });
    EXPECT_EQ(printed(other, [&] { other.print("12", handle); }), otherPlain);

    QFont bigger = surface.widget()->font();
    bigger.setPointSize(bigger.pointSize() * 2);
    surface.widget()->setFont(bigger);
    const QImage big = printed(surface, [&] { surface.print("12"); });
    EXPECT_NE(big, plain);
    EXPECT_EQ(printed(surface, [&] { surface.print("12", handle); }), big);

    // At the right edge: nothing lands at the left end of the rows below.
    surface.setScalePixels();
    surface.cls();
    surface.setCurrentX(surface.pixelSize().width() - 3);
    surface.setCurrentY(40);
    surface.setForeColor(rgb(255, 0, 0));
    surface.print("88", handle);
    for (int y = 0; y < surface.pixelSize().height(); ++y) {
        for (int x = 0; x < 10; ++x) {
            ASSERT_NE(fromQRgb(at(x, y)), rgb(255, 0, 0)) << x << "," << y;
        }
    }
}

TEST_F(SurfaceTest, TextSizesArePositiveWhateverTheAxes) {
    ASSERT_TRUE(surface.setScale(0, 0, 100, -100)); // one unit a pixel, y upwards
    EXPECT_GT(surface.textWidth("Munsell"), surface.textWidth("M"));
    EXPECT_GT(surface.textHeight(), 0);
}

TEST_F(SurfaceTest, PointOutsideTheSurfaceGivesTheBackground) {
    surface.setBackColor(rgb(192, 192, 192));
    surface.setScalePixels();
    EXPECT_EQ(surface.point(-1, 5), rgb(192, 192, 192));
    EXPECT_EQ(surface.point(100, 5), rgb(192, 192, 192));
}

TEST_F(SurfaceTest, BackColourAndClsClearTheDrawingButNotThePicture) {
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    picture.setPixel(3, 4, qRgb(250, 0, 0));
    surface.setPicture(picture);
    EXPECT_EQ(surface.pixelSize(), QSize(30, 20)) << "sized to the picture";
    surface.setScalePixels();
    EXPECT_EQ(surface.point(3, 4), rgb(250, 0, 0));

    surface.pset(3, 4, kBlack);
    EXPECT_EQ(surface.point(3, 4), kBlack);
    surface.cls();
    EXPECT_EQ(surface.point(3, 4), rgb(250, 0, 0));

    surface.setPicture(QImage());
    EXPECT_FALSE(surface.hasPicture());
    surface.setBackColor(rgb(1, 2, 3));
    EXPECT_EQ(surface.point(3, 4), rgb(1, 2, 3));
}

TEST_F(SurfaceTest, ScreenShowsTheBackingImage) {
    surface.setScalePixels();
    surface.box(10, 10, 20, 20, rgb(40, 50, 60), true);
    form.show();
    const QImage shown = surface.widget()->grab().toImage();
    EXPECT_EQ(fromQRgb(shown.pixel(15, 15)), rgb(40, 50, 60));
    EXPECT_EQ(fromQRgb(shown.pixel(25, 15)), kWhite);
}

TEST_F(SurfaceTest, GrowingTheSurfaceKeepsTheDrawing) {
    surface.setScalePixels();
    surface.pset(7, 7, rgb(7, 7, 7));
    surface.setPlacement(TwipRect { 0, 0, 3000, 3000 });
    EXPECT_EQ(surface.pixelSize(), QSize(200, 200));
    EXPECT_EQ(surface.point(7, 7), rgb(7, 7, 7));
    EXPECT_EQ(surface.point(150, 150), kWhite);
}

TEST_F(SurfaceTest, MouseDownReportsButtonAndUserPosition) {
    surface.setPlacement(TwipRect { 0, 0, 6000, 6000 }); // 400 x 400 pixels
    ASSERT_TRUE(surface.setScale(-20, 20, 40, -40));
    surface.pset(10, 10, rgb(1, 200, 3));
    int button = 0;
    double x = 0;
    double y = 0;
    Rgb24 under = 0;
    surface.onMouseDown = [&](int b, double px, double py) {
        button = b;
        x = px;
        y = py;
        under = surface.point(px, py);
    };
    form.show();

    QTest::mousePress(surface.widget(), Qt::RightButton, {}, QPoint(300, 100));

    EXPECT_EQ(button, kRightButton);
    EXPECT_NEAR(x, 10, 1e-9);
    EXPECT_NEAR(y, 10, 1e-9);
    EXPECT_EQ(under, rgb(1, 200, 3)) << "the pixel under the pointer";
}

} // namespace
} // namespace tw::ui
