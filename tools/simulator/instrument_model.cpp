// The record layouts, by family (positions 1-based, as the program reads
// them):
//  CE-7000   ping "R" -> "...>"; "I", "C" + CR -> 19-byte status; "M" + CR ->
//            422-byte record, status "11" at 1, value i at 10 i + 11 (7 wide).
//  CE-2180   ping "v" -> "...LF"; "K", "C", "B" -> 18-byte status; "M" ->
//            18-byte status, then after the measuring time a 290-byte block,
//            value i at 7 i + floor((i - 1) / 6) - 6 (6 wide, six to a line).
//  XTH       "R" CR -> "X...>"; "C", "B" -> "...>"; "M 8" -> status "11" at
//            1, value i at 8 i + 11 (6 wide), ending ">".
//  Ci5/Ci7   "R" CR -> "i...>"; "config -mode=sce", "whitecal", "blackcal"
//            -> "...>"; "measure" -> 40 values with three decimals, no other
//            decimal point in the reply.
//  Spectrolino  250 bytes of 255, then the command and CR LF; "; 32" ->
//            a line; "; 184 9 0" -> value k (1..36, 380..730 nm, as a
//            fraction) at 7 k + 4 (6 wide), ending CR LF.
// A status "11" means calibrated; "01" asks for a calibration first.
//
// Faults of measurement records, both after the status (which stays) and
// before the ending (which stays too): garbage turns the second half of the
// values into line noise (no digit, point, blank or terminator among it, so
// none of them can be read and the reply does not end early); a short
// record loses that second half.
#include "instrument_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tw::sim {

namespace {

std::string fixed(double value, int width, int decimals) {
    // Keep the value inside its column: the layouts have no room to spare.
    const double top = std::pow(10.0, width - decimals - 1) - std::pow(10.0, -decimals);
    value = std::clamp(value, 0.0, top);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
    return buffer;
}

std::string padded(std::string text, std::size_t width, std::string_view ending) {
    text.resize(width - ending.size(), ' ');
    return text + std::string(ending);
}

// Bytes as a line at the wrong speed delivers them.
constexpr std::string_view kNoise = "#%&?@KQWZ~^\x80\x9a\xb3\xc7\xde\xf1";

} // namespace

std::optional<Family> familyNamed(std::string_view name) {
    if (name == "CE7000" || name == "CE7000A") {
        return Family::CE7000;
    }
    if (name == "CE2180") {
        return Family::CE2180;
    }
    if (name == "XTH") {
        return Family::XTH;
    }
    if (name == "Ci" || name == "Ci5/Ci7") {
        return Family::Ci;
    }
    if (name == "Spectrolino" || name == "SpectroEye") {
        return Family::Spectrolino;
    }
    return std::nullopt;
}

Curve sampleCurve() {
    Curve curve {};
    for (int i = 0; i < 40; ++i) {
        const double nm = 360 + 10 * i;
        const double value = 6 + 50 / (1 + std::exp(-(nm - 600) / 15));
        curve[i] = std::round(value * 100) / 100; // two decimals, as sent
    }
    return curve;
}

std::optional<Curve> curveFromText(std::string_view text) {
    // Fields end at commas and line ends; without a comma, blanks also
    // separate (a plain column or row of numbers).
    const bool commas = text.find(',') != std::string_view::npos;
    std::vector<std::string> fields(1);
    for (const char c : text) {
        const bool separator
            = c == ',' || c == '\r' || c == '\n' || (!commas && (c == ' ' || c == '\t'));
        if (separator) {
            fields.emplace_back();
        } else if (c != '"') {
            fields.back() += c;
        }
    }
    std::vector<double> values;
    bool named = false;
    for (std::string field : fields) {
        field.erase(0, field.find_first_not_of(" \t"));
        field.erase(field.find_last_not_of(" \t") + 1);
        if (field.empty()) {
            continue;
        }
        char *end = nullptr;
        const double value = std::strtod(field.c_str(), &end);
        if (*end == '\0') {
            values.push_back(value);
        } else if (values.empty() && !named) {
            named = true; // the sample's name, before the values
        } else {
            return std::nullopt;
        }
    }
    if (values.size() != 40) {
        return std::nullopt;
    }
    Curve curve {};
    std::copy(values.begin(), values.end(), curve.begin());
    return curve;
}

