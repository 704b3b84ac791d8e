#include "tools/muncie/muncie_builder.h"

#include "tools/muncie/muncie_table.h"

#include "testing/disk_full.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace tw::tools {
namespace {

namespace fs = std::filesystem;

constexpr const char *kGoodCsv = "hue,value,chroma,x,y,Y\n5R,5.0,10.0,0.4747,0.3227,19.77\n";

std::string readFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void writeFile(const fs::path &path, const std::string &text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Each test works in its own folder under the build tree.
class MuncieBuilderTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::current_path() / "muncie_builder_tmp"
            / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    int run(const fs::path &input, const fs::path &output) {
        return runMuncieBuilder({ input.string(), output.string() }, err);
    }

    fs::path dir;
    std::ostringstream err;
};

TEST_F(MuncieBuilderTest, WritesTheTableTextUnchanged) {
    writeFile(dir / "in.csv", kGoodCsv);
    ASSERT_EQ(run(dir / "in.csv", dir / "Muncie.dat"), 0) << err.str();
    std::istringstream csv(kGoodCsv);
    EXPECT_EQ(readFile(dir / "Muncie.dat"), muncieText(buildMuncieTable(csv).table));
    EXPECT_EQ(err.str(), "");
}

TEST_F(MuncieBuilderTest, FaultNamesFileAndLineAndKeepsTheOldOutput) {
    writeFile(dir / "bad.csv", "hue,value,chroma,x,y\n5R,5,2,0.3,0.3\n5R,5,4,0.3;0.3\n");
    writeFile(dir / "Muncie.dat", "old");
    EXPECT_EQ(run(dir / "bad.csv", dir / "Muncie.dat"), 1);
    EXPECT_EQ(err.str().rfind((dir / "bad.csv").string() + ":3: ", 0), 0u) << err.str();
    EXPECT_EQ(readFile(dir / "Muncie.dat"), "old");
    EXPECT_FALSE(fs::exists(dir / "Muncie.dat.part"));
}

TEST_F(MuncieBuilderTest, UnwritableOutputFails) {
    writeFile(dir / "in.csv", kGoodCsv);
    const fs::path output = dir / "missing-folder" / "Muncie.dat";
    EXPECT_EQ(run(dir / "in.csv", output), 1);
    EXPECT_NE(err.str().find(output.string() + ": cannot write"), std::string::npos) << err.str();
}

TEST_F(MuncieBuilderTest, OutputThatIsAFolderFailsAndLeavesNoTemporary) {
    writeFile(dir / "in.csv", kGoodCsv);
    fs::create_directory(dir / "Muncie.dat");
    EXPECT_EQ(run(dir / "in.csv", dir / "Muncie.dat"), 1);
    EXPECT_NE(err.str().find("cannot write"), std::string::npos) << err.str();
    EXPECT_FALSE(fs::exists(dir / "Muncie.dat.part"));
}

// The table text is about 60 kB: a disk that fills up after 4 kB cuts it
// off, and the old file stays whole, with the reason said.
TEST_F(MuncieBuilderTest, AFullDiskKeepsTheOldOutputWhole) {
    const std::string csv = readFile(TW_DATA_DIR "/munsell-renotation-all.csv");
    writeFile(dir / "in.csv", csv);
    writeFile(dir / "Muncie.dat", "old");
    {
        tw::services::DiskFullAfter full(4096);
        ASSERT_TRUE(full.active());
        EXPECT_EQ(run(dir / "in.csv", dir / "Muncie.dat"), 1);
    }
    EXPECT_NE(err.str().find((dir / "Muncie.dat").string() + ": cannot write: File too large"),
        std::string::npos)
        << err.str();
    EXPECT_EQ(readFile(dir / "Muncie.dat"), "old");
    EXPECT_FALSE(fs::exists(dir / "Muncie.dat.part"));
}

TEST_F(MuncieBuilderTest, MissingInputFails) {
    EXPECT_EQ(run(dir / "none.csv", dir / "Muncie.dat"), 1);
    EXPECT_NE(err.str().find("none.csv: cannot open"), std::string::npos) << err.str();
    EXPECT_FALSE(fs::exists(dir / "Muncie.dat"));
}

TEST_F(MuncieBuilderTest, WrongArgumentCountIsUsageError) {
    EXPECT_EQ(runMuncieBuilder({ "only-one.csv" }, err), 2);
    EXPECT_NE(err.str().find("usage: muncie_builder INPUT.csv OUTPUT.dat"), std::string::npos);
}

// Spot checks of the shipped data/Muncie.dat against rows of the shipped CSV.
struct ShippedCase {
    const char *name;
    const char *csvRow; // the row of data/munsell-renotation-all.csv behind the cell
    int value;
    int hue;
    int chroma;
    int x;
    int y;
};

void PrintTo(const ShippedCase &c, std::ostream *os) {
    *os << c.name;
}

class ShippedMuncieDatTest : public ::testing::TestWithParam<ShippedCase> { };

TEST_P(ShippedMuncieDatTest, CellMatchesTheRenotationRow) {
    const ShippedCase &c = GetParam();
    const std::string csv = readFile(TW_DATA_DIR "/munsell-renotation-all.csv");
    EXPECT_NE(csv.find(std::string("\n") + c.csvRow), std::string::npos) << c.csvRow;

    std::string text = readFile(TW_DATA_DIR "/Muncie.dat");
    for (char &ch : text) {
        ch = (ch == ',' || ch == '\r' || ch == '\n') ? ' ' : ch;
    }
    std::istringstream in(text);
    const std::vector<int> numbers { std::istream_iterator<int>(in), std::istream_iterator<int>() };
    ASSERT_EQ(numbers.size(), 14960u);
    const std::size_t at = static_cast<std::size_t>(((c.value * 40 + c.hue) * 17 + c.chroma) * 2);
    EXPECT_EQ(numbers[at], c.x);
    EXPECT_EQ(numbers[at + 1], c.y);
}

INSTANTIATE_TEST_SUITE_P(Rows, ShippedMuncieDatTest,
    ::testing::Values(
        ShippedCase { "Design5R5Slash10", "5R,5.0,10.0,0.4747,0.3227,", 5, 2, 5, 4747, 3227 },
        ShippedCase { "TenRPIsHueZero", "10RP,5.0,10.0,0.4332,0.2918,", 5, 0, 5, 4332, 2918 },
        ShippedCase { "ValueZeroFromPointTwo", "5R,0.2,2.0,0.5010,0.2040,", 0, 2, 1, 5010, 2040 },
        ShippedCase { "NegativeXEndsRun", "7.5GY,0.2,4.0,-0.0780,2.1600,", 0, 15, 2, 0, 0 }),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace tw::tools
