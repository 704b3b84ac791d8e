// The reference the differential test of the number texts holds
// formatPattern and parseNumber to (numbers_reference.cpp).
#pragma once

#include <string>
#include <string_view>

namespace tw::text::reference {

[[nodiscard]] std::string formatPattern(double value, std::string_view pattern);
[[nodiscard]] bool parseNumber(std::string_view s, double &out);

} // namespace tw::text::reference
