// Munsell notation to CIE X, Y, Z and chromaticity x, y, by trilinear
// interpolation of x, y in the renotation table (hue, chroma, then value)
// and Y from the value function; carried to D50 or D65/10 by the Bradford
// adaptation when one of those is selected.
#pragma once

#include "engine/illuminant.h"
#include "engine/renotation_table.h"

namespace tw::engine {

enum class Mun2XyzStatus {
    Ok,
    // The colour lies beyond the renotation data (a corner it needs has
    // x = 0): X = Y = Z = 0, x and y as the caller had them. Not an error.
    // Above Chroma 32 (tableChromaLimit) this is always so: the table stops
    // there.
    OutsideData,
    // A negative hue, Value or Chroma, a hue beyond 102.5 or a Chroma of 60
    // or more puts an index outside the table, or the adaptation failed.
    // Nothing is written but the clamp of V.
    OutOfRange,
};

// H: hue number (callers reduce 100 to 0); V: Value, clamped to 9.5 in the
// caller's variable; C: Chroma.
[[nodiscard]] Mun2XyzStatus mun2xyz(const RenotationTable &table, Illuminant illuminant, bool pwd,
    float H, float &V, float C, float &X, float &Y, float &Z, float &x, float &y);

} // namespace tw::engine
