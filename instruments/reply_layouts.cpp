// The layouts are fixed-column records as the instruments print them. A
// value is read with the strict decimal parse of the text layer: a column
// that holds anything but one number means the record is not what it should
// be, and the whole measurement is refused rather than read as 0.
#include "instruments/reply_layouts.h"

#include "text/columns.h"
#include "text/numbers.h"

namespace tw::instruments {

std::optional<float> numberAt(std::string_view reply, std::size_t position, std::size_t length) {
    const std::optional<std::string_view> field = text::column(reply, position, length);
    if (!field) {
        return std::nullopt;
    }
    double value = 0;
    if (!text::parseNumber(*field, value)) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

bool statusGood(std::string_view reply) {
    return reply.substr(0, 2) == "11";
}

namespace {

template<typename PositionOf>
bool readSlots(std::string_view reply, std::size_t length, engine::Spectrum &out, PositionOf at) {
    for (int i = 1; i <= 40; ++i) {
        const auto value = numberAt(reply, at(i), length);
        if (!value) {
            return false;
        }
        out[i] = *value;
    }
    return true;
}

} // namespace

bool parseCE7000(std::string_view reply, engine::Spectrum &out) {
    return readSlots(reply, 7, out, [](int i) { return std::size_t(10 * i + 11); });
}

bool parseCE2180(std::string_view block, engine::Spectrum &out) {
    return readSlots(block, 6, out, [](int i) { return std::size_t(7 * i + (i - 1) / 6 - 6); });
}

bool parseXTH(std::string_view reply, engine::Spectrum &out) {
    return readSlots(reply, 6, out, [](int i) { return std::size_t(8 * i + 11); });
}

bool parseCi(std::string_view reply, engine::Spectrum &out) {
    std::size_t point = std::string_view::npos; // 0-based position of the last point found
    for (int i = 1; i <= 40; ++i) {
        point = reply.find('.', point == std::string_view::npos ? 0 : point + 1);
        if (point == std::string_view::npos || point < 3) {
            return false;
        }
        const auto value = numberAt(reply, point - 3 + 1, 7);
        if (!value) {
            return false;
        }
        out[i] = *value;
    }
    return true;
}

bool parseSpectrolino(std::string_view reply, engine::Spectrum &out) {
    for (int k = 1; k <= 36; ++k) {
        const auto value = numberAt(reply, std::size_t(7 * k + 4), 6);
        if (!value) {
            return false;
        }
        out[k + 2] = 100 * *value;
    }
    return true;
}

} // namespace tw::instruments
