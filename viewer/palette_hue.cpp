// Hue text to hue number and angle for the viewer. The two-letter families
// are tested first because every one of them ends in a one-letter family's
// letter ("yr" ends in "r"); testing "r" first would read 2.5YR as 2.5R.
#include "viewer/palette_hue.h"

#include "text/numbers.h"

#include <array>
#include <cctype>

namespace tw::viewer {

namespace {

struct Family {
    std::string_view name;
    float offset;
};

constexpr std::array<Family, 5> twoLetter { { { "yr", 10 }, { "gy", 30 }, { "bg", 50 },
    { "pb", 70 }, { "rp", 90 } } };
constexpr std::array<Family, 5> oneLetter { { { "r", 0 }, { "y", 20 }, { "g", 40 }, { "b", 60 },
    { "p", 80 } } };

// One degree in radians, to the digits the angle has always been taken with.
constexpr double kRadiansPerDegree = 0.0174532925;

} // namespace

std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (char &c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

float paletteHueNumber(std::string_view hueText) {
    const std::string hue = lowerCase(hueText);
    for (const auto *families : { &twoLetter, &oneLetter }) {
        for (const Family &f : *families) {
            if (hue.ends_with(f.name)) {
                const std::string_view step
                    = std::string_view(hue).substr(0, hue.size() - f.name.size());
                return static_cast<float>(text::leadingNumber(step) + f.offset);
            }
        }
    }
    return 0.0f;
}

float paletteHueAngle(float hueNumber) {
    return static_cast<float>(hueNumber * 3.6 * kRadiansPerDegree);
}

} // namespace tw::viewer
