// What the converter writes: the formats with their header rows, machine
// numbers with a zero before the point and a fixed number of decimals, and
// a notation that to-xyz reads back.
#include "app/convert_cli.h"

#include "convert_test_support.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <sstream>

namespace tw::app {
namespace {

using testing::convertOne;
using testing::runProgram;

std::vector<double> numbers(const std::string &line) {
    std::istringstream in(line);
    std::vector<double> out;
    for (double v; in >> v;) {
        out.push_back(v);
    }
    return out;
}

// The fixed form against std::to_chars over floats of every size and each
// number of decimals.
TEST(ConvertOutput, FixedNumbersAsToCharsWritesThem) {
    std::mt19937 random(1234);
    std::uniform_real_distribution<float> usual(-1100.0f, 1100.0f);
    std::vector<double> values { 0.0, -0.0, 0.5, -0.5, 1.5, 2.5, 0.125, 0.00005, 1e-7, 1e30, -1e30,
        123456.789, 0.1, 1.0 / 3.0 };
    for (int i = 0; i < 30000; ++i) {
        values.push_back(usual(random));
        std::uint32_t bits = random();
        float any = 0.0f;
        std::memcpy(&any, &bits, sizeof any);
        if (std::isfinite(any)) {
            values.push_back(any);
        }
        // Halves at the last decimal shown.
        values.push_back(static_cast<float>(std::floor(usual(random) * 100.0f) + 0.5f) / 100.0f);
    }
    for (const double v : values) {
        for (int decimals = 0; decimals <= 9; ++decimals) {
            std::string mine;
            appendFixed(mine, v, decimals);
            char buffer[400];
            const auto r = std::to_chars(
                buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
            ASSERT_EQ(mine, std::string(buffer, r.ptr)) << v << " with " << decimals;
        }
    }
}

TEST(ConvertOutput, CielabWithAZeroBeforeThePoint) {
    bool ok = false;
    // A near-neutral: a* and b* below one in size.
    const std::string lab = convertOne({ "to-lab" }, "N 5/", ok);
    ASSERT_TRUE(ok);
    std::istringstream in(lab);
    std::string L, a, b;
    in >> L >> a >> b;
    for (const std::string &t : { a, b }) {
        EXPECT_TRUE(t.rfind("0.", 0) == 0 || t.rfind("-0.", 0) == 0) << lab;
        EXPECT_EQ(t.size() - t.find('.'), 3u) << lab;
    }
    EXPECT_EQ(convertOne({ "to-lab", "--decimals", "4" }, "5R 5/10", ok).find(".") + 5,
        convertOne({ "to-lab", "--decimals", "4" }, "5R 5/10", ok).find(" "));
}

TEST(ConvertOutput, DecimalsOfEveryNumber) {
    bool ok = false;
    const std::vector<double> four = numbers(convertOne({ "to-xyz" }, "5R 5/10", ok));
    const std::string two = convertOne({ "to-xyz", "--decimals=2" }, "5R 5/10", ok);
    const std::vector<double> twoNumbers = numbers(two);
    ASSERT_EQ(twoNumbers.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(twoNumbers[i], four[i], 0.005 + 1e-9) << two;
    }
    EXPECT_EQ(std::count(two.begin(), two.end(), '.'), 5);
    EXPECT_EQ(
        convertOne({ "to-xyz", "--decimals", "0" }, "5R 5/10", ok).find('.'), std::string::npos);
    ConvertOptions options;
    std::string error;
    EXPECT_FALSE(parseConvertArguments({ "to-xyz", "--decimals", "10" }, options, error));
    EXPECT_FALSE(parseConvertArguments({ "to-xyz", "--decimals", "1.5" }, options, error));
}

// to-munsell's notation reads back into to-xyz: with --exact it comes back
// to the X Y Z it came from.
TEST(ConvertOutput, NotationsRoundTrip) {
    bool ok = false;
    for (const char *notation :
        { "5R 5/10", "2.5YR 6/4", "7.5PB 3.5/20", "10GY 8/6", "N 5/", "5RP 2.25/3", "N 8.75/" }) {
        const std::string xyz = convertOne({ "to-xyz" }, notation, ok);
        ASSERT_TRUE(ok) << notation;
        const std::vector<double> in = numbers(xyz);
        const std::string threeNumbers
            = xyz.substr(0, xyz.find(' ', xyz.find(' ', xyz.find(' ') + 1) + 1));
        const std::string written
            = convertOne({ "to-munsell", "--exact", "--notation" }, threeNumbers, ok);
        ASSERT_TRUE(ok) << notation << ": " << written;
        const std::vector<double> back = numbers(convertOne({ "to-xyz" }, written, ok));
        ASSERT_TRUE(ok) << written;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(back[i], in[i], 2e-3) << notation << " -> " << written;
        }
    }
    // A grey comes back written N.
    const std::string grey = convertOne({ "to-xyz" }, "N 5/", ok);
    const std::string xyz = grey.substr(0, grey.rfind(' ', grey.rfind(' ') - 1));
    EXPECT_EQ(convertOne({ "to-munsell", "--notation", "--decimals", "2" }, xyz, ok), "N 5.00/");
}

// The whole way through the program: to-munsell | to-xyz, plain with
// --notation and csv with its notation column.
TEST(ConvertOutput, ToMunsellPipesIntoToXyz) {
    for (const char *munsell : { "to-munsell --exact --notation", "to-munsell --exact --format csv",
             "to-munsell --exact --format=tsv" }) {
        const testing::ProgramRun run = testing::runShell("printf '"
            + std::string("29.0765 19.7661 12.4097\\n32.9914 30.0529 23.6384\\n") + "' | \"$TW\" "
            + munsell + " | \"$TW\" to-xyz --format csv");
        EXPECT_EQ(run.status, 0) << munsell << ": " << run.err;
        // The csv and tsv rows pass the columns before the notation through;
        // X Y Z x y are the last five.
        std::istringstream lines(run.out);
        std::string header, first, second;
        std::getline(lines, header);
        std::getline(lines, first);
        std::getline(lines, second);
        EXPECT_EQ(header.substr(header.size() - 9), "X,Y,Z,x,y") << munsell;
        const auto lastFive = [](const std::string &row) {
            std::string tail = row;
            std::size_t at = tail.size();
            for (int i = 0; i < 5 && at != std::string::npos; ++i) {
                at = tail.rfind(',', at - 1);
            }
            tail = at == std::string::npos ? tail : tail.substr(at + 1);
            std::replace(tail.begin(), tail.end(), ',', ' ');
            return numbers(tail);
        };
        const std::vector<double> a = lastFive(first);
        const std::vector<double> b = lastFive(second);
        ASSERT_EQ(a.size(), 5u) << munsell << ": " << run.out;
        ASSERT_EQ(b.size(), 5u) << munsell << ": " << run.out;
        EXPECT_NEAR(a[0], 29.0765, 2e-3);
        EXPECT_NEAR(a[1], 19.7661, 2e-3);
        EXPECT_NEAR(b[2], 23.6384, 2e-3);
    }
}

TEST(ConvertOutput, CsvAndTsvRowsKeepTheirColumnsOnAFailure) {
    const testing::ProgramRun csv
        = runProgram("to-rgb --format csv --id-columns 1", "a 5R 5/10\nb 5R 12/4\n");
    std::istringstream lines(csv.out);
    std::string header, good, bad;
    std::getline(lines, header);
    std::getline(lines, good);
    std::getline(lines, bad);
    EXPECT_EQ(header, "id,R,G,B");
    EXPECT_EQ(std::count(good.begin(), good.end(), ','), 3) << good;
    EXPECT_EQ(bad, "b,ERR out of the Munsell range: Value above 10,,");
    const testing::ProgramRun tsv = runProgram("to-munsell --format tsv", "1 2\n");
    EXPECT_EQ(tsv.out,
        "hue\thue_number\tvalue\tchroma\tnotation\n"
        "ERR expected three numbers X Y Z, each within -1000 to 1000\t\t\t\t\n");
    // A reason that holds the separator is quoted.
    const testing::ProgramRun quoted = runProgram("to-munsell --format csv", "1 2\n");
    EXPECT_NE(quoted.out.find("\"ERR expected three numbers X Y Z, each within -1000 to 1000\""),
        std::string::npos)
        << quoted.out;
}

} // namespace
} // namespace tw::app

