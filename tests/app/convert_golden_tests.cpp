// The formats byte for byte: every case of tests/app/golden/cases runs the
// built program with its arguments on its input file and compares standard
// output with the expected file. The expected files were checked by hand;
// a change to any format shows here as a difference to look at.
#include "convert_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tw::app {
namespace {

std::string slurp(const std::string &name) {
    std::ifstream in(std::string(TW_GOLDEN_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Case {
    std::string name, args, input, expected;
};

std::vector<Case> cases() {
    std::vector<Case> out;
    std::istringstream lines(slurp("cases"));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> parts;
        std::istringstream fields(line);
        for (std::string part; std::getline(fields, part, '|');) {
            parts.push_back(part);
        }
        EXPECT_EQ(parts.size(), 4u) << line;
        if (parts.size() == 4) {
            out.push_back({ parts[0], parts[1], parts[2], parts[3] });
        }
    }
    return out;
}

TEST(ConvertGolden, EveryFormatAsExpected) {
    const std::vector<Case> all = cases();
    EXPECT_GE(all.size(), 9u);
    for (const Case &c : all) {
        const testing::ProgramRun run = testing::runProgram(
            c.args + " --table \"" + std::string(TW_DATA_DIR) + "/Muncie.dat\"", slurp(c.input));
        EXPECT_EQ(run.out, slurp(c.expected)) << c.name << ": " << c.args << " < " << c.input;
        EXPECT_LE(run.status, 1) << c.name << ": " << run.err;
    }
}

} // namespace
} // namespace tw::app
