// The services a window is handed at construction: everything modal or
// outside the program goes through them, so that tests can hand in doubles.
//
// The serial-port service joins this bundle as a further member with a default
// value, which keeps every existing aggregate initialisation valid.
#pragma once

#include "services/clock.h"
#include "services/dialogs.h"
#include "services/pictures.h"
#include "services/printer.h"

namespace tw::services {

struct Services {
    Dialogs &dialogs;
    Clock &clock;
    Printer &printer;
    Pictures &pictures;
};

} // namespace tw::services
