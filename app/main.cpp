// Tintwise: finds its working folder, builds the platform services and the
// conversion screen, and runs until the main window closes.
#include "app/desktop_identity.h"
#include "app/start_options.h"
#include "app/unattended_dialogs.h"
#include "app/windows.h"
#include "app/working_folder.h"
#include "screen/form1.h"
#include "services/qt_dialogs.h"
#include "services/qt_services.h"
#include "services/serial/qt_serial_port.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <filesystem>

int main(int argc, char **argv) {
    const tw::app::StartOptions options
        = tw::app::parseStartOptions(std::vector<std::string>(argv + 1, argv + argc));
    switch (options.action) {
    case tw::app::StartAction::Help:
        std::fputs(tw::app::startUsage, stdout);
        return 0;
    case tw::app::StartAction::Version:
        std::printf("tintwise %s\n", TW_VERSION);
        return 0;
    case tw::app::StartAction::UsageError:
        std::fprintf(stderr, "tintwise: %s\n", options.error.c_str());
        return 2;
    case tw::app::StartAction::Window:
    case tw::app::StartAction::Check:
        break;
    }
    // --check starts up as the window would, but nobody watches: no window
    // platform is needed, whatever the environment names, every message goes
    // to standard error instead of a dialog that would wait for a click, and
    // only Qt's critical messages are passed on (its warnings about the
    // session are not what the check is about). Whatever it has to report
    // makes the exit status 1.
    const bool check = options.action == tw::app::StartAction::Check;
    if (check) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtCriticalMsg || type == QtFatalMsg) {
                std::fprintf(stderr, "tintwise: %s\n", text.toLocal8Bit().constData());
            }
        });
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tintwise");
    QApplication::setApplicationVersion(TW_VERSION);
    tw::app::presentToDesktop();

    tw::services::QtServices services;
    tw::app::UnattendedDialogs unattended(std::cerr);
    tw::services::Dialogs &dialogs
        = check ? static_cast<tw::services::Dialogs &>(unattended) : services.dialogs;

    // Started where the data are, the program works there; anywhere else in
    // the user's own folder, seeded with the installed data files.
    const tw::app::WorkingFolder work
        = tw::app::chooseWorkingFolder(std::filesystem::current_path(),
            tw::app::findUserFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")),
            tw::app::installedDataFolders(QCoreApplication::applicationDirPath().toStdString()));
    std::error_code ec;
    std::filesystem::current_path(work.folder, ec);

    if (!work.problem.empty()) {
        dialogs.messageBox(
            work.problem, tw::services::Buttons::Ok, "Tintwise", tw::services::Icon::Warning);
        // A folder that cannot be made or seeded is the finding: the start
        // folder the program falls back to lacks the data (else it would
        // have been chosen), which would only be said again.
        if (check) {
            return 1;
        }
    }
    tw::screen::Form1 form({ dialogs, services.clock, services.printer, services.pictures },
        std::make_unique<tw::services::QtSerialPort>(), work.folder, TW_VERSION);
    tw::app::attachWindows(form);
    // Exit ends the program at once. From inside a long operation (an event
    // that arrived while it let events run) the event loop would only be
    // reached when that operation ends: the program ends there and then,
    // with the serial port already closed and nothing to save.
    form.onEnd = [] {
        if (tw::services::QtDialogs::insideYield()) {
            std::fflush(nullptr);
            std::_Exit(0);
        }
        QApplication::quit();
    };
    if (!form.Form_Load()) {
        return 1;
    }
    if (check) {
        using tw::cycle::Boxes;
        std::printf("working folder: %s\n", work.folder.string().c_str());
        for (const std::string &name : work.seeded) {
            std::printf("seeded: %s\n", name.c_str());
        }
        const auto line = [&](Boxes group) {
            std::string out;
            for (const std::string &t : form.cycle().texts(group)) {
                out += (out.empty() ? "" : " ") + t;
            }
            return out;
        };
        std::printf("Munsell: %s\nXYZ: %s\nRGB: %s\n", line(Boxes::Munsell).c_str(),
            line(Boxes::Xyz).c_str(), line(Boxes::Rgb).c_str());
        return unattended.reported() == 0 ? 0 : 1;
    }
    form.show();
    return QApplication::exec();
}
