// End to end: Calibrate and Measure through the Qt serial port over a real
// pseudo-terminal, with the instrument simulator as the instrument, for each
// family. The simulator runs as a child process and tells us its terminal's
// path on stdout; port 1 is mapped to that path.
#include "instruments/instruments.h"
#include "services/serial/qt_serial_port.h"
#include "services/system_clock.h"
#include "simulator_process.h"
#include "test_doubles.h"
#include "text/numbers.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace tw::instruments::testing {
namespace {

using Strings = std::vector<std::string>;

struct FamilyRow {
    const char *family; // simulator's name
    const char *instrument; // the list's name
    int firstSlot;
    int lastSlot;
    Strings prompts; // Calibrate's prompts
    services::Answer yes; // the answer that goes on at each prompt
};

void PrintTo(const FamilyRow &row, std::ostream *os) {
    *os << row.instrument;
}

constexpr services::Answer kYes = services::Answer::Yes;
constexpr services::Answer kOk = services::Answer::Ok;

class SimulatorEndToEnd : public ::testing::TestWithParam<FamilyRow> {
protected:
    void SetUp() override {
        if (std::string(TW_SIMULATOR_PATH).empty()) {
            GTEST_SKIP() << "no instrument simulator on this platform";
        }
    }
    void start(const std::vector<std::string> &options = {}) {
        simulator = std::make_unique<Simulator>(GetParam().family, options);
        ASSERT_FALSE(simulator->path().empty()) << "simulator did not start";
        port = std::make_unique<services::QtSerialPort>([this](int) { return simulator->path(); });
        host = std::make_unique<RecordingHost>(dialogs, clock, *port);
        host->combo1 = GetParam().instrument;
        instruments = std::make_unique<Instruments>(*host);
        dialogs.setOnYield([] { QCoreApplication::processEvents(); });
    }
    void calibrate() {
        for (int i = 0; i < 4; ++i) {
            dialogs.queueAnswer(GetParam().yes);
        }
        instruments->Command7_Click();
    }
    void expectMeasured() {
        const auto &row = GetParam();
        ASSERT_EQ(host->handoffs.size(), 1u) << ::testing::PrintToString(dialogs.messages());
        const auto &spectrum = instruments->spectrum();
        for (int i = 1; i <= 40; ++i) {
            const float expected = i >= row.firstSlot && i <= row.lastSlot ? simulatedValue(i) : 0;
            EXPECT_NEAR(spectrum[i], expected, 1e-4) << "slot " << i;
        }
        // The screen receives X, Y, Z of the simulated curve.
        engine::Spectrum curve {};
        for (int i = row.firstSlot; i <= row.lastSlot; ++i) {
            curve[i] = simulatedValue(i);
        }
        float X = 0;
        float Y = 0;
        float Z = 0;
        engine::tris(curve, X, Y, Z);
        const auto &xyz = host->handoffs[0];
        EXPECT_NEAR(text::leadingNumber(xyz[0]), X, 0.006);
        EXPECT_NEAR(text::leadingNumber(xyz[1]), Y, 0.006);
        EXPECT_NEAR(text::leadingNumber(xyz[2]), Z, 0.006);
        EXPECT_FALSE(port->portOpen());
    }

    services::SystemClock clock;
    ThinkingDialogs dialogs;
    std::unique_ptr<Simulator> simulator;
    std::unique_ptr<services::QtSerialPort> port;
    std::unique_ptr<RecordingHost> host;
    std::unique_ptr<Instruments> instruments;
};

TEST_P(SimulatorEndToEnd, MeasureHandsOffTheSimulatedCurve) {
    start();
    instruments->Command8_Click();
    expectMeasured();
}

TEST_P(SimulatorEndToEnd, CalibrateWalksItsPrompts) {
    start();
    calibrate();
    if (GetParam().prompts.empty()) {
        EXPECT_EQ(dialogs.messages(),
            (Strings { "Follow users manual for Calibration of "
                       "Spectrolino / SpectroEye" }));
        return;
    }
    EXPECT_EQ(dialogs.messages(), GetParam().prompts);
    for (const auto &text : host->text3) {
        EXPECT_EQ(text.find("not connected"), std::string::npos) << text;
    }
    EXPECT_FALSE(port->portOpen());
}

TEST_P(SimulatorEndToEnd, ReplyInSlowPiecesIsStillRead) {
    start({ "--slow", "20" });
    instruments->Command8_Click();
    expectMeasured();
}

INSTANTIATE_TEST_SUITE_P(Families, SimulatorEndToEnd,
    ::testing::Values(
        FamilyRow { "CE7000", "CE7000", 1, 40, { "Open Port", "White Standard" }, kYes },
        FamilyRow { "CE2180", "CE2180", 1, 40, { "White Standard", "Open Port" }, kYes },
        FamilyRow { "XTH", "XTH", 1, 40, { "White Calibration", "Open Port Calibration" }, kOk },
        FamilyRow { "Ci", "Ci5/Ci7", 1, 40,
            { "White Ceramic Calibration", "Black Trap Calibration" }, kOk },
        FamilyRow { "Spectrolino", "SpectroEye", 3, 38, {}, kOk }),
    [](const auto &info) { return std::string(info.param.family); });

class SimulatorUncalibrated : public SimulatorEndToEnd { };

TEST_P(SimulatorUncalibrated, MeasureAsksForCalibrationUntilCalibrated) {
    start({ "--uncalibrated" });
    instruments->Command8_Click();
    ASSERT_FALSE(dialogs.messages().empty());
    EXPECT_EQ(dialogs.messages().back(),
        GetParam().family == std::string("XTH") ? "Instrument Uncalibrated"
                                                : "Calibrate Instrument");
    calibrate();
    host->handoffs.clear();
    instruments->Command8_Click();
    expectMeasured();
}

INSTANTIATE_TEST_SUITE_P(Families, SimulatorUncalibrated,
    ::testing::Values(
        FamilyRow { "CE7000", "CE7000A", 1, 40, { "Open Port", "White Standard" }, kYes },
        FamilyRow { "XTH", "XTH", 1, 40, { "White Calibration", "Open Port Calibration" }, kOk }),
    [](const auto &info) { return std::string(info.param.family); });

TEST(SimulatorSilent, AbandonEndsTheWaitForASilentInstrument) {
    if (std::string(TW_SIMULATOR_PATH).empty()) {
        GTEST_SKIP() << "no instrument simulator on this platform";
    }
    Simulator simulator("CE2180", { "--silent" });
    services::QtSerialPort port([&](int) { return simulator.path(); });
    services::SystemClock clock;
    ThinkingDialogs dialogs;
    RecordingHost host(dialogs, clock, port);
    host.combo1 = "CE2180";
    Instruments instruments(host);
    // Press Cancel after half a second instead of waiting the full 5 s.
    const double start = clock.secondsSinceMidnight();
    dialogs.setOnYield([&] {
        QCoreApplication::processEvents();
        if (clock.secondsSinceMidnight() - start > 0.5) {
            instruments.abandon();
        }
    });
    instruments.Command8_Click();
    EXPECT_EQ(host.text3, (Strings { "Measurement abandoned" }));
    EXPECT_FALSE(port.portOpen());
}

} // namespace
} // namespace tw::instruments::testing
