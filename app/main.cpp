// Tintwise: builds the platform services and the conversion screen, which
// works in the current directory (the launcher prepares it with the data
// files), and runs until the main window closes.
#include "app/windows.h"
#include "screen/form1.h"
#include "services/qt_dialogs.h"
#include "services/qt_services.h"
#include "services/serial/qt_serial_port.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

#include <filesystem>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tintwise");
    QApplication::setApplicationVersion(TW_VERSION);

    tw::services::QtServices services;
    tw::screen::Form1 form(services.services(), std::make_unique<tw::services::QtSerialPort>(),
        std::filesystem::current_path(), TW_VERSION);
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
    form.show();
    return QApplication::exec();
}