InstrumentModel::InstrumentModel(Family family, Curve curve, Behaviour behaviour)
    : family_(family)
    , curve_(curve)
    , behaviour_(behaviour)
    , calibrated_(!behaviour.uncalibrated) { }

bool InstrumentModel::sleeping() {
    if (behaviour_.asleep > 0) {
        --behaviour_.asleep;
        return true;
    }
    return false;
}

Reply InstrumentModel::measured(
    std::string record, std::size_t keep, std::string_view ending, int pauseMs) const {
    const std::size_t body = record.size() - ending.size();
    if (faulty_ && behaviour_.garbage) {
        for (std::size_t i = keep + (body - keep) / 2; i < body; ++i) {
            record[i] = kNoise[(i * 7) % kNoise.size()];
        }
    }
    if (faulty_ && behaviour_.shortRecords) {
        record = record.substr(0, keep + (body - keep) / 2) + std::string(ending);
    }
    return { record, pauseMs, true };
}

std::vector<Reply> InstrumentModel::receive(char byte) {
    switch (family_) {
    case Family::CE2180:
        // Every command is one letter without an ending.
        if (byte == '\r' || byte == '\n') {
            return {};
        }
        return command(std::string(1, byte));
    case Family::CE7000:
        // The ping "R" comes bare; every other command ends with CR.
        if (buffer_.empty() && byte == 'R') {
            return command("R");
        }
        break;
    case Family::Spectrolino:
        if (static_cast<unsigned char>(byte) == 0xff) {
            ++preambleBytes_;
            return {};
        }
        buffer_ += byte;
        if (buffer_.size() >= 2 && buffer_.ends_with("\r\n")) {
            const std::string text = buffer_.substr(0, buffer_.size() - 2);
            const int preamble = preambleBytes_;
            buffer_.clear();
            preambleBytes_ = 0;
            if (preamble != 250) {
                std::fprintf(stderr, "sim: \"%s\" came after %d bytes of 255, not 250: ignored\n",
                    text.c_str(), preamble);
                return {};
            }
            return command(text);
        }
        return {};
    case Family::XTH:
    case Family::Ci:
        break;
    }
    if (byte == '\n') {
        return {};
    }
    if (byte != '\r') {
        buffer_ += byte;
        return {};
    }
    return command(std::exchange(buffer_, {}));
}

std::vector<Reply> InstrumentModel::command(const std::string &text) {
    commands_.push_back(text);
    if (faulty_ && behaviour_.silent) {
        return {};
    }
    switch (family_) {
    case Family::CE7000:
        return ce7000(text);
    case Family::CE2180:
        return ce2180(text);
    case Family::XTH:
        return xth(text);
    case Family::Ci:
        return ci(text);
    case Family::Spectrolino:
        return spectrolino(text);
    }
    return {};
}

std::vector<Reply> InstrumentModel::ce7000(const std::string &text) {
    if (text == "R") {
        if (sleeping()) {
            return {};
        }
        return { { "CE7000 SIMULATOR\r\n>" } };
    }
    if (text == "I") {
        return { { padded("11 OPEN PORT OK", 19, "\r\n") } };
    }
    if (text == "C") {
        calibrated_ = true;
        return { { padded("11 WHITE OK", 19, "\r\n") } };
    }
    if (text == "M") {
        if (!calibrated_) {
            return { { padded("01 CALIBRATE", 19, "\r\n") } };
        }
        std::string record(422, ' ');
        record.replace(0, 2, "11");
        for (int i = 1; i <= 40; ++i) {
            record.replace(10 * i + 10, 7, fixed(curve_[i - 1], 7, 2));
        }
        record.replace(419, 3, "\r\n>");
        return { measured(record, 2, "\r\n>", 100) };
    }
    return {};
}

