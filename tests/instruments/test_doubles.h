// Doubles for the instrument tests, on top of the shared ones of the
// platform layer: dialogs whose user takes a while to answer, and a host
// (the screen's side of the dialogues) that records what the dialogues show.
#pragma once

#include "instruments/instrument_host.h"
#include "ui/fake_clock.h"
#include "ui/scripted_dialogs.h"

#include <string>
#include <vector>

namespace tw::instruments::testing {

// Scripted dialogs whose user takes `thinkSeconds` on the clock to answer
// each message box.
class ThinkingDialogs final : public ui::ScriptedDialogs {
public:
    explicit ThinkingDialogs(ui::FakeClock *clock = nullptr)
        : clock_(clock) { }
    double thinkSeconds = 0;

    ui::Answer messageBox(const std::string &text, ui::Buttons buttons, const std::string &title,
        ui::Icon icon) override {
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
    ui::FakeClock *clock_;
};

class RecordingHost final : public InstrumentHost {
public:
    RecordingHost(ui::Dialogs &dialogs, const ui::Clock &clock, ui::SerialPort &port)
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
    [[nodiscard]] ui::Dialogs &dialogs() override { return dialogs_; }
    [[nodiscard]] const ui::Clock &clock() const override { return clock_; }
    [[nodiscard]] ui::SerialPort &serialPort() override { return port_; }
    void handoff(const std::array<std::string, 3> &xyz) override { handoffs.push_back(xyz); }

private:
    ui::Dialogs &dialogs_;
    const ui::Clock &clock_;
    ui::SerialPort &port_;
};

} // namespace tw::instruments::testing
