#include "screen_fixture.h"

#include "engine/mun2xyz.h"
#include "text/numbers.h"
#include "ui/button.h"
#include "ui/checkbox.h"
#include "ui/drawing_surface.h"
#include "ui/label.h"
#include "ui/optionarray.h"
#include "ui/scrollbar.h"
#include "ui/textbox.h"

#include <QPushButton>
#include <QTest>

namespace tw::screen::testing {
namespace {

using EntryTest = ScreenTest;

TEST_F(EntryTest, MunsellEntryConvertsOnEnterOnly) {
    Form1 &f = start();
    const auto before = allBoxes();
    QLineEdit *hue = f.Text12[0]->lineEdit();
    hue->setFocus();
    hue->selectAll();
    QTest::keyClicks(hue, "2.5YR");
    EXPECT_EQ(f.Text11[0]->text(), before[3]) << "typing alone converts nothing";
    QTest::keyClick(hue, Qt::Key_Return);
    EXPECT_NE(f.Text11[0]->text(), before[3]);
    EXPECT_EQ(f.Text12[0]->text(), "2.5YR") << "the notation stays as typed";
    EXPECT_EQ(f.VScroll1->value(), 25);
}

TEST_F(EntryTest, TenRPIsHueZeroWithTheScrollBarAtTwoHundred) {
    Form1 &f = start();
    typeAndEnter(f.Text12[0], "10RP");
    EXPECT_EQ(f.VScroll1->value(), 200);
    const std::string tenRP = f.Text11[0]->text();
    typeAndEnter(f.Text12[0], "0R");
    EXPECT_EQ(f.Text11[0]->text(), tenRP);
}

TEST_F(EntryTest, OutOfMunsellRangeKeepsWhatWasWrittenBefore) {
    Form1 &f = start();
    const std::string xBefore = f.Text11[0]->text();
    f.Text12[0]->setText("7.5R");
    typeAndEnter(f.Text12[2], "60");
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string> { "Out of Munsell Range" });
    EXPECT_EQ(f.VScroll1->value(), 15) << "the hue scroll bar moved before the failure";
    // No colour is shown beside the refused notation: neither the one
    // before (whose X was xBefore) nor one made up.
    ASSERT_FALSE(xBefore.empty());
    for (const auto *group : { &f.Text11, &f.Text15, &f.Text1 }) {
        for (const ui::TextBox *box : *group) {
            EXPECT_EQ(box->text(), "");
        }
    }
    EXPECT_EQ(f.Label19->caption(), "Out of Munsell Range");
    // The guard is down again: the scroll bars still convert.
    fakes.dialogs.reset();
    typeAndEnter(f.Text12[2], "4");
    ASSERT_TRUE(f.VScroll3->setValue(6));
    EXPECT_EQ(f.Text12[2]->text(), "6");
    EXPECT_TRUE(fakes.dialogs.messages().empty());

    typeAndEnter(f.Text12[1], "-1");
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string> { "Out of Munsell Range" });
    fakes.dialogs.reset();
    typeAndEnter(f.Text12[1], "five");
    EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string> { "Out of Munsell Range" });
}

TEST_F(EntryTest, UnknownHueFamilySaysFormatErrorFirst) {
    Form1 &f = start();
    typeAndEnter(f.Text12[0], "5Q");
    const auto messages = fakes.dialogs.messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0], "Format Error");
}

// The table has no colour for 5R 5/32: none is shown, the note says why,
// and the tolerance set is not rebuilt around a black that was never
// converted.
TEST_F(EntryTest, OutsideTheDataShowsNoColour) {
    Form1 &f = start();
    typeAndEnter(f.Text12[2], "32");
    EXPECT_EQ(f.Text11[0]->text(), "");
    EXPECT_EQ(f.Text18[0]->text(), "");
    EXPECT_EQ(f.Text15[0]->text(), "");
    EXPECT_EQ(f.Text1[0]->text(), "");
    EXPECT_EQ(f.Label19->caption(), "Outside Munsell Data");
    EXPECT_FALSE(f.cycle().state().holdsColour);
    EXPECT_TRUE(fakes.dialogs.messages().empty());
}

TEST_F(EntryTest, HueScrollBarEnds) {
    Form1 &f = start();
    ASSERT_TRUE(f.VScroll1->setValue(202));
    EXPECT_EQ(f.Text12[0]->text(), "1.00R");
    ASSERT_TRUE(f.VScroll1->setValue(0));
    EXPECT_EQ(f.Text12[0]->text(), "10.00RP");
    ASSERT_TRUE(f.VScroll2->setValue(7));
    EXPECT_EQ(f.Text12[1]->text(), "3.5");
    f.Text12[1]->setText("6");
    ASSERT_TRUE(f.VScroll2->setValue(20));
    EXPECT_EQ(f.Text12[1]->text(), "6") << "the top of the value bar leaves the box";
}

