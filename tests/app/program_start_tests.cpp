// The built tintwise started as from a shell: the command line is checked
// before any window can open.
#include "program_run.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(lines[0].rfind("tintwise: unknown option '--bogus'", 0), 0u) << lines[0];
}

} // namespace
} // namespace tw::app::testing
