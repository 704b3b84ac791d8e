// Sampling the picture under the mouse through the conversion screen.
#include "imaging_fixture.h"

#include "ui/drawing_surface.h"
#include "ui/label.h"
#include "ui/textbox.h"

#include <QTest>

namespace tw::imaging::testing {
namespace {

using cycle::Boxes;

// A 3 x 3 picture whose red channel sums to `redSum` (eight pixels of 1 and
// one of the rest), green and blue mid-grey.
QImage redSumPicture(int redSum) {
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(qRgb(1, 120, 120));
    image.setPixel(2, 2, qRgb(redSum - 8, 120, 120));
    return image;
}

TEST_F(ImagingTest, OnePixelSampleIsThatPixelsColour) {
    QImage picture = filled(10, 10, qRgb(200, 200, 200));
    picture.setPixel(4, 6, qRgb(180, 60, 40));
    Form2 &w = open(picture);
    w.mnuSamplePixels_Click(1);
    EXPECT_EQ(w.sampleHalfSize(), 0);
    EXPECT_EQ(w.samplePixelCount(), 1);
    w.Picture1_MouseDown(1, 4, 6);
    EXPECT_EQ(form->cycle().texts(Boxes::Rgb), (std::vector<std::string> { "180", "60", "40" }));
    // The screen converted it: the notation it shows is the window's.
    const auto munsell = form->cycle().texts(Boxes::Munsell);
    EXPECT_NE(munsell[0], "5R");
    EXPECT_EQ(w.Text5->text(),
        "Hue = " + munsell[0] + "   Value = " + munsell[1] + "   Chroma = " + munsell[2]);
    EXPECT_EQ(w.Text6->text(), "Position  X = 4  Y = 6");
    const cycle::DisplayRgb shown = form->cycle().state().patch;
    EXPECT_EQ(w.Text7->backColor(), ui::rgb(shown.R, shown.G, shown.B));
}

TEST_F(ImagingTest, NinePixelAverageTakesTheIntegerPartOfSumOverNPlusAHalf) {
    for (const auto &[sum, red] : { std::pair { 13, "1" }, std::pair { 14, "2" } }) {
        Form2 &w = open(redSumPicture(sum));
        w.mnuSamplePixels_Click(9);
        w.Picture1_MouseDown(1, 1, 1);
        EXPECT_EQ(form->cycle().text(Boxes::Rgb, 0), red) << "red sum " << sum;
        EXPECT_EQ(form->cycle().text(Boxes::Rgb, 1), "120");
    }
}

TEST_F(ImagingTest, AChannelAtZeroOr255IsNotConverted) {
    for (const QRgb colour : { qRgb(255, 100, 100), qRgb(100, 0, 100) }) {
        Form2 &w = open(filled(9, 9, colour));
        const auto munsellBefore = form->cycle().texts(Boxes::Munsell);
        const auto xyzBefore = form->cycle().texts(Boxes::Xyz);
        w.Picture1_MouseDown(1, 4, 4);
        EXPECT_EQ(form->cycle().text(Boxes::Rgb, 0), std::to_string(qRed(colour)));
        EXPECT_EQ(form->cycle().text(Boxes::Rgb, 1), std::to_string(qGreen(colour)));
        EXPECT_EQ(form->cycle().texts(Boxes::Munsell), munsellBefore);
        EXPECT_EQ(form->cycle().texts(Boxes::Xyz), xyzBefore);
        EXPECT_FALSE(w.busy());
    }
}

// A sample the screen cannot place says why, never the notation of the
// sample before it.
TEST_F(ImagingTest, ASampleWithoutANotationSaysWhy) {
    QImage picture = filled(10, 10, qRgb(180, 60, 40));
    picture.setPixel(8, 8, qRgb(3, 2, 2));
    Form2 &w = open(picture);
    w.mnuSamplePixels_Click(1);
    w.Picture1_MouseDown(1, 2, 2);
    ASSERT_EQ(w.Text5->text().rfind("Hue = ", 0), 0u);
    w.Picture1_MouseDown(1, 8, 8);
    EXPECT_EQ(w.Text5->text(), "No notation: no light");
    EXPECT_EQ(form->Label19->caption(), "No Light");
    EXPECT_EQ(form->cycle().text(Boxes::Munsell, 0), "");
    EXPECT_EQ(w.Text7->backColor(), ui::rgb(3, 2, 2));
    w.Picture1_MouseDown(1, 2, 2);
    EXPECT_EQ(w.Text5->text().rfind("Hue = ", 0), 0u) << "the next sample converts again";
}

TEST_F(ImagingTest, TheBlockFlashesInvertedAndIsRestoredExactly) {
    QImage picture(12, 12, QImage::Format_RGB32);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            picture.setPixel(x, y, qRgb(20 * x + 3, 17 * y + 5, (x * y) % 256));
        }
    }
    Form2 &w = open(picture);
    const QImage before = w.Picture1->image().copy();
    QImage duringFlash;
    fakes.dialogs.setOnYield([&] {
        if (duringFlash.isNull()) {
            duringFlash = w.Picture1->image().copy();
        }
    });
    w.mnuSamplePixels_Click(25);
    w.Picture1_MouseDown(1, 6, 5);
    ASSERT_FALSE(duringFlash.isNull());
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool inBlock = x >= 4 && x <= 8 && y >= 3 && y <= 7;
            const QRgb original = before.pixel(x, y) & 0xFFFFFF;
            const QRgb flashed = duringFlash.pixel(x, y) & 0xFFFFFF;
            EXPECT_EQ(flashed, inBlock ? (original ^ 0xFFFFFFu) : original) << x << "," << y;
        }
    }
    EXPECT_EQ(w.Picture1->image(), before);
    // The flash lasted 0.2 s on the clock.
    EXPECT_GE(fakes.clock.reads(), 4);
}

