// Where the converter reads and writes: FILE operands and standard input,
// -o, options anywhere on the line, write errors, and lines that go out one
// by one to a co-process.
#include "app/convert_cli.h"

#include "convert_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tw::app {
namespace {

using testing::runProgram;
using testing::runShell;
using testing::ScratchFolder;

std::string xyzOf(const std::string &notation) {
    bool ok = false;
    return testing::convertOne({ "to-xyz" }, notation, ok) + "\n";
}

TEST(ConvertFiles, OperandsInTheirOrderWithStandardInputAsDash) {
    ScratchFolder folder;
    folder.write("a.txt", "5R 5/10\n");
    folder.write("b.txt", "N 5/\n");
    const testing::ProgramRun run
        = runShell("printf '2.5YR 6/4\\n' | \"$TW\" to-xyz a.txt - b.txt", folder.path());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, xyzOf("5R 5/10") + xyzOf("2.5YR 6/4") + xyzOf("N 5/"));
    // A file's failures name it.
    folder.write("bad.txt", "5R 5/10\n5Q 5/10\n");
    const testing::ProgramRun bad = runShell("\"$TW\" to-xyz bad.txt", folder.path());
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err.rfind("tintwise-convert: bad.txt: line 2: ", 0), 0u) << bad.err;
}

TEST(ConvertFiles, AnInputThatCannotBeReadStopsTheRunBeforeAnyOutput) {
    ScratchFolder folder;
    folder.write("a.txt", "5R 5/10\n");
    const testing::ProgramRun run
        = runShell("\"$TW\" to-xyz a.txt missing.txt -o out.txt", folder.path());
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("missing.txt"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(folder.read("out.txt").empty());
    // Names the system cannot look up, or that name a folder: said, not
    // thrown.
    const std::string tooLong(300, 'a');
    for (const std::string &name : { tooLong, "a.txt/" + tooLong, std::string(".") }) {
        const testing::ProgramRun bad
            = runShell("\"$TW\" to-xyz a.txt " + name + " -o out.txt", folder.path());
        EXPECT_EQ(bad.status, 2) << name;
        EXPECT_EQ(bad.err.rfind("tintwise-convert: cannot read \"" + name + "\": ", 0), 0u)
            << bad.err;
        EXPECT_TRUE(folder.read("out.txt").empty());
    }
}

TEST(ConvertFiles, AnInputThatBreaksOffLeavesTheOutputAsItWas) {
    ScratchFolder folder;
    folder.write("out.txt", "earlier\n");
    ::mkdir((folder.path() + "/folder").c_str(), 0755);
    // Standard input that is a folder: it opens, and its first read fails.
    for (const char *script : { "\"$TW\" to-xyz -o out.txt < folder",
             "printf '5R 5/10\\n' > a.txt; \"$TW\" to-xyz a.txt - -o out.txt < folder",
             "\"$TW\" to-munsell -o out.txt < folder" }) {
        const testing::ProgramRun run = runShell(script, folder.path());
        EXPECT_EQ(run.status, 2) << script;
        EXPECT_NE(run.err.find("cannot read standard input: "), std::string::npos)
            << script << ": " << run.err;
        EXPECT_EQ(folder.read("out.txt"), "earlier\n") << script;
    }
    // Onto standard output what came before still goes out.
    const testing::ProgramRun piped = runShell("\"$TW\" to-xyz a.txt - < folder", folder.path());
    EXPECT_EQ(piped.status, 2);
    EXPECT_EQ(piped.out, xyzOf("5R 5/10"));
    // A CGATS file refused whole does not replace the output by one
    // without it.
    folder.write("cut.ti3", "CTI3\nBEGIN_DATA_FORMAT\nSAMPLE_ID XYZ_X XYZ_Y XYZ_Z\n");
    folder.write("good.ti3",
        "CTI3\nBEGIN_DATA_FORMAT\nSAMPLE_ID XYZ_X XYZ_Y XYZ_Z\nEND_DATA_FORMAT\n"
        "BEGIN_DATA\nA 30 20 10\nEND_DATA\n");
    for (const char *args : { "cut.ti3", "good.ti3 cut.ti3", "- < cut.ti3" }) {
        const testing::ProgramRun run
            = runShell("\"$TW\" to-munsell -o out.txt " + std::string(args), folder.path());
        EXPECT_EQ(run.status, 1) << args;
        EXPECT_NE(run.err.find("END_DATA_FORMAT"), std::string::npos) << args << ": " << run.err;
        EXPECT_EQ(folder.read("out.txt"), "earlier\n") << args;
    }
    const testing::ProgramRun left = runShell("ls", folder.path());
    EXPECT_EQ(left.out, "a.txt\ncut.ti3\nfolder\ngood.ti3\nout.txt\n");
}

TEST(ConvertFiles, OutputOptionInEverySpellingAndPlace) {
    ScratchFolder folder;
    folder.write("in.txt", "5R 5/10\n");
    for (const char *args : { "to-xyz in.txt -o out.txt", "to-xyz -oout.txt in.txt",
             "-o out.txt to-xyz in.txt", "to-xyz --output=out.txt in.txt",
             "to-xyz --out out.txt in.txt", "--illum C to-xyz in.txt -oout.txt" }) {
        const testing::ProgramRun run
            = runShell("rm -f out.txt; \"$TW\" " + std::string(args), folder.path());
        EXPECT_EQ(run.status, 0) << args << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << args;
        EXPECT_EQ(folder.read("out.txt"), xyzOf("5R 5/10")) << args;
    }
}

TEST(ConvertFiles, AnOutputThatIsAnInputIsRefusedBeforeAnythingIsWritten) {
    ScratchFolder folder;
    const std::string list = "5R 5/10\nN 5/\n";
    folder.write("list.txt", list);
    folder.write("other.txt", "2.5YR 6/4\n");
    // The same file under its own name, another spelling, a link to it, a
    // second name of it, and as standard input.
    for (const char *script :
        { "\"$TW\" to-xyz list.txt -o list.txt", "\"$TW\" to-xyz other.txt ./list.txt -o list.txt",
            "ln -sf list.txt link.txt; \"$TW\" to-xyz link.txt -o list.txt",
            "ln -f list.txt hard.txt; \"$TW\" to-xyz other.txt -o hard.txt list.txt",
            "\"$TW\" to-xyz -o list.txt < list.txt",
            "\"$TW\" to-xyz other.txt - -o \"$PWD/list.txt\" < list.txt" }) {
        const testing::ProgramRun run = runShell(script, folder.path());
        EXPECT_EQ(run.status, 2) << script;
        EXPECT_NE(run.err.find("list.txt"), std::string::npos) << script << ": " << run.err;
        EXPECT_TRUE(run.out.empty()) << script;
        EXPECT_EQ(folder.read("list.txt"), list) << script;
        EXPECT_EQ(folder.read("other.txt"), "2.5YR 6/4\n") << script;
    }
    // Nothing was left beside it either.
    const testing::ProgramRun left = runShell("ls", folder.path());
    EXPECT_EQ(left.out, "hard.txt\nlink.txt\nlist.txt\nother.txt\n");
    // A device read and written is no file replaced: it still runs.
    const testing::ProgramRun device
        = runShell("\"$TW\" to-xyz -o /dev/null < /dev/null", folder.path());
    EXPECT_EQ(device.status, 0) << device.err;
}

TEST(ConvertFiles, WriteErrorsAreSaid) {
    for (const char *args : { "to-xyz", "--help", "--version", "to-xyz -o /dev/full" }) {
        const testing::ProgramRun run
            = runShell("printf '5R 5/10\\n' | \"$TW\" " + std::string(args) + " > /dev/full");
        EXPECT_EQ(run.status, 1) << args;
        EXPECT_NE(run.err.find("write error"), std::string::npos) << args << ": " << run.err;
    }
    // The import's count of colours, the file it wrote being whole.
    const testing::ProgramRun import = runShell("printf '5R\\t4\\t6\\r\\n' > steps.txt; "
                                                "\"$TW\" import 3 > /dev/full; echo \" $?\" >&2");
    EXPECT_NE(import.err.find("write error: No space left on device"), std::string::npos)
        << import.err;
    EXPECT_EQ(import.err.substr(import.err.size() - 3), " 1\n") << import.err;
    // An output folder that does not exist.
    const testing::ProgramRun missing
        = runShell("printf '5R 5/10\\n' | \"$TW\" to-xyz -o /nonexistent/out.txt");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("/nonexistent/out.txt"), std::string::npos) << missing.err;
    // A reader that goes away ends the program as it ends any filter, by
    // SIGPIPE, without a message.
    const testing::ProgramRun closed
        = runShell("yes '5R 5/10' | head -200000 | \"$TW\" to-xyz | head -1 >/dev/null; "
                   "echo \"${PIPESTATUS:-}\"");
    EXPECT_EQ(closed.status, 0);
    EXPECT_TRUE(closed.err.empty()) << closed.err;
}

