// Where each instrument family puts the reflectance values in its measurement
// reply, and how they are read. Positions are 1-based character positions in
// the reply text; a value is the characters at a position for a length,
// which must lie inside the reply and be one decimal number (blanks around
// allowed, "." the decimal point).
//
// Each parser returns true only when every value it needs was read; it then
// has written its slots of `out` and no others. On false, `out` may hold
// some new values: parse into a copy and keep it only on success.
#pragma once

#include "engine/spectral.h"

#include <optional>
#include <string_view>

namespace tw::instruments {

// The number at 1-based `position`, `length` characters long.
[[nodiscard]] std::optional<float> numberAt(
    std::string_view reply, std::size_t position, std::size_t length);

// The first two characters are "11": the instrument is calibrated and the
// measurement valid.
[[nodiscard]] bool statusGood(std::string_view reply);

// CE-7000: slot i at 10 i + 11, length 7 (slot 1 at 21, slot 40 at 411).
[[nodiscard]] bool parseCE7000(std::string_view reply, engine::Spectrum &out);
// CE-2180 data block: slot i at 7 i + floor((i - 1) / 6) - 6, length 6: six
// 7-character columns to a line and one extra character after every sixth.
[[nodiscard]] bool parseCE2180(std::string_view block, engine::Spectrum &out);
// XTH: slot i at 8 i + 11, length 6 (slot 1 at 19, slot 40 at 331).
[[nodiscard]] bool parseXTH(std::string_view reply, engine::Spectrum &out);
// Ci5/Ci7: the i-th decimal point at p; slot i at p - 3, length 7.
[[nodiscard]] bool parseCi(std::string_view reply, engine::Spectrum &out);
// Spectrolino: value k (1..36) at 7 k + 4, length 6, a fraction; slot k + 2
// gets 100 times it. Slots 1, 2, 39 and 40 are not written.
[[nodiscard]] bool parseSpectrolino(std::string_view reply, engine::Spectrum &out);

} // namespace tw::instruments
