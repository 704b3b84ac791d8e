// The outside-world services: clocks, printers and pictures, real and doubled.
#include "services/qt_pictures.h"
#include "services/qt_printer.h"
#include "services/system_clock.h"
#include "testing/fake_clock.h"
#include "testing/fake_pictures.h"
#include "testing/fake_printer.h"
#include "testing/fake_services.h"
#include "ui/form.h"

#include <QFile>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

namespace tw::services {
namespace {

TEST(FakeClockTest, StandsStillUnlessStepped) {
    FakeClock clock;
    clock.setTime(10, 0, 0);
    EXPECT_EQ(clock.secondsSinceMidnight(), 36000);
    EXPECT_EQ(clock.secondsSinceMidnight(), 36000);

    clock.setStep(0.25);
    EXPECT_EQ(clock.secondsSinceMidnight(), 36000);
    EXPECT_EQ(clock.secondsSinceMidnight(), 36000.25);
    EXPECT_EQ(clock.reads(), 4);
}

TEST(FakeClockTest, TimeOutLoopEndsAfterAKnownNumberOfReads) {
    FakeClock clock;
    clock.setStep(0.1);
    const double start = clock.secondsSinceMidnight();
    int polls = 0;
    while (clock.secondsSinceMidnight() - start < 2.0 - 1e-9) {
        ++polls;
        ASSERT_LT(polls, 1000);
    }
    EXPECT_EQ(polls, 19);
}

TEST(FakeClockTest, MidnightRollsTheSecondsOverAndTurnsTheDate) {
    FakeClock clock;
    clock.setDate(2026, 12, 31);
    clock.setTime(23, 59, 58);
    EXPECT_EQ(clock.timeText(), "23:59:58");
    EXPECT_EQ(clock.dateText(), "12-31-2026");

    clock.setStep(1);
    EXPECT_EQ(clock.secondsSinceMidnight(), 86398);
    EXPECT_EQ(clock.secondsSinceMidnight(), 86399);
    EXPECT_EQ(clock.secondsSinceMidnight(), 0);
    EXPECT_EQ(clock.dateText(), "01-01-2027");
    EXPECT_EQ(clock.timeText(), "00:00:01");

    clock.setSeconds(-1);
    EXPECT_EQ(clock.timeText(), "23:59:59");
}

TEST(SystemClockTest, TextsHaveTheFileForms) {
    SystemClock clock;
    const double s = clock.secondsSinceMidnight();
    EXPECT_GE(s, 0);
    EXPECT_LT(s, 86400);
    EXPECT_TRUE(std::regex_match(clock.dateText(), std::regex(R"(\d\d-\d\d-\d{4})")))
        << clock.dateText();
    EXPECT_TRUE(std::regex_match(clock.timeText(), std::regex(R"(\d\d:\d\d:\d\d)")))
        << clock.timeText();
}

TEST(FakePrinterTest, KeepsPagesOrFailsWithItsReason) {
    ui::Form form;
    form.setClientSize(1500, 900);
    FakePrinter printer;

    const PrintResult printed = printer.printWidget(form);
    EXPECT_TRUE(printed.ok);
    ASSERT_EQ(printer.pages().size(), 1u);
    EXPECT_EQ(printer.pages()[0].size(), form.size());

    printer.setFailure("out of paper");
    const PrintResult failed = printer.printWidget(form);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.reason, "out of paper");
    EXPECT_EQ(printer.pages().size(), 1u);
    EXPECT_EQ(printer.attempts(), 2);
}

TEST(QtPrinterTest, FailsWithoutADefaultPrinter) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a default printer; nothing is printed in tests";
    }
    QtPrinter printer;
    QImage page(10, 10, QImage::Format_RGB32);
    page.fill(Qt::white);
    const PrintResult result = printer.printImage(page);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.reason.empty());
}

class QtPicturesTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QtPictures pictures;

    std::string path(const char *name) const { return dir.filePath(name).toStdString(); }
};

TEST_F(QtPicturesTest, LoadsPngExactlyAndByContent) {
    QImage image(25, 10, QImage::Format_RGB32);
    image.fill(QColor(10, 20, 30));
    image.setPixel(24, 9, qRgb(200, 100, 50));
    // PNG data under a .jpg name: the content decides.
    ASSERT_TRUE(image.save(dir.filePath("leaf.jpg"), "PNG"));

    const PictureResult loaded = pictures.load(path("leaf.jpg"));
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    EXPECT_EQ(loaded.image.size(), QSize(25, 10));
    EXPECT_EQ(ui::fromQRgb(loaded.image.pixel(24, 9)), ui::rgb(200, 100, 50));
}

