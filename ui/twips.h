// Positions and sizes in twips, the unit the window layouts are written in.
//
// 1440 twips make an inch. At the 96 dots per inch the layouts were drawn for,
// 15 twips are one pixel; that fixed factor is used whatever the screen's real
// resolution, so that every arrangement comes out the same on every machine.
#pragma once

#include <QRect>

#include <cmath>

namespace tw::ui {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kTwipsPerInch = 1440;

// Left, top, width and height in twips. A width or height of 0 asks the
// control for its natural size.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Nearest whole pixel (halves away from zero): 132 twips -> 9 pixels.
[[nodiscard]] inline int twipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

[[nodiscard]] inline constexpr int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

[[nodiscard]] inline QRect toPixelRect(const TwipRect &r) {
    return { twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
        twipsToPixels(r.height) };
}

} // namespace tw::ui
