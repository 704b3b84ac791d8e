// Where a palette row's hue text points in the viewer: its hue number (0 to
// 100 around the circle) and the angle of that hue.
//
// The text is read case-insensitively by its ending, the two-letter families
// first: "yr" 10, "gy" 30, "bg" 50, "pb" 70, "rp" 90 are added to the number
// the text starts with; otherwise "r" 0, "y" 20, "g" 40, "b" 60, "p" 80. The
// number is the longest leading number of the text before the family letters
// (blanks ignored), 0 when there is none. So "5R" is 5, "2.5YR" 12.5 (not R),
// "10rp" 100. A text with no family ending (a neutral "N") is hue 0: such a
// colour has Chroma 0 and sits on the Value axis whatever its angle.
//
// The angle is the hue number x 3.6 degrees, in radians.
#pragma once

#include <string>
#include <string_view>

namespace tw::viewer {

[[nodiscard]] float paletteHueNumber(std::string_view hueText);
[[nodiscard]] float paletteHueAngle(float hueNumber);

// The text in lower case (ASCII letters only, as hue names are).
[[nodiscard]] std::string lowerCase(std::string_view text);

} // namespace tw::viewer
