// The test doubles of every service, owned in one place by a test fixture.
#pragma once

#include "ui/fake_clock.h"
#include "ui/fake_pictures.h"
#include "ui/fake_printer.h"
#include "ui/scripted_dialogs.h"
#include "ui/services.h"

namespace tw::ui {

struct FakeServices {
    ScriptedDialogs dialogs;
    FakeClock clock;
    FakePrinter printer;
    FakePictures pictures;

    [[nodiscard]] Services services() { return { dialogs, clock, printer, pictures }; }
};

} // namespace tw::ui
