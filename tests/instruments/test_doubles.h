// Doubles for the instrument tests, on top of the shared ones of the
// platform layer: dialogs whose user takes a while to answer, and a host
// (the screen's side of the dialogues) that records what the dialogues show.
#pragma once

#include "instruments/instrument_host.h"
#include "testing/fake_clock.h"
#include "testing/scripted_dialogs.h"

#include <string>
#include <vector>

namespace tw::instruments::testing {

// Scripted dialogs whose user takes `thinkSeconds` on the clock to answer
// each message box.
class ThinkingDialogs final : public services::ScriptedDialogs {
public:
    explicit ThinkingDialogs(services::FakeClock *clock = nullptr)
        : clock_(clock) { }
    double thinkSeconds = 0;

    services::Answer messageBox(const std::string &text, services::Buttons buttons,
        const std::string &title, services::Icon icon) override {
        if (clock_) {
            clock_->advance(thinkSeconds);
        }
        return ScriptedDialogs::messageBox(text, buttons, title, icon);
    }
    // The message boxes shown, in order.
    [[nodiscard]] std::vector<Call> boxes() const {
        std::vector<Call> out;
        for (const auto &call : calls()) {
            if (call.kind == Kind::MessageBox) {
                out.push_back(call);
            }
        }
        return out;
    }

private:
    services::FakeClock *clock_;
};

class RecordingHost final : public InstrumentHost {
public:
    RecordingHost(
        services::Dialogs &dialogs, const services::Clock &clock, services::SerialPort &port)
        : dialogs_(dialogs)
        , clock_(clock)
        , port_(port) { }

    std::string combo1 = "CE7000";
    int port = 1;
    std::string currentInstrument = "CE7000";
    std::vector<std::string> text3; // every text the Messages box showed
    std::vector<std::array<std::string, 3>> handoffs;

    [[nodiscard]] std::string instrumentText() const override { return combo1; }
    [[nodiscard]] int commPort() const override { return port; }
    void setCurrentInstrument(const std::string &name) override { currentInstrument = name; }
    void showMessage(const std::string &text) override { text3.push_back(text); }
    [[nodiscard]] services::Dialogs &dialogs() override { return dialogs_; }
    [[nodiscard]] const services::Clock &clock() const override { return clock_; }
    [[nodiscard]] services::SerialPort &serialPort() override { return port_; }
    void handoff(const std::array<std::string, 3> &xyz) override { handoffs.push_back(xyz); }

private:
    services::Dialogs &dialogs_;
    const services::Clock &clock_;
    services::SerialPort &port_;
};

} // namespace tw::instruments::testing
