// What the batch import does with records that do not convert, with an
// output that is its own input, and with a run that stops: no row ever
// carries another colour's values, and no run leaves a worse file than the
// one it found.
#include "batch/batch_import.h"
#include "batch/import_button.h"
#include "screen_fixture.h"
#include "text/separated.h"
#include "ui/button.h"
#include "ui/textbox.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace tw::batch {
namespace {

using screen::Form1;

std::vector<std::string> rows(const std::string &text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        out.push_back(line);
    }
    return out;
}

class BatchFailureTest : public screen::testing::ScreenTest {
protected:
    Form1 &startWithImport() {
        Form1 &f = start();
        attachImport(f);
        f.Text3->setText("zqk");
        fakes.dialogs.reset();
        return f;
    }
    void press(const std::string &type) {
        fakes.dialogs.queueInput(type);
        QTest::mouseClick(form->import->button(), Qt::LeftButton);
    }
    [[nodiscard]] std::string message() const {
        const std::vector<std::string> shown = fakes.dialogs.messages();
        return shown.empty() ? std::string() : shown.back();
    }
    // tintwise-convert in the test's folder; its exit status.
    [[nodiscard]] int convert(const std::string &args) const {
        const std::string command = "cd '" + folder.string() + "' && " + TW_CONVERT_PATH + " "
            + args + " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

// Bad rows between good ones: each keeps its own input and says ERR and why
// where the results would stand; the good rows are their own colours, as a
// run of the good rows alone gives them; the message names the lines.
TEST_F(BatchFailureTest, ARowThatDoesNotConvertSaysSoInItsPlace) {
    startWithImport();
    writeFile("steps.txt",
        "5R\t4\t6\r\nabc\t4\t6\r\n5X\t4\t6\r\n5R\t12\t6\r\n10YR\t5\t8\r\n"
        "5R\t1e30\t6\r\n5R\t5\t40\r\n");
    press("3");
    const std::vector<std::string> mixed = rows(readFile("stepsMUNSELL.txt"));
    ASSERT_EQ(mixed.size(), 8u);
    const std::string message = this->message();
    EXPECT_NE(message.find("Total colors2"), std::string::npos) << message;
    EXPECT_NE(message.find("5 lines not converted"), std::string::npos) << message;
    EXPECT_NE(message.find("lines 2, 3, 4, 6 and 7"), std::string::npos) << message;

    writeFile("steps.txt", "5R\t4\t6\r\n10YR\t5\t8\r\n");
    press("3");
    const std::vector<std::string> good = rows(readFile("stepsMUNSELL.txt"));
    ASSERT_EQ(good.size(), 3u);
    EXPECT_EQ(mixed[1], good[1]);
    EXPECT_EQ(mixed[5], good[2]) << "10YR 5/8 is not the colour of the rows before it";
    const std::string expected[] = { "abc,4,6,\"ERR hue \"\"abc\"\" has no hue family",
        "5X,4,6,\"ERR hue \"\"5X\"\" has no hue family", "5R,12,6,ERR out of the Munsell range",
        "5R,1e30,6,ERR out of the Munsell range", "5R,5,40,ERR outside the renotation data" };
    const std::size_t at[] = { 2, 3, 4, 6, 7 };
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(mixed[at[i]].rfind(expected[i], 0), 0u) << mixed[at[i]];
        // Every column keeps its place: the nine results stand empty.
        EXPECT_EQ(std::count(mixed[at[i]].begin(), mixed[at[i]].end(), ','), 11) << mixed[at[i]];
    }

    // CIELAB and X, Y, Z lists: no light and words are refused in place.
    writeFile("lab_sRGB.csv", "L,a,b\r\n50,10,10\r\nabc,0,0\r\n");
    press("6");
    const std::vector<std::string> labs = rows(readFile("lab_sRGB.txt"));
    ASSERT_EQ(labs.size(), 3u);
    EXPECT_EQ(labs[2].rfind(" 2 ,\"ERR L*, a* and b* must be numbers", 0), 0u) << labs[2];
    EXPECT_NE(labs[2].find(",abc,0,0,"), std::string::npos) << labs[2];
    // A reason with a comma in it is one field: the row has the columns of
    // a converted one, read as a spreadsheet reads them.
    text::SeparatedLine goodRow;
    text::SeparatedLine failedRow;
    goodRow.split(labs[1], text::Separator::Comma);
    failedRow.split(labs[2], text::Separator::Comma);
    EXPECT_EQ(failedRow.size(), goodRow.size()) << labs[2];
    writeFile("xyz.csv", "Tag,X,Y,Z\r\none,20,18,16\r\nblack,0,0,0\r\nnegative,-5,-5,-5\r\n");
    EXPECT_EQ(convert("import xyz xyz.csv -o pal"), 1) << "a row was not converted";
    const std::vector<std::string> palette = rows(readFile("pal.csv"));
    ASSERT_EQ(palette.size(), 1u) << "no palette row for a colour without a notation";
    EXPECT_NE(palette[0].find("\"one\""), std::string::npos);
}

// An import never writes into a file it reads, however the output is named:
// refused at once, the input untouched.
TEST_F(BatchFailureTest, AnImportNeverWritesIntoItsInput) {
    startWithImport();
    const std::string measured = "Tag,X,Y,Z\r\na,20,18,16\r\nb,40,42,30\r\n";
    writeFile("measured.csv", measured);
    EXPECT_EQ(convert("import xyz measured.csv -o measured"), 2);
    EXPECT_EQ(
        convert("import xyz measured.csv -o ../" + folder.filename().string() + "/measured"), 2);
    std::filesystem::create_symlink(folder / "measured.csv", folder / "link.csv");
    EXPECT_EQ(convert("import xyz measured.csv -o link.csv"), 2);
    EXPECT_EQ(readFile("measured.csv"), measured);
    writeFile("steps.txt", "5R\t4\t6\r\n");
    EXPECT_EQ(convert("import 3 steps.txt -o ./steps.txt"), 2);
    EXPECT_EQ(readFile("steps.txt"), "5R\t4\t6\r\n");

    // In the window: the palette file is the file chosen.
    form->palette().setFileName("measured.csv");
    fakes.dialogs.queueFile((folder / "measured.csv").string());
    press("xyz");
    EXPECT_NE(message().find("would write into the file it reads"), std::string::npos) << message();
    EXPECT_EQ(readFile("measured.csv"), measured);
}

// A run that does not read its whole input (a record cut short, Esc)
// leaves the old output exactly as it was, and says where it stopped.
TEST_F(BatchFailureTest, ARunThatStopsLeavesTheOldOutputAsItWas) {
    Form1 &f = startWithImport();
    writeFile("RHScolorsMUNSELL.txt", "a good old result\r\n");
    writeFile("RHScolors.txt", "G,N,Name,H,V,C\r\nA,1,one,5R,4,6\r\nB,2,two,5R,4\r\n");
    press("2");
    EXPECT_EQ(readFile("RHScolorsMUNSELL.txt"), "a good old result\r\n");
    EXPECT_NE(message().find("Line 3"), std::string::npos) << message();

    std::string steps;
    for (int i = 0; i < 4000; ++i) {
        steps += "5R\t4\t6\r\n";
    }
    writeFile("steps.txt", steps);
    writeFile("stepsMUNSELL.txt", "kept\r\n");
    fakes.dialogs.setOnYield([&f] { QTest::keyClick(&f, Qt::Key_Escape); });
    press("3");
    fakes.dialogs.setOnYield({});
    EXPECT_EQ(readFile("stepsMUNSELL.txt"), "kept\r\n");
    EXPECT_NE(message().find("stopped (Esc)"), std::string::npos) << message();
    EXPECT_FALSE(std::filesystem::exists(folder / "stepsMUNSELL.txt.part"));
}

// A record cut short at a comma is no wrapped record: the next line is a
// record of its own, never the rest of this one (which would make up a
// colour that stands in neither line).
TEST_F(BatchFailureTest, AShortRecordEndingInACommaNeverTakesTheNextLine) {
    startWithImport();
    writeFile("lab_sRGB.csv", "L,a,b\r\n50,\r\n60,10,10\r\n");
    press("6");
    EXPECT_FALSE(std::filesystem::exists(folder / "lab_sRGB.txt"));
    EXPECT_NE(message().find("Line 2 "), std::string::npos) << message();

    std::string spectrum;
    for (int i = 1; i <= 40; ++i) {
        spectrum += std::to_string(10 + i) + ",";
    }
    writeFile("munfile1.txt", "S1,Cloth,red,11,12,\r\nS2,Cloth,blue," + spectrum + "dyed\r\n");
    press("1");
    EXPECT_FALSE(std::filesystem::exists(folder / "munout.txt"));
    EXPECT_NE(message().find("Line 1 "), std::string::npos) << message();
}

// A spectrum wrapped over several lines (each ending with a comma) is one
// record.
TEST_F(BatchFailureTest, AWrappedSpectrumIsOneRecord) {
    startWithImport();
    std::string record = "S1,Cloth,red,";
    for (int i = 1; i <= 40; ++i) {
        record += std::to_string(10 + i);
        record += i % 10 == 0 && i < 40 ? ",\r\n" : ",";
    }
    writeFile("munfile1.txt", record + "dyed\r\n");
    press("1");
    const std::vector<std::string> out = rows(readFile("munout.txt"));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[1].find("ERR"), std::string::npos) << out[1];
    EXPECT_NE(out[1].find("dyed"), std::string::npos) << out[1];
}

} // namespace
} // namespace tw::batch
