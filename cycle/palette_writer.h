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
#include <optional>
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

    // While a batch is open, the rows saved are kept instead of appended;
    // commitBatch appends them all to the current file at once (all of them
    // or none: false, with the reason, and the file as it was), and
    // discardBatch drops them. A run of many rows (the XYZ import) either
    // adds its whole run or nothing. One batch at a time: a run checks
    // batchOpen() before it begins its own, and the user's own save (mode
    // 0) is refused while one is open, so that no row lands in a palette
    // another run is building.
    void beginBatch();
    [[nodiscard]] bool batchOpen() const { return batch_.has_value(); }
    [[nodiscard]] bool commitBatch(std::string &error);
    void discardBatch();
    // The rows kept, for a caller that writes them to a file of its own
    // (the picture palette replaces its file); the batch is closed.
    [[nodiscard]] std::string takeBatch();
    // The file the current name stands for (".csv" added as a save adds
    // it); empty without a name.
    [[nodiscard]] std::filesystem::path filePath() const;

private:
    ConversionCycle &cycle_;
    services::Dialogs &dialogs_;
    const services::Clock &clock_;
    std::filesystem::path folder_;
    std::string fileName_;
    std::string tag_;
    std::optional<std::string> batch_;
};

} // namespace tw::cycle
