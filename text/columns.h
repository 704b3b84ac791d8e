// Fixed-width columns of a text, as instruments print their records.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tw::text {

// The `length` characters from the 1-based `position` of `text`; nothing
// when position is 0 or the column does not lie wholly inside the text. Any
// position and length may be asked for: the check cannot wrap round.
[[nodiscard]] std::optional<std::string_view> column(
    std::string_view text, std::size_t position, std::size_t length);

} // namespace tw::text
