// The page is printed at the size it has on a 96 dpi screen (so a window
// prints at its own size), scaled down to fit the printable area when it is
// larger, and placed at the area's top-left corner.
//
// Every page is printed in colour. Qt starts a printer in grey when its queue
// does not say it prints colour, and renders the page grey itself; a colour
// queue may still default to grey (to save ink) and turn the page grey on the
// way. So the printer is set to colour, and a CUPS job asks its queue for
// colour as well (the IPP attribute print-color-mode).
#include "services/qt_printer.h"

#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>

#include <algorithm>

namespace tw::services {

namespace {

constexpr double kScreenDpi = 96.0;

// The property under which Qt's CUPS print engine keeps the extra options of
// the job, as name, value, name, value ... Other engines have no such
// property and answer an invalid value.
const auto kCupsJobOptions = static_cast<QPrintEngine::PrintEnginePropertyKey>(0xfe00);

void askForColour(QPrinter &printer) {
    printer.setColorMode(QPrinter::Color);
    QPrintEngine *engine = printer.printEngine();
    if (engine == nullptr) {
        return;
    }
    const QVariant current = engine->property(kCupsJobOptions);
    if (current.typeId() != QMetaType::QStringList) {
        return;
    }
    QStringList options = current.toStringList();
    for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
        if (options[i] == QLatin1String("print-color-mode")) {
            options.remove(i, 2);
            break;
        }
    }
    options << QStringLiteral("print-color-mode") << QStringLiteral("color");
    engine->setProperty(kCupsJobOptions, options);
}

} // namespace

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
    return printOn(printer, page);
}

PrintResult QtPrinter::printOn(QPrinter &printer, const QImage &page) {
    if (page.isNull()) {
        return { false, "nothing to print" };
    }
    askForColour(printer);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return { false,
            "the printer " + printer.printerName().toStdString() + " could not be opened" };
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
