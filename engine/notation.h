// Munsell hue texts and the value scale.
//
// Hue number: 0..100 around the circle, 10 units per family, h = 10 *
// family index + step, so 5R = 5, 2.5YR = 12.5, 10RP = 100 (the same hue as
// 0). Value 10 corresponds to Y = 102.568 with the plain value function, and
// to Y = 100 when the PWD flag (perfect white diffuser) is set.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tw::engine {

// Family names indexed 0..10; index 10 is empty. Odd indices hold exactly
// the two-letter families, which converth relies on.
inline constexpr std::array<std::string_view, 11> huenames { "R", "YR", "Y", "GY", "G", "BG", "B",
    "PB", "P", "RP", "" };

// Hue number to hue text: step with the pattern "##.00" then the family
// (5 -> "5.00R", 0 -> ".00R", 100 -> "10.00RP"). Defined below 110.001;
// a hue number beyond that gives the step with no family name.
[[nodiscard]] std::string hconvert(float h);

// The hue number of the same hue within 0 <= H < 100: whole turns of 100
// taken away or added, and a result that rounds to 100 taken as 0 (100 -> 0,
// 105 -> 5, 250 -> 50, -5 -> 95). A hue number that is not finite gives NaN.
[[nodiscard]] float wrapHue(float H);
// The same for a hue number computed in double precision: the turns are
// taken away in double and the result rounded to float once.
[[nodiscard]] float wrapHue(double H);

// Hue text to hue number (case-insensitive; "5 R" reads as 5; "5RP" is 95).
// Without a recognised family suffix, formatError is set and the result is
// 100 plus the leading number of the whole text.
[[nodiscard]] float converth(std::string_view text, bool &formatError);

// Munsell Value to luminance factor Y: the fifth-degree polynomial of the
// 1943 renotation, times 0.975 under PWD.
[[nodiscard]] float value2y(float V, bool pwd);

// Luminance factor to Munsell Value: fifteen Newton steps on value2y's
// polynomial from sqrt(Y). A negative Y is set to 0 in the caller's variable.
[[nodiscard]] float y2value(float &Y, bool pwd);

// The value function and its slope dY/dV in double precision, times 0.975
// under PWD (value2y rounds the polynomial to float before that factor):
// for Newton's method on the Value where single precision is not enough.
[[nodiscard]] double valueFunction(double V, bool pwd);
[[nodiscard]] double valueSlope(double V, bool pwd);

} // namespace tw::engine
