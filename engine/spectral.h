// Spectral tristimulus: a reflectance curve at 40 wavelengths (360 to 750 nm
// in 10 nm steps) integrated to CIE X, Y, Z for illuminant C and the 1931
// observer, on the scale where a perfect white has Y = 100.
#pragma once

#include <array>

namespace tw::engine {

// Reflectance in percent. Index i (1..40) holds 350 + 10*i nm; index 0 is
// unused and has no effect on the result.
using Spectrum = std::array<float, 41>;

// One row per wavelength of Spectrum: weights for X, Y, Z. Row 0 holds the
// white point of illuminant C (98.074, 100, 118.232).
struct WeightRow {
    float x, y, z;
};
using WeightTable = std::array<WeightRow, 41>;

// The constant weighting table (illuminant C power times the 1931 observer,
// normalised so that the Y column sums to 100).
[[nodiscard]] const WeightTable &getweights();

// X, Y, Z of a reflectance curve: sum of reflectance times weight over slots
// 1..40, accumulated in single precision, divided by 100.
void tris(const Spectrum &spectrum, float &X, float &Y, float &Z);

} // namespace tw::engine
