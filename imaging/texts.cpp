// A picture's name may come from a Windows-style path typed or stored
// elsewhere, so both separators end a folder. The extension is whatever
// follows the last point of the leaf, so four-letter extensions (.jpeg,
// .tiff) and names without one come out whole, not cut at a fixed length.
#include "imaging/texts.h"

#include "text/numbers.h"

#include <algorithm>
#include <cctype>

namespace tw::imaging {

std::string paletteNameOfPicture(const std::string &path) {
    const std::size_t slash = path.find_last_of("\\/");
    std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t point = leaf.find_last_of('.');
    if (point != std::string::npos) {
        leaf.erase(point);
    }
    return leaf;
}

std::string paletteFileOfAnswer(const std::string &answer) {
    std::string name = answer;
    std::transform(name.begin(), name.end(), name.begin(),
        [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".CSV") != 0) {
        name += ".CSV";
    }
    return name;
}

std::string signPadded(long long value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string signPaddedNumber(float value) {
    const std::string digits = text::numberDigits(value);
    return !digits.empty() && digits[0] == '-' ? digits : " " + digits;
}

} // namespace tw::imaging
