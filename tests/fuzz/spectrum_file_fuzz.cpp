// The spectrum file of Measure's "Import" over any text: a read that fails
// leaves the curve exactly as it was; one that succeeds holds finite values
// in every slot it fills.
#include "engine/spectral.h"
#include "fuzz_check.h"
#include "instruments/reflectance_file.h"

#include <cmath>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    tw::engine::Spectrum curve {};
    for (std::size_t i = 0; i < curve.size(); ++i) {
        curve[i] = 7.25f + static_cast<float>(i);
    }
    const tw::engine::Spectrum before = curve;
    const std::string text(reinterpret_cast<const char *>(data), size);
    if (tw::instruments::readSpectrumText(text, curve)) {
        for (int i = 1; i <= 40; ++i) {
            FUZZ_CHECK(std::isfinite(curve[static_cast<std::size_t>(i)]));
        }
    } else {
        FUZZ_CHECK(curve == before);
    }
    return 0;
}