TEST_F(ImagingTest, ABlockAtTheEdgeAveragesOnlyThePictureItself) {
    Form2 &w = open(filled(5, 5, qRgb(100, 50, 20)));
    w.Picture1_MouseDown(1, 0, 0); // 81 pixels asked, 25 of them in the picture
    EXPECT_EQ(form->cycle().texts(Boxes::Rgb), (std::vector<std::string> { "100", "50", "20" }));
    w.Picture1_MouseDown(1, 4, 2);
    EXPECT_EQ(form->cycle().texts(Boxes::Rgb), (std::vector<std::string> { "100", "50", "20" }));
}

TEST_F(ImagingTest, ClickModeSamplesOnPressContinuousModeOnMove) {
    QImage picture = filled(20, 20, qRgb(90, 140, 60));
    Form2 &w = open(picture);
    ASSERT_TRUE(w.clickMode());
    const auto start = form->cycle().texts(Boxes::Rgb);
    w.Picture1_MouseMove(0, 10, 10);
    EXPECT_EQ(form->cycle().texts(Boxes::Rgb), start) << "a move in click mode does nothing";

    w.mnuContinuousDisplay_Click();
    EXPECT_FALSE(w.clickMode());
    w.Picture1_MouseDown(1, 10, 10);
    EXPECT_EQ(form->cycle().texts(Boxes::Rgb), start) << "a press in continuous mode does nothing";
    w.Picture1_MouseMove(0, 10, 10);
    EXPECT_EQ(form->cycle().texts(Boxes::Rgb), (std::vector<std::string> { "90", "140", "60" }));
    EXPECT_EQ(w.Text6->text(), "Position  X = 10  Y = 10");
}

TEST_F(ImagingTest, AnUnconvertedSampleDoesNotStopContinuousSampling) {
    QImage picture = filled(30, 10, qRgb(255, 255, 255));
    for (int y = 0; y < 10; ++y) {
        for (int x = 15; x < 30; ++x) {
            picture.setPixel(x, y, qRgb(70, 80, 90));
        }
    }
    Form2 &w = open(picture);
    w.Picture1_MouseDown(1, 5, 5); // white: not converted
    w.mnuContinuousDisplay_Click();
    w.Picture1_MouseMove(0, 22, 5);
    EXPECT_EQ(form->cycle().texts(Boxes::Rgb), (std::vector<std::string> { "70", "80", "90" }));
}

TEST_F(ImagingTest, MovesArrivingDuringASampleAreSkipped) {
    Form2 &w = open(filled(20, 20, qRgb(90, 140, 60)));
    w.mnuContinuousDisplay_Click();
    int nested = 0;
    fakes.dialogs.setOnYield([&] {
        ++nested;
        if (nested < 10) {
            w.Picture1_MouseMove(0, 3, 3);
        }
    });
    w.Picture1_MouseMove(0, 10, 10);
    // Each nested move would have yielded twice more.
    EXPECT_EQ(nested, 2);
    EXPECT_EQ(w.Text6->text(), "Position  X = 10  Y = 10");
}

TEST_F(ImagingTest, AClickOnThePictureSamplesUnderThePointer) {
    QImage picture = filled(40, 40, qRgb(10, 10, 10));
    picture.setPixel(7, 9, qRgb(150, 120, 100));
    Form2 &w = open(picture);
    w.mnuSamplePixels_Click(1);
    w.show();
    QTest::mouseClick(w.Picture1->widget(), Qt::LeftButton, {}, QPoint(7, 9));
    EXPECT_EQ(form->cycle().texts(Boxes::Rgb), (std::vector<std::string> { "150", "120", "100" }));
    EXPECT_EQ(w.Text6->text(), "Position  X = 7  Y = 9");
}

} // namespace
} // namespace tw::imaging::testing
