// Colours as the windows pass them around: one 24-bit number with red in the
// low byte, green in the second and blue in the third. Pixel reads return this
// form and rgb() builds it, so a handler can take a colour apart with
// "c & 255", "(c >> 8) & 255" and "(c >> 16) & 255".
#pragma once

#include <QColor>
#include <QRgb>

#include <algorithm>
#include <cstdint>

namespace tw::ui {

using Rgb24 = std::uint32_t;

// Each channel is clamped to 0..255 first, so an out-of-range channel cannot
// spill into its neighbour.
[[nodiscard]] constexpr Rgb24 rgb(int red, int green, int blue) {
    const auto c = [](int v) { return static_cast<Rgb24>(std::clamp(v, 0, 255)); };
    return c(red) | (c(green) << 8) | (c(blue) << 16);
}

[[nodiscard]] constexpr int redOf(Rgb24 c) {
    return static_cast<int>(c & 0xFF);
}
[[nodiscard]] constexpr int greenOf(Rgb24 c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
[[nodiscard]] constexpr int blueOf(Rgb24 c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

[[nodiscard]] inline QColor toQColor(Rgb24 c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

[[nodiscard]] inline Rgb24 fromQColor(const QColor &c) {
    return rgb(c.red(), c.green(), c.blue());
}

[[nodiscard]] inline Rgb24 fromQRgb(QRgb c) {
    return rgb(qRed(c), qGreen(c), qBlue(c));
}

inline constexpr Rgb24 kBlack = rgb(0, 0, 0);
inline constexpr Rgb24 kWhite = rgb(255, 255, 255);

// The mark of a colour the display must clip, the same wherever a colour is
// drawn (the charts' patches, the viewer's dots): a dotted outline, black
// on a light colour and white on a dark one, so that it shows on any fill.
// Dark is a Rec. 601 luma below 110 of 255.
[[nodiscard]] constexpr Rgb24 clipMarkColour(Rgb24 fill) {
    const int luma = (299 * redOf(fill) + 587 * greenOf(fill) + 114 * blueOf(fill)) / 1000;
    return luma < 110 ? kWhite : kBlack;
}

} // namespace tw::ui
