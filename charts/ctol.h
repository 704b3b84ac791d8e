// The tolerance set "Munsell Color Tolerance Set": a standard CIELAB colour
// in the middle and six patches one tolerance away along each axis (lighter
// and darker, redder and greener, yellower and bluer).
//
//  - MakeCTol(L, a, b): shows the standard in the boxes Text2(0..2) with two
//    decimals and rebuilds all seven patches, each as the conversion screen
//    would show its CIELAB under its illuminant: the notation kept in
//    tolMunsell (hue and Chroma empty for a colour outside the Munsell data)
//    and the display colour in tolRgb (clipped, never black for clipping).
//    Patch borders: the fill colour, or black with "Black Lines".
//  - The scroll bars HScroll1(0..2) set the tolerances (value / 10, 1 to 20,
//    5 at start), rewrite the six captions and rebuild around the standard
//    as the boxes show it, or around the standard the set was built for
//    when a box holds no number: captions and patches always agree.
//    "Black Lines" rebuilds the same way.
//  - Enter in a Standard box rebuilds the set around the three boxes; a box
//    that holds no number is refused with a message and the set stays.
//  - "Save Palette" writes "Cpalette.csv" anew, patch 6 down to 0, one line
//    each ("date,time,patch,hue,value,chroma" then nine ",0", then R, G, B in
//    print form and ",end"), makes it the screen's palette file and has the
//    3D viewer load it. A patch outside the Munsell data is left out and
//    said so; a file that cannot be written is said so and changes nothing.
//  - "Print" prints the window ("Printer not Found" on failure).
// The conversion screen shows the set and builds it around its CIELAB boxes
// when "Color Tolerence Set" is ticked, and around every CIELAB it shows
// after that.
#pragma once

#include "charts/chart_window.h"

#include <array>
#include <optional>
#include <string>

namespace tw::ui {
class Button;
class CheckBox;
class Frame;
class Label;
class ScrollBar;
class Shape;
class TextBox;
} // namespace tw::ui

namespace tw::charts {

class CTol : public ChartWindow {
public:
    explicit CTol(screen::ScreenHost &screen);

    void MakeCTol(float L, float a, float b);

    void ticked() override;
    void follow(const screen::Refresh &refresh) override;

    static constexpr int patchCount = 7;

    // Delta L*, a*, b*.
    std::array<float, 3> tolerance {};
    // Per patch: hue text, Value, Chroma; display R, G, B.
    std::array<std::array<std::string, 3>, patchCount> tolMunsell {};
    std::array<std::array<int, 3>, patchCount> tolRgb {};

    std::array<ui::Shape *, patchCount> Shape1 {};
    std::array<ui::Label *, 6> Label2 {}; // tolerance captions, patches 1 to 6
    std::array<ui::Label *, 6> Label3 {}; // direction captions, patches 1 to 6
    std::array<ui::Label *, 3> Label4 {}; // "L*", "a*", "b*"
    std::array<ui::Label *, 3> Label5 {}; // "DL", "DA", "DB"
    std::array<ui::TextBox *, 3> Text2 {};
    std::array<ui::ScrollBar *, 3> HScroll1 {};
    ui::CheckBox *Check1 = nullptr;
    ui::Button *Command1 = nullptr, *Command2 = nullptr;
    ui::Frame *Frame1 = nullptr, *Frame2 = nullptr;

private:
    void Form_Load();
    void HScroll1_Change(int index);
    void Check1_Click();
    void Command2_Click();
    void writeCaptions();
    void Text2_KeyDown(int key);
    // MakeCTol around the standard the boxes show, or the one the set was
    // last built for (nothing before the first build).
    void rebuild();
    std::optional<std::array<float, 3>> standard_;
    // "Save Palette" is handing its file to the viewer.
    bool saving_ = false;
};

} // namespace tw::charts
