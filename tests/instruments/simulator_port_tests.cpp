// The simulator serving a port of the user's own (--port N), as a user runs
// it: the link to its pseudo-terminal in the runtime folder, made without
// root; a second simulator on the same port refused while the first runs,
// its link untouched; link and lock gone when it is stopped with Ctrl-C or
// kill.
#include "services/serial/user_ports.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <filesystem>

namespace tw::instruments::testing {
namespace {

namespace fs = std::filesystem;

class SimulatorPort : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::string(TW_SIMULATOR_PATH).empty()) {
            GTEST_SKIP() << "no instrument simulator on this platform";
        }
        runtime = fs::temp_directory_path() / ("tw_sim_port_" + std::to_string(::getpid()));
        fs::remove_all(runtime);
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        folder = runtime / "tintwise";
    }
    void TearDown() override {
        for (auto &process : processes) {
            process->kill();
            process->waitForFinished(2000);
        }
        fs::remove_all(runtime);
    }
    // A simulator started with `args` and XDG_RUNTIME_DIR at `runtime`
    // (removed when `runtimeDir` is false); its first line (the terminal's
    // path) is read when it prints one.
    QProcess &start(const QStringList &args, bool runtimeDir = true) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (runtimeDir) {
            env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
        } else {
            env.remove("XDG_RUNTIME_DIR");
        }
        process->setProcessEnvironment(env);
        process->start(TW_SIMULATOR_PATH, args);
        EXPECT_TRUE(process->waitForStarted(5000));
        processes.push_back(std::move(process));
        return *processes.back();
    }
    static std::string firstLine(QProcess &process) {
        while (!process.canReadLine() && process.waitForReadyRead(5000)) { }
        return process.readLine().trimmed().toStdString();
    }

    fs::path runtime;
    fs::path folder;
    std::vector<std::unique_ptr<QProcess>> processes;
};

TEST_F(SimulatorPort, LinksItsTerminalAsTheUsersPort) {
    QProcess &sim = start({ "--port", "3" });
    const std::string terminal = firstLine(sim);
    ASSERT_EQ(terminal.rfind("/dev/pts/", 0), 0u) << terminal;
    EXPECT_EQ(fs::read_symlink(folder / "port3"), terminal);
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
    EXPECT_EQ(services::userPortDevice(folder, 3), fs::canonical(terminal).string());
    EXPECT_EQ(services::userPortHolder(folder, 3), sim.processId());
}

TEST_F(SimulatorPort, StoppedWithCtrlCOrKillItRemovesItsLinkAndLock) {
    for (const int signal : { SIGINT, SIGTERM, SIGHUP }) {
        QProcess &sim = start({ "--port", "2" });
        ASSERT_FALSE(firstLine(sim).empty());
        ASSERT_TRUE(fs::is_symlink(folder / "port2"));
        ::kill(static_cast<pid_t>(sim.processId()), signal);
        ASSERT_TRUE(sim.waitForFinished(5000)) << "signal " << signal;
        EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "port2"))) << "signal " << signal;
        EXPECT_FALSE(fs::exists(folder / "port2.lock")) << "signal " << signal;
    }
}

TEST_F(SimulatorPort, ASecondSimulatorOnTheSamePortIsRefused) {
    QProcess &first = start({ "--port", "1" });
    const std::string terminal = firstLine(first);
    ASSERT_FALSE(terminal.empty());

    QProcess &second = start({ "--port", "1", "--family", "XTH" });
    ASSERT_TRUE(second.waitForFinished(5000)) << "the second simulator serves too";
    EXPECT_NE(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardOutput().toStdString(), "");
    const std::string said = second.readAllStandardError().toStdString();
    EXPECT_EQ(said,
        "tintwise-instrument-sim: port 1 is served by another simulator (process "
            + std::to_string(first.processId()) + ")\n");
    EXPECT_EQ(fs::read_symlink(folder / "port1"), terminal);
    EXPECT_EQ(first.state(), QProcess::Running);

    // Another port is free.
    QProcess &third = start({ "--port", "2" });
    EXPECT_FALSE(firstLine(third).empty());
    EXPECT_TRUE(fs::is_symlink(folder / "port2"));
}

TEST_F(SimulatorPort, OnlyThePortsTheProgramOffersAndOnlyOnItsOwnTerminal) {
    for (const QStringList &args : { QStringList { "--port", "0" }, QStringList { "--port", "5" },
             QStringList { "--port", "2", "--device", "/dev/null" } }) {
        QProcess &sim = start(args);
        ASSERT_TRUE(sim.waitForFinished(5000)) << args.join(' ').toStdString();
        EXPECT_EQ(sim.exitCode(), 2) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(fs::exists(folder)) << "nothing is made for a usage error";
}

} // namespace
} // namespace tw::instruments::testing
