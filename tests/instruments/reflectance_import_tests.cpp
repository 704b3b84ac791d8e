// Measure with "Import": a spectrum text file read through the file dialog,
// on one line or one field to a line, and the ways it can fail.
#include "dialogue_fixture.h"
#include "instruments/reflectance_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tw::instruments::testing {
namespace {

std::string fields(const std::string &name, int count, const std::string &separator) {
    std::string text = name;
    for (int i = 1; i <= count; ++i) {
        text += separator + fixed(curveValue(i), 1, 2);
    }
    return text + "\r\n";
}

TEST(SpectrumText, OneLineAndOneFieldPerLineReadTheSame) {
    engine::Spectrum oneLine {};
    engine::Spectrum perLine {};
    ASSERT_TRUE(readSpectrumText(fields("\"tile, red\"", 40, ","), oneLine));
    ASSERT_TRUE(readSpectrumText(fields("tile red", 40, "\r\n"), perLine));
    EXPECT_EQ(oneLine, perLine);
    for (int i = 1; i <= 40; ++i) {
        EXPECT_EQ(oneLine[i], curveValue(i));
    }
    EXPECT_EQ(oneLine[0], 0.0f);
}

TEST(SpectrumText, DamagedFilesLeaveTheCurveAsItWas) {
    std::string notANumber = fields("x", 40, ",");
    notANumber.replace(notANumber.find("30.00"), 5, "3O.00");
    for (const std::string &text :
        { fields("x", 39, ","), notANumber, std::string(), std::string("name only\r\n") }) {
        engine::Spectrum curve {};
        curve.fill(5);
        EXPECT_FALSE(readSpectrumText(text, curve)) << text;
        for (float value : curve) {
            EXPECT_EQ(value, 5.0f);
        }
    }
}

class Import : public DialogueTest {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path()
            / ("tw_import_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed())
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        host.combo1 = "Import";
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string write(const std::string &contents) {
        const auto path = folder / "sample.txt";
        std::ofstream(path, std::ios::binary) << contents;
        return path.string();
    }

    std::filesystem::path folder;
};

TEST_F(Import, ReadsTheFileAndHandsOffWithoutThePort) {
    dialogs.queueFile(write(fields("red", 40, "\r\n")));
    instruments.Command8_Click();
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].kind, services::ScriptedDialogs::Kind::OpenFile);
    EXPECT_EQ(dialogs.calls()[0].filter, "*.txt|*.txt");
    EXPECT_EQ(instruments.spectrum()[40], curveValue(40));
    EXPECT_EQ(host.handoffs.size(), 1u);
    EXPECT_EQ(host.currentInstrument, "Import");
    EXPECT_TRUE(serial.log().empty());
}

TEST_F(Import, MissingFileIsNotFound) {
    dialogs.queueFile((folder / "absent.txt").string());
    instruments.Command8_Click();
    EXPECT_EQ(boxTexts(), (std::vector<std::string> { "File not found" }));
    EXPECT_TRUE(host.handoffs.empty());
}

TEST_F(Import, FileEndingEarlyOrBeyondAnyColourIsAFormatErrorAndKeepsTheCurve) {
    std::string huge = "huge";
    for (int i = 1; i <= 40; ++i) {
        huge += ",3e38"; // each a float holds; the curve's X, Y, Z none does
    }
    for (const std::string &text : { fields("red", 20, ","), huge }) {
        instruments.spectrum().fill(0);
        instruments.spectrum()[1] = 42;
        dialogs.reset();
        dialogs.queueFile(write(text));
        instruments.Command8_Click();
        EXPECT_EQ(boxTexts(), (std::vector<std::string> { "file import format error" }));
        EXPECT_EQ(instruments.spectrum()[1], 42.0f);
        EXPECT_EQ(instruments.spectrum()[2], 0.0f);
        EXPECT_TRUE(host.handoffs.empty());
    }
}

TEST_F(Import, CancelledFileDialogEndsQuietly) {
    dialogs.queueFile(""); // Cancel
    instruments.Command8_Click();
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_TRUE(host.handoffs.empty());
    EXPECT_FALSE(instruments.busy());
}

} // namespace
} // namespace tw::instruments::testing
