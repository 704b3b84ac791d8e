#include "services/pictures.h"

#include <QPainter>

namespace tw::services {

namespace {

bool anyNotOpaque(const QImage &image) {
    if (!image.hasAlphaChannel()) {
        return false;
    }
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(row[x]) != 255) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

PictureResult shownPicture(const QImage &image) {
    PictureResult out;
    if (image.isNull()) {
        return out;
    }
    if (!anyNotOpaque(image)) {
        out.image = image.convertToFormat(QImage::Format_RGB32);
        return out;
    }
    out.image = QImage(image.size(), QImage::Format_RGB32);
    out.image.fill(Qt::white);
    QPainter painter(&out.image);
    painter.drawImage(0, 0, image);
    painter.end();
    out.note = "The picture has transparent parts: they are shown, and sampled, over white.";
    return out;
}

} // namespace tw::services
