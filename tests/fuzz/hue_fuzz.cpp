// Hue texts: any text is a hue number that is finite, or a format error;
// the text of any float hue number is made without fault, and for the hue
// numbers of the circle (0 to 100) it reads back as the number it names to
// the two decimals it shows.
#include "engine/notation.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    bool formatError = false;
    const float h = tw::engine::converth(text, formatError);
    if (!formatError) {
        FUZZ_CHECK(std::isfinite(h));
    }
    if (size >= sizeof(float)) {
        float hue = 0.0f;
        std::memcpy(&hue, data, sizeof hue);
        const std::string shown = tw::engine::hconvert(hue);
        if (std::isfinite(hue) && hue > 0.01f && hue <= 100.0f) {
            bool error = false;
            const float back = tw::engine::converth(shown, error);
            FUZZ_CHECK(!error);
            FUZZ_CHECK(std::fabs(back - hue) <= 0.0051f);
        }
    }
    return 0;
}
