// Chromatic adaptation between illuminant C and the selected illuminant: a
// von Kries scaling in the Bradford cone space.
#pragma once

#include "engine/illuminant.h"

namespace tw::engine {

// Adapts the sample X, Y, Z from the source white (Xs, Ys, Zs) to the
// destination white (Xd, Yd, Zd), giving Xo, Yo, Zo. Returns false, leaving
// the outputs untouched, when the sample or a white has Y = 0 (it cannot be
// normalised).
[[nodiscard]] bool xyzconv(float X, float Y, float Z, float Xs, float Ys, float Zs, float &Xo,
    float &Yo, float &Zo, float Xd, float Yd, float Zd);

enum class Direction {
    Forward, // "F": from illuminant C to the selected illuminant
    Back, // any other text: from the selected illuminant to illuminant C
};

// Replaces X, Y, Z by their adaptation in the given direction under the
// selected illuminant, and x, y by the adapted chromaticity. Forward with
// illuminant C selected has no destination white and leaves everything as it
// is; Back with C selected returns X, Y, Z unchanged (up to rounding) and x, y
// recomputed. Returns false, changing nothing, when Y is 0.
[[nodiscard]] bool xyzconvert(
    Direction direction, Illuminant selected, float &X, float &Y, float &Z, float &x, float &y);

} // namespace tw::engine
