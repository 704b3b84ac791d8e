// The three illuminant and observer choices and their white points.
#pragma once

namespace tw::engine {

// Illuminant C with the 1931 2-degree observer (the illuminant of the
// renotation data), D50 with the 2-degree observer, D65 with the 10-degree
// observer.
enum class Illuminant { C_1931, D5000, D65_10 };

struct WhitePoint {
    float X, Y, Z;
};

// White points on the scale Y = 100.
inline constexpr WhitePoint whiteC { 98.074f, 100.0f, 118.232f };
inline constexpr WhitePoint whiteD50 { 96.42f, 100.0f, 82.49f };
inline constexpr WhitePoint whiteD65_10 { 94.811f, 100.0f, 107.304f };

[[nodiscard]] constexpr WhitePoint whitePoint(Illuminant ill) {
    switch (ill) {
    case Illuminant::D5000:
        return whiteD50;
    case Illuminant::D65_10:
        return whiteD65_10;
    case Illuminant::C_1931:
        break;
    }
    return whiteC;
}

} // namespace tw::engine
