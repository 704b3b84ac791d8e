// The simulator's command line as a user types it: --version and --help
// print and end at once, anything it does not know is a usage error.
#include <QProcess>

#include <gtest/gtest.h>

namespace tw::instruments::testing {
namespace {

struct Ran {
    bool finished = false;
    int status = -1;
    std::string out;
    std::string err;
};

Ran runSimulator(const QStringList &args) {
    QProcess process;
    process.start(TW_SIMULATOR_PATH, args);
    Ran ran;
    ran.finished = process.waitForFinished(5000);
    if (!ran.finished) {
        process.kill();
        process.waitForFinished(2000);
    }
    ran.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    ran.out = process.readAllStandardOutput().toStdString();
    ran.err = process.readAllStandardError().toStdString();
    return ran;
}

class SimulatorCommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::string(TW_SIMULATOR_PATH).empty()) {
            GTEST_SKIP() << "no instrument simulator on this platform";
        }
    }
};

TEST_F(SimulatorCommandLine, VersionPrintsAndEnds) {
    const Ran ran = runSimulator({ "--version" });
    ASSERT_TRUE(ran.finished) << "it started serving instead";
    EXPECT_EQ(ran.status, 0) << ran.err;
    EXPECT_EQ(ran.out, "tintwise-instrument-sim " TW_VERSION "\n");
    EXPECT_EQ(ran.err, "");
}

TEST_F(SimulatorCommandLine, HelpGoesToStandardOutput) {
    const Ran ran = runSimulator({ "--help" });
    ASSERT_TRUE(ran.finished);
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.out.rfind("usage: tintwise-instrument-sim", 0), 0u) << ran.out;
    EXPECT_NE(ran.out.find("--version"), std::string::npos) << ran.out;
    EXPECT_EQ(ran.err, "");
}

TEST_F(SimulatorCommandLine, UnknownOptionIsAUsageError) {
    const Ran ran = runSimulator({ "--versions" });
    ASSERT_TRUE(ran.finished);
    EXPECT_EQ(ran.status, 2);
    EXPECT_EQ(ran.out, "");
    EXPECT_EQ(ran.err.rfind("tintwise-instrument-sim: unknown option --versions\n", 0), 0u)
        << ran.err;
}

} // namespace
} // namespace tw::instruments::testing
