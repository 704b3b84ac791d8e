// The renotation data in memory: chromaticity x, y (times 10000) under
// illuminant C for each integer Munsell Value 0..10, each hue step of 2.5
// (index 0..41; 0 is 10RP, 40 a copy of 0, 41 never filled) and each even
// Chroma (index 0..30; only 0..16 filled). An element of 0 means there is no
// renotation colour at that point. Chroma index 0 is the neutral point.
// The shape and its numbers are in renotation_geometry.h.
//
// The file "Muncie.dat" holds 14,960 integers (7,480 x, y pairs) separated
// by commas, blanks or line breaks, nested value 0..10, hue 0..39, chroma
// 0..16. Loading checks it strictly: a table is either complete or not used.
#pragma once

#include "engine/renotation_geometry.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tw::engine {

class CellIndex;

// A chromaticity x, y.
struct Point {
    float x, y;
};

class RenotationTable {
public:
    static constexpr int values = storedValues;
    static constexpr int hues = storedHues;
    static constexpr int chromas = storedChromas;
    static constexpr int fileNumbers = engine::fileNumbers;

    // Element (value, hue, chroma, component) as stored (x or y times
    // 10000). Indices must lie inside the table.
    [[nodiscard]] std::int16_t at(int value, int hue, int chroma, int component) const {
        return data_[index(value, hue, chroma, component)];
    }
    // The renotation point (value, hue, chroma) as chromaticity x, y: the
    // elements over 10000, in single precision; 0, 0 where the table holds
    // no colour. Indices must lie inside the table.
    [[nodiscard]] Point point(int value, int hue, int chroma) const {
        return { static_cast<float>(at(value, hue, chroma, 0)) / chromaticityScale,
            static_cast<float>(at(value, hue, chroma, 1)) / chromaticityScale };
    }
    [[nodiscard]] static bool inside(int value, int hue, int chroma) {
        return value >= 0 && value < values && hue >= 0 && hue < hues && chroma >= 0
            && chroma < chromas;
    }

    // Fills the table from the text of a data file. On failure returns false
    // with a message saying what is wrong and where, and leaves the table as
    // it was. `name` is used in messages.
    [[nodiscard]] bool loadText(std::string_view text, const std::string &name, std::string &error);

    // Reads the file at `path` and loads it as loadText does.
    [[nodiscard]] bool loadFile(const std::string &path, std::string &error);

    [[nodiscard]] bool loaded() const { return loaded_; }

    // The cells of the table laid out for the cell search of xyz2mun
    // (built on loading; an empty table has no usable cell).
    [[nodiscard]] const CellIndex &cells() const;

private:
    [[nodiscard]] static constexpr std::size_t index(int v, int h, int c, int k) {
        return ((static_cast<std::size_t>(v) * hues + h) * chromas + c) * 2 + k;
    }
    std::array<std::int16_t, values * hues * chromas * 2> data_ {};
    bool loaded_ = false;
    std::shared_ptr<const CellIndex> cells_;
};

} // namespace tw::engine
