// The batch import through the conversion screen's Import button, and the
// same conversions through `tintwise-convert import`.
#include "batch/batch_import.h"
#include "batch/import_button.h"
#include "engine/spectral.h"
#include "screen_fixture.h"
#include "text/numbers.h"
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

// The lines of a file, split at CR LF; a line end of any other kind fails.
std::vector<std::string> crlfLines(const std::string &text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "the last line ends with CR LF";
        if (end == std::string::npos) {
            break;
        }
        lines.push_back(text.substr(at, end - at));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos);
        at = end + 2;
    }
    return lines;
}

std::vector<std::string> commaFields(const std::string &line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    std::string f;
    while (std::getline(in, f, ',')) {
        out.push_back(f);
    }
    return out;
}

class BatchTest : public screen::testing::ScreenTest {
protected:
    Form1 &startWithImport() {
        Form1 &f = start();
        attachImport(f);
        f.Text3->setText("zqk"); // hidden mode shows the button
        fakes.dialogs.reset();
        return f;
    }
    // The user presses Import and types a type code.
    void press(const std::string &type) {
        fakes.dialogs.queueInput(type);
        QTest::mouseClick(form->import->button(), Qt::LeftButton);
    }
    [[nodiscard]] bool exists(const std::string &name) const {
        return std::filesystem::exists(folder / name);
    }
    // The last message box the run showed ("" when none).
    [[nodiscard]] std::string message() const {
        const std::vector<std::string> shown = fakes.dialogs.messages();
        return shown.empty() ? std::string() : shown.back();
    }
    [[nodiscard]] int inputBoxes() const {
        return static_cast<int>(std::count_if(fakes.dialogs.calls().begin(),
            fakes.dialogs.calls().end(), [](const services::ScriptedDialogs::Call &c) {
                return c.kind == services::ScriptedDialogs::Kind::InputBox;
            }));
    }
};

