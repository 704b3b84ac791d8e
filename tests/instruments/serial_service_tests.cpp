// The serial-port service: line settings texts, port names, and the Qt
// implementation over a real pseudo-terminal (the far end played by the
// test): bytes both ways unchanged, data seen inside a busy loop without an
// event loop, RTS on a line without modem lines, and the reasons a port
// does not open.
#include "services/serial/line_settings.h"
#include "services/serial/port_names.h"
#include "services/serial/qt_serial_port.h"
#include "services/serial/user_ports.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace tw::services {
namespace {

struct SettingsRow {
    const char *text;
    std::optional<LineSettings> expected;
};

void PrintTo(const SettingsRow &row, std::ostream *os) {
    *os << '"' << row.text << '"';
}

class LineSettingsText : public ::testing::TestWithParam<SettingsRow> { };

TEST_P(LineSettingsText, Parses) {
    EXPECT_EQ(parseLineSettings(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Rows, LineSettingsText,
    ::testing::Values(
        SettingsRow { "9600,N,8,1", LineSettings { 9600, Parity::None, 8, StopBits::One } },
        SettingsRow { "9600,n,8,1", LineSettings { 9600, Parity::None, 8, StopBits::One } },
        SettingsRow { "38400,N,8,1", LineSettings { 38400, Parity::None, 8, StopBits::One } },
        SettingsRow { " 2400 , e , 7 , 2 ", LineSettings { 2400, Parity::Even, 7, StopBits::Two } },
        SettingsRow { "1200,O,5,1.5", LineSettings { 1200, Parity::Odd, 5, StopBits::OneAndHalf } },
        SettingsRow { "9600,x,8,1", std::nullopt }, SettingsRow { "9600,N,9,1", std::nullopt },
        SettingsRow { "9600,N,8,3", std::nullopt }, SettingsRow { "0,N,8,1", std::nullopt },
        SettingsRow { "9600,N,8", std::nullopt }, SettingsRow { "fast,N,8,1", std::nullopt },
        SettingsRow { "", std::nullopt }));

#ifndef _WIN32
TEST(PortNames, PortNumberNamesUsbThenAcmThenUart) {
    EXPECT_EQ(candidateDevices(3),
        (std::vector<std::string> { "/dev/ttyUSB2", "/dev/ttyACM2", "/dev/ttyS2" }));
}

// XDG_RUNTIME_DIR set for the length of a test, and put back after it.
class RuntimeFolder {
public:
    explicit RuntimeFolder(const std::string &value) {
        if (const char *old = std::getenv("XDG_RUNTIME_DIR")) {
            old_ = old;
            had_ = true;
        }
        ::setenv("XDG_RUNTIME_DIR", value.c_str(), 1);
    }
    ~RuntimeFolder() {
        if (had_) {
            ::setenv("XDG_RUNTIME_DIR", old_.c_str(), 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
    }

private:
    std::string old_;
    bool had_ = false;
};

// A pseudo-terminal: the test holds the far end (the "instrument").
class PseudoTerminal {
public:
    PseudoTerminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) {
            path_ = ptsname(master_);
            // Hold the terminal side open in raw mode, as a serial line is.
            hold_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
            termios tio {};
            tcgetattr(hold_, &tio);
            cfmakeraw(&tio);
            tcsetattr(hold_, TCSANOW, &tio);
        }
    }
    ~PseudoTerminal() {
        ::close(hold_);
        ::close(master_);
    }
    [[nodiscard]] const std::string &path() const { return path_; }
    void send(const std::string &bytes) {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    std::string receive(std::size_t count) {
        std::string got;
        char buffer[512];
        pollfd p { master_, POLLIN, 0 };
        while (got.size() < count && ::poll(&p, 1, 1000) > 0) {
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

private:
    int master_ = -1;
    int hold_ = -1;
    std::string path_;
};

class QtSerialPortOnPty : public ::testing::Test {
protected:
    PseudoTerminal pty;
    QtSerialPort port { [this](int) { return pty.path(); } };
};

TEST_F(QtSerialPortOnPty, BytesGoBothWaysUnchanged) {
    port.setCommPort(1);
    port.setSettings("9600,n,8,1");
    port.setHandshaking(0);
    ASSERT_TRUE(port.setPortOpen(true)) << port.openError().detail;
    EXPECT_TRUE(port.portOpen());

    const std::string out = std::string(250, '\xff') + "; 32\r\n";
    port.output(out);
    EXPECT_EQ(pty.receive(out.size()), out);

    // Data arrives while the caller only polls, as the dialogues' busy loops
    // do; no event loop runs.
    pty.send(std::string("\x00\x80\xff>", 4));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (port.inBufferCount() < 4 && std::chrono::steady_clock::now() < until) { }
    EXPECT_EQ(port.inBufferCount(), 4);
    EXPECT_EQ(port.input(), std::string("\x00\x80\xff>", 4));
    EXPECT_EQ(port.inBufferCount(), 0);

    port.setPortOpen(false);
    EXPECT_FALSE(port.portOpen());
    port.setPortOpen(false); // closing a closed port does nothing
}

TEST_F(QtSerialPortOnPty, RtsOnALineWithoutModemLinesIsTolerated) {
    port.setSettings("9600,n,8,1");
    port.setRTSEnable(true);
    ASSERT_TRUE(port.setPortOpen(true)) << port.openError().detail;
    EXPECT_FALSE(port.rtsNote().empty());
}

TEST_F(QtSerialPortOnPty, RtsHandshakingOpens) {
    port.setHandshaking(2);
    port.setSettings("38400,N,8,1");
    ASSERT_TRUE(port.setPortOpen(true)) << port.openError().detail;
    port.output("R\r");
    EXPECT_EQ(pty.receive(2), "R\r");
}

TEST_F(QtSerialPortOnPty, PortHeldByAnotherIsBusy) {
    QtSerialPort other { [this](int) { return pty.path(); } };
    ASSERT_TRUE(other.setPortOpen(true));
    EXPECT_FALSE(port.setPortOpen(true));
    EXPECT_EQ(port.openError().reason, OpenFailure::Busy);
    EXPECT_EQ(port.openError().device, pty.path());
    EXPECT_NE(describeOpenFailure(1, port.openError()).find(pty.path() + " is in use"),
        std::string::npos);
}

TEST_F(QtSerialPortOnPty, SettingsThatAreNotValidDoNotOpen) {
    port.setSettings("9600,Q,8,1");
    EXPECT_FALSE(port.setPortOpen(true));
    EXPECT_EQ(port.openError().reason, OpenFailure::BadSettings);
    EXPECT_FALSE(port.portOpen());
}

TEST(QtSerialPort, MissingDeviceIsAbsent) {
    QtSerialPort port { [](int) { return std::string("/dev/tw-no-such-port"); } };
    EXPECT_FALSE(port.setPortOpen(true));
    EXPECT_EQ(port.openError().reason, OpenFailure::Absent);
    EXPECT_EQ(describeOpenFailure(2, port.openError())
                  .rfind("Comm Port 2 cannot be opened: /dev/tw-no-such-port does not exist", 0),
        0u);

    const RuntimeFolder runtime("/run/user/4242");
    QtSerialPort none { [](int) { return std::string(); } };
    none.setCommPort(4);
    EXPECT_FALSE(none.setPortOpen(true));
    EXPECT_EQ(none.openError().reason, OpenFailure::Absent);
    EXPECT_EQ(describeOpenFailure(4, none.openError()),
        "Comm Port 4 cannot be opened: no serial device found (looked for "
        "/run/user/4242/tintwise/port4, /dev/ttyUSB3, /dev/ttyACM3, /dev/ttyS3)");
}

// The program's own locator finds a port the user linked in the runtime
// folder before any device in /dev (of which /dev/ttyS0 exists on most
// machines), and opens it; without the link the port leads elsewhere.
TEST(SystemPortLocator, FindsTheUsersOwnLinkBeforeTheDevices) {
    const std::filesystem::path runtime
        = std::filesystem::temp_directory_path() / ("tw_runtime_" + std::to_string(::getpid()));
    std::filesystem::remove_all(runtime);
    std::filesystem::create_directories(runtime / "tintwise");
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    std::filesystem::permissions(runtime / "tintwise", std::filesystem::perms::owner_all);
    const RuntimeFolder folder(runtime.string());
    PseudoTerminal pty;
    std::filesystem::create_symlink(pty.path(), runtime / "tintwise" / "port1");

    const PortLocator locate = systemPortLocator();
    EXPECT_EQ(locate(1), std::filesystem::canonical(pty.path()).string());
    QtSerialPort port;
    port.setCommPort(1);
    ASSERT_TRUE(port.setPortOpen(true)) << port.openError().detail;
    port.output("hello");
    EXPECT_EQ(pty.receive(5), "hello");
    port.setPortOpen(false);

    std::filesystem::remove(runtime / "tintwise" / "port1");
    EXPECT_NE(locate(1), std::filesystem::canonical(pty.path()).string());
    std::filesystem::remove_all(runtime);
}
#endif

} // namespace
} // namespace tw::services
