// The faults of the outside world, end to end: for every instrument family,
// the simulator on a real pseudo-terminal is silent, asleep, answers in
// pieces, stalls beyond the time limit, sends noise or a short record, or
// vanishes in the middle of a reply. The press must end within the limit of
// the wait the fault hit, with the port closed, the family's own message and
// the curve as it was; the next press must measure again (the fault lasts
// one press, or a device that vanished is plugged in again at the same
// name).
#include "instruments/instruments.h"
#include "services/serial/qt_serial_port.h"
#include "services/system_clock.h"
#include "simulator_process.h"
#include "test_doubles.h"
#include "text/numbers.h"
#include "text/patterns.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace tw::instruments::testing {
namespace {

using Strings = std::vector<std::string>;
using SteadyClock = std::chrono::steady_clock;

enum class Fault { Silent, Asleep, Split, TooSlow, Garbage, Short, Vanish };
constexpr Fault kFaults[] = { Fault::Silent, Fault::Asleep, Fault::Split, Fault::TooSlow,
    Fault::Garbage, Fault::Short, Fault::Vanish };

const char *nameOf(Fault fault) {
    switch (fault) {
    case Fault::Silent:
        return "Silent";
    case Fault::Asleep:
        return "Asleep";
    case Fault::Split:
        return "Split";
    case Fault::TooSlow:
        return "TooSlow";
    case Fault::Garbage:
        return "Garbage";
    case Fault::Short:
        return "Short";
    case Fault::Vanish:
        return "Vanish";
    }
    return "?";
}

enum class Kind { CE, XTH, Ci, Spectrolino };

struct Instrument {
    const char *family; // the simulator's name
    const char *listName; // the instrument list's name
    const char *shownAs; // in the program's own messages
    Kind kind;
    int firstSlot;
    int lastSlot;
};

// How the faulty press ends.
struct Outcome {
    Strings boxes {}; // message boxes; one ending in "=" goes on with the reply
    Strings messages {}; // the Messages box's texts, in order
    bool measured = false; // the dialogue rode the fault out
    double limit = 0; // seconds the dialogue waits before it gives up
};

struct Case {
    Instrument instrument;
    Fault fault;
    Strings options;
    Outcome outcome;
    int stallMs = 0; // how long a too-slow record stalls
};

void PrintTo(const Case &c, std::ostream *os) {
    *os << c.instrument.family << " " << nameOf(c.fault);
}

const std::string kBadRecord = "error in Measurement";
const std::string kSpectrolinoHello = ": 33 SPECTROLINO SIMULATOR\r\n";

Outcome outcomeOf(const Instrument &in, Fault fault) {
    const std::string name = in.shownAs;
    const Outcome measured { .measured = true };
    const Outcome badRecord { .boxes = { kBadRecord } };
    switch (in.kind) {
    case Kind::CE: {
        // A CE record is counted, not ended: short or stalled, it is a wait
        // for bytes that never come.
        const Outcome lost { .boxes = { name + " not connected" }, .limit = 5 };
        const Outcome stopped {
            .boxes = { name + " stopped answering - no reply within 10 seconds" }, .limit = 10
        };
        switch (fault) {
        case Fault::Silent:
        case Fault::Asleep:
            return lost;
        case Fault::Split:
            return measured;
        case Fault::Garbage:
            return badRecord;
        case Fault::TooSlow:
        case Fault::Short:
        case Fault::Vanish:
            return stopped;
        }
        break;
    }
    case Kind::XTH:
        switch (fault) {
        case Fault::Silent:
            return { .boxes = { "XTH not answering - gave up after 15 wake-up calls" },
                .messages = Strings(15, "XTH Sleeping"),
                .limit = 30 };
        case Fault::Asleep:
            return { .messages = Strings(3, "XTH Sleeping"), .measured = true, .limit = 6 };
        case Fault::Split:
            return measured;
        case Fault::TooSlow:
        case Fault::Vanish:
            return { .boxes = { kBadRecord }, .limit = 5 };
        case Fault::Garbage:
        case Fault::Short:
            return badRecord;
        }
        break;
    case Kind::Ci: {
        const Strings lost { "Ci5/Ci7 not connected" };
        switch (fault) {
        case Fault::Silent:
        case Fault::Asleep:
            return { .messages = lost, .limit = 2 };
        case Fault::Split:
            return measured;
        case Fault::TooSlow:
        case Fault::Vanish:
            return { .messages = lost, .limit = 10 };
        case Fault::Garbage:
        case Fault::Short:
            return badRecord;
        }
        break;
    }
    case Kind::Spectrolino: {
        const Strings hello { kSpectrolinoHello };
        const std::string notReturned = "SpectroEye data not returned - message=";
        switch (fault) {
        case Fault::Silent:
        case Fault::Asleep:
            return { .boxes = { "SpectroEye not responding - Settings serial 9600 handshake=No" },
                .limit = 5 };
        case Fault::Split:
            return { .messages = hello, .measured = true };
        case Fault::TooSlow:
        case Fault::Vanish:
            return { .boxes = { notReturned }, .messages = hello, .limit = 5 };
        case Fault::Garbage:
        case Fault::Short:
            return { .boxes = { notReturned }, .messages = hello };
        }
        break;
    }
    }
    return {};
}

std::vector<Case> matrix() {
    const Instrument instruments[] = {
        { "CE7000", "CE7000", "CE-7000", Kind::CE, 1, 40 },
        { "CE2180", "CE2180", "CE-2180", Kind::CE, 1, 40 },
        { "XTH", "XTH", "XTH", Kind::XTH, 1, 40 },
        { "Ci", "Ci5/Ci7", "Ci5/Ci7", Kind::Ci, 1, 40 },
        { "Spectrolino", "SpectroEye", "SpectroEye", Kind::Spectrolino, 3, 38 },
    };
    const Strings onePress { "--faulty-measures", "1" };
    std::vector<Case> cases;
    for (const Instrument &in : instruments) {
        for (const Fault fault : kFaults) {
            Case c { in, fault, {}, outcomeOf(in, fault) };
            switch (fault) {
            case Fault::Silent:
                c.options = { "--silent" };
                break;
            case Fault::Asleep:
                // Only the XTH calls again within a press; the others sleep
                // through one press.
                c.options = { "--asleep", in.kind == Kind::XTH ? "3" : "1" };
                break;
            case Fault::Split:
                // A byte at a time: every boundary, CR LF torn apart too.
                c.options = { "--slow", "2", "--pieces", "1000" };
                break;
            case Fault::TooSlow:
                c.stallMs = static_cast<int>(c.outcome.limit * 1000) + 1000;
                c.options = { "--too-slow", std::to_string(c.stallMs) };
                break;
            case Fault::Garbage:
                c.options = { "--garbage" };
                break;
            case Fault::Short:
                c.options = { "--short" };
                break;
            case Fault::Vanish:
                // The measurement command is the second, or for a Ci5/Ci7 the
                // third after its mode setting.
                c.options = { "--vanish-after", in.kind == Kind::Ci ? "2" : "1" };
                break;
            }
            if (fault != Fault::Asleep && fault != Fault::Vanish) {
                c.options.insert(c.options.end(), onePress.begin(), onePress.end());
            }
            cases.push_back(c);
        }
    }
    return cases;
}

// True when this process still has the device open (a port left open
// behind the port object's back).
bool holdsDevice(const std::string &device) {
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        std::error_code unreadable;
        const std::string target = std::filesystem::read_symlink(entry.path(), unreadable).string();
        if (target == device || target.starts_with(device + " ")) {
            return true;
        }
    }
    return false;
}

