// A line through tintwise-convert, in each direction: the first byte picks
// the direction, the illuminant and PWD. Every line gives an answer or an
// ERR line with a reason; an answer holds only finite numbers, a hue number
// within 0 to 100 and a Value within 0 to 10.
#include "app/convert_cli.h"
#include "fuzz_check.h"
#include "fuzz_table.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tw::fuzz::table;

std::vector<std::string> words(const std::string &s) {
    std::istringstream in(s);
    std::vector<std::string> out;
    for (std::string w; in >> w;) {
        out.push_back(w);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    tw::app::ConvertOptions options;
    options.mode = data[0] % 2 == 0 ? tw::app::ConvertOptions::Mode::ToXyz
                                    : tw::app::ConvertOptions::Mode::ToMunsell;
    options.illuminant = static_cast<tw::engine::Illuminant>((data[0] / 2) % 3);
    options.pwd = (data[0] / 6) % 2 == 1;
    const std::string_view line(reinterpret_cast<const char *>(data) + 1, size - 1);
    std::string out;
    const bool ok = tw::app::convertLine(table(), options, line, out);
    if (!ok) {
        FUZZ_CHECK(out.rfind("ERR", 0) == 0);
        return 0;
    }
    FUZZ_CHECK(out.find("nan") == std::string::npos && out.find("inf") == std::string::npos);
    FUZZ_CHECK(out.find("NaN") == std::string::npos && out.find("Inf") == std::string::npos);
    const std::vector<std::string> w = words(out);
    if (options.mode == tw::app::ConvertOptions::Mode::ToMunsell) {
        // Only a colour of finite X, Y, Z has a notation.
        double sum = 0.0;
        for (const std::string &number : words(std::string(line))) {
            const double v = std::strtod(number.c_str(), nullptr);
            FUZZ_CHECK(std::isfinite(v));
            sum += std::fabs(v);
        }
        FUZZ_CHECK(std::isfinite(static_cast<float>(sum)));
    }
    if (options.mode == tw::app::ConvertOptions::Mode::ToMunsell && w.size() >= 4) {
        const double hue = std::strtod(w[1].c_str(), nullptr);
        const double value = std::strtod(w[2].c_str(), nullptr);
        FUZZ_CHECK(hue >= 0.0 && hue <= 100.0);
        FUZZ_CHECK(value >= 0.0 && value <= 10.0);
    }
    return 0;
}
