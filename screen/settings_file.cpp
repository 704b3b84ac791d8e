#include "screen/settings_file.h"

#include "text/numbers.h"
#include "text/textfile.h"

#include <cmath>

namespace tw::screen {

bool readSettingsFile(const std::string &path, StoredSettings &settings) {
    std::string contents;
    std::string error;
    if (!text::readFile(path, contents, error)) {
        return false;
    }
    text::FieldReader reader(std::move(contents));
    if (reader.atEnd()) {
        return true;
    }
    settings.instrument = reader.readField();
    if (reader.atEnd()) {
        return true;
    }
    double port = 0.0;
    if (text::parseNumber(reader.readField(), port) && std::fabs(port) < 32767.5) {
        settings.port = static_cast<int>(text::roundHalfEven(port));
    }
    return true;
}

bool writeSettingsFile(
    const std::string &path, const std::string &instrument, int port, std::string &error) {
    text::TextWriter out;
    out.print(instrument);
    out.endLine();
    out.printNumber(static_cast<float>(port));
    out.endLine();
    return text::writeFile(path, out.str(), error);
}

int portFromText(const std::string &text) {
    double value = 0.0;
    if (!text::parseNumber(text, value) || !(std::fabs(value) < 1e9)) {
        return 1;
    }
    const std::int64_t port = text::roundHalfEven(value);
    return port >= 1 && port <= 4 ? static_cast<int>(port) : 1;
}

} // namespace tw::screen
