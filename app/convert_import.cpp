#include "app/convert_import.h"

#include "batch/batch_import.h"
#include "screen/form1.h"
#include "services/qt_pictures.h"
#include "services/qt_printer.h"
#include "services/serial/qt_serial_port.h"
#include "services/system_clock.h"
#include "ui/checkbox.h"
#include "ui/optionarray.h"
#include "ui/textbox.h"

#include <QApplication>

#include <cstdio>
#include <ostream>

#ifndef TW_VERSION
#define TW_VERSION "unknown"
#endif

namespace tw::app {

namespace {

// The screen's dialogs answered from the command line.
class CommandLineDialogs : public services::Dialogs {
public:
    CommandLineDialogs(std::ostream &err, std::string input, std::string palette)
        : err_(err)
        , input_(std::move(input))
        , palette_(std::move(palette)) { }

    services::Answer messageBox(const std::string &text, services::Buttons buttons,
        const std::string &, services::Icon) override {
        err_ << "tintwise-convert: " << oneLine(text) << '\n';
        return buttons == services::Buttons::YesNo || buttons == services::Buttons::YesNoCancel
            ? services::Answer::Yes
            : services::Answer::Ok;
    }
    std::string inputBox(
        const std::string &prompt, const std::string &, const std::string &proposed) override {
        if (prompt.rfind("Palette File Name", 0) == 0 && !palette_.empty()) {
            return palette_;
        }
        return proposed;
    }
    std::string openFile(const std::string &, const std::string &, const std::string &) override {
        return input_;
    }
    void yield() override { QCoreApplication::processEvents(); }
    void beep() override { }

private:
    // Line ends inside a message become blanks.
    static std::string oneLine(std::string text) {
        for (char &c : text) {
            if (c == '\r' || c == '\n') {
                c = ' ';
            }
        }
        return text;
    }
    std::ostream &err_;
    std::string input_;
    std::string palette_;
};

int illuminantIndex(engine::Illuminant illuminant) {
    switch (illuminant) {
    case engine::Illuminant::D5000:
        return 1;
    case engine::Illuminant::D65_10:
        return 2;
    default:
        return 0;
    }
}

} // namespace

int runImport(const ConvertOptions &options, const std::string &tablePath, std::ostream &out,
    std::ostream &err) {
    const std::string &type = options.arguments.at(0);
    const std::string input = options.arguments.size() > 1 ? options.arguments[1] : "";
    if (!batch::isImportType(type)) {
        err << "tintwise-convert: unknown import type \"" << type
            << "\": use 1, 2, 3, 4, 0, 6 or xyz\n";
        return 2;
    }
    if ((type == "0" || type == "xyz") && input.empty()) {
        err << "tintwise-convert: import " << type << " needs an INPUT file\n";
        return 2;
    }

    // The screen is built offscreen: no window shows, and no display is
    // needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The toolkit's own notes (a missing runtime folder and the like) say
    // nothing about the import; only its errors are passed on.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "tintwise-convert: %s\n", text.toLocal8Bit().constData());
        }
    });
    static int argc = 1;
    static char name[] = "tintwise-convert";
    static char *argv[] = { name, nullptr };
    QApplication app(argc, argv);

    CommandLineDialogs dialogs(err, input, options.output);
    services::SystemClock clock;
    services::QtPrinter printer;
    services::QtPictures pictures;
    screen::Form1 form(services::Services { dialogs, clock, printer, pictures },
        std::make_unique<services::QtSerialPort>(), ".", TW_VERSION);
    form.setTableFile(tablePath);
    if (!form.Form_Load()) {
        return 2;
    }
    (void)form.Option1->select(illuminantIndex(options.illuminant));
    if (options.pwd) {
        form.Check1->setValue(1);
    }
    if (!options.gammaText.empty()) {
        form.Text5->setText(options.gammaText);
    }

    const batch::ImportResult result = batch::runImport(form, type, { input, options.output });
    if (!result.message.empty()) {
        err << "tintwise-convert: " << result.message << '\n';
    }
    if (result.outcome == batch::ImportResult::Outcome::Failed) {
        return 1;
    }
    out << result.records << (result.records == 1 ? " colour" : " colours") << " into "
        << result.output.string() << '\n';
    return 0;
}

} // namespace tw::app
