// The settings file "twz.cfg": two lines, each ended by CR LF.
//   line 1: the instrument name, bare text;
//   line 2: the serial port number in print form (" 2 ").
// Line 1 is read as a text field (leading blanks skipped, quotes removed, it
// ends at a comma or the line end); line 2 as an integer.
#pragma once

#include <optional>
#include <string>

namespace tw::screen {

inline constexpr const char *settingsFileName = "twz.cfg";

struct StoredSettings {
    std::optional<std::string> instrument; // absent when the file ends first
    std::optional<int> port; // absent when line 2 holds no number
};

// False when the file cannot be opened; otherwise fills what the file holds.
[[nodiscard]] bool readSettingsFile(const std::string &path, StoredSettings &settings);

// Creates the file anew. False, with a reason, when it cannot be written.
[[nodiscard]] bool writeSettingsFile(
    const std::string &path, const std::string &instrument, int port, std::string &error);

// The port a text of the port box stands for: the number rounded half to
// even; 1 when the text is not a number or the result is not 1 to 4.
[[nodiscard]] int portFromText(const std::string &text);

} // namespace tw::screen
