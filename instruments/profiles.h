// The instrument families, their names in the instrument list, and the fixed
// serial profile of each: line settings, handshaking, RTS, how a command
// ends, and the prompt that ends a reply.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw::instruments {

// In this order the dialogue table of Instruments lists their dialogues.
enum class Family { CE7000, CE2180, XTH, Ci, Spectrolino };

// How commsend ends a command.
enum class Ending {
    None, // the text alone
    CR, // text, CR
    PreambleCRLF, // preamble, text, CR LF
};

struct InstrumentProfile {
    Family family;
    std::string_view settings; // "9600,N,8,1"
    int handshaking; // 0 none, 2 RTS
    bool rtsEnable; // RTSEnable set true when opening
    Ending ending; // ending of commands after the first ping
    std::string_view prompt; // the text that ends a reply
    std::string_view displayName; // the name used in messages: "CE-7000"
};

// The profile of an instrument name of the list ("CE7000", "CE7000A",
// "CE2180", "XTH", "Ci5/Ci7", "Spectrolino", "SpectroEye"), compared exactly;
// nothing for any other text ("Import", "Instrument", ...).
[[nodiscard]] std::optional<InstrumentProfile> profileFor(std::string_view name);

// 250 bytes of value 255, sent before every Spectrolino/SpectroEye command.
[[nodiscard]] const std::string &preamble();

} // namespace tw::instruments
