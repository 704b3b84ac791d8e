// An exact inverse of Munsell to XYZ, on request.
//
// Between whole Values xyz2mun blends the answers of the two levels; that
// is how the conversion is defined, but it is not the inverse of mun2xyz,
// which interpolates the chromaticity first. xyz2munExact starts from the
// defined answer and refines hue, Value and Chroma on the engine's own
// mun2xyz (illuminant C) until converting the answer back gives the input
// X, Y, Z.
#pragma once

#include "engine/renotation_table.h"
#include "engine/xyz2mun.h"

namespace tw::engine {

enum class ExactStatus {
    Ok,
    // No notation inside the renotation data converts to these X, Y, Z
    // (the chromaticity lies beyond the data at that Value, or Y is above
    // the Value 9.5 at which mun2xyz stops). H, V, C are left as they were.
    NoColour,
    // X, Y or Z is not a finite number, Y is negative or X + Y + Z is not
    // positive. H, V, C are left as they were.
    OutOfRange,
};

// How close the answer must convert back: each of X, Y, Z within this, the
// closeness at which xyz2mun too takes two colours for one.
inline constexpr float exactTolerance = tristimulusTolerance;

// H in [0, 100), V, C with mun2xyz(H, V, C) within exactTolerance of X, Y, Z.
[[nodiscard]] ExactStatus xyz2munExact(const RenotationTable &table, bool pwd, float X, float Y,
    float Z, float &H, float &V, float &C);

} // namespace tw::engine
