// The constant profile table. The CE-7000 family's first ping "R" goes out
// without an ending; every later command of that family ends with CR, which
// is the profile's ending here (the dialogues send the ping bare).
#include "instruments/profiles.h"

#include <array>

namespace tw::instruments {

namespace {

struct Entry {
    std::string_view name;
    InstrumentProfile profile;
};

constexpr InstrumentProfile kCE7000 { Family::CE7000, "9600,N,8,1", 0, false, Ending::CR, ">",
    "CE-7000" };
constexpr InstrumentProfile kCE2180 { Family::CE2180, "9600,N,8,1", 0, false, Ending::None, "\n",
    "CE-2180" };
constexpr InstrumentProfile kXTH { Family::XTH, "38400,N,8,1", 2, false, Ending::CR, ">", "XTH" };
constexpr InstrumentProfile kCi { Family::Ci, "38400,N,8,1", 2, false, Ending::CR, ">", "Ci5/Ci7" };
constexpr InstrumentProfile kSpectrolino { Family::Spectrolino, "9600,n,8,1", 0, true,
    Ending::PreambleCRLF, "\r\n", "SpectroEye" };

constexpr std::array<Entry, 7> kTable { {
    { "CE7000", kCE7000 },
    { "CE7000A", kCE7000 },
    { "CE2180", kCE2180 },
    { "XTH", kXTH },
    { "Ci5/Ci7", kCi },
    { "Spectrolino", kSpectrolino },
    { "SpectroEye", kSpectrolino },
} };

} // namespace

std::optional<InstrumentProfile> profileFor(std::string_view name) {
    for (const auto &entry : kTable) {
        if (entry.name == name) {
            return entry.profile;
        }
    }
    return std::nullopt;
}

const std::string &preamble() {
    static const std::string bytes(250, '\xff');
    return bytes;
}

} // namespace tw::instruments
