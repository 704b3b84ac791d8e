// Field input as the text layer gives it; each value field must be one
// number as a whole, so a damaged file is refused instead of read as zeros.
#include "instruments/reflectance_file.h"

#include "text/numbers.h"
#include "text/textfile.h"

#include <cmath>
#include <limits>

namespace tw::instruments {

bool readSpectrumText(const std::string &text, engine::Spectrum &out) {
    text::FieldReader reader(text);
    if (reader.atEnd()) {
        return false;
    }
    (void)reader.readField(); // the sample's name
    engine::Spectrum read = out;
    for (int i = 1; i <= 40; ++i) {
        if (reader.atEnd()) {
            return false;
        }
        double value = 0;
        // A number a float cannot hold is a damaged file too.
        if (!text::parseNumber(reader.readField(), value)
            || !(std::fabs(value) <= std::numeric_limits<float>::max())) {
            return false;
        }
        read[i] = static_cast<float>(value);
    }
    out = read;
    return true;
}

} // namespace tw::instruments
