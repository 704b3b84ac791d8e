// A dock or task bar finds the desktop entry of a window by the desktop file
// name the application gives (on Wayland, the window's app ID) or, on X11, by
// the class in the window's WM_CLASS, which the entry's StartupWMClass names.
// Qt takes that class from the application name when it makes the program's
// first native window and keeps it for every later one; so a first window is
// made while the application is named after its entry, and the name goes
// back at once: it is the title of the program's message boxes.
#include "app/desktop_identity.h"

#include "tools/icon/app_icon.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <QWindow>

namespace tw::app {

void presentToDesktop() {
    const QString id = QString::fromLatin1(kDesktopId);
    QGuiApplication::setDesktopFileName(id);
    QGuiApplication::setWindowIcon(tw::icon::applicationIcon());

    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(id);
    {
        QWindow first;
        first.create();
    }
    QCoreApplication::setApplicationName(name);
}

} // namespace tw::app