TEST_F(EntryTest, RgbEntryClampsToTheDisplayRange) {
    Form1 &f = start();
    f.Text1[1]->setText("-20");
    f.Text1[2]->setText("70000");
    typeAndEnter(f.Text1[0], "300");
    EXPECT_EQ(f.Text1[0]->text(), "255");
    EXPECT_EQ(f.VScroll4->value(), 255);
    EXPECT_EQ(f.Text1[1]->text(), "0");
    EXPECT_EQ(f.Text1[2]->text(), "255");
    typeAndEnter(f.Text1[0], "12.5abc");
    EXPECT_EQ(f.Text1[0]->text(), "12") << "leading number, halves to even";
}

TEST_F(EntryTest, XyzFromRgbEntryDropsTrailingZeros) {
    Form1 &f = start();
    // Find a grey whose Y rounds to one decimal: RGB entry shows it plain
    // (41.2), Munsell and XYZ entry would show 41.20.
    for (int v = 20; v < 250; ++v) {
        f.Text1[0]->setText(std::to_string(v));
        f.Text1[1]->setText(std::to_string(v));
        typeAndEnter(f.Text1[2], std::to_string(v));
        const std::string y = f.Text11[1]->text();
        double number = 0.0;
        ASSERT_TRUE(text::parseNumber(y, number)) << y;
        if (text::formatPattern(number, "###.00").back() == '0') {
            EXPECT_NE(y.back(), '0') << y;
            EXPECT_EQ(y, text::plainText(static_cast<float>(number)));
            return;
        }
    }
    FAIL() << "no grey with a one-decimal Y";
}

TEST_F(EntryTest, GammaBoxAndScrollBar) {
    Form1 &f = start();
    f.Text5->setText("3");
    EXPECT_EQ(f.VScroll8->value(), 30);
    const std::string rAtThree = f.Text1[0]->text();
    f.Text5->setText("2.25");
    EXPECT_EQ(f.VScroll8->value(), 22);
    EXPECT_EQ(f.Text5->text(), "2.2");
    EXPECT_NE(f.Text1[0]->text(), rAtThree);
    f.Text5->setText("4");
    EXPECT_EQ(f.VScroll8->value(), 22) << "outside 1 to 3 is ignored";
    f.Text5->setText("abc");
    EXPECT_EQ(f.VScroll8->value(), 22);
}

TEST_F(EntryTest, IlluminantChangeKeepsTheNotation) {
    Form1 &f = start();
    const auto before = allBoxes();
    ASSERT_TRUE(f.Option1->select(2));
    EXPECT_EQ(f.Label1->caption(), "Illuminant D65  10\xC2\xB0 Observer ");
    EXPECT_EQ(f.Text12[0]->text(), before[0]);
    EXPECT_EQ(f.Text12[2]->text(), before[2]);
    EXPECT_NE(f.Text11[0]->text(), before[3]);
    EXPECT_NE(f.Text15[1]->text(), before[9]);
    ASSERT_TRUE(f.Option1->select(1));
    EXPECT_EQ(f.Label1->caption(), "illuminant D5000 2\xC2\xB0 Observer ");
}

TEST_F(EntryTest, XyzEntryFindsTheNotation) {
    Form1 &f = start();
    f.Text11[0]->setText("29.08");
    f.Text11[1]->setText("19.77");
    typeAndEnter(f.Text11[2], "12.41");
    EXPECT_EQ(f.Text12[0]->text(), "5.00R");
    EXPECT_EQ(f.Text12[1]->text(), "5.00");
    EXPECT_EQ(f.Text12[2]->text(), "10.00");
    EXPECT_EQ(f.Text18[0]->text(), ".4747");
    EXPECT_EQ(f.VScroll3->value(), 10);
}

TEST_F(EntryTest, DarkColoursShowValueHalfAtLeast) {
    Form1 &f = start();
    f.Text11[0]->setText("0.1");
    f.Text11[1]->setText("0.1");
    typeAndEnter(f.Text11[2], "0.12");
    EXPECT_EQ(f.Text12[1]->text(), "0.50");
}

TEST_F(EntryTest, BadInputLeavesEveryFieldAsItWas) {
    Form1 &f = start();
    const auto before = allBoxes();
    typeAndEnter(f.Text11[0], "abc");
    auto expected = before;
    expected[3] = "abc";
    EXPECT_EQ(allBoxes(), expected);
    f.Text11[0]->setText(before[3]);

    typeAndEnter(f.Text18[1], "0");
    expected = before;
    expected[7] = "0";
    EXPECT_EQ(allBoxes(), expected);
    f.Text18[1]->setText(before[7]);

    typeAndEnter(f.Text15[0], "x");
    expected = before;
    expected[8] = "x";
    EXPECT_EQ(allBoxes(), expected);
    f.Text15[0]->setText(before[8]);

    f.Text2[0]->setText("");
    QTest::keyClick(f.Text2[0]->lineEdit(), Qt::Key_Return);
    expected = before;
    expected[14] = "";
    EXPECT_EQ(allBoxes(), expected);
    EXPECT_TRUE(fakes.dialogs.messages().empty());
}

