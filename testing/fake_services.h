// The test doubles of every service, owned in one place by a test fixture.
#pragma once

#include "services/services.h"
#include "testing/fake_clock.h"
#include "testing/fake_pictures.h"
#include "testing/fake_printer.h"
#include "testing/scripted_dialogs.h"

namespace tw::services {

struct FakeServices {
    ScriptedDialogs dialogs;
    FakeClock clock;
    FakePrinter printer;
    FakePictures pictures;

    [[nodiscard]] Services services() { return { dialogs, clock, printer, pictures }; }
};

} // namespace tw::services
