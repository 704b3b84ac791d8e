// The examples of the manual page (app/tintwise-convert.1, EXAMPLES) and of
// the README's section on the converter run as shown: every "$ " line is a
// command (with the lines of a here-document after it), the lines after it
// up to the next command are what it prints, standard output first and then
// standard error. The commands of one document run one after the other in
// one scratch folder, so that a file one example writes is there for the
// next.
#include "convert_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tw::app {
namespace {

struct Example {
    std::string command;
    std::string expected;
};

std::vector<std::string> linesOf(const std::string &path) {
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << path;
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

// The commands and outputs of blocks of example lines.
std::vector<Example> examplesOf(const std::vector<std::vector<std::string>> &blocks) {
    std::vector<Example> out;
    for (const std::vector<std::string> &block : blocks) {
        for (std::size_t i = 0; i < block.size(); ++i) {
            const std::string &line = block[i];
            if (line.rfind("$ ", 0) != 0) {
                EXPECT_FALSE(out.empty()) << "output before any command: " << line;
                if (!out.empty()) {
                    out.back().expected += line + "\n";
                }
                continue;
            }
            Example e { line.substr(2), "" };
            if (const std::size_t here = e.command.find("<<"); here != std::string::npos) {
                std::string word = e.command.substr(here + 2);
                word.erase(0, word.find_first_not_of(" '\""));
                word = word.substr(0, word.find_first_of(" '\""));
                while (++i < block.size()) {
                    e.command += "\n" + block[i];
                    if (block[i] == word) {
                        break;
                    }
                }
            }
            out.push_back(e);
        }
    }
    return out;
}

std::string unescapeRoff(std::string line) {
    std::string out;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) {
            const char c = line[i + 1];
            if (c == 'e') {
                out += '\\';
                ++i;
                continue;
            }
            if (c == '-') {
                out += '-';
                ++i;
                continue;
            }
            if (c == '&') {
                ++i;
                continue;
            }
            if (line.compare(i, 4, "\\(dq") == 0) {
                out += '"';
                i += 3;
                continue;
            }
        }
        out += line[i];
    }
    return out;
}

std::vector<std::vector<std::string>> manExamples() {
    std::vector<std::vector<std::string>> blocks;
    bool inExamples = false;
    bool inBlock = false;
    for (const std::string &line : linesOf(TW_MAN_PAGE)) {
        if (line.rfind(".SH", 0) == 0) {
            inExamples = line.find("EXAMPLES") != std::string::npos;
            continue;
        }
        if (!inExamples) {
            continue;
        }
        if (line == ".nf") {
            inBlock = true;
            blocks.emplace_back();
        } else if (line == ".fi") {
            inBlock = false;
        } else if (inBlock) {
            blocks.back().push_back(unescapeRoff(line));
        }
    }
    return blocks;
}

std::vector<std::vector<std::string>> readmeExamples() {
    std::vector<std::vector<std::string>> blocks;
    bool inSection = false;
    bool inBlock = false;
    for (const std::string &line : linesOf(TW_README)) {
        if (line.rfind("## ", 0) == 0) {
            inSection = line == "## The command-line converter";
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (!inBlock && line == "```sh") {
            inBlock = true;
            blocks.emplace_back();
        } else if (inBlock && line == "```") {
            inBlock = false;
        } else if (inBlock) {
            blocks.back().push_back(line);
        }
    }
    return blocks;
}

void runAll(const std::vector<Example> &examples, const std::string &name) {
    testing::ScratchFolder folder;
    // The README calls the program by its place in the build tree.
    const std::filesystem::path exe(TW_CONVERT_EXE);
    std::filesystem::create_directories(std::filesystem::path(folder.path()) / "build");
    std::filesystem::create_directory_symlink(
        exe.parent_path(), std::filesystem::path(folder.path()) / "build" / "app");
    for (const Example &e : examples) {
        const testing::ProgramRun run = testing::runShell(
            "PATH=\"$(dirname \"$TW\"):$PATH\"; export PATH\n" + e.command + "\n", folder.path());
        EXPECT_EQ(run.out + run.err, e.expected) << name << ": $ " << e.command;
    }
}

TEST(ConvertExamples, TheManualPageShowsWhatTheProgramDoes) {
    const std::vector<Example> examples = examplesOf(manExamples());
    EXPECT_GE(examples.size(), 12u);
    runAll(examples, "tintwise-convert.1");
}

TEST(ConvertExamples, TheReadmeShowsWhatTheProgramDoes) {
    const std::vector<Example> examples = examplesOf(readmeExamples());
    EXPECT_GE(examples.size(), 10u);
    runAll(examples, "README.md");
}

} // namespace
} // namespace tw::app
