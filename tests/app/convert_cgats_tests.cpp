// CGATS files through to-munsell (tests/app/cgats, made by make_samples.py
// there): the same six colours as spectra in percent and as factors over a
// narrower range, as X Y Z and L*a*b* under C, as X Y Z under D50 and under
// a white of their own; each gives every sample the same notation with its
// identifiers. Files the converter must refuse say why, with their line.
#include "convert_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <sstream>

namespace tw::app {
namespace {

const std::string cgatsDir = TW_CGATS_DIR;

struct Notation {
    double H = 0, V = 0, C = 0;
};

// SAMPLE_ID -> hue number, Value, Chroma from csv rows.
std::map<std::string, Notation> samples(const std::string &csv) {
    std::map<std::string, Notation> out;
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line); // header
    while (std::getline(lines, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string part; std::getline(fields, part, ',');) {
            f.push_back(part);
        }
        if (f.size() >= 5) {
            // id[, name], hue, hue_number, value, chroma, notation
            const std::size_t n = f.size();
            out[f[0]] = { std::stod(f[n - 4]), std::stod(f[n - 3]), std::stod(f[n - 2]) };
        }
    }
    return out;
}

testing::ProgramRun run(const std::string &args) {
    return testing::runShell(
        "\"$TW\" " + args + " --table \"" + std::string(TW_DATA_DIR) + "/Muncie.dat\"", cgatsDir);
}

TEST(ConvertCgats, EveryFormOfTheSameColoursGivesTheSameNotations) {
    const testing::ProgramRun reference = run("to-munsell --format csv reflectances.ti3");
    ASSERT_EQ(reference.status, 0) << reference.err;
    const std::map<std::string, Notation> expected = samples(reference.out);
    ASSERT_EQ(expected.size(), 6u) << reference.out;
    for (const char *file : { "reflectances-factors.txt", "xyz-c.cgats", "lab-c.cgats", "xyz-d50.cgats",
             "xyz-d65-2.cgats" }) {
        const testing::ProgramRun r = run(std::string("to-munsell --format=csv ") + file);
        EXPECT_EQ(r.status, 0) << file << ": " << r.err;
        const std::map<std::string, Notation> got = samples(r.out);
        ASSERT_EQ(got.size(), expected.size()) << file << ":\n" << r.out;
        for (const auto &[id, n] : expected) {
            const Notation &g = got.at(id);
            EXPECT_NEAR(g.V, n.V, 0.005) << file << " " << id;
            EXPECT_NEAR(g.C, n.C, 0.05) << file << " " << id;
            if (n.C > 1.0) {
                EXPECT_NEAR(g.H, n.H, 0.1) << file << " " << id;
            }
        }
    }
    // The spectra in percent over 380 to 730 nm and as factors over 400 to
    // 700 nm, the curves flat beyond 400 and 700: the same sums exactly.
    const std::string factors = run("to-munsell --notation reflectances-factors.txt").out;
    const std::string percent = run("to-munsell --notation reflectances.ti3").out;
    EXPECT_EQ(factors.substr(0, factors.find('\n')), "R1 8.9292R 4.9832/10.7731");
    EXPECT_EQ(percent.substr(0, percent.find('\n')), "R1 \"brick red\" 8.9292R 4.9832/10.7731");
}

TEST(ConvertCgats, TheWhiteTheFileStatesOrTheIlluminantGiven) {
    // Without a white of its own the file's X Y Z are the --illuminant's.
    const testing::ProgramRun d50 = testing::runShell(
        "grep -v WHITE_POINT xyz-d50.cgats | \"$TW\" to-munsell --illuminant D50 --table \""
            + std::string(TW_DATA_DIR) + "/Muncie.dat\"",
        cgatsDir);
    EXPECT_EQ(d50.status, 0) << d50.err;
    EXPECT_EQ(d50.out, run("to-munsell xyz-d50.cgats").out);
    // Read as illuminant C instead, they are other colours.
    const testing::ProgramRun asC
        = testing::runShell("grep -v WHITE_POINT xyz-d50.cgats | \"$TW\" to-munsell --table \""
                + std::string(TW_DATA_DIR) + "/Muncie.dat\"",
            cgatsDir);
    EXPECT_NE(asC.out, d50.out);
}

TEST(ConvertCgats, FoundByItsFirstLineOnStandardInput) {
    const testing::ProgramRun piped = testing::runShell("\"$TW\" to-munsell - --table \""
            + std::string(TW_DATA_DIR) + "/Muncie.dat\" < xyz-c.cgats",
        cgatsDir);
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, run("to-munsell xyz-c.cgats").out);
    EXPECT_EQ(std::count(piped.out.begin(), piped.out.end(), '\n'), 6);
}

TEST(ConvertCgats, WhatIsRefusedSaysWhyWithItsLine) {
    const testing::ProgramRun spacing = run("to-munsell spacing-20nm.cgats");
    EXPECT_EQ(spacing.status, 1);
    EXPECT_EQ(spacing.err,
        "tintwise-convert: spacing-20nm.cgats: line 9: the spectra must be 10 nm apart; this "
        "file's are 20 nm apart at 380 nm\n");
    EXPECT_TRUE(spacing.out.empty());
    const testing::ProgramRun range = run("to-munsell range-420-680.cgats");
    EXPECT_EQ(range.status, 1);
    EXPECT_NE(range.err.find("must cover 400 to 700 nm at least; this file's cover 420 to 680 nm"),
        std::string::npos)
        << range.err;
    // A sample that is no colour: its row says so, the others convert.
    testing::ScratchFolder folder;
    folder.write("one-bad.cgats",
        "CGATS.17\nBEGIN_DATA_FORMAT\nSAMPLE_ID XYZ_X XYZ_Y XYZ_Z\nEND_DATA_FORMAT\n"
        "BEGIN_DATA\nA 30 20 10\nB 30 x 10\nC 0 0 0\nEND_DATA\n");
    const testing::ProgramRun bad = testing::runShell(
        "\"$TW\" to-munsell one-bad.cgats --table \"" + std::string(TW_DATA_DIR) + "/Muncie.dat\"",
        folder.path());
    EXPECT_EQ(bad.status, 1);
    std::istringstream rows(bad.out);
    std::string a, b, c;
    std::getline(rows, a);
    std::getline(rows, b);
    std::getline(rows, c);
    EXPECT_EQ(a.rfind("A 6.64R ", 0), 0u) << bad.out;
    EXPECT_EQ(b, "B ERR X, Y and Z must be numbers within -1000 to 1000");
    EXPECT_EQ(c, "C ERR no light: X + Y + Z must be positive");
    EXPECT_EQ(bad.err,
        "tintwise-convert: one-bad.cgats: line 7: X, Y and Z must be numbers within -1000 to "
        "1000\ntintwise-convert: one-bad.cgats: line 8: no light: X + Y + Z must be positive\n");
    // A file cut short.
    folder.write("cut.ti3", "CTI3\nBEGIN_DATA_FORMAT\nSAMPLE_ID XYZ_X XYZ_Y XYZ_Z\n");
    const testing::ProgramRun cut = testing::runShell(
        "\"$TW\" to-munsell cut.ti3 --table \"" + std::string(TW_DATA_DIR) + "/Muncie.dat\"",
        folder.path());
    EXPECT_EQ(cut.status, 1);
    EXPECT_NE(cut.err.find("line 2: CGATS: no END_DATA_FORMAT"), std::string::npos) << cut.err;
}

} // namespace
} // namespace tw::app