double secondsSince(SteadyClock::time_point start) {
    return std::chrono::duration<double>(SteadyClock::now() - start).count();
}

// Waiting as a person would: the window stays alive.
void waitUntil(SteadyClock::time_point when) {
    while (SteadyClock::now() < when) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Time beyond the limit a loaded machine may add before a press ends.
constexpr double kSlack = 4;

class FaultMatrix : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        if (std::string(TW_SIMULATOR_PATH).empty()) {
            GTEST_SKIP() << "no instrument simulator on this platform";
        }
        // The port's name: a link the simulator makes to its terminal, as a
        // device node the system makes for a plugged-in instrument.
        link_ = (std::filesystem::temp_directory_path()
            / ("tw_faults_" + std::to_string(QCoreApplication::applicationPid()) + ".tty"))
                    .string();
        std::filesystem::remove(link_);
        port_ = std::make_unique<services::QtSerialPort>([this](int) { return link_; });
        host_ = std::make_unique<RecordingHost>(dialogs_, clock_, *port_);
        host_->combo1 = GetParam().instrument.listName;
        instruments_ = std::make_unique<Instruments>(*host_);
        dialogs_.setOnYield([] { QCoreApplication::processEvents(); });
        for (int i = 1; i <= 40; ++i) {
            held_[i] = 40.0f + 0.5f * static_cast<float>(i);
        }
        instruments_->spectrum() = held_;
    }
    void TearDown() override {
        instruments_.reset();
        port_.reset();
        simulator_.reset();
        std::filesystem::remove(link_);
    }
    void plugIn(const Strings &faults) {
        Strings options = faults;
        options.insert(options.end(), { "--link", link_ });
        simulator_ = std::make_unique<Simulator>(GetParam().instrument.family, options);
        ASSERT_FALSE(simulator_->path().empty()) << "simulator did not start";
        device_ = simulator_->path();
    }
    void expectBoxes(const Strings &expected) {
        const Strings shown = dialogs_.messages();
        ASSERT_EQ(shown.size(), expected.size()) << ::testing::PrintToString(shown);
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (expected[i].ends_with("=")) {
                EXPECT_TRUE(shown[i].starts_with(expected[i])) << shown[i];
                EXPECT_GT(shown[i].size(), expected[i].size()) << "no reply in: " << shown[i];
            } else {
                EXPECT_EQ(shown[i], expected[i]);
            }
        }
    }
    // The screen was shown the colour of `curve`.
    void expectShown(const engine::Spectrum &curve) {
        ASSERT_EQ(host_->handoffs.size(), 1u);
        float X = 0;
        float Y = 0;
        float Z = 0;
        engine::tris(curve, X, Y, Z);
        const std::array<std::string, 3> xyz { text::formatPattern(X, text::patterns::twoDecimals),
            text::formatPattern(Y, text::patterns::twoDecimals),
            text::formatPattern(Z, text::patterns::twoDecimals) };
        EXPECT_EQ(host_->handoffs[0], xyz);
    }
    // The simulated curve in the family's slots, the held one elsewhere.
    void expectMeasured() {
        const Instrument &in = GetParam().instrument;
        engine::Spectrum expected = held_;
        for (int i = in.firstSlot; i <= in.lastSlot; ++i) {
            expected[i] = simulatedValue(i);
        }
        const auto &spectrum = instruments_->spectrum();
        for (int i = 1; i <= 40; ++i) {
            EXPECT_NEAR(spectrum[i], expected[i], 1e-4) << "slot " << i;
        }
        expectShown(expected);
    }
    void expectClosed() {
        EXPECT_FALSE(port_->portOpen());
        EXPECT_FALSE(holdsDevice(device_)) << device_ << " is still open";
    }

    services::SystemClock clock_;
    ThinkingDialogs dialogs_;
    std::string link_;
    std::string device_;
    std::unique_ptr<Simulator> simulator_;
    std::unique_ptr<services::QtSerialPort> port_;
    std::unique_ptr<RecordingHost> host_;
    std::unique_ptr<Instruments> instruments_;
    engine::Spectrum held_ {};
};

