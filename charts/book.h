// The hue page "Munsell Book of Color": one page of a Munsell book for the
// hue in the conversion screen's hue box. Patches Shape1(0..149) in 15
// columns (Chroma 0 "N", 2, ... 28) of 10 rows (Value 9 at the top down to 0);
// the patch of Chroma c and Value v is Shape1(c * 5 + 9 - v).
//
//  - fillbook(): shows the window and repaints every patch of Value 1 to 9
//    for the hue box's hue (10RP is hue 0); the N column's Value 0 patch is
//    black, the other Value 0 patches keep their grey. A colour beyond the
//    renotation data is grey 192, 192, 192; a colour the display must clip
//    gets a dotted border. A hue box that holds no hue leaves the page as it
//    is. The conversion screen's boxes and note are not touched.
//  - VScroll1 (0 at the top .. 100): moving it writes the hue as text into
//    the screen's hue box and refills the page; it converts nothing on the
//    screen.
//  - A click reads the window's pixel, writes it into the screen's RGB boxes
//    and, unless a channel is 0, runs RGB entry there.
//  - "PRINT" prints the window ("Printer not Found" on failure).
#pragma once

#include "charts/chart_window.h"

#include <array>

namespace tw::ui {
class Button;
class Label;
class ScrollBar;
class Shape;
} // namespace tw::ui

namespace tw::charts {

class book : public ChartWindow {
public:
    explicit book(screen::ScreenHost &screen);

    void fillbook();

    // SwitchedWindow: ticking "Display Hue Page" and every notation the
    // screen shows refill the page.
    void ticked() override { fillbook(); }
    void follow(const screen::Refresh &) override { fillbook(); }

    // Patch layout: 615 x 615 twips on a pitch of 720.
    static constexpr int patchSize = 615;
    static constexpr int pitch = 720;
    static constexpr int gridLeft = 840;
    static constexpr int gridTop = 360;
    // The patch of Chroma c (0, 2, ... 28) and Value v (0 .. 9).
    [[nodiscard]] static constexpr int patchIndex(int chroma, int value) {
        return chroma * 5 + 9 - value;
    }
    static constexpr ui::Rgb24 missingGrey = ui::rgb(192, 192, 192);

    std::array<ui::Shape *, 150> Shape1 {};
    std::array<ui::Label *, 26> Label1 {};
    std::array<ui::Label *, 10> Label5 {};
    ui::Label *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label6 = nullptr;
    ui::ScrollBar *VScroll1 = nullptr;
    ui::Button *Command1 = nullptr;

private:
    void VScroll1_Change();
    void Form_MouseDown(double x, double y);
    // The patch under window point (x, y), or -1 between patches.
    [[nodiscard]] static int patchAt(double x, double y);

    bool busy_ = false;
    // The patches that show a colour (the black Value 0 patch among them).
    std::array<bool, 150> holdsColour_ {};
};

} // namespace tw::charts
