// Exact reading of a decimal text as a whole number of fixed-point units.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tw::tools {

// The number written in `text` times 10^decimals (0..9), rounded to the
// nearest integer with halves to even. The text is an optional sign and
// digits with at most one decimal point, at least one digit, nothing else
// (no blanks, no exponent). The arithmetic is done on the digits, so
// "0.4516" at 4 decimals is exactly 4516 and the tie "1.00005" is exactly
// 10000, where a binary floating-point detour can land on either side.
// nullopt when the text is not such a number or its magnitude exceeds 10^15.
[[nodiscard]] std::optional<std::int64_t> scaledDecimal(std::string_view text, int decimals);

} // namespace tw::tools
