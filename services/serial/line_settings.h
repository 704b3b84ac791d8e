// The line settings text of a serial port, "9600,N,8,1": baud rate, parity
// letter, data bits and stop bits, separated by commas. Blanks around the
// fields are allowed; the parity letter may be in either case ("9600,n,8,1").
#pragma once

#include <optional>
#include <string_view>

namespace tw::services {

enum class Parity { None, Even, Odd, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };

struct LineSettings {
    int baud = 9600;
    Parity parity = Parity::None;
    int dataBits = 8; // 5..8
    StopBits stopBits = StopBits::One;

    bool operator==(const LineSettings &) const = default;
};

// The settings a text names, or nothing when the text is not of that form.
[[nodiscard]] std::optional<LineSettings> parseLineSettings(std::string_view text);

} // namespace tw::services
