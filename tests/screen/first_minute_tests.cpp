// What a user meets in the first minute on the conversion screen: where the
// focus starts and how it moves, what a click into a box selects, a colour
// outside the Munsell data, exit during a wait, quotes in a box, the settings
// file, bad hue texts, a stale range note, huge numbers and an unknown
// instrument.
#include "screen_fixture.h"

#include "services/clock.h"
#include "testing/disk_full.h"
#include "text/textfile.h"
#include "ui/button.h"
#include "ui/checkbox.h"
#include "ui/combobox.h"
#include "ui/label.h"
#include "ui/optionarray.h"
#include "ui/scrollbar.h"
#include "ui/textbox.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include <filesystem>

namespace tw::screen::testing {
namespace {

using cycle::Boxes;

using FirstMinuteTest = ScreenTest;

QWidget *focused() {
    return QApplication::focusWidget();
}

TEST_F(FirstMinuteTest, FocusStartsInTheHueBoxAndTabWalksTheEntryBoxes) {
    Form1 &f = start();
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    ASSERT_EQ(focused(), f.Text12[0]->lineEdit());
    EXPECT_EQ(f.Text12[0]->selText(), "5R") << "typing replaces the design hue";

    const std::vector<ui::TextBox *> order = { f.Text12[1], f.Text12[2], f.Text11[0], f.Text11[1],
        f.Text11[2], f.Text18[0], f.Text18[1], f.Text15[0], f.Text15[1], f.Text15[2] };
    for (ui::TextBox *next : order) {
        QTest::keyClick(focused(), Qt::Key_Tab);
        ASSERT_EQ(focused(), next->lineEdit()) << "after " << next->text();
        EXPECT_EQ(next->selText(), next->text());
    }
    // Typing over the selected Value and pressing Enter converts.
    QTest::keyClick(focused(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), f.Text15[1]->lineEdit());
}

TEST_F(FirstMinuteTest, FocusSelectsTheWholeTextByMouseAndByCode) {
    Form1 &f = start();
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QLineEdit *value = f.Text12[1]->lineEdit();
    QTest::mouseClick(value, Qt::LeftButton, {}, QPoint(value->width() - 4, value->height() / 2));
    ASSERT_EQ(focused(), value);
    QTest::keyClicks(value, "4");
    EXPECT_EQ(f.Text12[1]->text(), "4") << "the click selected the 5, typing replaced it";

    // A click inside the box that has the focus places the caret.
    QTest::mouseClick(value, Qt::LeftButton, {}, QPoint(value->width() - 4, value->height() / 2));
    QTest::keyClicks(value, "5");
    EXPECT_EQ(f.Text12[1]->text(), "45");

    // After Enter, a click back into the same box selects its text again:
    // 6 Enter, click, 7 gives 7, not 67; a second click places the caret.
    value->selectAll();
    QTest::keyClicks(value, "6");
    QTest::keyClick(value, Qt::Key_Return);
    ASSERT_EQ(focused(), value);
    QTest::mouseClick(value, Qt::LeftButton, {}, QPoint(value->width() - 4, value->height() / 2));
    QTest::keyClicks(value, "7");
    EXPECT_EQ(f.Text12[1]->text(), "7");
    QTest::mouseClick(value, Qt::LeftButton, {}, QPoint(value->width() - 4, value->height() / 2));
    QTest::keyClicks(value, "5");
    EXPECT_EQ(f.Text12[1]->text(), "75");

    f.Text11[0]->lineEdit()->setFocus();
    EXPECT_EQ(f.Text11[0]->selText(), f.Text11[0]->text());
}

// X Y Z 5 20 40 lies far outside the Munsell data.
void enterOutOfRangeXyz(Form1 &f) {
    f.cycle().setTexts(Boxes::Xyz, { "60", "20", "2" });
    f.xyzenter();
}

TEST_F(FirstMinuteTest, AColourOutsideTheDataReconvertsFromItsXyzAndIsNotSaved) {
    Form1 &f = start();
    enterOutOfRangeXyz(f);
    ASSERT_EQ(f.Text12[0]->text(), "");
    // Outside the display's gamut too: both notes.
    ASSERT_EQ(f.Label19->caption(), "Out of Munsell & RGB Range");
    const std::string labUnderC = f.Text15[1]->text();

    ASSERT_TRUE(f.Option1->select(1)); // D5000
    EXPECT_TRUE(fakes.dialogs.messages().empty())
        << ::testing::PrintToString(fakes.dialogs.messages());
    EXPECT_EQ(f.Label19->caption(), "Out of Munsell & RGB Range");
    EXPECT_EQ(f.Text11[0]->text(), "60") << "the XYZ shown stays the colour";
    EXPECT_NE(f.Text15[1]->text(), labUnderC) << "CIELAB follows the new white";
    EXPECT_EQ(f.Text12[0]->text(), "");

    ASSERT_TRUE(f.VScroll8->setValue(25));
    EXPECT_TRUE(fakes.dialogs.messages().empty());
    EXPECT_EQ(f.Label19->caption(), "Out of Munsell & RGB Range");

    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_NE(fakes.dialogs.messages()[0].find("cannot be saved"), std::string::npos);
    for (const auto &call : fakes.dialogs.calls()) {
        EXPECT_NE(call.kind, services::ScriptedDialogs::Kind::InputBox)
            << "no file name or tag is asked: " << call.text;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "TWZpalette.csv"));
}

TEST_F(FirstMinuteTest, ExitDuringAnInstrumentWaitClosesThePortAndEndsTheProgram) {
    Form1 &f = start();
    int ended = 0;
    f.onEnd = [&] { ++ended; };
    f.Combo1->setText("CE7000");
    int yields = 0;
    fakes.dialogs.setOnYield([&] {
        fakes.clock.advance(0.25);
        if (++yields == 3) {
            EXPECT_TRUE(serial->portOpen());
            QTest::mouseClick(f.Command2->button(), Qt::LeftButton);
            EXPECT_EQ(ended, 1) << "the end is asked for at once, inside the wait";
            EXPECT_FALSE(serial->portOpen()) << "the port is closed on the way out";
        }
    });
    QTest::mouseClick(f.Command8->button(), Qt::LeftButton);
    EXPECT_EQ(ended, 1);
    EXPECT_LE(yields, 4) << "the wait does not run on to its time limit";

    f.close();
    EXPECT_EQ(ended, 2) << "closing the window ends the program too";
}

TEST_F(FirstMinuteTest, AQuoteStaysInsideItsPaletteFieldAndAnUnconvertedEditIsNotSaved) {
    Form1 &f = start();
    // Boxes changed without Enter hold no converted colour: nothing is
    // saved, and nothing asked.
    f.Text12[0]->setText("5\"R");
    f.Text2[3]->setText("1\"");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    EXPECT_FALSE(std::filesystem::exists(folder / "quotes.csv"));
    EXPECT_EQ(fakes.dialogs.messages().size(), 1u);
    fakes.dialogs.reset();

    typeAndEnter(f.Text12[0], "5R");
    fakes.dialogs.queueInput("quotes");
    fakes.dialogs.queueInput("tag \"x\"");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    text::FieldReader reader(readFile("quotes.csv"));
    std::vector<std::string> fields;
    while (!reader.atEnd()) {
        fields.push_back(reader.readField());
    }
    ASSERT_EQ(fields.size(), 22u) << readFile("quotes.csv");
    EXPECT_EQ(fields[2], "tag 'x'");
    EXPECT_EQ(fields[3], "5R");
}

TEST_F(FirstMinuteTest, TheSettingsFileIsNeverLeftTornAndAnUnchangedChoiceIsNotWritten) {
    writeFile("twz.cfg", "XTH\r\n 2 \r\n");
    Form1 &f = start();
    const std::filesystem::path cfg = folder / "twz.cfg";
    // Choosing the instrument already stored writes nothing.
    const auto stamp = std::filesystem::last_write_time(cfg);
    std::filesystem::last_write_time(cfg, stamp - std::chrono::hours(1));
    f.Combo1->setText("XTH");
    QTest::keyClick(f.Combo1->widget(), Qt::Key_Return);
    EXPECT_EQ(std::filesystem::last_write_time(cfg), stamp - std::chrono::hours(1));

    // A full disk: the new settings cannot be written, the old file stays
    // whole and the user is told once.
    {
        services::DiskFullAfter full(4);
        ASSERT_TRUE(full.active());
        f.Combo1->setText("Ci5/Ci7");
        QTest::keyClick(f.Combo1->widget(), Qt::Key_Return);
    }
    EXPECT_EQ(readFile("twz.cfg"), "XTH\r\n 2 \r\n");
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_NE(fakes.dialogs.messages()[0].find("twz.cfg"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "twz.cfg.part"));
    f.Combo1->setText("CE2180");
    QTest::keyClick(f.Combo1->widget(), Qt::Key_Return);
    EXPECT_EQ(readFile("twz.cfg"), "CE2180\r\n 2 \r\n");
}

// A clock read just before midnight: its date texts belong to the 8th, its
// time texts, once the day has turned, to the 9th.
class MidnightClock : public services::Clock {
public:
    [[nodiscard]] double secondsSinceMidnight() const override { return 86399.9; }
    [[nodiscard]] std::string dateText() const override { return "12-08-2026"; }
    [[nodiscard]] std::string timeText() const override { return "00:00:00"; }
    [[nodiscard]] services::DateTimeText dateTimeText() const override {
        return { "12-08-2026", "23:59:59" };
    }
};

TEST_F(FirstMinuteTest, APaletteLineTakesItsDateAndTimeFromOneClockRead) {
    MidnightClock clock;
    Form1 f({ fakes.dialogs, clock, fakes.printer, fakes.pictures },
        std::make_unique<services::ScriptedSerialPort>(fakes.clock), folder, "1.0.0");
    ASSERT_TRUE(f.Form_Load());
    fakes.dialogs.queueInput("midnight");
    fakes.dialogs.queueInput("t");
    QTest::mouseClick(f.Command11->button(), Qt::LeftButton);
    EXPECT_EQ(readFile("midnight.csv").substr(0, 24), "\"12-08-2026\",\"23:59:59\",");
}

TEST_F(FirstMinuteTest, AHueTextThatIsNoNotationStopsTheEntry) {
    Form1 &f = start();
    for (const char *hue : { "qq", "R", "5Q" }) {
        const auto before = allBoxes();
        const int hueBar = f.VScroll1->value();
        typeAndEnter(f.Text12[0], hue);
        EXPECT_EQ(fakes.dialogs.messages(), std::vector<std::string> { "Format Error" });
        auto after = allBoxes();
        after[0] = before[0];
        EXPECT_EQ(after, before) << hue;
        EXPECT_EQ(f.VScroll1->value(), hueBar);
        fakes.dialogs.reset();
    }
}

// A neutral is typed as N with the Value box, or as N and its Value: Chroma
// 0, the grey of that Value, whatever the hue and Chroma boxes held.
TEST_F(FirstMinuteTest, NTypedIntoTheHueBoxIsANeutral) {
    Form1 &f = start();
    f.Text12[1]->setText("6");
    typeAndEnter(f.Text12[0], "n");
    EXPECT_TRUE(fakes.dialogs.messages().empty());
    EXPECT_EQ(f.Text12[2]->text(), "0");
    const std::vector<std::string> grey = allBoxes();
    f.cycle().setTexts(Boxes::Munsell, { "5PB", "6", "0" });
    f.muncie();
    auto same = allBoxes();
    same[0] = grey[0];
    EXPECT_EQ(same, grey) << "N 6/ is 5PB 6/0";
    typeAndEnter(f.Text12[0], "N 9.5/");
    EXPECT_EQ(f.Text12[1]->text(), "9.5");
    EXPECT_TRUE(fakes.dialogs.messages().empty());
}

TEST_F(FirstMinuteTest, AnyDisplayableConversionClearsTheRangeNote) {
    Form1 &f = start();
    f.cycle().setTexts(Boxes::Munsell, { "5PB", "3", "12" });
    f.muncie();
    ASSERT_EQ(f.Label19->caption(), "Out of RGB Range");
    typeAndEnter(f.Text1[0], "100");
    EXPECT_EQ(f.Label19->caption(), "");

    f.muncie(); // 5PB 3/12 again
    ASSERT_EQ(f.Label19->caption(), "Out of RGB Range");
    f.cycle().setTexts(Boxes::Cmyk, { "10", "20", "30", "5" });
    f.cmyk();
    EXPECT_EQ(f.Label19->caption(), "");
}

TEST_F(FirstMinuteTest, HugeNumbersAreRefused) {
    Form1 &f = start();
    // No colour has an X of 1e30, nor a single-precision sum or power of
    // such numbers.
    const std::pair<Boxes, std::string> beyond[] = { { Boxes::Xyz, "1e30" }, { Boxes::Xyz, "3e38" },
        { Boxes::Lab, "1e38" }, { Boxes::Chromaticity, "1e38" } };
    for (const auto &[group, number] : beyond) {
        for (int i = 0; i < cycle::boxCount(group); ++i) {
            f.cycle().setText(group, i, i == 1 && group == Boxes::Chromaticity ? "1e-30" : number);
        }
        const auto written = allBoxes();
        f.enter(group);
        EXPECT_EQ(allBoxes(), written) << number << ": a result beyond the numbers is refused";
    }
}

TEST_F(FirstMinuteTest, AnInstrumentNameNotInTheListIsRefused) {
    Form1 &f = start();
    f.Combo1->setText("Colorimeter 9");
    const auto before = allBoxes();
    QTest::mouseClick(f.Command8->button(), Qt::LeftButton);
    QTest::mouseClick(f.Command7->button(), Qt::LeftButton);
    ASSERT_EQ(fakes.dialogs.messages().size(), 2u);
    EXPECT_NE(fakes.dialogs.messages()[0].find("Colorimeter 9"), std::string::npos);
    EXPECT_EQ(allBoxes(), before) << "no curve is shown again";
    EXPECT_FALSE(serial->portOpen());
}

TEST_F(FirstMinuteTest, TheGammaBoxReadsItsLeadingNumberAndHasItsHeight) {
    Form1 &f = start();
    f.Text5->setText("2.5x");
    EXPECT_EQ(f.VScroll8->value(), 25);
    EXPECT_EQ(f.Text5->widget()->height(), 17) << "255 twips";
}

TEST_F(FirstMinuteTest, ControlsThatKeepTheirColoursStayGreyUnderTheTint) {
    Form1 &f = start();
    f.show();
    f.Text3->setText("zqk");
    ASSERT_TRUE(f.VScroll7->setValue(50));
    // The window's own grey, warmed.
    ASSERT_EQ(f.backColor(), ui::rgb(192, 133, 96));
    // The top right corner of each control, away from its text.
    const auto pixelAt = [&](ui::Control &c) {
        const QRect r = c.widget()->geometry();
        const QPoint p
            = c.widget()->parentWidget()->mapTo(f.client(), QPoint(r.right() - 1, r.top() + 1));
        return f.point(p.x() * 15.0, p.y() * 15.0);
    };
    for (ui::Control *c : std::initializer_list<ui::Control *> {
             f.Check1, f.Check2, f.Check7, f.Label3, f.Label4, f.Frame2 }) {
        EXPECT_EQ(pixelAt(*c), ui::rgb(192, 192, 192)) << c->widget()->metaObject()->className();
    }
}

} // namespace
} // namespace tw::screen::testing
