// The one place that knows which check box of the conversion screen drives
// which window, and when each window follows the screen:
//
//   Check2 "Display Hue Page"      hue page         follows every notation shown
//   Check3 "Color Tolerence Set"   tolerance set    rebuilt around every CIELAB
//   Check4 "Display Value Page"    value page       follows every notation shown
//   Check5 "Display ColorChecker"  ColorChecker     refilled on a gamma change
//                                                   while it is visible
//   Check6 "Image Analysis"        picture analysis (never follows)
//   Check7 "3D Display of HVC "    3D viewer        reloads after each save
//
// Ticking a box shows its window (made on first use) and lets it fill
// itself; clearing the box hides it, and a hidden window keeps its state.
// The windows attach a factory for themselves at start-up; a box whose
// window is not attached only ticks.
#pragma once

#include <array>
#include <functional>
#include <memory>

namespace tw::ui {
class CheckBox;
}

namespace tw::screen {

enum class ScreenWindow {
    HuePage, // Check2
    ToleranceSet, // Check3
    ValuePage, // Check4
    ColorChecker, // Check5
    PictureAnalysis, // Check6
    PaletteViewer, // Check7
};

inline constexpr int screenWindowCount = 6;

// Why a window is asked to follow the screen.
struct Refresh {
    enum class Cause {
        Notation, // a Munsell entry started, or a conversion showed a notation
        Lab, // a conversion showed L*, a*, b* (given here unrounded)
        Gamma, // the gamma changed
        PaletteSaved, // "Save to Palette" appended a row
    } cause
        = Cause::Notation;
    float L = 0.0f, a = 0.0f, b = 0.0f;
};

class SwitchedWindow {
public:
    virtual ~SwitchedWindow() = default;

    // Shows or hides the window; hiding keeps its state.
    virtual void setShown(bool shown) = 0;
    [[nodiscard]] virtual bool isShown() const = 0;
    // Its box has just been ticked and the window shown: the hue page draws
    // the hue in the Munsell boxes, the tolerance set builds around the
    // CIELAB boxes, the value page plots the Value box, the ColorChecker
    // chart fills, the picture window takes the focus, the viewer does
    // nothing more.
    virtual void ticked() = 0;
    // The screen asks the window to follow it; the switchboard sends each
    // window only the causes of the table above.
    virtual void follow(const Refresh &refresh) = 0;
};

// The viewer's palette load, for the windows that write a palette and then
// show it (the tolerance set's "Save Palette", the picture's "&View 3D
// Palette").
class PaletteViewer {
public:
    virtual ~PaletteViewer() = default;
    // mode 1: the palette named in "LastPalette.txt"; 2: the screen's
    // current palette file; anything else: ask with the open dialog.
    virtual void GetData(int mode) = 0;
};

class WindowSwitchboard {
public:
    using Factory = std::function<std::unique_ptr<SwitchedWindow>()>;

    // The check boxes Check2 to Check7, in that order.
    explicit WindowSwitchboard(const std::array<ui::CheckBox *, screenWindowCount> &boxes);
    ~WindowSwitchboard();
    WindowSwitchboard(const WindowSwitchboard &) = delete;
    WindowSwitchboard &operator=(const WindowSwitchboard &) = delete;

    // How the window of a box is made; called once, on first use.
    void attach(ScreenWindow which, Factory factory);

    // The window, or null when it has not been made (or is not attached).
    [[nodiscard]] SwitchedWindow *window(ScreenWindow which) const;
    // The window, made now if it has not been; null when not attached.
    SwitchedWindow *open(ScreenWindow which);

    [[nodiscard]] bool ticked(ScreenWindow which) const;
    // Ticks or clears the box from code; the box's click runs as for a user.
    void setTicked(ScreenWindow which, bool ticked);

    // --- What the conversion screen reports --------------------------------
    // The click of a box, with its new state.
    void checkClicked(ScreenWindow which);
    // A Munsell entry starts, or a conversion has shown a notation.
    void notationChanged();
    // A conversion has shown L*, a*, b*.
    void labChanged(float L, float a, float b);
    void gammaChanged();
    void paletteSaved();

    // The viewer loads a palette (made now if needed); nothing when no
    // viewer is attached.
    void viewPalette(int mode);

private:
    struct Slot {
        ui::CheckBox *box = nullptr;
        Factory factory;
        std::unique_ptr<SwitchedWindow> window;
    };
    [[nodiscard]] static std::size_t index(ScreenWindow which);
    void followIfTicked(ScreenWindow which, const Refresh &refresh);

    std::array<Slot, screenWindowCount> slots_;
};

} // namespace tw::screen
