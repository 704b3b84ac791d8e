// The page is printed at the size it has on a 96 dpi screen (so a window
// prints at its own size), scaled down to fit the printable area when it is
// larger, and placed at the area's top-left corner.
#include "services/qt_printer.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace tw::services {

namespace {
constexpr double kScreenDpi = 96.0;
}

PrintResult QtPrinter::printImage(const QImage &page) {
    if (page.isNull()) {
        return { false, "nothing to print" };
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return { false, "no default printer" };
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Tintwise"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        return { false,
            "the printer " + info.printerName().toStdString() + " could not be opened" };
    }
    const QRect area = painter.viewport();
    const double dotsPerPixel = printer.resolution() / kScreenDpi;
    double w = page.width() * dotsPerPixel;
    double h = page.height() * dotsPerPixel;
    const double fit = std::min({ 1.0, area.width() / w, area.height() / h });
    w *= fit;
    h *= fit;
    painter.drawImage(QRectF(area.left(), area.top(), w, h), page);
    if (!painter.end()) {
        return { false, "the page could not be finished" };
    }
    return {};
}

} // namespace tw::services
