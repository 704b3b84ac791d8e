// A serial port for tests: it records every property setting and every byte
// written, in order, and answers commands from a script, with replies that
// arrive in pieces after delays measured on a (fake) clock.
//
// Script rules are tried in the order they were added. Bytes written since
// the last answered command collect in a pending text; after each output(),
// the first rule with uses left whose command the pending text ends with is
// used up, the pending text is cleared, and the rule's pieces become due,
// each `delay` seconds after that output (midnight roll-over counted). A rule
// with no pieces is silence. input() and inBufferCount() deliver the pieces
// that are due. Closing the port drops whatever was received or still due,
// as a real port does.
#pragma once

#include "services/clock.h"
#include "services/serial/serial_port.h"

#include <deque>
#include <string>
#include <vector>

namespace tw::services {

class ScriptedSerialPort final : public SerialPort {
public:
    struct Piece {
        double delay; // seconds after the command was written
        std::string text;
    };
    static constexpr int kAlways = 0;

    explicit ScriptedSerialPort(const Clock &clock);

    // Answers the next `times` commands ending with `command` (kAlways: all).
    void answer(const std::string &command, std::vector<Piece> pieces, int times = 1);
    void answer(
        const std::string &command, const std::string &reply, double delay = 0, int times = 1);
    void ignore(const std::string &command, int times = 1);
    // Text that is waiting as soon as the port is open.
    void feed(const std::string &text);
    // Makes every following open fail with this error.
    void refuseOpen(PortError error);

    // "CommPort=3", "Settings=9600,N,8,1", "Handshaking=2", "RTSEnable=1",
    // "PortOpen=1", "PortOpen=0", "Output=<bytes>", in the order they happened.
    [[nodiscard]] const std::vector<std::string> &log() const { return log_; }
    // The property settings and opens/closes only (no output).
    [[nodiscard]] std::vector<std::string> settingsLog() const;
    // Each output() call's bytes, in order.
    [[nodiscard]] std::vector<std::string> commands() const;
    // Every byte written, joined.
    [[nodiscard]] const std::string &written() const { return written_; }
    [[nodiscard]] int opens() const { return opens_; }
    // output() calls made while the port was closed (a fault of the caller).
    [[nodiscard]] int writesWhileClosed() const { return writesWhileClosed_; }

    void setCommPort(int port) override;
    void setSettings(const std::string &settings) override;
    void setHandshaking(int mode) override;
    void setRTSEnable(bool enable) override;
    bool setPortOpen(bool open) override;
    [[nodiscard]] bool portOpen() const override { return open_; }
    [[nodiscard]] const PortError &openError() const override { return error_; }
    void output(std::string_view bytes) override;
    [[nodiscard]] std::string input() override;
    [[nodiscard]] int inBufferCount() override;

private:
    struct Rule {
        std::string command;
        std::vector<Piece> pieces;
        bool always;
        int usesLeft;
    };
    struct Due {
        double sentAt;
        Piece piece;
    };
    void deliverDue();

    const Clock &clock_;
    std::vector<Rule> rules_;
    std::deque<Due> due_;
    std::string received_;
    std::string pending_;
    std::string fed_;
    std::vector<std::string> log_;
    std::string written_;
    bool open_ = false;
    bool refuse_ = false;
    PortError refusal_;
    PortError error_;
    int opens_ = 0;
    int writesWhileClosed_ = 0;
};

} // namespace tw::services
