// The display patterns the windows show numbers with (see formatPattern in
// text/numbers.h for the rules). One name each, so that a box and the file
// written from it cannot drift apart.
#pragma once

#include <string_view>

namespace tw::text::patterns {

// Two decimals, no zero before the point: .50, 41.20, -3.20 (XYZ and CIELAB
// boxes, instrument readings, the conversion table).
inline constexpr std::string_view twoDecimals = "###.00";
// Two decimals with at least one integer digit: 0.50 (XYZ from Munsell
// entry, Munsell Value and Chroma).
inline constexpr std::string_view twoDecimalsLeadingZero = "##0.00";
// Four decimals with and without the zero: 0.3101 (x, y from Munsell entry)
// and .3101 (x, y from the XYZ side).
inline constexpr std::string_view fourDecimalsLeadingZero = "0.0000";
inline constexpr std::string_view fourDecimals = ".0000";
// A whole number (the conversion table's RGB columns).
inline constexpr std::string_view wholeNumber = "##0";

} // namespace tw::text::patterns
