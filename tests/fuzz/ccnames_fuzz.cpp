// The ColorChecker chart's reader over any text. Every patch it keeps has a
// name of one line and finite hue, Value and Chroma, and its colour on the
// screen is a display colour within 0 to 255 or a stated failure; the
// problem text is empty exactly when all 24 patches were read, and names the
// file otherwise. A record is read on its own line: read alone, as the only
// record of a file, it gives the same patch, so no damaged record before it
// can have shifted its fields.
#include "charts/ccnames.h"
#include "engine/display_colour.h"
#include "fuzz_check.h"
#include "fuzz_table.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using tw::fuzz::table;

// The lines of the text after the header that are not blank, as the reader
// counts its records (a line ends at CR LF, LF or CR).
std::vector<std::string> recordLines(const std::string &text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    bool header = true;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size()) {
            pos += text.compare(pos, 2, "\r\n") == 0 ? 2 : 1;
        }
        if (header) {
            header = false;
        } else if (line.find_first_not_of(" \t") != std::string::npos) {
            lines.push_back(line);
        }
    }
    return lines;
}

bool samePatch(const tw::charts::CcNotation &a, const tw::charts::CcNotation &b) {
    return a.name == b.name && a.hue == b.hue && a.value == b.value && a.chroma == b.chroma;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string text(reinterpret_cast<const char *>(data), size);
    const std::string fileName = "ccnames.csv";
    const tw::charts::CcNames read = tw::charts::readCcNames(text, fileName);

    bool all = true;
    for (const auto &patch : read.patches) {
        all = all && patch.has_value();
    }
    FUZZ_CHECK(read.problem.empty() == all);
    if (!all) {
        FUZZ_CHECK(read.problem.rfind("\"" + fileName + "\"", 0) == 0);
    }

    const std::vector<std::string> lines = recordLines(text);
    const auto illuminant = static_cast<tw::engine::Illuminant>(size % 3);
    const tw::engine::DisplaySettings display;
    for (std::size_t k = 0; k < read.patches.size(); ++k) {
        const auto &patch = read.patches[k];
        if (!patch) {
            continue;
        }
        FUZZ_CHECK(patch->name.find_first_of("\r\n") == std::string::npos);
        FUZZ_CHECK(patch->name.size() <= size);
        FUZZ_CHECK(std::isfinite(patch->hue));
        FUZZ_CHECK(std::isfinite(patch->value));
        FUZZ_CHECK(std::isfinite(patch->chroma));

        FUZZ_CHECK(k < lines.size());
        const tw::charts::CcNames alone = tw::charts::readCcNames("\n" + lines[k], fileName);
        FUZZ_CHECK(alone.patches[0].has_value() && samePatch(*alone.patches[0], *patch));

        const tw::engine::DisplayColour c = tw::engine::munsellToDisplay(
            table(), illuminant, false, display, patch->hue, patch->value, patch->chroma);
        if (c.hasRgb()) {
            for (const int channel : { c.rgb.R, c.rgb.G, c.rgb.B }) {
                FUZZ_CHECK(channel >= 0 && channel <= 255);
            }
            FUZZ_CHECK(std::isfinite(c.X) && std::isfinite(c.Y) && std::isfinite(c.Z));
        }
    }
    return 0;
}