std::vector<Reply> InstrumentModel::ce2180(const std::string &text) {
    if (text == "v") {
        if (sleeping()) {
            return {};
        }
        return { { "CE2180 SIMULATOR\r\n" } };
    }
    if (text == "K" || text == "B") {
        return { { padded("11 OK", 18, "\r\n") } };
    }
    if (text == "C") {
        calibrated_ = true;
        return { { padded("11 OK", 18, "\r\n") } };
    }
    if (text == "M") {
        if (!calibrated_) {
            return { { padded("01 CALIBRATE", 18, "\r\n") } };
        }
        std::string block;
        for (int i = 1; i <= 40; ++i) {
            block += fixed(curve_[i - 1], 6, 2);
            block += i % 6 == 0 ? "\r\n" : " ";
        }
        block = padded(block, 290, "\r\n");
        // The data block follows the status after the measuring time, so the
        // program reads the two apart.
        return { { padded("11 MEASURED", 18, "\r\n") }, measured(block, 0, "\r\n", 300) };
    }
    return {};
}

std::vector<Reply> InstrumentModel::xth(const std::string &text) {
    if (text == "R") {
        if (sleeping()) {
            return {};
        }
        return { { "XTH SIMULATOR\r\n>" } };
    }
    if (text == "C") {
        calibrated_ = true;
        return { { "WHITE CALIBRATION DONE\r\n>", 100 } };
    }
    if (text == "B") {
        return { { "OPEN PORT CALIBRATION DONE\r\n>", 100 } };
    }
    if (text == "M 8") {
        if (!calibrated_) {
            return { { "01 NOT CALIBRATED\r\n>" } };
        }
        std::string record(337, ' ');
        record.replace(0, 2, "11");
        for (int i = 1; i <= 40; ++i) {
            record.replace(8 * i + 10, 6, fixed(curve_[i - 1], 6, 2));
        }
        return { measured(record + "\r\n>", 2, "\r\n>", 100) };
    }
    return { { "?\r\n>" } };
}

std::vector<Reply> InstrumentModel::ci(const std::string &text) {
    if (text == "R") {
        if (sleeping()) {
            return {};
        }
        return { { "iCi7 SIMULATOR\r\n>" } };
    }
    if (text == "config -mode=sce") {
        return { { "MODE SCE\r\n>" } };
    }
    if (text == "whitecal") {
        calibrated_ = true;
        return { { "WHITE CALIBRATION DONE\r\n>", 100 } };
    }
    if (text == "blackcal") {
        return { { "BLACK CALIBRATION DONE\r\n>", 100 } };
    }
    if (text == "measure") {
        if (!calibrated_) {
            return { { "ERROR NOT CALIBRATED\r\n>" } };
        }
        std::string record = "SCE";
        for (const double value : curve_) {
            record += "," + fixed(value, 7, 3);
        }
        return { measured(record + "\r\n>", 0, "\r\n>", 100) };
    }
    return { { "?\r\n>" } };
}

std::vector<Reply> InstrumentModel::spectrolino(const std::string &text) {
    if (text == "; 32") {
        if (sleeping()) {
            return {};
        }
        return { { ": 33 SPECTROLINO SIMULATOR\r\n" } };
    }
    if (text == "; 184 9 0") {
        if (!calibrated_) {
            return { { ": 185 ERROR 30\r\n" } };
        }
        // 36 values from 380 nm: slots 3 to 38 of the program's curve.
        std::string record = ": 185 9 0 ";
        for (int k = 1; k <= 36; ++k) {
            record += fixed(curve_[k + 1] / 100, 6, 4) + " ";
        }
        return { measured(record + "\r\n", 0, "\r\n", 100) };
    }
    return { { ": 99 UNKNOWN\r\n" } };
}

} // namespace tw::sim
