// Notations in every spelling over any bytes: a text is a notation or is
// refused with a reason; a notation read holds finite numbers, a neutral
// has Chroma 0, and its parts go into the screen's boxes as texts that read
// back to the same numbers. The notation the converter writes for any
// numbers reads back as that notation to the decimals it shows.
#include "engine/notation_text.h"
#include "fuzz_check.h"
#include "text/numbers.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    tw::engine::WrittenNotation n;
    std::string why;
    if (tw::engine::readNotation(text, n, why)) {
        FUZZ_CHECK(std::isfinite(n.H) && std::isfinite(n.V) && std::isfinite(n.C));
        if (n.neutral) {
            FUZZ_CHECK(n.C == 0.0f && n.hue == "N" && n.chroma == "0");
        }
        double value = 0.0;
        FUZZ_CHECK(tw::text::parseNumber(n.value, value));
        FUZZ_CHECK(static_cast<float>(value) == n.V);
    } else {
        FUZZ_CHECK(!why.empty());
    }
    std::optional<float> neutralValue;
    if (tw::engine::readNeutral(text, neutralValue) && neutralValue) {
        FUZZ_CHECK(std::isfinite(*neutralValue));
    }
    if (size >= 3 * sizeof(float) + 1) {
        float v[3];
        std::memcpy(v, data + 1, sizeof v);
        const int decimals = data[0] % 5;
        if (std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2])
            && std::fabs(v[0]) < 1e6f && v[1] >= 0.0f && v[1] < 1e6f && v[2] >= 0.0f
            && v[2] < 1e6f) {
            const std::string written = tw::engine::notationText(v[0], v[1], v[2], decimals);
            tw::engine::WrittenNotation back;
            FUZZ_CHECK(tw::engine::readNotation(written, back, why));
            const float unit = std::pow(10.0f, static_cast<float>(-decimals));
            FUZZ_CHECK(std::fabs(back.V - v[1]) <= unit * (0.5f + 1e-3f) + v[1] * 1e-6f);
            if (!back.neutral) {
                FUZZ_CHECK(std::fabs(back.C - v[2]) <= unit * (0.5f + 1e-3f) + v[2] * 1e-6f);
            } else {
                FUZZ_CHECK(v[2] <= unit * 0.5f + v[2] * 1e-6f);
            }
        }
    }
    return 0;
}
