// The 3D palette viewer, "Brightmere 3D Munsell Palette Viewer": the colours
// of one palette file as dots in Munsell space, turning continuously, which
// the user tilts, zooms and pans with scroll bars and identifies and compares
// by clicking.
//
// The window is the conversion screen's "3D Display of HVC " window (the
// switchboard shows and hides it) and the palette viewer that the windows
// writing palettes ask to load what they wrote (GetData mode 2). It drives
// the screen only through ScreenHost: every row's notation goes through the
// screen's Munsell entry, which gives the dot its display colour.
//
// The window loads itself (Form_Load: show, the remembered palette, rotate)
// the first time it is shown or asked to load, never while it is being made.
#pragma once

#include "screen/window_switchboard.h"
#include "ui/form.h"
#include "viewer/palette_dot.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QSize;

namespace tw::screen {
class ScreenHost;
}

namespace tw::services {
class Dialogs;
}

namespace tw::ui {
class Button;
class CheckBox;
class DrawingSurface;
class Label;
class ListBox;
class MenuItem;
class ScrollBar;
class Shape;
class TextBox;
class Timer;
} // namespace tw::ui

namespace tw::viewer {

class Form3 : public ui::Form, public screen::SwitchedWindow, public screen::PaletteViewer {
public:
    explicit Form3(screen::ScreenHost &screen);
    ~Form3() override;

    // Window load: shows the window, lets pending events run, loads the
    // remembered palette (GetData mode 1) and starts the rotation.
    void Form_Load();
    [[nodiscard]] bool formLoaded() const { return loaded_; }

    // Loads a palette: mode 1 the one named in "LastPalette.txt" (or
    // "newpalette2.csv"), 2 the screen's current palette file, anything else
    // the file picked in the open dialog (Cancel loads nothing and keeps what
    // is shown). A request that arrives while a load lets events run is
    // carried out when that load ends.
    void GetData(int mode) override;

    // Redraws the whole view from the table and the scroll bars.
    void DrawPalette();

    // The loaded dots, numbered from 1 as the list shows them.
    [[nodiscard]] int dotCount() const { return static_cast<int>(dots_.size()); }
    [[nodiscard]] const PaletteDot &dot(int number) const { return dots_.at(number - 1); }
    [[nodiscard]] bool rotating() const { return rotating_; }
    // The number of redraws so far (for the check that idle costs nothing).
    [[nodiscard]] std::uint64_t redrawCount() const { return redraws_; }

    // SwitchedWindow.
    void setShown(bool shown) override;
    [[nodiscard]] bool isShown() const override;
    void ticked() override;
    void follow(const screen::Refresh &refresh) override;

    // Event handlers.
    void Command1_Click(); // Rotate
    void Command2_Click(); // Stop
    void Timer1_Timer(); // rotation step
    void Timer2_Timer(); // redraw when something drawn has changed
    void Picture1_MouseDown(int button, double x, double y);
    void mnuNewPalette_Click();
    void mnuFileOpen_Click();
    void mnuExit_Click();
    void mnuHelp_Click();

    // Controls.
    ui::DrawingSurface *Picture1 = nullptr;
    ui::ScrollBar *HScroll1 = nullptr; // rotation
    ui::ScrollBar *VScroll1 = nullptr; // tilt
    ui::ScrollBar *VScroll2 = nullptr; // zoom
    ui::ScrollBar *HScroll2 = nullptr; // pan x
    ui::ScrollBar *VScroll3 = nullptr; // pan y
    ui::ScrollBar *HScroll3 = nullptr; // rotation step interval
    ui::ListBox *List1 = nullptr;
    ui::TextBox *Text1 = nullptr; // load status
    ui::CheckBox *Check1 = nullptr; // "Display sample #"
    ui::Button *Command1 = nullptr, *Command2 = nullptr;
    std::array<ui::TextBox *, 2> Text3 {}; // tags: left, right click
    std::array<ui::TextBox *, 2> Text4 {}; // notations: left, right click
    ui::Shape *Shape1 = nullptr, *Shape2 = nullptr;
    ui::Timer *Timer1 = nullptr, *Timer2 = nullptr;
    ui::MenuItem *mnuFile = nullptr, *mnuNewPalette = nullptr, *mnuFileOpen = nullptr;
    ui::MenuItem *mnuExit = nullptr, *mnuHelp = nullptr;

private:
    // What a redraw depends on; Timer2 redraws only when it differs from
    // what the last redraw saw.
    struct DrawnState {
        int HScroll1 = 0, VScroll1 = 0, VScroll2 = 0, HScroll2 = 0, VScroll3 = 0;
        int selected = -1;
        int numbers = 0;
        int width = 0, height = 0;
        std::uint64_t table = 0;
        bool operator==(const DrawnState &) const = default;
    };

    void buildControls();
    void connectEvents();
    [[nodiscard]] DrawnState drawnState() const;
    [[nodiscard]] services::Dialogs &dialogs() const;

    // The loader (form3_load.cpp).
    void load(int mode);
    [[nodiscard]] std::optional<std::string> chooseFile(int mode) const;
    void loadFile(const std::string &name);
    void loadFailed(const std::string &name);
    [[nodiscard]] std::string paddedTo(std::string text, double twips) const;
    [[nodiscard]] std::string listRow(int number, const PaletteDot &dot) const;
    void rememberPalette(const std::string &name) const;

    screen::ScreenHost &screen_;
    std::vector<PaletteDot> dots_;
    // Counts every change of the table, so that a redraw can tell.
    std::uint64_t tableChanges_ = 0;
    std::optional<DrawnState> lastDrawn_;
    std::uint64_t redraws_ = 0;
    bool loaded_ = false;
    bool loading_ = false;
    std::optional<int> pendingMode_;
    bool rotating_ = false;
    // The clock's reading at the last rotation step (none since Rotate), and
    // the angle turned to, in degrees, before the bar rounds it.
    std::optional<double> lastTurn_;
    double turned_ = 0.0;
    // The dots' drawing order, far to near, kept from redraw to redraw.
    std::vector<std::uint32_t> order_;
};

} // namespace tw::viewer