namespace tw::app {
namespace {

// A row's notation says what its numbers say, digit for digit.
TEST(ConvertOutput, TheNotationColumnAgreesWithTheNumbers) {
    std::mt19937 random(77);
    std::uniform_real_distribution<float> Y(3.0f, 80.0f), x(0.25f, 0.4f), y(0.27f, 0.42f);
    std::string input;
    for (int i = 0; i < 400; ++i) {
        const float yy = Y(random), xs = x(random), ys = y(random);
        input += std::to_string(xs * yy / ys) + " " + std::to_string(yy) + " "
            + std::to_string((1 - xs - ys) * yy / ys) + "\n";
    }
    for (const char *decimals : { "4", "2", "1" }) {
        const testing::ProgramRun run
            = runProgram(std::string("to-munsell --format csv --decimals ") + decimals, input);
        std::istringstream lines(run.out);
        std::string line;
        std::getline(lines, line);
        int rows = 0;
        while (std::getline(lines, line)) {
            if (line.rfind("ERR", 0) == 0) {
                continue;
            }
            std::vector<std::string> f;
            std::istringstream fields(line);
            for (std::string part; std::getline(fields, part, ',');) {
                f.push_back(part);
            }
            ASSERT_EQ(f.size(), 5u) << line;
            const std::string &notation = f[4];
            if (notation.rfind("N ", 0) == 0) {
                EXPECT_EQ(notation, "N " + f[2] + "/") << line;
                continue;
            }
            // "STEPfamily VALUE/CHROMA"
            const std::size_t blank = notation.find(' ');
            EXPECT_EQ(notation.substr(blank + 1), f[2] + "/" + f[3]) << line;
            // The step is the hue number less its family's tens, digit for
            // digit (10.00 for the last hue of a family).
            const std::string &hue = f[1];
            const std::size_t point = hue.find('.');
            const long whole = std::stol(hue.substr(0, point));
            const long family
                = static_cast<long>(std::max(0.0, std::floor((std::stod(hue) - 0.001) / 10.0)));
            const std::string step = std::to_string(whole - 10 * family)
                + (point == std::string::npos ? "" : hue.substr(point));
            EXPECT_EQ(notation.substr(0, step.size()), step) << line;
            EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(notation[step.size()]))) << line;
            ++rows;
        }
        EXPECT_GT(rows, 300) << decimals;
    }
}

} // namespace
} // namespace tw::app
