// What a caller that runs the conversion cycle over files needs besides the
// cycle itself: the palette writer, the modal services, the working folder,
// the caption files are headed with, the reflectance curve and a way for
// the user to stop a long run. The conversion screen gives all of it with its window; the
// command-line converter gives it without one.
#pragma once

#include "cycle/conversion_cycle.h"
#include "cycle/palette_writer.h"
#include "engine/spectral.h"
#include "services/clock.h"
#include "services/dialogs.h"

#include <filesystem>
#include <string>

namespace tw::cycle {

class CycleHost {
public:
    virtual ~CycleHost() = default;

    [[nodiscard]] virtual ConversionCycle &cycle() = 0;
    [[nodiscard]] virtual PaletteWriter &palette() = 0;
    [[nodiscard]] virtual services::Dialogs &dialogs() = 0;
    [[nodiscard]] virtual const services::Clock &clock() const = 0;
    // A bare file name in the working folder.
    [[nodiscard]] virtual std::filesystem::path filePath(const std::string &bareName) const = 0;
    // The main window's caption ("Tintwise  - Version  1.0.0").
    [[nodiscard]] virtual std::string caption() const = 0;
    // True once for each time the user asked to stop the run going on (Esc
    // in the window) since the last call; a caller calls it once before a
    // run to forget an earlier press.
    [[nodiscard]] virtual bool takeStopRequest() = 0;
    // The reflectance curve Measure and the spectrum import leave (slots 1
    // to 40), which tris integrates.
    [[nodiscard]] virtual engine::Spectrum &spectrum() = 0;
};

} // namespace tw::cycle
