// The column check is written so that no sum can wrap: position - 1 +
// length would, for a position or length near the top of size_t, come out
// small and let a column far outside the text pass.
#include "text/columns.h"

namespace tw::text {

std::optional<std::string_view> column(
    std::string_view text, std::size_t position, std::size_t length) {
    if (position < 1 || length > text.size() || position - 1 > text.size() - length) {
        return std::nullopt;
    }
    return text.substr(position - 1, length);
}

} // namespace tw::text
