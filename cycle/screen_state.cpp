#include "cycle/screen_state.h"

namespace tw::cycle {

namespace {

template<std::size_t N> std::string *slot(std::array<std::string, N> &group, int index) {
    return index >= 0 && index < static_cast<int>(N) ? &group[static_cast<std::size_t>(index)]
                                                     : nullptr;
}

std::string *boxSlot(ScreenState &s, Boxes group, int index) {
    switch (group) {
    case Boxes::Munsell:
        return slot(s.munsell, index);
    case Boxes::Xyz:
        return slot(s.xyz, index);
    case Boxes::Chromaticity:
        return slot(s.xy, index);
    case Boxes::Lab:
        return slot(s.lab, index);
    case Boxes::Rgb:
        return slot(s.rgb, index);
    case Boxes::Cmyk:
        return slot(s.cmyk, index);
    }
    return nullptr;
}

} // namespace

const std::string &ScreenState::text(Boxes group, int index) const {
    static const std::string none;
    const std::string *s = boxSlot(const_cast<ScreenState &>(*this), group, index);
    return s != nullptr ? *s : none;
}

bool ScreenState::setText(Boxes group, int index, std::string text) {
    std::string *s = boxSlot(*this, group, index);
    if (s == nullptr) {
        return false;
    }
    if (*s != text) {
        *s = std::move(text);
        holdsColour = false;
    }
    return true;
}

} // namespace tw::cycle
