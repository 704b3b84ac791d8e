// The real services, owned in one place by the program's main().
#pragma once

#include "ui/qt_dialogs.h"
#include "ui/qt_pictures.h"
#include "ui/qt_printer.h"
#include "ui/services.h"
#include "ui/system_clock.h"

namespace tw::ui {

struct QtServices {
    QtDialogs dialogs;
    SystemClock clock;
    QtPrinter printer;
    QtPictures pictures;

    [[nodiscard]] Services services() { return { dialogs, clock, printer, pictures }; }
};

} // namespace tw::ui
