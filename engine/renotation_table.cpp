// Loading of the renotation data file.
//
// The pairs at chroma index 0 are overwritten with the neutral point
// (neutralUnitsX, neutralUnitsY), and the hue index after the last
// (fileHues) receives a copy of hue index 0 so that hue numbers from 97.5 to
// 100 interpolate towards 10RP.
#include "engine/renotation_table.h"

#include "engine/cell_index.h"

#include "text/numbers.h"
#include "text/textfile.h"

#include <cctype>
#include <cmath>
#include <limits>
#include <vector>

namespace tw::engine {

namespace {

bool isSeparator(char ch) {
    return ch == ',' || ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

} // namespace

bool RenotationTable::loadText(std::string_view text, const std::string &name, std::string &error) {
    std::vector<std::int16_t> numbers;
    numbers.reserve(fileNumbers);
    std::size_t pos = 0;
    int line = 1;
    while (numbers.size() < fileNumbers) {
        while (pos < text.size() && isSeparator(text[pos])) {
            if (text[pos] == '\n') {
                ++line;
            }
            ++pos;
        }
        if (pos >= text.size()) {
            error = "\"" + name + "\" is incomplete: it holds " + std::to_string(numbers.size())
                + " numbers where " + std::to_string(fileNumbers) + " are needed.";
            return false;
        }
        const std::size_t start = pos;
        while (pos < text.size() && !isSeparator(text[pos])) {
            ++pos;
        }
        const std::string_view item = text.substr(start, pos - start);
        double value = 0.0;
        const std::string where = " (line " + std::to_string(line) + ", number "
            + std::to_string(numbers.size() + 1) + ")";
        if (!text::parseNumber(item, value)) {
            error = "\"" + name + "\" holds \"" + std::string(item) + "\", which is not a number"
                + where + ".";
            return false;
        }
        const std::int64_t rounded = std::isfinite(value) && std::fabs(value) < 1e12
            ? text::roundHalfEven(value)
            : std::numeric_limits<std::int64_t>::max();
        if (rounded < std::numeric_limits<std::int16_t>::min()
            || rounded > std::numeric_limits<std::int16_t>::max()) {
            error = "\"" + name + "\" holds " + std::string(item)
                + ", which is outside the range -32768 to 32767" + where + ".";
            return false;
        }
        numbers.push_back(static_cast<std::int16_t>(rounded));
    }

    data_.fill(0);
    std::size_t n = 0;
    for (int v = 0; v < fileValues; ++v) {
        for (int h = 0; h < fileHues; ++h) {
            for (int c = 0; c < fileChromas; ++c) {
                data_[index(v, h, c, 0)] = numbers[n++];
                data_[index(v, h, c, 1)] = numbers[n++];
                if (c == 0) {
                    data_[index(v, h, c, 0)] = neutralUnitsX;
                    data_[index(v, h, c, 1)] = neutralUnitsY;
                }
            }
        }
        for (int c = 0; c < fileChromas; ++c) {
            data_[index(v, fileHues, c, 0)] = data_[index(v, 0, c, 0)];
            data_[index(v, fileHues, c, 1)] = data_[index(v, 0, c, 1)];
        }
    }
    loaded_ = true;
    cells_ = std::make_shared<const CellIndex>(*this);
    return true;
}

const CellIndex &RenotationTable::cells() const {
    if (cells_) {
        return *cells_;
    }
    static const CellIndex empty { RenotationTable() };
    return empty;
}

bool RenotationTable::loadFile(const std::string &path, std::string &error) {
    std::string contents;
    std::string readError;
    if (!text::readFile(path, contents, readError)) {
        error = "The renotation data file \"" + path + "\" cannot be read: " + readError;
        return false;
    }
    return loadText(contents, path, error);
}

} // namespace tw::engine
