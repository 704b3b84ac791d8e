// PRINT end to end on a real printer: CUPS with the CUPS-PDF virtual printer
// (set up by scripts/start-pdf-printer.sh, which test.sh runs). The window is
// printed on "TintwisePDF", made the default printer for this process only,
// and a PDF page must come out. Skips, saying why, where CUPS is not there.
#include "screen_fixture.h"

#include "services/qt_printer.h"
#include "ui/button.h"

#include <QPrinterInfo>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

namespace tw::screen::testing {
namespace {

namespace fs = std::filesystem;

// Where CUPS-PDF puts this user's jobs: ~/PDF of the account (not $HOME),
// or its spool folder for users it does not know.
std::vector<fs::path> pdfFolders() {
    const passwd *account = ::getpwuid(::getuid());
    return { fs::path(account && account->pw_dir ? account->pw_dir : "/root") / "PDF",
        "/var/spool/cups-pdf/ANONYMOUS" };
}

std::set<fs::path> pdfsIn(const std::vector<fs::path> &folders) {
    std::set<fs::path> found;
    for (const auto &folder : folders) {
        std::error_code error;
        for (const auto &entry : fs::directory_iterator(folder, error)) {
            if (entry.path().extension() == ".pdf") {
                found.insert(entry.path());
            }
        }
    }
    return found;
}

std::string contents(const fs::path &file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

using PrintEndToEnd = ScreenTest;

TEST_F(PrintEndToEnd, PrintPutsTheWindowOnAPdfPage) {
    ::setenv("PRINTER", "TintwisePDF", 1);
    if (QPrinterInfo::printerInfo("TintwisePDF").isNull()) {
        GTEST_SKIP() << "CUPS with the TintwisePDF printer is not running here "
                        "(scripts/start-pdf-printer.sh sets it up)";
    }
    ASSERT_EQ(QPrinterInfo::defaultPrinter().printerName(), "TintwisePDF");

    const auto folders = pdfFolders();
    const auto before = pdfsIn(folders);
    services::QtPrinter printer;
    auto port = std::make_unique<services::ScriptedSerialPort>(fakes.clock);
    Form1 f({ fakes.dialogs, fakes.clock, printer, fakes.pictures }, std::move(port), this->folder,
        "1.0.0");
    ASSERT_TRUE(f.Form_Load());

    QTest::mouseClick(f.printB->button(), Qt::LeftButton);
    EXPECT_TRUE(fakes.dialogs.messages().empty())
        << ::testing::PrintToString(fakes.dialogs.messages());

    // CUPS-PDF writes the file a few seconds after the job is queued.
    fs::path page;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(40);
    while (page.empty() && std::chrono::steady_clock::now() < deadline) {
        for (const auto &file : pdfsIn(folders)) {
            if (!before.count(file)
                && file.filename().string().find("Tintwise") != std::string::npos) {
                page = file;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    ASSERT_FALSE(page.empty()) << "no PDF came out in " << folders[0] << " or " << folders[1];
    std::this_thread::sleep_for(std::chrono::milliseconds(500)); // let the writer finish
    const std::string pdf = contents(page);
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_NE(pdf.find("/Type /Page"), std::string::npos);
    fs::remove(page);
}

} // namespace
} // namespace tw::screen::testing
