#include "screen_fixture.h"

#include "ui/button.h"
#include "ui/combobox.h"
#include "ui/label.h"
#include "ui/scrollbar.h"
#include "ui/textbox.h"

namespace tw::screen::testing {
namespace {

using StartupTest = ScreenTest;

TEST_F(StartupTest, FirstRunShowsTheDesignColourInEveryForm) {
    Form1 &f = start();
    EXPECT_EQ(f.caption(), "Tintwise  - Version  1.0.0");
    EXPECT_EQ(f.Combo1->text(), "CE7000");
    EXPECT_EQ(f.Combo1->count(), 8);
    EXPECT_EQ(f.Combo1->item(5), "Ci5/Ci7");
    EXPECT_EQ(f.Text4->text(), "1");
    EXPECT_TRUE(f.Command7->visible());
    EXPECT_TRUE(f.Command8->visible());
    EXPECT_EQ(f.Label1->caption(), "illuminant C  2\xC2\xB0 Observer ");
    EXPECT_EQ(f.Label5->caption(), "TWZ18");
    EXPECT_EQ(f.Text3->text(), "Messages");
    EXPECT_FALSE(f.Command3->visible());
    EXPECT_FALSE(f.import->visible());
    EXPECT_FALSE(f.VScroll7->visible());
    EXPECT_EQ(fakes.dialogs.beepCount(), 1);
    EXPECT_TRUE(fakes.dialogs.messages().empty());

    EXPECT_EQ(f.Text12[0]->text(), "5R");
    EXPECT_EQ(f.Text11[1]->text(), "19.77");
    EXPECT_EQ(f.Text18[0]->text(), "0.4747");
    EXPECT_EQ(f.Text18[1]->text(), "0.3227");
    EXPECT_FALSE(f.Text15[0]->text().empty());
    EXPECT_FALSE(f.Text1[0]->text().empty());
    EXPECT_FALSE(f.Text2[3]->text().empty());
    EXPECT_EQ(f.VScroll1->value(), 10);
    EXPECT_EQ(f.VScroll2->value(), 10);
    EXPECT_EQ(f.VScroll3->value(), 10);
    // No settings file is written just by starting.
    EXPECT_FALSE(std::filesystem::exists(folder / "twz.cfg"));
}

TEST_F(StartupTest, SettingsFileGivesInstrumentAndPort) {
    writeFile("twz.cfg", "XTH\r\n 3 \r\n");
    Form1 &f = start();
    EXPECT_EQ(f.Combo1->text(), "XTH");
    EXPECT_EQ(f.Text4->text(), "3");
    EXPECT_EQ(f.commPort(), 3);
    EXPECT_EQ(f.settings().instrument, "XTH");
}

TEST_F(StartupTest, EmptyInstrumentHidesTheInstrumentButtons) {
    writeFile("twz.cfg", "\r\n 1 \r\n");
    Form1 &f = start();
    EXPECT_FALSE(f.Command7->visible());
    EXPECT_FALSE(f.Command8->visible());
    EXPECT_FALSE(f.Text4->visible());
}

TEST_F(StartupTest, PortOutsideOneToFourBecomesOneAndIsWrittenBack) {
    writeFile("twz.cfg", "CE2180\r\n 7 \r\n");
    Form1 &f = start();
    EXPECT_EQ(f.Text4->text(), "7");
    EXPECT_EQ(f.commPort(), 1);
    EXPECT_EQ(readFile("twz.cfg"), "CE2180\r\n 1 \r\n");
}

TEST_F(StartupTest, ShortOrBrokenSettingsFileKeepsDefaults) {
    writeFile("twz.cfg", "Spectrolino");
    Form1 &f = start();
    EXPECT_EQ(f.Combo1->text(), "Spectrolino");
    EXPECT_EQ(f.commPort(), 1);

    form.reset();
    writeFile("twz.cfg", "CE7000A\r\nport two\r\n");
    Form1 &g = start();
    EXPECT_EQ(g.Combo1->text(), "CE7000A");
    EXPECT_EQ(g.commPort(), 1);
}

TEST_F(StartupTest, TypingAPortRewritesTheFileEachTime) {
    Form1 &f = start();
    f.Text4->setText("7");
    EXPECT_EQ(readFile("twz.cfg"), "CE7000\r\n 1 \r\n");
    EXPECT_EQ(f.Text4->text(), "7");
    f.Text4->setText("2.5");
    EXPECT_EQ(f.commPort(), 2) << "halves to even";
    f.Text4->setText("4");
    EXPECT_EQ(readFile("twz.cfg"), "CE7000\r\n 4 \r\n");
}

TEST_F(StartupTest, ChoosingAnInstrumentThenAPortKeepsTheInstrumentInForce) {
    Form1 &f = start();
    ASSERT_TRUE(f.Combo1->setListIndex(5)); // Ci5/Ci7
    EXPECT_EQ(readFile("twz.cfg"), "Ci5/Ci7\r\n 1 \r\n");
    f.Text4->setText("2");
    EXPECT_EQ(readFile("twz.cfg"), "CE7000\r\n 2 \r\n");
}

TEST_F(StartupTest, UnwritableSettingsAreSaidOnceAndTheRunGoesOn) {
    std::filesystem::create_directory(folder / "twz.cfg"); // cannot be written as a file
    Form1 &f = start();
    f.Text4->setText("3");
    f.Text4->setText("4");
    EXPECT_EQ(f.commPort(), 4);
    EXPECT_EQ(fakes.dialogs.messages().size(), 1u);
}

TEST_F(StartupTest, MissingRenotationDataIsNamedAndStopsStartUp) {
    std::filesystem::remove(folder / "Muncie.dat");
    make();
    EXPECT_FALSE(form->Form_Load());
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    const std::string message = fakes.dialogs.messages()[0];
    EXPECT_NE(message.find("Muncie.dat"), std::string::npos) << message;
    EXPECT_NE(message.find(folder.string()), std::string::npos) << message;
}

TEST_F(StartupTest, DamagedRenotationDataIsRefused) {
    writeFile("Muncie.dat", "3101,3163,4000,abc\r\n");
    make();
    EXPECT_FALSE(form->Form_Load());
    ASSERT_EQ(fakes.dialogs.messages().size(), 1u);
    EXPECT_NE(fakes.dialogs.messages()[0].find("not a number"), std::string::npos);
}

} // namespace
} // namespace tw::screen::testing
