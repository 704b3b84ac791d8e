// The ColorChecker chart: where each record's patch stands, what repaints
// it, and a damaged or missing ccnames.csv.
#include "chart_fixture.h"

#include "charts/cchecker.h"
#include "engine/notation.h"
#include "ui/label.h"
#include "ui/optionarray.h"
#include "ui/scrollbar.h"
#include "ui/shape.h"
#include "ui/textbox.h"

namespace tw::charts::testing {
namespace {

using screen::ScreenWindow;

class ColorCheckerTest : public ChartTest {
protected:
    // The centre of patch k as the window shows it.
    static ui::Rgb24 patchPixel(CChecker &chart, int k) {
        return chart.point(120 + 1680 * (k % 6) + 727, 240 + 1680 * (k / 6) + 727);
    }
    ui::Rgb24 notation(const char *hue, float V, float C) const {
        bool formatError = false;
        return engineColour(engine::converth(hue, formatError), V, C);
    }
};

TEST_F(ColorCheckerTest, RecordsFillTheirPatchesLeftToRightTopToBottom) {
    startWithCharts();
    const std::vector<std::string> before = allBoxes();
    CChecker &chart = tick<CChecker>(ScreenWindow::ColorChecker);
    EXPECT_EQ(chart.caption(), "The Macbeth ColorChecker\xC2\xAE");
    EXPECT_EQ(chart.backColor(), CChecker::background);
    EXPECT_EQ(patchPixel(chart, 0), notation("3YR", 3.7f, 3.2f)) << "record 1, top left";
    EXPECT_EQ(patchPixel(chart, 5), notation("2.5BG", 7, 6)) << "record 6, top right";
    EXPECT_EQ(patchPixel(chart, 18), notation("5R", 9.5f, 0)) << "record 19, bottom left";
    EXPECT_EQ(patchPixel(chart, 23), notation("5R", 2, 0)) << "record 24, bottom right";
    EXPECT_EQ(chart.names()[13], "green");
    EXPECT_EQ(allBoxes(), before) << "the screen's RGB and CMYK boxes stay";
    EXPECT_TRUE(fakes.dialogs.messages().empty());
}

// The greys as the published notations write them: N and its Value.
TEST_F(ColorCheckerTest, NeutralsWrittenAsNFillTheirPatches) {
    std::string names = "\"Number\",\"Name\",\"Hue\",\"Value\",\"Chroma\"\r\n";
    for (int k = 1; k <= 18; ++k) {
        names += std::to_string(k) + ",\"c\",5R,5,4\r\n";
    }
    names += "19,\"white\",N 9.5/,,\r\n20,\"neutral 8\",N,8,0\r\n21,\"n6.5\",n6.5/,6.5,\r\n"
             "22,\"n5\",N 5/,5,0\r\n23,\"bad\",N 3.5/,3.5,2\r\n24,\"black\",N2,,\r\n";
    writeFile("ccnames.csv", names);
    startWithCharts();
    CChecker &chart = tick<CChecker>(ScreenWindow::ColorChecker);
    EXPECT_EQ(patchPixel(chart, 18), notation("5R", 9.5f, 0));
    EXPECT_EQ(patchPixel(chart, 19), notation("5PB", 8, 0));
    EXPECT_EQ(patchPixel(chart, 20), notation("5R", 6.5f, 0));
    EXPECT_EQ(patchPixel(chart, 23), notation("5R", 2, 0));
    // A grey with a Chroma is no neutral: said, and left empty.
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_NE(fakes.dialogs.messages()[0].find("record 23"), std::string::npos)
        << fakes.dialogs.messages()[0];
}

TEST_F(ColorCheckerTest, GammaRepaintsAtOnceButTheIlluminantOnlyOnTheNextTick) {
    screen::Form1 &f = startWithCharts();
    CChecker &chart = tick<CChecker>(ScreenWindow::ColorChecker);
    const ui::Rgb24 underC = patchPixel(chart, 14);
    f.Option1->select(2);
    EXPECT_EQ(patchPixel(chart, 14), underC) << "an illuminant change does not repaint";
    f.windows().setTicked(ScreenWindow::ColorChecker, false);
    f.windows().setTicked(ScreenWindow::ColorChecker, true);
    const ui::Rgb24 underD65 = patchPixel(chart, 14);
    EXPECT_NE(underD65, underC);
    EXPECT_EQ(underD65, notation("5R", 4, 12));

    ASSERT_TRUE(f.VScroll8->setValue(15));
    EXPECT_EQ(patchPixel(chart, 14), notation("5R", 4, 12)) << "gamma 1.5 at once";
    EXPECT_NE(patchPixel(chart, 14), underD65);
}

TEST_F(ColorCheckerTest, AFaultyFileFillsWhatItCanAndSaysWhereInOneMessage) {
    std::string file = "\"Number\",\"Name\",\"Hue\",\"Value\",\"Chroma\"\r\n";
    for (int k = 1; k <= 20; ++k) {
        file += std::to_string(k) + ",\"p\"," + (k == 5 ? "5R,abc,4" : "5R,5,4") + "\r\n";
    }
    writeFile("ccnames.csv", file);
    startWithCharts();
    CChecker &chart = tick<CChecker>(ScreenWindow::ColorChecker);
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    const std::string message = fakes.dialogs.messages()[0];
    EXPECT_NE(message.find("ccnames.csv"), std::string::npos) << message;
    EXPECT_NE(message.find("record 5"), std::string::npos) << message;
    EXPECT_NE(message.find("20 of the 24"), std::string::npos) << message;
    EXPECT_EQ(patchPixel(chart, 3), notation("5R", 5, 4));
    EXPECT_EQ(patchPixel(chart, 4), CChecker::background);
    EXPECT_EQ(patchPixel(chart, 5), notation("5R", 5, 4)) << "later records keep their place";
    EXPECT_EQ(patchPixel(chart, 20), CChecker::background);

    // A gamma change refills the chart without saying it all again.
    fakes.dialogs.reset();
    screen::Form1 &f = *form;
    typeAndEnter(f.Text5, "1.8");
    EXPECT_TRUE(fakes.dialogs.messages().empty()) << fakes.dialogs.messages()[0];
    EXPECT_EQ(patchPixel(chart, 3), notation("5R", 5, 4));

    std::filesystem::remove(folder / "ccnames.csv");
    fakes.dialogs.reset();
    chart.fillCC(true);
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_NE(fakes.dialogs.messages()[0].find("ccnames.csv"), std::string::npos);
    EXPECT_EQ(patchPixel(chart, 3), CChecker::background);
}

// A colour the display clips carries the charts' clip mark; a notation
// beyond the renotation data is no colour: its patch stays empty (never
// black) and the one message names it.
TEST_F(ColorCheckerTest, ClippedPatchesAreMarkedAndPatchesOutsideTheDataLeftEmpty) {
    std::string file = "\"Number\",\"Name\",\"Hue\",\"Value\",\"Chroma\"\r\n";
    for (int k = 1; k <= 24; ++k) {
        file += std::to_string(k) + ",\"p\","
            + (k == 7        ? "5R,9,30"
                    : k == 8 ? "5PB,1,30"
                             : "5R,5,4")
            + "\r\n";
    }
    writeFile("ccnames.csv", file);
    startWithCharts();
    CChecker &chart = tick<CChecker>(ScreenWindow::ColorChecker);
    EXPECT_EQ(patchPixel(chart, 6), CChecker::background);
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_NE(fakes.dialogs.messages()[0].find("Patch 7 "), std::string::npos)
        << fakes.dialogs.messages()[0];

    const ui::Shape &clipped = *chart.Shape1[7];
    EXPECT_EQ(patchPixel(chart, 7), notation("5PB", 1, 30));
    EXPECT_EQ(clipped.borderStyle(), ui::BorderStyle::Dotted);
    EXPECT_EQ(clipped.borderColor(), ui::kWhite) << "dark blue: a white mark";
    EXPECT_EQ(chart.Shape1[0]->borderStyle(), ui::BorderStyle::Solid);
}

} // namespace
} // namespace tw::charts::testing
