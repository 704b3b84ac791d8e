// The conversion screen's state as plain values: what every box shows, where
// every scroll bar stands, the note under the patch, the patch itself and the
// settings every conversion reads. The window shows this state; the command
// line and the batch import work on it without a window.
#pragma once

#include "engine/colour_spaces.h"
#include "engine/illuminant.h"

#include <array>
#include <string>

namespace tw::cycle {

// The groups of entry boxes, each with its entry operation.
enum class Boxes {
    Munsell, // Text12: hue, Value, Chroma; muncie
    Xyz, // Text11: X, Y, Z; xyzenter
    Chromaticity, // Text18: x, y (with the Y box); chromaticity entry
    Lab, // Text15: L*, a*, b*; labenter
    Rgb, // Text1: R, G, B; Command6_Click
    Cmyk, // Text2: C, M, Y, K; cmyk
};

inline constexpr std::array<Boxes, 6> allBoxes { Boxes::Munsell, Boxes::Xyz, Boxes::Chromaticity,
    Boxes::Lab, Boxes::Rgb, Boxes::Cmyk };

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

// A scroll bar's travel: the value at its top and at its bottom (the top
// value may be the larger).
struct Travel {
    int top, bottom;
    [[nodiscard]] constexpr bool holds(int v) const {
        return top < bottom ? v >= top && v <= bottom : v >= bottom && v <= top;
    }
    [[nodiscard]] constexpr int clamp(int v) const {
        const int lo = top < bottom ? top : bottom;
        const int hi = top < bottom ? bottom : top;
        return v < lo ? lo : v > hi ? hi : v;
    }
};

// VScroll1 (hue number x 2), VScroll2 (Value x 2), VScroll3 (Chroma).
inline constexpr std::array<Travel, 3> munsellTravel { { { 202, 0 }, { 20, 1 }, { 40, 0 } } };
// VScroll4 to VScroll6: R, G, B.
inline constexpr Travel rgbTravel { 255, 0 };
// VScroll8: gamma x 10.
inline constexpr Travel gammaTravel { 30, 10 };

// The display colour of the patch.
struct DisplayRgb {
    int R = 0, G = 0, B = 0;
    friend bool operator==(const DisplayRgb &, const DisplayRgb &) = default;
};

// The numbers behind the texts as the last conversion computed them (the
// texts are these numbers through the display patterns). Which of them the
// last conversion reached is told by its outcome.
struct ColourNumbers {
    // Under the selected illuminant.
    float X = 0.0f, Y = 0.0f, Z = 0.0f, x = 0.0f, y = 0.0f;
    float L = 0.0f, a = 0.0f, b = 0.0f;
    // The notation (illuminant C): hue number 0 <= H < 100, the Value before
    // the screen's floor of 0.5, Chroma.
    float H = 0.0f, V = 0.0f, C = 0.0f;
};

struct ScreenState {
    // The boxes, as shown. The Munsell boxes start with the design colour.
    std::array<std::string, 3> munsell { "5R", "5", "10" }; // Text12
    std::array<std::string, 3> xyz {}; // Text11
    std::array<std::string, 2> xy {}; // Text18
    std::array<std::string, 3> lab {}; // Text15
    std::array<std::string, 3> rgb {}; // Text1
    std::array<std::string, 4> cmyk {}; // Text2

    // VScroll1 to VScroll3 and VScroll4 to VScroll6, each at the top of its
    // travel until the first conversion moves it.
    std::array<int, 3> munsellScroll { munsellTravel[0].top, munsellTravel[1].top,
        munsellTravel[2].top };
    std::array<int, 3> rgbScroll { rgbTravel.top, rgbTravel.top, rgbTravel.top };

    // Label19, the note under the patch.
    std::string rangeNote;
    // Picture1: the current display colour.
    DisplayRgb patch;
    // The nearest colour the display has: the patch's colour, or, for a
    // colour outside the display's range (the patch black then, the RGB
    // boxes 0 0 0), that colour clipped channel by channel.
    DisplayRgb clippedPatch;

    // The settings every conversion reads.
    engine::Illuminant illuminant = engine::Illuminant::C_1931;
    bool pwd = false; // Check1
    std::string gammaText = "2.2"; // Text5
    int gammaScroll = 22; // VScroll8
    // rgbscale (the viewing-light tint), rgbexponent (1 / gamma),
    // cmykexponent.
    engine::DisplaySettings display;

    // Under quietrgb the XYZ-to-RGB step only computes: the RGB and CMYK
    // boxes, the RGB scroll bars and the note stay as they are (the patch
    // still takes the computed colour).
    bool quietrgb = false;
    // The last XYZ-to-RGB step was clipped (or X, Y, Z not positive).
    bool outofgamut = false;

    ColourNumbers numbers;

    // The boxes hold one converted colour: true after an entry that
    // converted, false after one that did not and after any box was written
    // without converting. Nothing is saved from boxes that do not.
    bool holdsColour = false;

    // The text of box `index` of a group (0-based); empty outside it.
    [[nodiscard]] const std::string &text(Boxes group, int index) const;
    // Writes a box as an edit does (the boxes then hold no converted
    // colour); false outside the group.
    bool setText(Boxes group, int index, std::string text);
};

} // namespace tw::cycle
