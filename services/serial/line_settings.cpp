// Reads "baud,parity,data,stop". Only the forms a serial control of this kind
// accepts pass: a positive whole baud rate, one parity letter, 5 to 8 data
// bits and 1, 1.5 or 2 stop bits.
#include "services/serial/line_settings.h"

#include <cctype>
#include <charconv>
#include <vector>

namespace tw::services {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

std::optional<int> wholeNumber(std::string_view s) {
    int value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<LineSettings> parseLineSettings(std::string_view text) {
    std::vector<std::string_view> fields;
    for (;;) {
        const auto comma = text.find(',');
        fields.push_back(trim(text.substr(0, comma)));
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    if (fields.size() != 4) {
        return std::nullopt;
    }

    LineSettings settings;
    const auto baud = wholeNumber(fields[0]);
    if (!baud || *baud <= 0) {
        return std::nullopt;
    }
    settings.baud = *baud;

    if (fields[1].size() != 1) {
        return std::nullopt;
    }
    switch (std::toupper(static_cast<unsigned char>(fields[1][0]))) {
    case 'N':
        settings.parity = Parity::None;
        break;
    case 'E':
        settings.parity = Parity::Even;
        break;
    case 'O':
        settings.parity = Parity::Odd;
        break;
    case 'M':
        settings.parity = Parity::Mark;
        break;
    case 'S':
        settings.parity = Parity::Space;
        break;
    default:
        return std::nullopt;
    }

    const auto data = wholeNumber(fields[2]);
    if (!data || *data < 5 || *data > 8) {
        return std::nullopt;
    }
    settings.dataBits = *data;

    if (fields[3] == "1") {
        settings.stopBits = StopBits::One;
    } else if (fields[3] == "1.5") {
        settings.stopBits = StopBits::OneAndHalf;
    } else if (fields[3] == "2") {
        settings.stopBits = StopBits::Two;
    } else {
        return std::nullopt;
    }
    return settings;
}

} // namespace tw::services
