// Munsell notations as people write them: a chromatic colour as hue, Value
// and Chroma ("5R 5/10", "5R5/10", "5R 5 10", "2.5yr 6/4"), a neutral grey
// as N and its Value ("N 5/", "N5/", "N5", "N 5/0", "N 5.25/"). Letters in
// any case, blanks optional between the parts. A neutral has Chroma 0 at any
// hue; its hue number is 0.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw::engine {

struct WrittenNotation {
    bool neutral = false;
    // The three parts as written ("5R", "5", "10"; "N", "5", "0" for a
    // neutral), for the hue, Value and Chroma boxes.
    std::string hue, value, chroma;
    float H = 0.0f; // hue number as written: 10 x family index + step (10RP is 100)
    float V = 0.0f;
    float C = 0.0f;
};

// A hue text that names a neutral: "N" alone (`value` left empty), or N with
// the Value of a neutral ("N 5/", "N5", "N 5/0": `value` set). A Chroma
// after the slash must be 0.
[[nodiscard]] bool readNeutral(std::string_view text, std::optional<float> &value);

// A whole notation in any of the spellings above. False, with the reason in
// `why`, when the text is none ("5X 5/10", "5R 5", "N 5/4").
[[nodiscard]] bool readNotation(std::string_view text, WrittenNotation &out, std::string &why);

// The notation as the converter writes it: "5.00R 5.00/10.00" with
// `decimals` decimals (hue step, Value and Chroma; the family as hconvert
// names it), a Chroma that rounds to 0 as the neutral "N 5.00/".
[[nodiscard]] std::string notationText(float H, float V, float C, int decimals);

} // namespace tw::engine
