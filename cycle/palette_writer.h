// "Save to Palette": appends the colour the boxes show to the current
// palette file, asking for the file name once per run and, in mode 0, for a
// tag each time. The current file name and tag are shared by every window
// that writes palettes (the batch import, the picture palette and the
// tolerance set set them too).
#pragma once

#include "cycle/conversion_cycle.h"
#include "services/clock.h"
#include "services/dialogs.h"

#include <filesystem>
#include <string>

namespace tw::cycle {

class PaletteWriter {
public:
    // Palette files are opened by bare name in `folder`.
    PaletteWriter(ConversionCycle &cycle, services::Dialogs &dialogs, const services::Clock &clock,
        std::filesystem::path folder);

    // The current palette file name (".csv" added once a save has run) and
    // tag; empty until asked.
    [[nodiscard]] const std::string &fileName() const { return fileName_; }
    void setFileName(const std::string &name) { fileName_ = name; }
    [[nodiscard]] const std::string &tag() const { return tag_; }
    void setTag(const std::string &tag) { tag_ = tag; }

    // Appends one row for the colour the boxes show; mode 0 asks for a tag,
    // any other mode uses the current tag. False when no row was written
    // (cancelled, a colour without a notation, a file that cannot be
    // written: the last two say so in mode 0, and a file that cannot be
    // written always does, and drops the name so that the next save asks).
    bool SaveData(float &mode);

private:
    ConversionCycle &cycle_;
    services::Dialogs &dialogs_;
    const services::Clock &clock_;
    std::filesystem::path folder_;
    std::string fileName_;
    std::string tag_;
};

} // namespace tw::cycle
