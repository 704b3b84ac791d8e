// The conversion screen as the other windows see it: the charts, the picture
// analysis, the 3D viewer and the batch import drive the screen through this
// face and nothing else.
//
// The boxes stay the state. A window puts a colour into a group of boxes,
// runs that group's entry operation and reads back what the screen shows,
// exactly as a user typing into the boxes and pressing Enter would:
//
//     screen.setTexts(Boxes::Munsell, { "5R", "5", "10" });
//     screen.muncie();
//     const int R = screen.currentRgb().R;
//
// Every text is the box's text as shown (the display patterns of the entry
// cycle), never a number the window formats itself.
#pragma once

#include "engine/colour_spaces.h"
#include "engine/illuminant.h"
#include "engine/renotation_table.h"
#include "engine/spectral.h"
#include "services/services.h"

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace tw::screen {

class WindowSwitchboard;

// The groups of entry boxes, each with its entry operation.
enum class Boxes {
    Munsell, // Text12: hue, Value, Chroma; muncie
    Xyz, // Text11: X, Y, Z; xyzenter
    Chromaticity, // Text18: x, y (with the Y box); chromaticity entry
    Lab, // Text15: L*, a*, b*; labenter
    Rgb, // Text1: R, G, B; Command6_Click
    Cmyk, // Text2: C, M, Y, K; cmyk
};

// How many boxes a group has.
[[nodiscard]] constexpr int boxCount(Boxes group) {
    switch (group) {
    case Boxes::Chromaticity:
        return 2;
    case Boxes::Cmyk:
        return 4;
    default:
        return 3;
    }
}

// The current display colour the last conversion left (the patch).
struct DisplayRgb {
    int R = 0, G = 0, B = 0;
};

class ScreenHost {
public:
    virtual ~ScreenHost() = default;

    // --- The boxes ---------------------------------------------------------
    // The text of box `index` of a group (0-based, as the control arrays).
    [[nodiscard]] virtual std::string text(Boxes group, int index) const = 0;
    // Writes a box. Like a user's edit it converts nothing by itself.
    virtual void setText(Boxes group, int index, const std::string &text) = 0;
    // Runs the group's entry operation on what its boxes hold now.
    virtual void enter(Boxes group) = 0;

    // Writes the first boxes of a group, in order.
    void setTexts(Boxes group, std::initializer_list<std::string> texts) {
        int i = 0;
        for (const std::string &t : texts) {
            setText(group, i++, t);
        }
    }
    // Every box of a group as shown.
    [[nodiscard]] std::vector<std::string> texts(Boxes group) const {
        std::vector<std::string> out;
        for (int i = 0; i < boxCount(group); ++i) {
            out.push_back(text(group, i));
        }
        return out;
    }

    // The entry operations by their names.
    void muncie() { enter(Boxes::Munsell); }
    void xyzenter() { enter(Boxes::Xyz); }
    void labenter() { enter(Boxes::Lab); }
    void Command6_Click() { enter(Boxes::Rgb); }
    void cmyk() { enter(Boxes::Cmyk); }

    // --- What the last conversion left ----------------------------------------
    [[nodiscard]] virtual DisplayRgb currentRgb() const = 0;
    // The last XYZ-to-RGB conversion was clipped (or XYZ not positive).
    [[nodiscard]] virtual bool outOfGamut() const = 0;
    // The out-of-range note under the patch (Label19).
    [[nodiscard]] virtual std::string rangeNote() const = 0;
    virtual void setRangeNote(const std::string &text) = 0;
    // Under quietrgb the XYZ-to-RGB conversion only computes: the RGB and
    // CMYK boxes, the RGB scroll bars and the note stay as they are.
    [[nodiscard]] virtual bool quietRgb() const = 0;
    virtual void setQuietRgb(bool quiet) = 0;

    // --- The settings every conversion uses -----------------------------------
    [[nodiscard]] virtual engine::Illuminant illuminant() const = 0;
    [[nodiscard]] virtual bool pwd() const = 0;
    // The gamma box (Text5) as shown.
    [[nodiscard]] virtual std::string gammaText() const = 0;
    // rgbscale (the viewing-light tint), rgbexponent (1 / gamma) and
    // cmykexponent as they stand.
    [[nodiscard]] virtual const engine::DisplaySettings &display() const = 0;
    [[nodiscard]] virtual const engine::RenotationTable &table() const = 0;
    // The reflectance curve Measure and the spectrum import leave (slots 1
    // to 40), which tris integrates.
    [[nodiscard]] virtual engine::Spectrum &spectrum() = 0;

    // --- The outside world ---------------------------------------------------
    [[nodiscard]] virtual services::Dialogs &dialogs() = 0;
    [[nodiscard]] virtual const services::Clock &clock() const = 0;
    [[nodiscard]] virtual services::Printer &printer() = 0;
    [[nodiscard]] virtual services::Pictures &pictures() = 0;
    // The four together, as a window is handed them at construction.
    [[nodiscard]] virtual services::Services serviceBundle() = 0;
    // A bare file name in the working folder.
    [[nodiscard]] virtual std::filesystem::path filePath(const std::string &bareName) const = 0;
    // The main window's caption ("Tintwise  - Version  1.0.0").
    [[nodiscard]] virtual std::string caption() const = 0;
    // Replaces the text of the Messages box.
    virtual void showMessage(const std::string &text) = 0;

    // --- The palette writer ------------------------------------------------
    // The current palette file name (".csv" added once a save has run) and
    // tag, shared by every window that writes palettes; empty until asked.
    [[nodiscard]] virtual std::string paletteFileName() const = 0;
    virtual void setPaletteFileName(const std::string &name) = 0;
    [[nodiscard]] virtual std::string paletteTag() const = 0;
    virtual void setPaletteTag(const std::string &tag) = 0;
    // Appends the colour the boxes show to the current palette file; mode 0
    // asks for a tag, any other mode uses the current tag. False when no row
    // was written (cancelled, a colour outside the Munsell data, a file that
    // cannot be written).
    virtual bool SaveData(float &mode) = 0;

    // --- The window itself ------------------------------------------------
    // Hides or shows the conversion screen (it keeps its state).
    virtual void setScreenVisible(bool visible) = 0;
    // The check boxes Check2 to Check7 and the windows they drive.
    [[nodiscard]] virtual WindowSwitchboard &windows() = 0;
    // What the hidden-mode "Import" button runs (the batch import attaches
    // itself here at start-up; unattached, the button does nothing).
    virtual void setImportAction(std::function<void()> action) = 0;
};

} // namespace tw::screen
