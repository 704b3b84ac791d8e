// The real services, owned in one place by the program's main().
#pragma once

#include "services/qt_dialogs.h"
#include "services/qt_pictures.h"
#include "services/qt_printer.h"
#include "services/services.h"
#include "services/system_clock.h"

namespace tw::services {

struct QtServices {
    QtDialogs dialogs;
    SystemClock clock;
    QtPrinter printer;
    QtPictures pictures;

    [[nodiscard]] Services services() { return { dialogs, clock, printer, pictures }; }
};

} // namespace tw::services