TEST_P(FaultMatrix, PressEndsInTimeAndTheNextOneMeasures) {
    const Case &c = GetParam();
    plugIn(c.options);

    const auto pressed = SteadyClock::now();
    instruments_->Command8_Click();
    const double took = secondsSince(pressed);

    EXPECT_GE(took, c.outcome.limit - 0.05) << "gave up before its time limit";
    EXPECT_LE(took, c.outcome.limit + kSlack) << "outlasted its time limit";
    expectClosed();
    expectBoxes(c.outcome.boxes);
    EXPECT_EQ(host_->text3, c.outcome.messages);
    if (c.outcome.measured) {
        expectMeasured();
    } else {
        EXPECT_EQ(instruments_->spectrum(), held_) << "a failed press changed the curve";
        EXPECT_TRUE(host_->handoffs.empty()) << "a failed press showed the held curve's colour";
    }

    // The next press, once the instrument is back: plugged in again at the
    // same name, or done with its late record (which must not be taken for
    // the answer to the next command).
    if (c.fault == Fault::Vanish) {
        EXPECT_TRUE(simulator_->exited(2000)) << "the simulator did not vanish";
        simulator_.reset();
        plugIn({});
    }
    if (c.fault == Fault::TooSlow) {
        waitUntil(pressed + std::chrono::milliseconds(c.stallMs + 300));
    }
    dialogs_.reset();
    host_->text3.clear();
    host_->handoffs.clear();
    instruments_->Command8_Click();
    EXPECT_TRUE(dialogs_.messages().empty()) << ::testing::PrintToString(dialogs_.messages());
    expectMeasured();
    expectClosed();
}

INSTANTIATE_TEST_SUITE_P(
    Instruments, FaultMatrix, ::testing::ValuesIn(matrix()), [](const auto &info) {
        return std::string(info.param.instrument.family) + "_" + nameOf(info.param.fault);
    });

} // namespace
} // namespace tw::instruments::testing
