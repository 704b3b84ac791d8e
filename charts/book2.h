// The value page "Munsell Value Page": every hue at one Munsell Value as a
// polar chart drawn on the window itself (twips, origin top-left).
//
//  - plotvalue(v): clears the window and draws, for the 40 hues H = 0, 2.5 ...
//    97.5 and the Chromas C = 0, 2 ... 40, a dot of radius cx / 40 at
//    (cx + 100 r cos t, cy - 100 r sin t) with r = C + 10 and t = H / 15.915494
//    (hue 0 to the right, 25 up), filled with the display colour (with the
//    charts' clip mark when the display must clip it). A spoke ends where the renotation data run
//    out, with the hue's name printed there. cx, cy: the middle of the window.
//  - VScroll1 (950 at the top .. 100, hundredths of a Value): moving it
//    writes the Value into the screen's Value box and runs Munsell entry,
//    which redraws this page.
//  - Hover: 0.01 s after the mouse moves, the pixel under it is shown in
//    Label3 and the swatch Shape1 ("Out of RGB Gamut" for a channel at 0 or
//    255; the grey background changes nothing).
//  - A click on a dot writes its colour into the screen's RGB boxes and runs
//    RGB entry, unless a channel is 0 or 255 (a clipped colour: the swatch
//    turns black and the screen is left as it is); a click beside the dots
//    does nothing.
//  - "PRINT" prints the window ("Printer not Found" on failure).
#pragma once

#include "charts/chart_window.h"

#include <memory>
#include <vector>

namespace tw::ui {
class Button;
class Label;
class ScrollBar;
class Shape;
class Timer;
} // namespace tw::ui

namespace tw::charts {

class book2 : public ChartWindow {
public:
    explicit book2(screen::ScreenHost &screen);
    ~book2() override;

    void plotvalue(float v);

    // SwitchedWindow: the page follows the screen's Value box.
    void ticked() override { plotFromScreen(); }
    void follow(const screen::Refresh &) override { plotFromScreen(); }

    // The chart's inner area, for which its scale of 100 twips per Chroma
    // step is laid out.
    static constexpr int innerWidth = 8895;
    static constexpr int innerHeight = 8295;
    static constexpr ui::Rgb24 background = ui::rgb(192, 192, 192);

    ui::Label *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    ui::ScrollBar *VScroll1 = nullptr;
    ui::Shape *Shape1 = nullptr;
    ui::Button *Command1 = nullptr;

private:
    // The Value box as a number; a box that holds none leaves the page as it
    // is.
    void plotFromScreen();
    void VScroll1_Change();
    void Form_MouseMove(double x, double y);
    void showHover();
    void Form_MouseDown(double x, double y);

    // The dots drawn last: their middles and colours, and their radius.
    struct Dot {
        double x, y;
        ui::Rgb24 fill;
    };
    std::vector<Dot> dots_;
    double dotRadius_ = 0.0;

    bool busy_ = false;
    std::unique_ptr<ui::Timer> hoverDelay_;
    double hoverX_ = 0.0, hoverY_ = 0.0;
};

} // namespace tw::charts