TEST_F(EntryTest, ChromaticityEntryKeepsY) {
    Form1 &f = start();
    const std::string y = f.Text11[1]->text();
    f.Text18[0]->setText("0.3101");
    typeAndEnter(f.Text18[1], "0.3163");
    EXPECT_EQ(f.Text11[1]->text(), y);
    EXPECT_EQ(f.Text18[0]->text(), ".3101") << "rewritten from the XYZ side";
    EXPECT_EQ(f.Text12[2]->text(), "0.00") << "the neutral point is a grey";
}

TEST_F(EntryTest, LabEntryRoundTrips) {
    Form1 &f = start();
    const std::string l = f.Text15[0]->text();
    const std::string a = f.Text15[1]->text();
    const std::string b = f.Text15[2]->text();
    typeAndEnter(f.Text15[0], l);
    // CIELAB with two decimals carries the colour back to within a hair.
    double hue = 0.0, chroma = 0.0;
    ASSERT_TRUE(text::parseNumber(f.Text12[0]->text().substr(0, 4), hue)) << f.Text12[0]->text();
    ASSERT_TRUE(text::parseNumber(f.Text12[2]->text(), chroma));
    EXPECT_NEAR(hue, 5.0, 0.05);
    EXPECT_NEAR(chroma, 10.0, 0.05);
    EXPECT_EQ(f.Text15[1]->text(), a);
    EXPECT_EQ(f.Text15[2]->text(), b);
}

TEST_F(EntryTest, CmykEntry) {
    Form1 &f = start();
    for (int i = 0; i < 3; ++i) {
        f.Text2[i]->setText("0");
    }
    typeAndEnter(f.Text2[3], "0");
    EXPECT_EQ(f.Text1[0]->text(), "255");
    EXPECT_EQ(f.Text1[1]->text(), "255");
    EXPECT_EQ(f.Text1[2]->text(), "255");
    double chroma = 1.0;
    ASSERT_TRUE(text::parseNumber(f.Text12[2]->text(), chroma));
    EXPECT_LT(chroma, 0.1) << "display white is nearly neutral";
    for (int i = 0; i < 3; ++i) {
        f.Text2[i]->setText("20");
    }
    typeAndEnter(f.Text2[3], "80");
    EXPECT_EQ(f.Text1[0]->text(), "0");
}

TEST_F(EntryTest, PatchPick) {
    Form1 &f = start();
    // A patch with a channel at 255 fills the boxes and converts nothing.
    f.Picture1->setBackColor(ui::rgb(255, 40, 40));
    const std::string x = f.Text11[0]->text();
    QTest::mouseClick(f.Picture1->widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(f.Text1[0]->text(), "255");
    EXPECT_EQ(f.Text1[1]->text(), "40");
    EXPECT_EQ(f.Text11[0]->text(), x);
    // Inside the range it converts.
    f.Picture1->setBackColor(ui::rgb(120, 80, 60));
    QTest::mouseClick(f.Picture1->widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(f.Text1[0]->text(), "120");
    EXPECT_NE(f.Text11[0]->text(), x);
}

// A colour without a notation says why under the patch and never shows
// another colour's notation; nothing of it can be saved.
TEST_F(EntryTest, AColourWithoutANotationSaysWhyAndKeepsNoOtherNotation) {
    Form1 &f = start();
    typeAndEnter(f.Text12[2], "40");
    EXPECT_EQ(f.Label19->caption(), "Outside Munsell Data");
    EXPECT_TRUE(fakes.dialogs.messages().empty());

    typeAndEnter(f.Text12[2], "10");
    f.Text11[0]->setText("0");
    f.Text11[1]->setText("0");
    typeAndEnter(f.Text11[2], "0");
    EXPECT_EQ(f.Label19->caption(), "No Light");
    for (ui::TextBox *box : f.Text12) {
        EXPECT_EQ(box->text(), "") << "5R 5/10 is not the notation of no light";
    }
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    EXPECT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "nothing saved";
}

TEST_F(EntryTest, ColourOutsideTheMunsellRangeSaysSo) {
    Form1 &f = start();
    f.Text11[0]->setText("140");
    f.Text11[1]->setText("20");
    typeAndEnter(f.Text11[2], "0.5");
    // Outside the display's gamut as well: both notes.
    EXPECT_EQ(f.Label19->caption(), "Out of Munsell & RGB Range");
    EXPECT_EQ(f.Text12[0]->text(), "");
    EXPECT_EQ(f.Text12[2]->text(), "");
    // The next ordinary colour clears the note.
    f.Text12[2]->setText("10");
    typeAndEnter(f.Text12[0], "5R");
    EXPECT_EQ(f.Label19->caption(), "");
}

TEST_F(EntryTest, SaturatedColourIsOutOfRgbRange) {
    Form1 &f = start();
    f.Text12[0]->setText("5BG");
    f.Text12[1]->setText("6");
    typeAndEnter(f.Text12[2], "10");
    EXPECT_EQ(f.Label19->caption(), "Out of RGB Range");
    EXPECT_EQ(f.Text1[0]->text(), "0");
    EXPECT_EQ(f.Text1[1]->text(), "0");
    EXPECT_EQ(f.Text1[2]->text(), "0");
}

} // namespace
} // namespace tw::screen::testing
