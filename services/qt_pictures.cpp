// Loading ignores any orientation tag in the file: the picture is analysed
// pixel by pixel as stored, and a rotated view would move the pixels the
// user points at. Pictures come back as 32-bit RGB so that pixel reads are
// the same whatever the file held.
#include "services/qt_pictures.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>

namespace tw::services {

PictureResult QtPictures::load(const std::string &path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(false);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) {
        return { QImage(), reader.errorString().toStdString() };
    }
    return { image.convertToFormat(QImage::Format_RGB32), {} };
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
    return image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
}

QSize QtPictures::screenSize() const {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

} // namespace tw::services
