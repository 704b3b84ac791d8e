// "ccnames.csv": the 24 ColorChecker patches as Munsell notations. A header
// line, then one record a line of five comma-separated fields: number (read
// and dropped), name, hue text, Value, Chroma.
//
// Each record is read on its own line, so one short or damaged record cannot
// shift the fields of the records after it; blank lines are passed over. A
// record whose hue is not a Munsell hue, or whose Value or Chroma is not a
// number, is left out; records beyond the 24th are ignored. `problem` then
// says which records are at fault, in one text naming the file; it is empty
// when all 24 records are good.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace tw::charts {

inline constexpr int ccPatchCount = 24;

struct CcNotation {
    std::string name;
    float hue = 0.0f; // hue number, 0 .. 100
    float value = 0.0f;
    float chroma = 0.0f;
};

struct CcNames {
    std::array<std::optional<CcNotation>, ccPatchCount> patches;
    std::string problem;
};

// Reads the file's text; `fileName` names it in the problem text.
[[nodiscard]] CcNames readCcNames(const std::string &contents, const std::string &fileName);

} // namespace tw::charts
