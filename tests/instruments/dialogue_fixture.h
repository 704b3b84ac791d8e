// A conversion screen's side of the instrument dialogues, made of doubles:
// the scripted serial port, the scripted dialogs and a clock that moves on by
// 10 ms every time the dialogue lets window events run.
#pragma once

#include "instruments/instruments.h"
#include "test_doubles.h"
#include "testing/scripted_serial_port.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tw::instruments::testing {

// The reflectance the test records carry: distinct in every slot, and
// exact in binary (quarters), so slot mix-ups show and values compare
// exactly.
inline float curveValue(int slot) {
    return 20.0f + 1.25f * static_cast<float>(slot);
}

inline std::string fixed(double value, int width, int decimals) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
    return buffer;
}

inline void place(std::string &record, std::size_t position, const std::string &text) {
    record.replace(position - 1, text.size(), text);
}

// The record layouts, from the positions the instruments use.
inline std::string ce7000Record() {
    std::string r(422, ' ');
    place(r, 1, "11");
    for (int i = 1; i <= 40; ++i) {
        place(r, 10 * i + 11, fixed(curveValue(i), 7, 2));
    }
    return r;
}
inline std::string ce2180Block() {
    std::string r(290, ' ');
    for (int i = 1; i <= 40; ++i) {
        place(r, 7 * i + (i - 1) / 6 - 6, fixed(curveValue(i), 6, 2));
    }
    return r;
}
inline std::string xthRecord() {
    std::string r(336, ' ');
    place(r, 1, "11");
    for (int i = 1; i <= 40; ++i) {
        place(r, 8 * i + 11, fixed(curveValue(i), 6, 2));
    }
    return r + "\r\n>";
}
inline std::string ciRecord(int values = 40) {
    std::string r = "M";
    for (int i = 1; i <= values; ++i) {
        r += "," + fixed(curveValue(i), 7, 3);
    }
    return r + "\r\n>";
}
inline std::string spectrolinoRecord() {
    std::string r(262, ' ');
    place(r, 1, ": 185 9 0");
    for (int k = 1; k <= 36; ++k) {
        place(r, 7 * k + 4, fixed(curveValue(k + 2) / 100, 6, 4));
    }
    return r + "\r\n";
}

class DialogueTest : public ::testing::Test {
protected:
    static constexpr double kTick = 0.01;

    // A wait that is still going after this many passes (1000 s on the
    // clock) is a fault of the code under test: it is abandoned so that the
    // test fails instead of hanging.
    static constexpr int kRunaway = 100000;

    DialogueTest() {
        clock.setSeconds(36000); // 10:00:00
        dialogs.setOnYield([this] { tick(); });
    }

    void tick() {
        clock.advance(kTick);
        if (++ticks_ > kRunaway) {
            ADD_FAILURE() << "a wait did not end";
            instruments.abandon();
            onRunaway();
        }
    }
    virtual void onRunaway() { }

    [[nodiscard]] double now() const { return clock.secondsSinceMidnight(); }
    void answer(std::initializer_list<services::Answer> answers) {
        for (const auto a : answers) {
            dialogs.queueAnswer(a);
        }
    }

    // The texts of the message boxes shown so far.
    [[nodiscard]] std::vector<std::string> boxTexts() const { return dialogs.messages(); }
    // The port was opened and the last thing done to it was closing it.
    [[nodiscard]] bool portLeftClosed() const {
        return !serial.portOpen() && !serial.log().empty() && serial.log().back() == "PortOpen=0";
    }

    services::FakeClock clock;
    ThinkingDialogs dialogs { &clock };
    services::ScriptedSerialPort serial { clock };
    RecordingHost host { dialogs, clock, serial };
    Instruments instruments { host };

private:
    int ticks_ = 0;
};

} // namespace tw::instruments::testing