TEST_F(QtPicturesTest, LoadsJpeg) {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    ASSERT_TRUE(image.save(dir.filePath("TestImage.jpg"), "JPG"));
    const PictureResult loaded = pictures.load(path("TestImage.jpg"));
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    EXPECT_EQ(loaded.image.size(), QSize(64, 48));
}

TEST_F(QtPicturesTest, ReadsEveryFormatItNamesBesideJpeg) {
    const std::vector<std::string> suffixes = pictures.readableSuffixes();
    for (const char *wanted : { "jpg", "png", "bmp" }) {
        EXPECT_NE(std::find(suffixes.begin(), suffixes.end(), wanted), suffixes.end()) << wanted;
    }
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(QColor(40, 80, 160));
    ASSERT_TRUE(image.save(dir.filePath("leaf.bmp"), "BMP"));
    const PictureResult loaded = pictures.load(path("leaf.bmp"));
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    EXPECT_EQ(ui::fromQRgb(loaded.image.pixel(6, 4)), ui::rgb(40, 80, 160));
}

TEST_F(QtPicturesTest, MissingOrDamagedFileFailsWithAReason) {
    const PictureResult missing = pictures.load(path("nothere.jpg"));
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.error.empty());

    QFile text(dir.filePath("notes.jpg"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    EXPECT_FALSE(pictures.load(path("notes.jpg")).ok());
}

// A picture that loads only in part says so; a whole one says nothing; a
// transparent pixel is seen, and sampled, over white, not as its stored
// colour.
TEST_F(QtPicturesTest, CutShortJpegAndTransparentPngAreSaid) {
    QImage image(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            image.setPixel(x, y, qRgb(x * 4, y * 4, 128));
        }
    }
    ASSERT_TRUE(image.save(dir.filePath("whole.jpg"), "JPG", 95));
    const PictureResult whole = pictures.load(path("whole.jpg"));
    ASSERT_TRUE(whole.ok());
    EXPECT_EQ(whole.note, "");

    QFile in(dir.filePath("whole.jpg"));
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    QFile cut(dir.filePath("cut.jpg"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() / 2));
    cut.close();
    const PictureResult part = pictures.load(path("cut.jpg"));
    ASSERT_TRUE(part.ok()) << "what the file holds is shown";
    EXPECT_NE(part.note.find("cut short"), std::string::npos) << part.note;
    EXPECT_NE(part.note.find("of 64 rows"), std::string::npos) << part.note;

    QImage clear(4, 1, QImage::Format_ARGB32);
    clear.setPixel(0, 0, qRgba(255, 0, 0, 0)); // transparent red
    clear.setPixel(1, 0, qRgba(0, 0, 255, 255));
    clear.setPixel(2, 0, qRgba(0, 0, 0, 128)); // half-transparent black
    clear.setPixel(3, 0, qRgba(0, 0, 255, 255));
    ASSERT_TRUE(clear.save(dir.filePath("clear.png"), "PNG"));
    const PictureResult over = pictures.load(path("clear.png"));
    ASSERT_TRUE(over.ok());
    EXPECT_EQ(ui::fromQRgb(over.image.pixel(0, 0)), ui::rgb(255, 255, 255));
    EXPECT_EQ(ui::fromQRgb(over.image.pixel(1, 0)), ui::rgb(0, 0, 255));
    EXPECT_NEAR(ui::redOf(ui::fromQRgb(over.image.pixel(2, 0))), 127, 1);
    EXPECT_NE(over.note.find("over white"), std::string::npos) << over.note;
}

TEST(FakePicturesTest, GivenFilesClipboardAndScreen) {
    FakeServices fakes;
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(Qt::red);
    fakes.pictures.addFile("pic.jpg", image);
    fakes.pictures.setScreenSize({ 800, 600 });

    Services services = fakes.services();
    EXPECT_TRUE(services.pictures.load("pic.jpg").ok());
    EXPECT_EQ(services.pictures.load("pic.jpg").image.format(), QImage::Format_RGB32);
    EXPECT_FALSE(services.pictures.load("other.jpg").ok());
    EXPECT_TRUE(services.pictures.clipboardImage().isNull());
    EXPECT_EQ(services.pictures.screenSize(), QSize(800, 600));
}

} // namespace
} // namespace tw::services
