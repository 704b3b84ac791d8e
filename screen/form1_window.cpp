// The conversion screen's window-level commands: help, about, print, the
// chart switches, hidden mode with the conversion table, the viewing-light
// tint and the decorative picture of a colour solid.
#include "engine/display_colour.h"
#include "screen/conversion_table.h"
#include "screen/form1.h"
#include "text/numbers.h"
#include "text/textfile.h"
#include "ui/button.h"
#include "ui/checkbox.h"
#include "ui/drawing_surface.h"
#include "ui/frame.h"
#include "ui/label.h"
#include "ui/scrollbar.h"
#include "ui/textbox.h"

#include <cmath>

namespace tw::screen {

namespace {

constexpr const char *helpText
    = "Enter Hue, Value and Chroma and press 'Enter'\r"
      "Neutrals - Enter value and set Chroma to zero - ignore Hue\r"
      "Hue Names - R YR Y GY G BG B PB P RP \r"
      "                      or\r"
      "Enter X,Y and Z and press 'Enter'\r"
      "                      or\r"
      "Enter L*,a* and b* and press 'Enter'\r"
      "                  or\r"
      "Enter R,G or B and press enter\r"
      "\r"
      "Checking PWD sets the Value scale to 10 for a Y value of 100\r"
      "\r"
      "'Save to Palette' saves a Palette file for opening with Excel or viewing with Optional 3D "
      "Palette Viewer (option 2)";

} // namespace

void Form1::Command1_Click() {
    services_.dialogs.messageBox(helpText, services::Buttons::Ok, "Munsell TWZ Help");
}

// The About box also says where the program keeps its files.
std::string Form1::workingFolderLine() const {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(workFolder_, ec);
    return "\r\rWorking folder: " + (ec ? workFolder_ : folder).string();
}

void Form1::Command9_Click() {
    services_.dialogs.messageBox(
        "The Tintwise Program is a software utility with no direct support \r"
        "from Xrite, Munsell or GretagMacbeth.\r"
        "\r"
        "CE7000, CE7000A, CE2180, Ci5, Ci7, Spectrolino & SpectroEye Spectrophotometer drivers are "
        "included in this version."
            + workingFolderLine(),
        services::Buttons::Ok, "Tintwise Version " + version_, services::Icon::Information);
}

void Form1::printB_Click() {
    if (!services_.printer.printWidget(*this)) {
        services_.dialogs.messageBox("Printer not Found", services::Buttons::Ok);
    }
}

// Every change of the Messages box opens hidden mode when the box holds
// exactly the access code, and closes it otherwise.
void Form1::Text3_Change() {
    const bool open = Text3->text() == "zqk";
    Command3->setVisible(open);
    import->setVisible(open);
    VScroll7->setVisible(open);
}

void Form1::Command3_Click() {
    TableOptions options;
    const cycle::ScreenState &state = cycle_.state();
    options.illuminant = state.illuminant;
    options.pwd = state.pwd;
    options.display = state.display;
    options.version = version_;
    const std::string table = conversionTable(table_, options);
    std::string error;
    if (!text::writeFile(filePath("muntable2.prn").string(), table, error)) {
        services_.dialogs.messageBox("The conversion table was not written: " + error,
            services::Buttons::Ok, "Make Table", services::Icon::Warning);
        return;
    }
    services_.dialogs.messageBox("Done", services::Buttons::Ok);
}

void Form1::VScroll7_Change() {
    applyTint(VScroll7->value());
}

// The viewing-light tint: blue falls with the slider, green by 52/85 of
// blue's fall, red stays; s = 50 gives the warm white of incandescent light.
void Form1::applyTint(int s) {
    const float blue = static_cast<float>(s) / 100.0f;
    const float green = static_cast<float>(1.0 - (1.0 - blue) / (85.0 / 52.0));
    cycle_.setRgbScale({ 1.0f, green, blue });
    Picture2->setVisible(s == 100);
    // Each control is tinted from its own colour as the window was made, so
    // that the slider back at 100 gives every control its own look again:
    // its colour, and a transparent label transparent again.
    if (tintBase_.empty()) {
        tintBase_.push_back({ nullptr, backColor(), true });
        std::vector<ui::Control *> tinted { Label8, Label10, Label12, Label7, Label9, Label11,
            Label16, Label17, Label13, Label14, Label15, Label21, Label22, Label1, Label19,
            Command1, Command2, Command7, Command8, Command9, Command11, Frame1, Text3, Text4 };
        tinted.insert(tinted.end(), Label18.begin(), Label18.end());
        tinted.insert(tinted.end(), Label20.begin(), Label20.end());
        for (const auto *group : { &Text12, &Text11, &Text15, &Text1 }) {
            tinted.insert(tinted.end(), group->begin(), group->end());
        }
        tinted.insert(tinted.end(), Text2.begin(), Text2.end());
        tinted.insert(tinted.end(), Text18.begin(), Text18.end());
        for (ui::Control *c : tinted) {
            tintBase_.push_back({ c, c->backColor(), c->fillsBackground() });
        }
    }
    const auto tint = [&](ui::Rgb24 base) {
        return ui::rgb(ui::redOf(base),
            static_cast<int>(text::roundHalfEven(green * static_cast<float>(ui::greenOf(base)))),
            static_cast<int>(text::roundHalfEven(blue * static_cast<float>(ui::blueOf(base)))));
    };
    for (const TintBase &b : tintBase_) {
        if (b.control == nullptr) {
            setBackColor(tint(b.colour));
        } else {
            b.control->setBackColor(tint(b.colour));
            if (s == 100) {
                b.control->setFillsBackground(b.filled);
            }
        }
    }
}

// A slice through the colour solid: the Value scale up the middle, 5R to the
// right and 5BG to the left, each chip the display colour of its notation
// (chips the display cannot show are left out).
void Form1::drawColourSolid() {
    constexpr int chip = 8; // pixels
    constexpr int axisLeft = 48;
    Picture2->setScalePixels();
    Picture2->setBackColor(ui::rgb(192, 192, 192));
    for (int v = 1; v <= 9; ++v) {
        const int top = 6 + (9 - v) * 11;
        for (int c = 0; c <= 10; c += 2) {
            for (float hue : { 5.0f, 55.0f }) {
                if (c == 0 && hue != 5.0f) {
                    continue;
                }
                const engine::DisplayColour colour = engine::munsellToDisplay(table_,
                    engine::Illuminant::C_1931, false, engine::DisplaySettings {}, hue,
                    static_cast<float>(v), static_cast<float>(c));
                if (colour.status != engine::DisplayStatus::Shown) {
                    continue;
                }
                const engine::RgbResult &rgb = colour.rgb;
                const int left
                    = hue == 5.0f ? axisLeft + (c / 2) * chip : axisLeft - (c / 2) * chip;
                Picture2->box(
                    left, top, left + chip - 2, top + chip, ui::rgb(rgb.R, rgb.G, rgb.B), true);
            }
        }
    }
}

} // namespace tw::screen