TEST_F(BatchTest, StepListWritesTheNotationAsReadThenTheColourQuietly) {
    Form1 &f = startWithImport();
    writeFile("steps.txt", "5R\t4\t6\r\nno tabs here\r\n\r\n10YR\t5\t8\n7.5PB\t3\r\n");
    press("3");
    const auto lines = crlfLines(readFile("stepsMUNSELL.txt"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "H,V,C,X,Y,Z,L*,a*,b*,R,G,B");
    EXPECT_EQ(lines[1].rfind("5R,4,6,", 0), 0u) << lines[1];
    const auto fields = commaFields(lines[1]);
    ASSERT_EQ(fields.size(), 12u);
    // X Y Z and L* a* b* as the screen shows 5R 4/6, R G B in print form.
    f.cycle().setTexts(cycle::Boxes::Munsell, { "5R", "4", "6" });
    f.muncie();
    EXPECT_EQ(std::vector<std::string>(fields.begin() + 3, fields.begin() + 6),
        f.cycle().texts(cycle::Boxes::Xyz));
    EXPECT_EQ(std::vector<std::string>(fields.begin() + 6, fields.begin() + 9),
        f.cycle().texts(cycle::Boxes::Lab));
    EXPECT_EQ(fields[9], " " + f.cycle().text(cycle::Boxes::Rgb, 0) + " ");
    EXPECT_EQ(lines[2].rfind("10YR,5,8,", 0), 0u);
    // The line without two tabs is passed over and counted; so is the one
    // with a single tab.
    EXPECT_EQ(
        message(), "Total colors2  Colors not displayed0  (2 lines without two tabs skipped)");
    // The end message is a message box: the Messages box and the hidden
    // mode stay as they were.
    EXPECT_EQ(f.Text3->text(), "zqk");
    EXPECT_TRUE(f.import->visible());
    // quietrgb held the RGB boxes through the run and was cleared after it.
    f.cycle().setTexts(cycle::Boxes::Munsell, { "5R", "5", "10" });
    EXPECT_FALSE(f.cycle().state().quietrgb);
    EXPECT_EQ(inputBoxes(), 1);
}

TEST_F(BatchTest, QuietRunLeavesTheRgbBoxesAsTheyWere) {
    Form1 &f = startWithImport();
    const auto rgbBefore = f.cycle().texts(cycle::Boxes::Rgb);
    writeFile("steps.txt", "5PB\t3\t8\r\n");
    press("3");
    EXPECT_EQ(f.cycle().texts(cycle::Boxes::Rgb), rgbBefore);
    EXPECT_EQ(f.cycle().text(cycle::Boxes::Munsell, 0), "5PB")
        << "the Munsell boxes show the last record";
    EXPECT_FALSE(f.cycle().state().quietrgb);
    // The notation and the RGB boxes are two colours: nothing to save
    // until the next conversion shows one.
    EXPECT_FALSE(f.cycle().state().holdsColour);
    (void)f.cycle().muncie();
    EXPECT_TRUE(f.cycle().state().holdsColour);
}

TEST_F(BatchTest, ChartAndColorCheckerHeadersAndWhatEachWrites) {
    Form1 &f = startWithImport();
    writeFile("RHScolors.txt", "Group,Number,Name,H,V,C\r\nRed,1,\"Scarlet, deep\",5R,4,12\r\n");
    press("2");
    auto lines = crlfLines(readFile("RHScolorsMUNSELL.txt"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], f.caption());
    EXPECT_EQ(lines[1], "Group,Number,Name,H,V,C,X,Y,Z,L*,a*,b*,R,G,B");
    // The three names (a comma inside one quoted, so that it stays one
    // column), then the colour: the notation itself is not written.
    EXPECT_EQ(lines[2].rfind("Red,1,\"Scarlet, deep\",", 0), 0u) << lines[2];
    EXPECT_EQ(lines[2].find("5R"), std::string::npos);
    EXPECT_EQ(message(), "Total colors1  Colors not displayed0");

    std::filesystem::copy_file(std::filesystem::path(TW_DATA_DIR) / "ccnames.csv",
        folder / "ccnames.csv", std::filesystem::copy_options::overwrite_existing);
    press("4");
    lines = crlfLines(readFile("cchecker.csv"));
    ASSERT_EQ(lines.size(), 3u + 24u);
    EXPECT_EQ(lines[0].rfind(f.caption(), 0), 0u);
    EXPECT_NE(lines[1].find("0 or 255"), std::string::npos);
    EXPECT_EQ(lines[2], "\"Number\",\"Name\",\"Hue\",\"Value\",\"Chroma\",X,Y,Z,L*,a*,b*,R,G,B");
    EXPECT_EQ(lines[3].rfind("1,dark skin,3YR,3.7,3.2,", 0), 0u) << lines[3];
    int outside = 0;
    for (std::size_t i = 3; i < lines.size(); ++i) {
        const auto fields = commaFields(lines[i]);
        ASSERT_EQ(fields.size(), 14u) << lines[i];
        for (std::size_t c = 11; c < 14; ++c) {
            if (fields[c] == " 0 " || fields[c] == " 255 ") {
                ++outside;
                break;
            }
        }
    }
    EXPECT_EQ(message(), "Total colors24  Colors not displayed" + std::to_string(outside));
}

TEST_F(BatchTest, ChosenMunsellListAndLabListAndSpectra) {
    Form1 &f = startWithImport();
    writeFile("mine.csv", "H,V,C\r\n5Y,8,6\r\n");
    fakes.dialogs.queueFile((folder / "mine.csv").string());
    press("0");
    ASSERT_EQ(fakes.dialogs.calls().size(), 2u);
    EXPECT_EQ(fakes.dialogs.calls()[1].filter, "*.csv|*.csv");
    auto lines = crlfLines(readFile("tempOUT.txt"));
    ASSERT_EQ(lines.size(), 1u) << "no header, the first line dropped";
    const auto fields = commaFields(lines[0]);
    ASSERT_EQ(fields.size(), 16u);
    EXPECT_EQ(std::vector<std::string>(fields.begin() + 12, fields.end()),
        f.cycle().texts(cycle::Boxes::Cmyk))
        << "the screen showed every colour in full, CMYK included";
    EXPECT_TRUE(fakes.dialogs.messages().empty()) << "type 0 shows no message when all converted";

    writeFile("lab_sRGB.csv", "L,a,b\r\n50,10,10\r\n60,-5,20\r\n");
    press("6");
    lines = crlfLines(readFile("lab_sRGB.txt"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "#,Hue,Value,Chroma,X,Y,Z,L*,a*,b*,R,G,B");
    EXPECT_EQ(lines[1].rfind(" 1 ,", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind(" 2 ,", 0), 0u);
    EXPECT_EQ(commaFields(lines[2]).size(), 13u);

    // Spectra: three names, 40 values, the rest of the line; print zones.
    std::string record = "S1,Cloth,red";
    engine::Spectrum s {};
    for (int i = 1; i <= 40; ++i) {
        s[static_cast<std::size_t>(i)] = 10.0f + static_cast<float>(i);
        record += "," + std::to_string(10 + i);
    }
    writeFile("munfile1.txt", record + ",dyed 2026\r\n");
    press("1");
    lines = crlfLines(readFile("munout.txt"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], f.caption());
    float X = 0, Y = 0, Z = 0;
    engine::tris(s, X, Y, Z);
    const std::string &l = lines[1];
    EXPECT_EQ(l.substr(0, 14), "S1            ");
    EXPECT_EQ(l.substr(14, 14), "Cloth         ");
    EXPECT_EQ(l.substr(42, 14).find(f.cycle().text(cycle::Boxes::Munsell, 0)), 0u);
    EXPECT_EQ(l.substr(84, 14).rfind(text::printNumber(X), 0), 0u) << l;
    EXPECT_EQ(l.substr(126, 14).rfind("dyed 2026", 0), 0u) << l;
    EXPECT_EQ(l.substr(140, 14).rfind(" 11 ", 0), 0u) << l;
    EXPECT_EQ(f.spectrum()[40], 50.0f);
    EXPECT_EQ(fakes.dialogs.beepCount(), 1);
}

TEST_F(BatchTest, XyzListAppendsPaletteRowsAskingTheNameOnce) {
    Form1 &f = startWithImport();
    writeFile("xyz.csv", "Tag,X,Y,Z\r\nfirst,20,18,16\r\nsecond,40,42,30\r\n");
    fakes.dialogs.queueFile((folder / "xyz.csv").string());
    fakes.dialogs.queueInput("xyz");
    fakes.dialogs.queueInput("batch"); // the palette's name
    QTest::mouseClick(f.import->button(), Qt::LeftButton);
    const auto lines = crlfLines(readFile("batch.csv"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("\"first\""), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("\"second\""), std::string::npos);
    EXPECT_EQ(f.palette().fileName(), "batch.csv");
    EXPECT_TRUE(fakes.dialogs.scriptUsedUp());
    EXPECT_EQ(fakes.dialogs.unscriptedCount(), 0) << "no tag asked, the name only once";
}

TEST_F(BatchTest, AnythingButATypeCodeOrACancelDoesNothing) {
    Form1 &f = startWithImport();
    writeFile("steps.txt", "5R\t4\t6\r\n");
    const auto boxes = allBoxes();
    for (const char *type : { "5", "XYZ", "", " 3" }) {
        press(type);
    }
    fakes.dialogs.queueInput("0"); // and the open dialog cancelled
    QTest::mouseClick(f.import->button(), Qt::LeftButton);
    EXPECT_EQ(allBoxes(), boxes);
    EXPECT_EQ(f.Text3->text(), "zqk");
    for (const char *out : { "stepsMUNSELL.txt", "tempOUT.txt" }) {
        EXPECT_FALSE(exists(out)) << out;
    }
    EXPECT_EQ(fakes.dialogs.messages().size(), 0u);
}

TEST_F(BatchTest, FaultsEndTheRunWithoutHarm) {
    startWithImport();
    // A missing input: said so; an existing output is not replaced.
    writeFile("stepsMUNSELL.txt", "a good old result\r\n");
    press("3");
    EXPECT_EQ(message(), "File not found");
    EXPECT_EQ(readFile("stepsMUNSELL.txt"), "a good old result\r\n");
    press("6");
    EXPECT_NE(message().find("lab_sRGB.csv"), std::string::npos) << message();
    EXPECT_FALSE(exists("lab_sRGB.txt"));
    EXPECT_FALSE(form->cycle().state().quietrgb);

    // A record cut short: the run stops there, the line is named, and the
    // output is as it was (here: none).
    writeFile(
        "RHScolors.txt", "G,N,Name,H,V,C\r\nA,1,one,5R,4,6\r\nB,2,two,5R,4\r\nC,3,x,5R,4,6\r\n");
    press("2");
    EXPECT_FALSE(exists("RHScolorsMUNSELL.txt"));
    EXPECT_EQ(message().rfind("Line 3 of RHScolors.txt", 0), 0u) << message();
    EXPECT_NE(message().find("left as it was"), std::string::npos) << message();
    EXPECT_FALSE(form->cycle().state().quietrgb);

    // A reflectance value no single-precision number holds: its row says
    // so, and the curve measured before is not touched.
    std::string spectrum = "a,b,c,1e39";
    for (int i = 0; i < 39; ++i) {
        spectrum += ",5";
    }
    writeFile("munfile1.txt", spectrum + "\r\n");
    const engine::Spectrum before = form->spectrum();
    press("1");
    EXPECT_NE(message().find("(line 1: "), std::string::npos) << message();
    EXPECT_NE(readFile("munout.txt").find("ERR reflectance at 360 nm"), std::string::npos);
    EXPECT_EQ(form->spectrum(), before);

    // A curve that reads but gives no colour (no light) is not kept either.
    std::string black = "a,b,c";
    for (int i = 0; i < 40; ++i) {
        black += ",0";
    }
    writeFile("munfile1.txt", black + "\r\n");
    press("1");
    EXPECT_NE(readFile("munout.txt").find("ERR no light"), std::string::npos);
    EXPECT_EQ(form->spectrum(), before);

    // An output that cannot be written is named; nothing half-made is left.
    writeFile("steps.txt", "5R\t4\t6\r\n");
    const ImportResult r = runImport(*form, "3", { {}, folder / "no such folder" / "out.txt" });
    EXPECT_EQ(r.outcome, ImportResult::Outcome::Failed);
    EXPECT_NE(message().find("out.txt"), std::string::npos) << message();
}

TEST_F(BatchTest, LongRunsNeitherWrapTheCountersNorTakeASecondPress) {
    startWithImport();
    std::string steps;
    for (int i = 0; i < 32800; ++i) {
        steps += i % 2 == 0 ? "5R\t4\t6\r\n" : "5PB\t2\t12\r\n";
    }
    writeFile("steps.txt", steps);
    // A press arriving while the run lets events through is ignored.
    int pressesDuringRun = 0;
    fakes.dialogs.setOnYield([&] {
        if (pressesDuringRun++ == 0) {
            fakes.dialogs.queueInput("3");
            QTest::mouseClick(form->import->button(), Qt::LeftButton);
        }
    });
    press("3");
    fakes.dialogs.setOnYield({});
    const auto lines = crlfLines(readFile("stepsMUNSELL.txt"));
    ASSERT_EQ(lines.size(), 32801u);
    int outside = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        outside += lines[i].find(", 0 ") != std::string::npos
            || lines[i].find(", 255 ") != std::string::npos;
    }
    EXPECT_GT(outside, 0);
    EXPECT_EQ(message(), "Total colors32800  Colors not displayed" + std::to_string(outside));
    EXPECT_EQ(inputBoxes(), 1) << "the second press asked nothing";
}

// The command-line front end writes the very files the button writes, every
// type (the palette rows of type "xyz" but for the date and time of their
// writing).
TEST_F(BatchTest, CommandLineWritesTheButtonsFilesByteForByte) {
    startWithImport();
    writeFile("steps.txt", "5R\t4\t6\r\n10GY\t7\t4\r\n2.5P\t2\t20\r\nx\r\n");
    writeFile("lab_sRGB.csv", "L,a,b\n50,10,10\n95,0,3\nabc,1,1\n");
    writeFile("RHScolors.txt", "G,N,Name,H,V,C\r\nA,1,\"one, two\",5R,4,6\r\nB,2,x,5Q,4,6\r\n");
    writeFile("chosen.csv", "H,V,C\r\n5Y,8,6\r\n5R,5,40\r\n");
    writeFile("xyz.csv", "Tag,X,Y,Z\r\nfirst,20,18,16\r\nnone,0,0,0\r\nsecond,40,42,30\r\n");
    std::string spectrum = "S1,Cloth,red";
    for (int i = 1; i <= 40; ++i) {
        spectrum += "," + std::to_string(10 + i);
    }
    writeFile("munfile1.txt", spectrum + ",dyed\r\n");
    std::filesystem::copy_file(
        std::filesystem::path(TW_DATA_DIR) / "ccnames.csv", folder / "ccnames.csv");
    for (const char *type : { "1", "2", "3", "4", "6" }) {
        press(type);
    }
    fakes.dialogs.queueFile((folder / "chosen.csv").string());
    press("0");
    fakes.dialogs.queueFile((folder / "xyz.csv").string());
    fakes.dialogs.queueInput("xyz");
    fakes.dialogs.queueInput("button");
    QTest::mouseClick(form->import->button(), Qt::LeftButton);
    const char *outputs[] = { "munout.txt", "RHScolorsMUNSELL.txt", "stepsMUNSELL.txt",
        "cchecker.csv", "lab_sRGB.txt", "tempOUT.txt" };
    std::vector<std::string> button;
    for (const char *name : outputs) {
        button.push_back(readFile(name));
        std::filesystem::remove(folder / name);
    }
    const std::string buttonPalette = readFile("button.csv");
    form.reset();
    const std::string run = "cd '" + folder.string() + "' && " + TW_CONVERT_PATH + " import ";
    for (const char *type : { "1", "3", "4" }) {
        EXPECT_EQ(std::system((run + type + " >/dev/null 2>&1").c_str()), 0) << type;
    }
    // A record that does not convert: exit status 1, its row in place.
    EXPECT_EQ(WEXITSTATUS(std::system((run + "2 >/dev/null 2>&1").c_str())), 1);
    EXPECT_EQ(WEXITSTATUS(std::system((run + "6 >/dev/null 2>&1").c_str())), 1);
    EXPECT_EQ(WEXITSTATUS(std::system((run + "0 chosen.csv >/dev/null 2>&1").c_str())), 1);
    EXPECT_EQ(WEXITSTATUS(std::system((run + "xyz xyz.csv -o line >/dev/null 2>&1").c_str())), 1);
    for (std::size_t i = 0; i < std::size(outputs); ++i) {
        EXPECT_EQ(readFile(outputs[i]), button[i]) << outputs[i];
    }
    // Palette rows begin with the date and the time they were written.
    const auto withoutTimes = [](const std::string &text) {
        std::string out;
        for (const std::string &line : crlfLines(text)) {
            out += line.substr(line.find(',', line.find(',') + 1)) + "\n";
        }
        return out;
    };
    EXPECT_EQ(withoutTimes(readFile("line.csv")), withoutTimes(buttonPalette));
    EXPECT_EQ(crlfLines(buttonPalette).size(), 2u);
    // Usage errors and failed runs are told apart by the exit status.
    EXPECT_EQ(WEXITSTATUS(std::system((run + "5 2>/dev/null").c_str())), 2);
    EXPECT_EQ(WEXITSTATUS(std::system((run + "0 2>/dev/null").c_str())), 2);
    std::filesystem::remove(folder / "RHScolors.txt");
    EXPECT_EQ(WEXITSTATUS(std::system((run + "2 2>/dev/null").c_str())), 1);
}

} // namespace
} // namespace tw::batch
