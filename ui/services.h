// The services a window is handed at construction: everything modal or
// outside the program goes through them, so that tests can hand in doubles.
//
// The serial-port service joins this bundle as a further member with a default
// value, which keeps every existing aggregate initialisation valid.
#pragma once

#include "ui/clock.h"
#include "ui/dialogs.h"
#include "ui/pictures.h"
#include "ui/printer.h"

namespace tw::ui {

struct Services {
    Dialogs &dialogs;
    Clock &clock;
    Printer &printer;
    Pictures &pictures;
};

} // namespace tw::ui
