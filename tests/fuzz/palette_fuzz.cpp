// The 3D viewer's palette reader over any text: reading the rows always
// ends, each read consumes text, and a row's hue text points somewhere on
// the circle (a finite hue number), so no dot lands at infinity.
#include "fuzz_check.h"
#include "text/numbers.h"
#include "text/palette_line.h"
#include "viewer/palette_hue.h"

#include <cmath>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    tw::text::PaletteReader reader(std::string(reinterpret_cast<const char *>(data), size));
    std::size_t rows = 0;
    while (!reader.atEnd()) {
        FUZZ_CHECK(++rows <= size + 1);
        tw::text::PaletteRow row;
        if (!reader.next(row)) {
            break;
        }
        const float hue = tw::viewer::paletteHueNumber(row.hue);
        FUZZ_CHECK(std::isfinite(hue));
        FUZZ_CHECK(std::isfinite(tw::viewer::paletteHueAngle(hue)));
        double v = 0.0;
        if (tw::text::parseNumber(row.value, v)) {
            FUZZ_CHECK(std::isfinite(v));
        }
    }
    return 0;
}
