// What a drawing surface gives back for a text it has printed, kept by a
// caller that prints the same texts frame after frame so that the surface
// finds the text's pixels without looking the text up again. A default
// handle, or one from before the surface's font changed, is looked up and
// renewed at the next print.
#pragma once

#include <cstdint>

namespace tw::ui {

struct TextHandle {
    std::uint64_t generation = 0;
    std::uint32_t index = 0;
};

} // namespace tw::ui
