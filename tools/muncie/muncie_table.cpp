// Building the renotation table from the renotation data.
//
// The samples are the 1943 renotation (Newhall, Nickerson & Judd), CIE 1931
// x, y under illuminant C. The table keeps whole Values 1..10 and, at level
// 0, the darkest published level 0.2, so that colours darker than Value 1
// still have a ring to interpolate towards. Extrapolated samples beyond the
// MacAdam limits can have a non-positive coordinate; no colour has one, and
// the readers of the table take 0 as "no colour here" and stop a hue's
// chroma run at the first 0, so such a sample and everything beyond it at
// that hue and Value are written as 0, 0. The neutral pair is the engine's
// neutral point in table units (illuminant C, x 0.3101, y 0.3163).
//
// Hue, Value and Chroma are read exactly as decimals in units of 10^-9 so
// that a text like "0.25" can never pass for the level 0.2 by rounding.
#include "tools/muncie/muncie_table.h"

#include "tools/muncie/scaled_decimal.h"

#include <limits>
#include <string_view>
#include <vector>

namespace tw::tools {

namespace {

constexpr std::int64_t kUnit = 1'000'000'000; // one whole unit at 9 decimals
constexpr int kUnitDecimals = 9;
constexpr int kCoordinateDecimals = engine::chromaticityDecimals; // x, y times 10000
constexpr std::array<std::string_view, 10> kFamilies { "R", "YR", "Y", "GY", "G", "BG", "B", "PB",
    "P", "RP" };
constexpr std::array<std::string_view, 5> kHeader { "hue", "value", "chroma", "x", "y" };

struct Sample {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::size_t line = 0; // 0: no sample for this cell
};

struct Row {
    int hue = 0; // hue index 0..39
    int level = -1; // table Value 0..10, -1 when the Value is not a table level
    int chroma = -1; // chroma index 1..16, -1 when above the table
    std::int64_t x = 0;
    std::int64_t y = 0;
};

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const auto comma = line.find(',', start);
        fields.push_back(trimmed(line.substr(start, comma - start)));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

bool isHeader(const std::vector<std::string_view> &fields) {
    if (fields.size() != 5 && fields.size() != 6) {
        return false;
    }
    for (std::size_t i = 0; i < kHeader.size(); ++i) {
        if (fields[i] != kHeader[i]) {
            return false;
        }
    }
    return true;
}

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// Hue index of a hue text such as "2.5R" or "10RP"; an error message or "".
std::string parseHue(std::string_view text, int &hue) {
    const auto letters = text.find_first_of("RYGBP");
    const auto step = scaledDecimal(text.substr(0, letters), kUnitDecimals);
    int family = -1;
    for (std::size_t i = 0; letters != std::string_view::npos && i < kFamilies.size(); ++i) {
        if (text.substr(letters) == kFamilies[i]) {
            family = static_cast<int>(i);
        }
    }
    if (!step || family < 0 || *step < 0 || *step > 10 * kUnit) {
        return "hue " + quoted(text)
            + " is not a step 0 to 10 and a family R YR Y GY G BG B PB P RP";
    }
    const std::int64_t hueNumber = family * 10 * kUnit + *step;
    const std::int64_t hueStep = 25 * kUnit / 10;
    if (hueNumber % hueStep != 0) {
        return "hue " + quoted(text) + " is not one of the 40 hue steps of 2.5";
    }
    hue = static_cast<int>(hueNumber / hueStep % MuncieTable::kHues);
    return {};
}

std::string parseNumber(
    std::string_view name, std::string_view text, int decimals, std::int64_t &number) {
    const auto parsed = scaledDecimal(text, decimals);
    if (!parsed) {
        return std::string(name) + " " + quoted(text) + " is not a decimal number";
    }
    number = *parsed;
    return {};
}

// Reads one sample line into `row`; an error message or "".
std::string parseRow(const std::vector<std::string_view> &fields, Row &row) {
    if (fields.size() != 5 && fields.size() != 6) {
        return "expected 5 or 6 comma-separated fields (hue,value,chroma,x,y[,Y]), found "
            + std::to_string(fields.size());
    }
    std::int64_t value = 0;
    std::int64_t chroma = 0;
    std::string message = parseHue(fields[0], row.hue);
    if (message.empty()) {
        message = parseNumber("Value", fields[1], kUnitDecimals, value);
    }
    if (message.empty()) {
        message = parseNumber("Chroma", fields[2], kUnitDecimals, chroma);
    }
    if (message.empty()) {
        message = parseNumber("x", fields[3], kCoordinateDecimals, row.x);
    }
    if (message.empty()) {
        message = parseNumber("y", fields[4], kCoordinateDecimals, row.y);
    }
    if (!message.empty()) {
        return message;
    }
    if (value < 0 || value > 10 * kUnit) {
        return "Value " + quoted(fields[1]) + " is outside 0 to 10";
    }
    if (chroma <= 0 || chroma % (2 * kUnit) != 0) {
        return "Chroma " + quoted(fields[2]) + " is not an even whole number from 2 up";
    }
    constexpr auto kLargest = std::numeric_limits<std::int16_t>::max();
    if (row.x > kLargest || row.y > kLargest) {
        return "x or y is too large for the table (at most 3.2767)";
    }
    if (value == 2 * kUnit / 10) {
        row.level = 0;
    } else if (value % kUnit == 0 && value >= kUnit) {
        row.level = static_cast<int>(value / kUnit);
    }
    if (chroma / (2 * kUnit) < MuncieTable::kChromas) {
        row.chroma = static_cast<int>(chroma / (2 * kUnit));
    }
    return {};
}

std::size_t cell(int value, int hue, int chroma) {
    return static_cast<std::size_t>(
        (value * MuncieTable::kHues + hue) * MuncieTable::kChromas + chroma);
}

// Reads every line into `samples`. On the first fault, fills in the error
// of `build` and returns false.
bool readSamples(std::istream &csv, std::vector<Sample> &samples, MuncieBuild &build) {
    std::string text;
    std::size_t lineNumber = 0;
    bool headerSeen = false;
    const auto fail = [&](std::size_t line, std::string message) {
        build.errorLine = line;
        build.error = std::move(message);
        return false;
    };
    while (std::getline(csv, text)) {
        ++lineNumber;
        std::string_view line = text;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (trimmed(line).empty()) {
            continue;
        }
        const auto fields = splitFields(line);
        if (!headerSeen) {
            if (!isHeader(fields)) {
                return fail(lineNumber, "expected the header line hue,value,chroma,x,y");
            }
            headerSeen = true;
            continue;
        }
        Row row;
        if (auto message = parseRow(fields, row); !message.empty()) {
            return fail(lineNumber, std::move(message));
        }
        if (row.level < 0 || row.chroma < 0) {
            continue;
        }
        Sample &sample = samples[cell(row.level, row.hue, row.chroma)];
        if (sample.line != 0) {
            return fail(lineNumber,
                "a sample for the same hue, Value and Chroma is already on line "
                    + std::to_string(sample.line));
        }
        sample = { row.x, row.y, lineNumber };
    }
    if (csv.bad()) {
        return fail(lineNumber + 1, "read error");
    }
    if (!headerSeen) {
        return fail(lineNumber + 1, "no data: expected the header line hue,value,chroma,x,y");
    }
    return true;
}

} // namespace

MuncieBuild buildMuncieTable(std::istream &csv) {
    MuncieBuild build;
    std::vector<Sample> samples(MuncieTable::kPairs);
    if (!readSamples(csv, samples, build)) {
        return build;
    }
    for (int value = 0; value < MuncieTable::kValues; ++value) {
        for (int hue = 0; hue < MuncieTable::kHues; ++hue) {
            build.table.at(value, hue, 0) = kNeutralPair;
            bool runEnded = false;
            for (int chroma = 1; chroma < MuncieTable::kChromas; ++chroma) {
                const Sample &sample = samples[cell(value, hue, chroma)];
                if (sample.line == 0) {
                    continue;
                }
                runEnded = runEnded || sample.x <= 0 || sample.y <= 0;
                if (!runEnded) {
                    build.table.at(value, hue, chroma) = { static_cast<std::int16_t>(sample.x),
                        static_cast<std::int16_t>(sample.y) };
                }
            }
        }
    }
    return build;
}

std::string muncieText(const MuncieTable &table) {
    std::string text;
    text.reserve(static_cast<std::size_t>(MuncieTable::kPairs) * 10);
    for (int value = 0; value < MuncieTable::kValues; ++value) {
        for (int hue = 0; hue < MuncieTable::kHues; ++hue) {
            for (int chroma = 0; chroma < MuncieTable::kChromas; ++chroma) {
                const MunciePair &pair = table.at(value, hue, chroma);
                if (chroma > 0) {
                    text += ',';
                }
                text += std::to_string(pair.x) + ',' + std::to_string(pair.y);
            }
            text += "\r\n";
        }
    }
    return text;
}

} // namespace tw::tools
