// Whole inputs through tintwise-convert's stream: the first byte picks the
// direction, the format, the header rule and the identifying columns; the
// rest is the input. Every line that is not a CGATS file gives one output
// line (a csv or tsv header row may come first), and every failure is
// counted once on standard error.
#include "app/convert_cli.h"
#include "fuzz_check.h"
#include "fuzz_table.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

using tw::fuzz::table;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    using Options = tw::app::ConvertOptions;
    Options options;
    const unsigned pick = data[0];
    constexpr Options::Mode modes[]
        = { Options::Mode::ToXyz, Options::Mode::ToMunsell, Options::Mode::ToLab,
              Options::Mode::ToRgb, Options::Mode::FromLab, Options::Mode::FromRgb };
    options.mode = modes[pick % 6];
    options.format = static_cast<Options::Format>((pick / 6) % 3);
    options.header = static_cast<Options::Header>((pick / 18) % 3);
    options.idColumns = static_cast<int>((pick / 54) % 3) - 1;
    options.notation = (pick & 0x80) != 0 && options.mode != Options::Mode::ToXyz
        && options.mode != Options::Mode::ToLab && options.mode != Options::Mode::ToRgb;
    const std::string input(reinterpret_cast<const char *>(data) + 1, size - 1);
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const std::size_t failed = tw::app::convertStream(table(), options, in, out, &err);
    const std::string o = out.str();
    const std::string e = err.str();
    FUZZ_CHECK(static_cast<std::size_t>(std::count(e.begin(), e.end(), '\n')) == failed);
    std::size_t inLines = static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n'));
    if (!input.empty() && input.back() != '\n') {
        ++inLines;
    }
    const auto outLines = static_cast<std::size_t>(std::count(o.begin(), o.end(), '\n'));
    // A CGATS file has a row per sample instead.
    if (o.find("SAMPLE") == std::string::npos && e.find("CGATS") == std::string::npos
        && options.mode != Options::Mode::ToMunsell) {
        const std::size_t header = options.format == Options::Format::Plain ? 0 : 1;
        FUZZ_CHECK(outLines == inLines || outLines == inLines + header);
    }
    return 0;
}
