// Measure (Command8_Click) on the scripted port: each family's record read
// into the right slots, the hand-off of X, Y, Z, every failure of the
// failure table with its message and its hand-off or not, short and damaged
// records keeping the old curve, ciConfigured, the one-dialogue guard,
// abandoning a wait, and a port that will not open.
#include "dialogue_fixture.h"
#include "text/numbers.h"

#include <gtest/gtest.h>

#include <functional>

namespace tw::instruments::testing {
namespace {

using Strings = std::vector<std::string>;

class Measure : public DialogueTest {
protected:
    void press(const std::string &instrument) {
        host.combo1 = instrument;
        instruments.Command8_Click();
    }
    // Every slot 1..40 holds the test curve.
    void expectCurveInSlots(int first, int last) {
        for (int i = first; i <= last; ++i) {
            EXPECT_NEAR(instruments.spectrum()[i], curveValue(i), 1e-4) << "slot " << i;
        }
    }
    // The texts the screen should have received for the spectrum held now.
    [[nodiscard]] std::array<std::string, 3> xyzTexts() const {
        float X = 0;
        float Y = 0;
        float Z = 0;
        engine::tris(instruments.spectrum(), X, Y, Z);
        return { text::formatPattern(X, "###.00"), text::formatPattern(Y, "###.00"),
            text::formatPattern(Z, "###.00") };
    }
    void scriptCE7000Record() {
        serial.answer("R", "CE7000\r\n>", 0.1);
        const std::string record = ce7000Record();
        serial.answer("M\r", { { 0.5, record.substr(0, 30) }, { 1.0, record.substr(30) } });
    }
};

TEST_F(Measure, CE7000RecordFillsAllFortySlots) {
    scriptCE7000Record();
    press("CE7000");
    expectCurveInSlots(1, 40);
    EXPECT_EQ(serial.commands(), (Strings { "R", "M\r" }));
    ASSERT_EQ(host.handoffs.size(), 1u);
    EXPECT_EQ(host.handoffs[0], xyzTexts());
    EXPECT_EQ(host.currentInstrument, "CE7000");
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Measure, CE7000ReadsThe360nmValueFromPositions21To27) {
    serial.answer("R", ">");
    std::string record(422, ' ');
    record.replace(0, 2, "11");
    for (int i = 1; i <= 40; ++i) {
        record.replace(10 * i + 10, 7, "   1.00");
    }
    record.replace(20, 7, "  12.34"); // 1-based 21..27
    serial.answer("M\r", record);
    press("CE7000");
    EXPECT_FLOAT_EQ(instruments.spectrum()[1], 12.34f);
    EXPECT_FLOAT_EQ(instruments.spectrum()[2], 1.0f);
}

TEST_F(Measure, CE2180StatusThenDataBlock) {
    serial.answer("v", "CE2180\r\n");
    serial.answer("M", { { 0.2, "11" + std::string(16, ' ') }, { 1.5, ce2180Block() } });
    press("CE2180");
    expectCurveInSlots(1, 40);
    EXPECT_EQ(serial.commands(), (Strings { "v", "M" }));
    ASSERT_EQ(host.handoffs.size(), 1u);
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Measure, XTHRecordAfterAWakeUp) {
    serial.answer("R\r", "XTH\r\n>");
    serial.answer("M 8\r", { { 0.3, "11" }, { 0.6, xthRecord().substr(2) } });
    press("XTH");
    expectCurveInSlots(1, 40);
    ASSERT_EQ(host.handoffs.size(), 1u);
    EXPECT_EQ(host.handoffs[0], xyzTexts());
}

TEST_F(Measure, CiRecordIsReadByItsDecimalPoints) {
    serial.answer("R\r", "iCi7>");
    serial.answer("config -mode=sce\r", "OK>");
    serial.answer("measure\r", ciRecord(), 1);
    press("Ci5/Ci7");
    expectCurveInSlots(1, 40);
    EXPECT_TRUE(instruments.ciConfigured());
    ASSERT_EQ(host.handoffs.size(), 1u);
}

TEST_F(Measure, CiModeIsSetOncePerRunAndCalibrateDoesNotCount) {
    serial.answer("R\r", "iCi7>", 0, services::ScriptedSerialPort::kAlways);
    serial.answer("config -mode=sce\r", "OK>", 0, services::ScriptedSerialPort::kAlways);
    serial.answer("whitecal\r", "W>", 0, services::ScriptedSerialPort::kAlways);
    serial.answer("blackcal\r", "B>", 0, services::ScriptedSerialPort::kAlways);
    serial.answer("measure\r", ciRecord(), 0, services::ScriptedSerialPort::kAlways);

    host.combo1 = "Ci5/Ci7";
    instruments.Command7_Click(); // sends the mode itself, records nothing
    press("Ci5/Ci7");
    press("Ci5/Ci7");

    int modes = 0;
    for (const auto &command : serial.commands()) {
        modes += command == "config -mode=sce\r";
    }
    EXPECT_EQ(modes, 2); // Calibrate's and the first Measure's
    EXPECT_EQ(serial.commands().back(), "measure\r");
    EXPECT_EQ(host.handoffs.size(), 2u);
}

TEST_F(Measure, SpectrolinoWritesSlots3To38AndLeavesTheEndsAlone) {
    serial.answer(preamble() + "; 32\r\n", ": 33 OK\r\n");
    serial.answer(preamble() + "; 184 9 0\r\n", spectrolinoRecord(), 1);
    press("SpectroEye");
    expectCurveInSlots(3, 38);
    for (int slot : { 1, 2, 39, 40 }) {
        EXPECT_EQ(instruments.spectrum()[slot], 0.0f) << "slot " << slot;
    }
    EXPECT_EQ(host.text3, (Strings { ": 33 OK\r\n" }));
    ASSERT_EQ(host.handoffs.size(), 1u);
    EXPECT_EQ(host.handoffs[0], xyzTexts());

    // Slots filled before stay as they were.
    instruments.spectrum()[1] = 7;
    instruments.spectrum()[40] = 9;
    serial.answer(preamble() + "; 32\r\n", ": 33 OK\r\n");
    serial.answer(preamble() + "; 184 9 0\r\n", spectrolinoRecord());
    press("Spectrolino");
    EXPECT_EQ(instruments.spectrum()[1], 7.0f);
    EXPECT_EQ(instruments.spectrum()[40], 9.0f);
}

TEST_F(Measure, NoInstrumentOnlyShowsTheColourOfTheCurveHeldNow) {
    for (const char *name : { "Instrument", "something else" }) {
        press(name);
    }
    // "Instrument" means none is chosen; any other name outside the list
    // is no instrument at all and is refused.
    ASSERT_EQ(host.handoffs.size(), 1u);
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_NE(dialogs.boxes()[0].text.find("\"something else\""), std::string::npos);
    EXPECT_EQ(host.handoffs[0], (std::array<std::string, 3> { ".00", ".00", ".00" }));
    EXPECT_EQ(host.currentInstrument, "something else");
    for (const auto &entry : serial.log()) {
        EXPECT_NE(entry, "PortOpen=1");
    }
}

// --- The failure tables ----------------------------------------------------

struct FailureRow {
    const char *label;
    const char *instrument;
    std::function<void(services::ScriptedSerialPort &, const std::string &)> script;
    std::string message; // in a message box
    std::string text3; // last text of the Messages box, if any
    bool handoff;
};

void PrintTo(const FailureRow &row, std::ostream *os) {
    *os << row.label;
}

std::string spectrolinoCommand(const char *text) {
    return preamble() + text + "\r\n";
}

// Each fraction times 100 a float holds; the weighted sum of the curve it
// does not.
std::string spectrolinoBeyondFloat() {
    std::string record = spectrolinoRecord();
    for (int k = 1; k <= 36; ++k) {
        record.replace(7 * k + 3, 6, "3.0e36");
    }
    return record;
}

class MeasureFailure : public Measure, public ::testing::WithParamInterface<FailureRow> { };

TEST_P(MeasureFailure, ReportsAndKeepsTheCurve) {
    const FailureRow &row = GetParam();
    for (int i = 1; i <= 40; ++i) {
        instruments.spectrum()[i] = 3;
    }
    const engine::Spectrum before = instruments.spectrum();
    row.script(serial, xthRecord());
    press(row.instrument);

    if (row.message.empty()) {
        EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
    } else {
        EXPECT_EQ(boxTexts(), (Strings { row.message }));
    }
    if (!row.text3.empty()) {
        ASSERT_FALSE(host.text3.empty());
        EXPECT_EQ(host.text3.back(), row.text3);
    }
    EXPECT_EQ(host.handoffs.size(), row.handoff ? 1u : 0u);
    EXPECT_EQ(instruments.spectrum(), before);
    EXPECT_TRUE(portLeftClosed());
    EXPECT_FALSE(instruments.busy());
}

const std::string kNotResponding = "SpectroEye not responding - Settings serial 9600 handshake=No";

INSTANTIATE_TEST_SUITE_P(Table, MeasureFailure,
    ::testing::Values(
        FailureRow { "CE7000PingSilent", "CE7000", [](auto &s, auto &) { s.answer("R", ">", 5.1); },
            "CE-7000 not connected", "", false },
        FailureRow { "CE7000Uncalibrated", "CE7000A",
            [](auto &s, auto &) {
                s.answer("R", ">");
                s.answer("M\r", "01" + std::string(17, ' '));
            },
            "Calibrate Instrument", "", false },
        FailureRow { "CE7000ValueNotANumber", "CE7000",
            [](auto &s, auto &) {
                s.answer("R", ">");
                std::string record = ce7000Record();
                record.replace(410, 7, "  ##.##"); // slot 40
                s.answer("M\r", record);
            },
            "error in Measurement", "", false },
        FailureRow { "CE7000ValueBeyondFloat", "CE7000",
            [](auto &s, auto &) {
                s.answer("R", ">");
                std::string record = ce7000Record();
                record.replace(40, 7, "   1e39"); // slot 3: no float holds it
                s.answer("M\r", record);
            },
            "error in Measurement", "", false },
        FailureRow { "CE7000ColourBeyondFloat", "CE7000",
            [](auto &s, auto &) {
                s.answer("R", ">");
                std::string record = ce7000Record();
                for (int i = 1; i <= 40; ++i) {
                    // Each value a float holds; their weighted sum it does not.
                    record.replace(10 * i + 10, 7, " 3.0e38");
                }
                s.answer("M\r", record);
            },
            "error in Measurement", "", false },
        FailureRow { "CE7000RecordNeverComplete", "CE7000",
            [](auto &s, auto &) {
                s.answer("R", ">");
                s.answer("M\r", ce7000Record().substr(0, 400));
            },
            "CE-7000 stopped answering - no reply within 10 seconds", "", false },
        FailureRow { "CE2180PingSilent", "CE2180", [](auto &, auto &) {}, "CE-2180 not connected",
            "", false },
        FailureRow { "CE2180Uncalibrated", "CE2180",
            [](auto &s, auto &) {
                s.answer("v", "\n");
                s.answer("M", "00" + std::string(16, ' '));
            },
            "Calibrate Instrument", "", false },
        FailureRow { "CE2180DataBlockNeverComes", "CE2180",
            [](auto &s, auto &) {
                s.answer("v", "\n");
                s.answer("M", "11" + std::string(16, ' '));
            },
            "CE-2180 stopped answering - no reply within 10 seconds", "", false },
        FailureRow { "XTHIncompleteAfterFiveSeconds", "XTH",
            [](auto &s, auto &record) {
                s.answer("R\r", "X>");
                s.answer("M 8\r", { { 1, record.substr(0, 100) }, { 5.5, record.substr(100) } });
            },
            "error in Measurement", "", false },
        FailureRow { "XTHUncalibrated", "XTH",
            [](auto &s, auto &) {
                s.answer("R\r", "X>");
                s.answer("M 8\r", "01 CALIBRATE>");
            },
            "Instrument Uncalibrated", "", false },
        FailureRow { "XTHRecordEndsBeforeItsLastValue", "XTH",
            [](auto &s, auto &record) {
                s.answer("R\r", "X>");
                s.answer("M 8\r", record.substr(0, 300) + ">");
            },
            "error in Measurement", "", false },
        FailureRow { "XTHNeverSendsItsFirstByte", "XTH",
            [](auto &s, auto &) { s.answer("R\r", "X>"); },
            "XTH stopped answering - no reply within 10 seconds", "", false },
        FailureRow { "XTHNeverWakes", "XTH", [](auto &, auto &) {},
            "XTH not answering - gave up after 15 wake-up calls", "XTH Sleeping", false },
        FailureRow { "CiWakeUpSilent", "Ci5/Ci7", [](auto &, auto &) {}, "",
            "Ci5/Ci7 not connected", false },
        FailureRow { "CiModeSilent", "Ci5/Ci7", [](auto &s, auto &) { s.answer("R\r", "i>"); }, "",
            "Ci5/Ci7 not connected", false },
        FailureRow { "CiMeasureSilentTenSeconds", "Ci5/Ci7",
            [](auto &s, auto &) {
                s.answer("R\r", "i>");
                s.answer("config -mode=sce\r", ">");
                s.answer("measure\r", ciRecord(), 10.5);
            },
            "", "Ci5/Ci7 not connected", false },
        FailureRow { "CiFewerThanFortyValues", "Ci5/Ci7",
            [](auto &s, auto &) {
                s.answer("R\r", "i>");
                s.answer("config -mode=sce\r", ">");
                s.answer("measure\r", ciRecord(39));
            },
            "error in Measurement", "", false },
        FailureRow {
            "SpectrolinoSilent", "Spectrolino", [](auto &, auto &) {}, kNotResponding, "", false },
        FailureRow { "SpectrolinoDataNotEnded", "SpectroEye",
            [](auto &s, auto &) {
                s.answer(spectrolinoCommand("; 32"), "OK\r\n");
                s.answer(spectrolinoCommand("; 184 9 0"), ": 185 9 0 0.1");
            },
            "SpectroEye data not returned - message=: 185 9 0 0.1", "", false },
        FailureRow { "SpectrolinoColourBeyondFloat", "SpectroEye",
            [](auto &s, auto &) {
                s.answer(spectrolinoCommand("; 32"), "OK\r\n");
                s.answer(spectrolinoCommand("; 184 9 0"), spectrolinoBeyondFloat());
            },
            "SpectroEye data not returned - message=" + spectrolinoBeyondFloat(), "", false },
        FailureRow { "SpectrolinoRecordTooShort", "SpectroEye",
            [](auto &s, auto &) {
                s.answer(spectrolinoCommand("; 32"), "OK\r\n");
                s.answer(spectrolinoCommand("; 184 9 0"), ": 185 ERROR 30\r\n");
            },
            "SpectroEye data not returned - message=: 185 ERROR 30\r\n", "", false }),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(Measure, PortThatCannotBeOpenedIsReportedWithPortAndReason) {
    serial.refuseOpen({ services::OpenFailure::Busy, "/dev/ttyUSB2", "locked" });
    host.port = 3;
    press("XTH");
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].text,
        "Comm Port 3 cannot be opened: /dev/ttyUSB2 is in use by another program (locked)");
    EXPECT_EQ(dialogs.boxes()[0].icon, services::Icon::Critical);
    EXPECT_TRUE(serial.commands().empty());
    EXPECT_TRUE(host.handoffs.empty());
    EXPECT_FALSE(instruments.busy());
}

TEST_F(Measure, SecondPressDuringADialogueStartsNoSecondDialogue) {
    scriptCE7000Record();
    int pressed = 0;
    dialogs.setOnYield([&] {
        tick();
        if (pressed++ < 3) {
            instruments.Command8_Click();
            instruments.Command7_Click();
        }
    });
    press("CE7000");
    EXPECT_EQ(serial.opens(), 1);
    EXPECT_EQ(serial.commands(), (Strings { "R", "M\r" }));
    EXPECT_EQ(host.handoffs.size(), 1u);

    // Once the dialogue is over, the button works again.
    scriptCE7000Record();
    press("CE7000");
    EXPECT_EQ(serial.opens(), 2);
}

TEST_F(Measure, AbandoningAWaitStopsTheDialogueAndClosesThePort) {
    const double start = now();
    dialogs.setOnYield([&] {
        tick();
        if (now() - start > 3) {
            instruments.abandon(); // the user pressed Cancel while it slept
        }
    });
    press("XTH");
    EXPECT_LT(now() - start, 3.1);
    EXPECT_EQ(host.text3.back(), "Measurement abandoned");
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_TRUE(host.handoffs.empty());
    EXPECT_TRUE(portLeftClosed());
    EXPECT_FALSE(instruments.busy());
}

TEST_F(Measure, AbandonWithNoDialogueRunningDoesNotStopTheNextOne) {
    instruments.abandon();
    scriptCE7000Record();
    press("CE7000");
    EXPECT_EQ(host.handoffs.size(), 1u);
}

} // namespace
} // namespace tw::instruments::testing
