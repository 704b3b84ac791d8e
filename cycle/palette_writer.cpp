#include "cycle/palette_writer.h"

#include "engine/display_colour.h"
#include "text/numbers.h"
#include "text/palette_line.h"
#include "text/textfile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>

namespace tw::cycle {

namespace {

std::string lowerCase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// A palette name whose file is an input of the program's own.
bool readByTheProgram(const std::string &name) {
    const std::string file
        = lowerCase(std::filesystem::path(text::withCsvExtension(name)).filename().string());
    return file == "ccnames.csv" || file == "lab_srgb.csv";
}

} // namespace

PaletteWriter::PaletteWriter(ConversionCycle &cycle, services::Dialogs &dialogs,
    const services::Clock &clock, std::filesystem::path folder)
    : cycle_(cycle)
    , dialogs_(dialogs)
    , clock_(clock)
    , folder_(std::move(folder)) { }

bool PaletteWriter::SaveData(float &mode) {
    const ScreenState &s = cycle_.state();
    if (!s.holdsColour || s.munsell[0].empty() || s.munsell[2].empty()) {
        // No palette reader could place a row of another colour's numbers
        // beside this notation, or of no notation: none is written.
        if (mode == 0.0f) {
            dialogs_.messageBox(s.munsell[0].empty() || s.munsell[2].empty()
                    ? "This colour lies outside the Munsell renotation data: a colour without a "
                      "Munsell notation cannot be saved as a palette row."
                    : "Nothing was saved: the boxes do not show one converted colour (a box was "
                      "changed without Enter, or the last entry could not be converted).",
                services::Buttons::Ok, "Save to Palette", services::Icon::Warning);
        }
        return false;
    }
    if (mode == 0.0f && batch_) {
        dialogs_.messageBox("A palette is being built (a picture palette or an import): save "
                            "this colour when it is done.",
            services::Buttons::Ok, "Save to Palette", services::Icon::Warning);
        return false;
    }
    for (;;) {
        if (fileName_.empty()) {
            fileName_ = dialogs_.inputBox("Palette File Name to save or append  [.CSV added]",
                "Save Palette Data", "TWZpalette");
        }
        if (fileName_.empty()) {
            return false;
        }
        if (readByTheProgram(fileName_)) {
            // Palette rows appended there would spoil what the ColorChecker
            // or the CIELAB import reads.
            dialogs_.messageBox("\"" + text::withCsvExtension(fileName_)
                    + "\" is read by Tintwise itself: choose another palette name.",
                services::Buttons::Ok, "Save to Palette", services::Icon::Warning);
            fileName_.clear();
            continue;
        }
        if (mode != 0.0f) {
            break;
        }
        const std::optional<std::string> tag = dialogs_.askText(
            "Palette " + fileName_ + " - Enter Tag [Enter 'file' to change file name]",
            "Palette File Save - TAG", "");
        if (!tag) {
            return false; // cancelled: nothing is written
        }
        tag_ = *tag;
        if (lowerCase(tag_) != "file") {
            break;
        }
        fileName_.clear();
    }
    fileName_ = text::withCsvExtension(fileName_);

    // The display R, G, B as whole numbers; above 255 counts as 255 and
    // below 0 as 0.
    int channel[3];
    for (std::size_t i = 0; i < 3; ++i) {
        double v = 0.0;
        if (!text::parseNumber(s.rgb[i], v) || !(std::fabs(v) < 1e9)) {
            dialogs_.messageBox("Nothing was saved: the R, G and B boxes must hold whole numbers "
                                "from 0 to 255.",
                services::Buttons::Ok, "Save to Palette", services::Icon::Warning);
            return false;
        }
        channel[i] = static_cast<int>(std::clamp<std::int64_t>(text::roundHalfEven(v), 0, 255));
    }
    cycle_.showRgbOnScrolls(channel[0], channel[1], channel[2]);

    text::PaletteLine line;
    const services::DateTimeText now = clock_.dateTimeText();
    line.date = now.date;
    line.time = now.time;
    line.tag = tag_;
    line.munsell = s.munsell;
    line.xyz = s.xyz;
    line.lab = s.lab;
    line.rgb = s.rgb;
    line.cmyk = s.cmyk;
    for (std::size_t i = 0; i < 3; ++i) {
        line.linear[i] = engine::displayToLinear(channel[i], s.display, static_cast<int>(i));
    }
    if (batch_) {
        *batch_ += text::paletteLineText(line);
        return true;
    }
    std::string error;
    if (!text::appendFile((folder_ / fileName_).string(), text::paletteLineText(line), error)) {
        dialogs_.messageBox("The colour was not saved: " + error
                + "\r\rThe next save asks for the file name again.",
            services::Buttons::Ok, "Save to Palette", services::Icon::Warning);
        fileName_.clear();
        return false;
    }
    return true;
}

void PaletteWriter::beginBatch() {
    batch_ = std::string();
}

bool PaletteWriter::commitBatch(std::string &error) {
    error.clear();
    if (!batch_) {
        return true;
    }
    const std::string rows = std::move(*batch_);
    batch_.reset();
    if (rows.empty()) {
        return true;
    }
    return text::appendFile(filePath().string(), rows, error);
}

void PaletteWriter::discardBatch() {
    batch_.reset();
}

std::string PaletteWriter::takeBatch() {
    std::string rows = batch_.value_or(std::string());
    batch_.reset();
    return rows;
}

std::filesystem::path PaletteWriter::filePath() const {
    return fileName_.empty() ? std::filesystem::path()
                             : folder_ / text::withCsvExtension(fileName_);
}

} // namespace tw::cycle