// The program as a co-process: a line in, its answer out, before the input
// ends.
class CoProcess {
public:
    explicit CoProcess(const std::vector<std::string> &args) {
        int in[2], out[2];
        EXPECT_EQ(::pipe(in), 0);
        EXPECT_EQ(::pipe(out), 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(in[0], 0);
            ::dup2(out[1], 1);
            ::close(in[1]);
            ::close(out[0]);
            std::vector<char *> argv { const_cast<char *>(TW_CONVERT_EXE) };
            for (const std::string &a : args) {
                argv.push_back(const_cast<char *>(a.c_str()));
            }
            argv.push_back(nullptr);
            ::execv(TW_CONVERT_EXE, argv.data());
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        toChild_ = in[1];
        fromChild_ = out[0];
    }
    ~CoProcess() {
        ::close(toChild_);
        ::close(fromChild_);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    void send(const std::string &line) {
        EXPECT_EQ(::write(toChild_, line.data(), line.size()), static_cast<ssize_t>(line.size()));
    }
    // One line of the answer, or "" when none comes within two seconds.
    std::string receive() {
        std::string line;
        char c = 0;
        for (;;) {
            pollfd p { fromChild_, POLLIN, 0 };
            if (::poll(&p, 1, 2000) <= 0 || ::read(fromChild_, &c, 1) != 1) {
                return "";
            }
            if (c == '\n') {
                return line;
            }
            line += c;
        }
    }

private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
};

TEST(ConvertCoProcess, EachAnswerComesBeforeTheNextQuestion) {
    CoProcess child({ "to-xyz", "--table", std::string(TW_DATA_DIR) + "/Muncie.dat" });
    child.send("5R 5/10\n");
    EXPECT_EQ(child.receive() + "\n", xyzOf("5R 5/10"));
    child.send("N 5/\n");
    EXPECT_EQ(child.receive() + "\n", xyzOf("N 5/"));
    child.send("# a comment\n");
    EXPECT_EQ(child.receive(), "# a comment");
}

TEST(ConvertCoProcess, CsvHeaderAndRowsEachAtOnce) {
    CoProcess child({ "to-munsell", "--format=csv", "--notation", "--table",
        std::string(TW_DATA_DIR) + "/Muncie.dat" });
    child.send("30 20 10\n");
    EXPECT_EQ(child.receive(), "notation");
    EXPECT_EQ(child.receive().find("R "), 6u);
}

} // namespace
} // namespace tw::app
