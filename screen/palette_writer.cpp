// "Save to Palette": appends the colour shown in the boxes to the current
// palette file, asking for the file name once per run and for a tag each time.
#include "engine/display_colour.h"
#include "screen/form1.h"
#include "text/numbers.h"
#include "text/palette_line.h"
#include "text/textfile.h"
#include "ui/checkbox.h"
#include "ui/scoped_flag.h"
#include "ui/scrollbar.h"
#include "ui/textbox.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace tw::screen {

namespace {

std::string lowerCase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

} // namespace

bool Form1::SaveData(float &mode) {
    if (!notationShown()) {
        // The hue and Chroma boxes are blank: no palette reader could place
        // the row, so none is written, and nothing is asked.
        if (mode == 0.0f) {
            services_.dialogs.messageBox(
                "This colour lies outside the Munsell renotation data: a colour without a "
                "Munsell notation cannot be saved as a palette row.",
                services::Buttons::Ok, "Save to Palette", services::Icon::Warning);
        }
        return false;
    }
    for (;;) {
        if (paletteFileName_.empty()) {
            paletteFileName_
                = services_.dialogs.inputBox("Palette File Name to save or append  [.CSV added]",
                    "Save Palette Data", "TWZpalette");
        }
        if (paletteFileName_.empty()) {
            return false;
        }
        if (mode != 0.0f) {
            break;
        }
        paletteTag_ = services_.dialogs.inputBox(
            "Palette " + paletteFileName_ + " - Enter Tag [Enter 'file' to change file name]",
            "Palette File Save - TAG", "");
        if (lowerCase(paletteTag_) != "file") {
            break;
        }
        paletteFileName_.clear();
    }
    paletteFileName_ = text::withCsvExtension(paletteFileName_);

    // The display R, G, B as whole numbers; above 255 counts as 255 and
    // below 0 as 0.
    int channel[3];
    for (int i = 0; i < 3; ++i) {
        double v = 0.0;
        if (!text::parseNumber(Text1[i]->text(), v) || !(std::fabs(v) < 1e9)) {
            services_.dialogs.messageBox(
                "Nothing was saved: the R, G and B boxes must hold whole numbers "
                "from 0 to 255.",
                services::Buttons::Ok, "Save to Palette", services::Icon::Warning);
            return false;
        }
        channel[i] = static_cast<int>(std::clamp<std::int64_t>(text::roundHalfEven(v), 0, 255));
    }
    {
        ui::ScopedFlag guard(settings_.updating);
        (void)VScroll4->setValue(channel[0]);
        (void)VScroll5->setValue(channel[1]);
        (void)VScroll6->setValue(channel[2]);
    }

    text::PaletteLine line;
    const services::DateTimeText now = services_.clock.dateTimeText();
    line.date = now.date;
    line.time = now.time;
    line.tag = paletteTag_;
    for (int i = 0; i < 3; ++i) {
        line.munsell[i] = Text12[i]->text();
        line.xyz[i] = Text11[i]->text();
        line.lab[i] = Text15[i]->text();
        line.rgb[i] = Text1[i]->text();
        line.linear[static_cast<std::size_t>(i)]
            = engine::displayToLinear(channel[i], settings_.display, i);
    }
    for (int i = 0; i < 4; ++i) {
        line.cmyk[i] = Text2[i]->text();
    }
    std::string error;
    if (!text::appendFile(
            filePath(paletteFileName_).string(), text::paletteLineText(line), error)) {
        services_.dialogs.messageBox("The colour was not saved: " + error
                + "\r\rThe next save asks for the file name again.",
            services::Buttons::Ok, "Save to Palette", services::Icon::Warning);
        paletteFileName_.clear();
        return false;
    }
    return true;
}

void Form1::Command11_Click() {
    float mode = 0.0f;
    // A save that wrote no row leaves nothing new for the viewer to show.
    if (SaveData(mode)) {
        windows_->paletteSaved();
    }
}

} // namespace tw::screen
