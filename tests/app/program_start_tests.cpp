// The built tintwise started as from a shell: the command line is checked
// before any window can open, and --check never waits for one: whatever
// stops the start-up (no home, a home that is missing or read-only, a data
// file that is broken) is printed on standard error and ends the program
// with status 1 at once.
#include "program_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tw::app::testing {
namespace {

const QString program = QStringLiteral(TW_PROGRAM_EXE);

// Were the window to open, the offscreen platform would keep it running
// until the time limit.
const Environment offscreen { { { "QT_QPA_PLATFORM", "offscreen" } }, {} };

TEST(ProgramCommandLine, UnknownOptionIsAUsageErrorWithoutAWindow) {
    const ProgramRun run = runProgram(program, { "--bogus" }, offscreen);
    ASSERT_TRUE(run.finished) << "the window opened";
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    const auto lines = linesOf(run.err);
    ASSERT_EQ(lines.size(), 1u) << run.err;
    EXPECT_EQ(lines[0].rfind("tintwise: unknown option --bogus", 0), 0u) << lines[0];
}

namespace fs = std::filesystem;

// Far more than the start-up takes (a few hundredths of a second) and far
// less than the time limit: a check that waited for anything would show.
constexpr qint64 kPromptMs = 3000;

class ProgramCheck : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("tw_program_check_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "start");
        fs::permissions(root, fs::perms(0755));
    }
    void TearDown() override {
        std::error_code ec;
        for (const auto &entry : fs::recursive_directory_iterator(root, ec)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
        fs::remove_all(root, ec);
    }
    // A folder no one but root may write to; made over to nobody, who runs
    // the program, when the tests run as root.
    fs::path readOnlyFolder(const std::string &name) {
        const fs::path folder = root / name;
        fs::create_directories(folder);
        if (::geteuid() == 0) {
            EXPECT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0);
        }
        fs::permissions(folder, fs::perms(0555));
        return folder;
    }
    ProgramRun check(const Environment &env, bool ordinaryUser = false) {
        ProgramRun run = runProgram(program, { "--check" }, env,
            QString::fromStdString((root / "start").string()), 10000, ordinaryUser);
        EXPECT_TRUE(run.finished) << "--check waited for something";
        EXPECT_LT(run.ms, kPromptMs);
        return run;
    }
    static void expectFailure(const ProgramRun &run, const std::string &said) {
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out.find("Munsell:"), std::string::npos) << run.out;
        EXPECT_EQ(run.err.rfind("tintwise: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(said), std::string::npos) << run.err;
    }

    fs::path root;
};

TEST_F(ProgramCheck, WithoutAHomeItSaysSoAndEnds) {
    const ProgramRun run = check({ {}, { "HOME", "XDG_DATA_HOME" } });
    expectFailure(run, "HOME is set");
}

TEST_F(ProgramCheck, AMissingHomeIsSaidAndNotMade) {
    const fs::path home = root / "gone";
    const ProgramRun run
        = check({ { { "HOME", QString::fromStdString(home.string()) } }, { "XDG_DATA_HOME" } });
    expectFailure(run, home.string() + " does not exist");
    EXPECT_FALSE(fs::exists(home));
}

TEST_F(ProgramCheck, AReadOnlyHomeIsSaid) {
    const fs::path home = readOnlyFolder("home");
    const ProgramRun run = check(
        { { { "HOME", QString::fromStdString(home.string()) } }, { "XDG_DATA_HOME" } }, true);
    expectFailure(run, "Cannot make the folder " + (home / ".local/share/tintwise").string());
}

TEST_F(ProgramCheck, AnXdgDataHomeThatCannotBeWrittenIsSaid) {
    const fs::path data = readOnlyFolder("data");
    const ProgramRun run = check({ { { "XDG_DATA_HOME", QString::fromStdString(data.string()) },
                                       { "HOME", QString::fromStdString(root.string()) } },
                                     {} },
        true);
    expectFailure(run, "Cannot make the folder " + (data / "tintwise").string());
}

TEST_F(ProgramCheck, ABrokenTableInTheStartFolderIsSaid) {
    std::ofstream(root / "start" / "Muncie.dat") << "3101,3163\n";
    const ProgramRun run
        = check({ { { "XDG_DATA_HOME", QString::fromStdString((root / "xdg").string()) } }, {} });
    expectFailure(run, "Muncie.dat");
    EXPECT_NE(run.err.find("cannot start without it"), std::string::npos) << run.err;
}

TEST_F(ProgramCheck, AHealthyStartPrintsItsFindingsWithoutADisplay) {
    // A session's window platform is no matter: the check needs none.
    const ProgramRun run
        = check({ { { "XDG_DATA_HOME", QString::fromStdString((root / "xdg").string()) },
                      { "QT_QPA_PLATFORM", "xcb" } },
            { "DISPLAY", "WAYLAND_DISPLAY" } });
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const auto lines = linesOf(run.out);
    ASSERT_FALSE(lines.empty()) << run.out;
    EXPECT_EQ(lines[0], "working folder: " + (root / "xdg" / "tintwise").string());
    EXPECT_NE(run.out.find("\nMunsell: 5R 5 10\n"), std::string::npos) << run.out;
}

} // namespace
} // namespace tw::app::testing
