// A spectrum text file as Measure imports it: comma-separated fields (a field
// ends at a comma or a line end), first a name, which is not used, then 40
// reflectance values in percent for 360 to 750 nm. The fields may stand on
// one line or one to a line.
#pragma once

#include "engine/spectral.h"

#include <string>

namespace tw::instruments {

// Reads the 40 values into slots 1..40 of `out`; false, with `out` left as
// it was, when a field is missing or is not a number.
[[nodiscard]] bool readSpectrumText(const std::string &text, engine::Spectrum &out);

} // namespace tw::instruments
