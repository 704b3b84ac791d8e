// The ColorChecker chart "The Macbeth ColorChecker(R)": the 24 patches of
// the chart as this display renders them, from their Munsell notations in
// "ccnames.csv" (working folder) under the screen's illuminant, PWD setting
// and gamma at the moment of filling.
//
//  - fillCC(tell): reads the file and colours Shape1(0..23): record k + 1 fills
//    patch k, in 4 rows of 6 (record 1 top left, 6 top right, 19 bottom
//    left, 24 bottom right). A missing file, a missing record or one that
//    holds no notation leaves its patches in the window's colour and is
//    told in one message naming the file and the records (when the chart is
//    ticked; a refill that follows the gamma says nothing again). The
//    screen's boxes are not touched.
//  - Shown by "Display ColorChecker"; refilled when ticked and on every
//    gamma change while on screen, never by an illuminant or PWD change.
//  - "PRINT" prints the window ("Printer not Found" on failure).
#pragma once

#include "charts/ccnames.h"
#include "charts/chart_window.h"

#include <array>
#include <string>

namespace tw::ui {
class Button;
class Label;
class Shape;
} // namespace tw::ui

namespace tw::charts {

class CChecker : public ChartWindow {
public:
    explicit CChecker(screen::ScreenHost &screen);

    // `tell`: what is wrong with the file, or the patches left empty, is
    // said in a message (when the user ticks the chart, not again on every
    // refill that follows the screen).
    void fillCC(bool tell);

    void ticked() override { fillCC(true); }
    void follow(const screen::Refresh &) override { fillCC(false); }

    static constexpr ui::Rgb24 background = ui::rgb(71, 67, 69);

    // The patch names as read (not shown).
    [[nodiscard]] const std::array<std::string, ccPatchCount> &names() const { return names_; }

    std::array<ui::Shape *, ccPatchCount> Shape1 {};
    ui::Button *Command1 = nullptr;
    ui::Label *Label1 = nullptr;

private:
    std::array<std::string, ccPatchCount> names_;
};

} // namespace tw::charts
