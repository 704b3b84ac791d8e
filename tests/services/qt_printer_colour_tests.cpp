// QtPrinter prints in colour: on a printer that starts in grey, as Qt starts
// the printer of a queue that does not say it prints colour, and through a
// real CUPS queue that prints colour but turns every job grey unless the job
// asks for colour ("TintwiseGreyDefault", a CUPS-PDF printer set up by
// scripts/start-pdf-printer.sh; that test skips where it is not there).
#include "services/qt_printer.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace tw::services {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path &file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The colour spaces the PDF's images are drawn in ("DeviceRGB", "DeviceGray").
std::set<std::string> imageColourSpaces(const std::string &pdf) {
    static const std::regex colourSpace(R"(/ColorSpace\s*/(\w+))");
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), colourSpace);
         it != std::sregex_iterator(); ++it) {
        found.insert((*it)[1].str());
    }
    return found;
}

QImage redPage() {
    QImage page(240, 160, QImage::Format_RGB32);
    page.fill(QColor(200, 40, 30));
    return page;
}

void setUpGreyPdf(QPrinter &printer, const QString &file) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setColorMode(QPrinter::GrayScale);
}

TEST(QtPrinterColourTest, APrinterLeftInGreyPrintsThePageInColour) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    // Drawn as it is set up, the printer turns the page grey ...
    QPrinter plain(QPrinter::HighResolution);
    setUpGreyPdf(plain, dir.filePath("plain.pdf"));
    {
        QPainter painter(&plain);
        painter.drawImage(QPoint(0, 0), redPage());
    }
    EXPECT_EQ(imageColourSpaces(contents(dir.filePath("plain.pdf").toStdString())),
        std::set<std::string> { "DeviceGray" });

    // ... printed by QtPrinter, the page keeps its colour.
    QPrinter printer(QPrinter::HighResolution);
    setUpGreyPdf(printer, dir.filePath("page.pdf"));
    const PrintResult result = QtPrinter::printOn(printer, redPage());
    ASSERT_TRUE(result.ok) << result.reason;
    EXPECT_EQ(printer.colorMode(), QPrinter::Color);
    EXPECT_EQ(imageColourSpaces(contents(dir.filePath("page.pdf").toStdString())),
        std::set<std::string> { "DeviceRGB" });
}

TEST(QtPrinterColourTest, ANullPageIsNotPrinted) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    setUpGreyPdf(printer, dir.filePath("page.pdf"));
    const PrintResult result = QtPrinter::printOn(printer, QImage());
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(fs::exists(dir.filePath("page.pdf").toStdString()));
}

// Where CUPS-PDF puts this user's jobs: ~/PDF of the account (not $HOME), or
// its spool folder for users it does not know.
std::vector<fs::path> pdfFolders() {
    const passwd *account = ::getpwuid(::getuid());
    return { fs::path(account && account->pw_dir ? account->pw_dir : "/root") / "PDF",
        "/var/spool/cups-pdf/ANONYMOUS" };
}

// The PDF CUPS-PDF writes for the job named `title` (it names the file after
// the job's title and number), waited for; empty when none came.
fs::path awaitPdf(const std::string &title, const std::set<fs::path> &before) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(40);
    while (std::chrono::steady_clock::now() < deadline) {
        for (const auto &folder : pdfFolders()) {
            std::error_code error;
            for (const auto &entry : fs::directory_iterator(folder, error)) {
                const std::string name = entry.path().filename().string();
                if (name.rfind(title, 0) == 0 && entry.path().extension() == ".pdf"
                    && !before.count(entry.path())) {
                    // Let the writer finish the file.
                    std::this_thread::sleep_for(std::chrono::milliseconds(500));
                    return entry.path();
                }
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    return {};
}

// The pages of a PDF as Ghostscript renders them (at a low resolution), or a
// null image where Ghostscript cannot be run.
QImage rendered(const fs::path &pdf) {
    QProcess gs;
    gs.start(QStringLiteral("gs"),
        { QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
            QStringLiteral("-dNOPAUSE"), QStringLiteral("-sDEVICE=ppmraw"), QStringLiteral("-r24"),
            QStringLiteral("-sOutputFile=-"), QString::fromStdString(pdf.string()) });
    if (!gs.waitForFinished(30000) || gs.exitCode() != 0) {
        return {};
    }
    return QImage::fromData(gs.readAllStandardOutput(), "PPM");
}

// Whether any pixel has a colour (not a grey).
bool hasColour(const QImage &image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int high = std::max({ c.red(), c.green(), c.blue() });
            const int low = std::min({ c.red(), c.green(), c.blue() });
            if (high - low > 60) {
                return true;
            }
        }
    }
    return false;
}

std::set<fs::path> pdfsNow() {
    std::set<fs::path> found;
    for (const auto &folder : pdfFolders()) {
        std::error_code error;
        for (const auto &entry : fs::directory_iterator(folder, error)) {
            found.insert(entry.path());
        }
    }
    return found;
}

TEST(QtPrinterColourEndToEnd, AQueueThatPrintsGreyUnlessAskedPrintsColour) {
    const QPrinterInfo queue = QPrinterInfo::printerInfo(QStringLiteral("TintwiseGreyDefault"));
    if (queue.isNull()) {
        GTEST_SKIP() << "CUPS with the TintwiseGreyDefault printer is not running here "
                        "(scripts/start-pdf-printer.sh sets it up)";
    }
    const auto before = pdfsNow();

    // A job that does not ask comes out grey: the queue is what it should be ...
    QPrinter plain(queue, QPrinter::HighResolution);
    plain.setDocName(QStringLiteral("grey-check"));
    {
        QPainter painter(&plain);
        painter.drawImage(QPoint(0, 0), redPage());
    }
    // ... and the page QtPrinter prints there comes out in colour.
    QPrinter printer(queue, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("colour-check"));
    const PrintResult result = QtPrinter::printOn(printer, redPage());
    ASSERT_TRUE(result.ok) << result.reason;

    const fs::path grey = awaitPdf("grey-check", before);
    const fs::path colour = awaitPdf("colour-check", before);
    ASSERT_FALSE(grey.empty()) << "no PDF of the plain job";
    ASSERT_FALSE(colour.empty()) << "no PDF of QtPrinter's job";
    const QImage greyPage = rendered(grey);
    const QImage colourPage = rendered(colour);
    fs::remove(grey);
    fs::remove(colour);
    if (greyPage.isNull() || colourPage.isNull()) {
        GTEST_SKIP() << "Ghostscript (gs) cannot render the PDFs here";
    }
    EXPECT_FALSE(hasColour(greyPage));
    EXPECT_TRUE(hasColour(colourPage));
}

} // namespace
} // namespace tw::services
