// The serial-port service `MSComm1`: one port, configured by properties and
// opened and closed by setting PortOpen, as the instrument dialogues use it.
//
// Contract:
//  - setCommPort, setSettings, setHandshaking and setRTSEnable only record
//    their values; they take effect when the port is next opened.
//  - Settings is a text such as "9600,N,8,1" (baud, parity letter N/E/O/M/S in
//    either case, data bits 5-8, stop bits 1, 1.5 or 2).
//  - Handshaking: 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 RTS/CTS and XON/XOFF.
//  - setPortOpen(true) opens the port the CommPort number names; it returns
//    false when the port cannot be opened and openError() then says which
//    device and why (absent, busy, no permission, settings not valid).
//    setPortOpen(false) closes; closing a closed port does nothing.
//  - output(bytes): every character goes out as one byte.
//  - input(): everything received so far, removed from the receive buffer.
//  - inBufferCount(): the number of bytes waiting.
//  - input() and inBufferCount() fetch what has arrived themselves, so a busy
//    loop that polls them sees data arrive without running an event loop.
#pragma once

#include <string>
#include <string_view>

namespace tw::services {

enum class OpenFailure { None, Absent, Busy, NoPermission, BadSettings, Other };

struct PortError {
    OpenFailure reason = OpenFailure::None;
    std::string device; // the device the port number named, empty if none
    std::string detail; // the platform's own words, for the curious
};

// "Comm Port 3 cannot be opened: /dev/ttyUSB2 is in use by another program".
[[nodiscard]] std::string describeOpenFailure(int commPort, const PortError &error);

class SerialPort {
public:
    virtual ~SerialPort() = default;

    virtual void setCommPort(int port) = 0;
    virtual void setSettings(const std::string &settings) = 0;
    virtual void setHandshaking(int mode) = 0;
    virtual void setRTSEnable(bool enable) = 0;

    virtual bool setPortOpen(bool open) = 0;
    [[nodiscard]] virtual bool portOpen() const = 0;
    [[nodiscard]] virtual const PortError &openError() const = 0;

    virtual void output(std::string_view bytes) = 0;
    [[nodiscard]] virtual std::string input() = 0;
    [[nodiscard]] virtual int inBufferCount() = 0;
};

} // namespace tw::services
