// Loading ignores any orientation tag in the file: the picture is analysed
// pixel by pixel as stored, and a rotated view would move the pixels the
// user points at. Pictures come back as 32-bit RGB so that pixel reads are
// the same whatever the file held, transparent parts over white.
//
// A damaged or cut-short file is read as far as it goes, as the readers do,
// and said so: the readers' own warnings are caught while they read, and a
// JPEG must end with its end-of-image marker. The rows a cut-short picture
// lacks are the uniform rows the reader filled at its bottom.
#include "services/qt_pictures.h"

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>

#include <algorithm>
#include <string>
#include <vector>

namespace tw::services {

namespace {

// The readers' warnings while one picture is read (one thread reads).
std::vector<std::string> *warnings = nullptr;

void catchWarning(QtMsgType type, const QMessageLogContext &, const QString &text) {
    if (warnings != nullptr && type != QtDebugMsg && type != QtInfoMsg) {
        warnings->push_back(text.toStdString());
    }
}

// A JPEG ends with its end-of-image marker (some writers add a few bytes
// after it).
bool jpegComplete(const QByteArray &bytes) {
    const qsizetype from = std::max<qsizetype>(0, bytes.size() - 4096);
    return bytes.lastIndexOf(QByteArray("\xFF\xD9", 2)) >= from;
}

// The rows at the bottom that all hold one colour, the row above them
// different: what a reader fills a cut-short picture with.
int uniformRowsAtBottom(const QImage &image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int w = rgb.width();
    if (w == 0 || rgb.height() == 0) {
        return 0;
    }
    const QRgb fill = rgb.pixel(0, rgb.height() - 1);
    int rows = 0;
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (row[x] != fill) {
                return rows;
            }
        }
        ++rows;
    }
    return rows;
}

} // namespace

PictureResult QtPictures::load(const std::string &path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return { QImage(), file.errorString().toStdString(), {} };
    }
    const QByteArray bytes = file.readAll();
    file.close();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    reader.setDecideFormatFromContent(true);

    std::vector<std::string> caught;
    warnings = &caught;
    const QtMessageHandler before = qInstallMessageHandler(catchWarning);
    const QImage image = reader.read();
    qInstallMessageHandler(before);
    warnings = nullptr;
    if (image.isNull()) {
        return { QImage(), reader.errorString().toStdString(), {} };
    }

    PictureResult out = shownPicture(image);
    const bool cutShort = reader.format() == "jpeg" && !jpegComplete(bytes);
    if (cutShort || !caught.empty()) {
        const int missing = uniformRowsAtBottom(image);
        std::string note = "The picture is damaged or cut short";
        if (missing > 0 && missing < image.height()) {
            note += ": only its first " + std::to_string(image.height() - missing) + " of "
                + std::to_string(image.height())
                + " rows were in the file; the rest is shown in one flat colour";
        } else if (!caught.empty()) {
            note += " (" + caught.front() + ")";
        }
        note += ". Samples of the missing or damaged parts are not the picture's colours.";
        out.note = out.note.empty() ? note : note + " " + out.note;
    }
    return out;
}

std::vector<std::string> QtPictures::readableSuffixes() const {
    std::vector<std::string> out;
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        out.push_back(format.toLower().toStdString());
    }
    return out;
}

QImage QtPictures::clipboardImage() {
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        return {};
    }
    const QImage image = clipboard->image();
    return image.isNull() ? QImage() : shownPicture(image).image;
}

QSize QtPictures::screenSize() const {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

} // namespace tw::services
