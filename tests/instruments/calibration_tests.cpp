// Calibrate (Command7_Click) on the scripted port: the prompts and their
// order for every family, the answers that end a dialogue, the time limits
// and their messages, and the port left closed on every path.
#include "dialogue_fixture.h"

#include <gtest/gtest.h>

namespace tw::instruments::testing {
namespace {

using services::Answer;
using services::Buttons;
using Strings = std::vector<std::string>;

class Calibrate : public DialogueTest {
protected:
    void press(const std::string &instrument, std::initializer_list<Answer> answers = {}) {
        host.combo1 = instrument;
        answer(answers);
        instruments.Command7_Click();
    }
};

TEST_F(Calibrate, CE7000WalksOpenPortThenWhiteStandard) {
    serial.answer("R", "CE7000>", 0.2);
    serial.answer("I\r", std::string(19, 'i'), 1);
    serial.answer("C\r", std::string(19, 'c'), 1);
    press("CE7000A", { Answer::Yes, Answer::Yes });

    EXPECT_EQ(boxTexts(), (Strings { "Open Port", "White Standard" }));
    EXPECT_EQ(dialogs.boxes()[0].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(dialogs.boxes()[1].buttons, Buttons::YesNoCancel);
    EXPECT_EQ(serial.commands(), (Strings { "R", "I\r", "C\r" }));
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Calibrate, CE7000NoAtOpenPortSkipsTheWhiteStandard) {
    serial.answer("R", "CE7000>");
    press("CE7000", { Answer::No });
    EXPECT_EQ(boxTexts(), (Strings { "Open Port" }));
    EXPECT_EQ(serial.commands(), (Strings { "R" }));
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Calibrate, CE7000CancelAtWhiteStandardClosesAndAsksNothingMore) {
    serial.answer("R", "CE7000>");
    serial.answer("I\r", std::string(19, 'i'));
    press("CE7000", { Answer::Yes, Answer::Cancel });
    EXPECT_EQ(boxTexts(), (Strings { "Open Port", "White Standard" }));
    EXPECT_EQ(serial.commands(), (Strings { "R", "I\r" }));
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Calibrate, CE7000UnansweredPingIsNotConnectedAfterFiveSeconds) {
    serial.answer("R", "CE7000>", 5.2); // too late
    const double start = now();
    press("CE7000", { Answer::Yes });
    EXPECT_EQ(boxTexts(), (Strings { "CE-7000 not connected" }));
    EXPECT_NEAR(now() - start, 5, 2 * kTick);
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Calibrate, CE7000PingAnsweredJustInTimeGoesOn) {
    serial.answer("R", "CE7000>", 4.9);
    press("CE7000", { Answer::No });
    EXPECT_EQ(boxTexts(), (Strings { "Open Port" }));
}

TEST_F(Calibrate, CE7000SilentAfterOpenPortIsReportedInsteadOfHanging) {
    serial.answer("R", "CE7000>");
    press("CE7000", { Answer::Yes, Answer::Yes });
    EXPECT_EQ(boxTexts(),
        (Strings { "Open Port", "CE-7000 stopped answering - no reply within 10 seconds" }));
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Calibrate, CE2180AsksWhiteStandardFirstAndANoStillLeadsToOpenPort) {
    serial.answer("v", "CE2180\r\n");
    serial.answer("K", std::string(18, 'k'));
    serial.answer("B", std::string(18, 'b'));
    press("CE2180", { Answer::No, Answer::Yes });
    EXPECT_EQ(boxTexts(), (Strings { "White Standard", "Open Port" }));
    EXPECT_EQ(serial.commands(), (Strings { "v", "K", "B" }));
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Calibrate, CE2180WhiteThenOpenPort) {
    serial.answer("v", "CE2180\r\n");
    serial.answer("K", std::string(18, 'k'));
    serial.answer("C", std::string(18, 'c'));
    serial.answer("B", std::string(18, 'b'));
    press("CE2180", { Answer::Yes, Answer::Yes });
    EXPECT_EQ(serial.commands(), (Strings { "v", "K", "C", "B" }));
}

TEST_F(Calibrate, CE2180CancelAtWhiteStandardAsksNothingMore) {
    serial.answer("v", "CE2180\r\n");
    serial.answer("K", std::string(18, 'k'));
    press("CE2180", { Answer::Cancel });
    EXPECT_EQ(boxTexts(), (Strings { "White Standard" }));
    EXPECT_EQ(serial.commands(), (Strings { "v", "K" }));
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Calibrate, CE2180PingWithoutLineFeedIsNotConnected) {
    serial.answer("v", "CE2180\r"); // no LF: never complete
    press("CE2180");
    EXPECT_EQ(boxTexts(), (Strings { "CE-2180 not connected" }));
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Calibrate, XTHSleepingIsCalledEveryTwoSecondsUntilItAnswers) {
    serial.ignore("R\r", 2);
    serial.answer("R\r", "XTH V1\r\n>");
    serial.answer("C\r", "WHITE OK>", 1);
    serial.answer("B\r", "BLACK OK>", 1);
    const double start = now();
    press("XTH", { Answer::Ok, Answer::Ok });

    EXPECT_EQ(host.text3, (Strings { "XT Sleeping", "XT Sleeping", "WHITE OK>", "BLACK OK>" }));
    EXPECT_EQ(serial.commands(), (Strings { "R\r", "R\r", "R\r", "C\r", "B\r" }));
    EXPECT_GT(now() - start, 4);
    EXPECT_EQ(boxTexts(), (Strings { "White Calibration", "Open Port Calibration" }));
    for (const auto &box : dialogs.boxes()) {
        EXPECT_EQ(box.buttons, Buttons::OkCancel);
        EXPECT_EQ(box.title, "XT Calibration");
    }
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Calibrate, XTHWhiteLimitCountsTheTimeTheUserTookToAnswer) {
    serial.answer("R\r", "XTH>");
    serial.answer("C\r", { { 0.5, "WHITE " }, { 2, "OK>" } });
    serial.answer("B\r", "BLACK OK>", 2);
    dialogs.thinkSeconds = 9; // 9 s at each prompt: white has 1 s left
    press("XTH", { Answer::Ok, Answer::Ok });
    // White: the partial reply is shown and the dialogue goes on. Open port:
    // its clock starts after the prompt, so 2 s are in time, and the late
    // end of the white reply is not taken for its answer.
    EXPECT_EQ(host.text3, (Strings { "WHITE ", "BLACK OK>" }));
}

TEST_F(Calibrate, XTHCancelAtWhiteStillAsksOpenPort) {
    serial.answer("R\r", "XTH>");
    press("XTH", { Answer::Cancel, Answer::Cancel });
    EXPECT_EQ(boxTexts(), (Strings { "White Calibration", "Open Port Calibration" }));
    EXPECT_EQ(serial.commands(), (Strings { "R\r" }));
}

TEST_F(Calibrate, XTHThatNeverWakesIsGivenUpAndReported) {
    press("XTH");
    EXPECT_EQ(boxTexts(), (Strings { "XTH not answering - gave up after 15 wake-up calls" }));
    EXPECT_EQ(serial.commands().size(), 15u);
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Calibrate, CiWalksModeWhiteAndBlackAndShowsTheReplies) {
    serial.answer("R\r", "iCi7>");
    serial.answer("config -mode=sce\r", "SCE>");
    serial.answer("whitecal\r", "WHITE>", 1);
    serial.answer("blackcal\r", "BLACK>", 1);
    press("Ci5/Ci7", { Answer::Ok, Answer::Ok });

    EXPECT_EQ(
        serial.commands(), (Strings { "R\r", "config -mode=sce\r", "whitecal\r", "blackcal\r" }));
    EXPECT_EQ(boxTexts(), (Strings { "White Ceramic Calibration", "Black Trap Calibration" }));
    EXPECT_EQ(dialogs.boxes()[0].title, "Instrument Calibration");
    EXPECT_EQ(dialogs.boxes()[1].title, "Black Calibration");
    EXPECT_EQ(host.text3.back(), "BLACK>");
    EXPECT_FALSE(instruments.ciConfigured()); // only Measure records the mode
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Calibrate, CiAnsweringTheWakeUpAfterThreeSecondsIsNotConnected) {
    serial.answer("R\r", "iCi7>", 3);
    press("Ci5/Ci7");
    EXPECT_EQ(host.text3.back(), "Ci5/Ci7 not connected");
    EXPECT_EQ(serial.commands(), (Strings { "R\r" }));
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Calibrate, CiSilentOnTheModeSettingIsNotConnected) {
    serial.answer("R\r", "iCi7>");
    press("Ci5/Ci7");
    EXPECT_EQ(host.text3.back(), "Ci5/Ci7 not connected");
    EXPECT_EQ(serial.commands(), (Strings { "R\r", "config -mode=sce\r" }));
    EXPECT_TRUE(portLeftClosed());
}

TEST_F(Calibrate, SpectrolinoFamilyIsReferredToTheManualWithoutTraffic) {
    for (const char *name : { "Spectrolino", "SpectroEye" }) {
        press(name);
    }
    EXPECT_EQ(boxTexts(),
        (Strings(2,
            "Follow users manual for Calibration of Spectrolino / "
            "SpectroEye")));
    EXPECT_TRUE(serial.log().empty());
}

TEST_F(Calibrate, NoInstrumentChosenIsAnError) {
    press("Instrument");
    ASSERT_EQ(boxTexts(), (Strings { "No Instrument found - CE-7000 or CE-2180 only" }));
    EXPECT_EQ(dialogs.boxes()[0].icon, services::Icon::Critical);
    EXPECT_TRUE(serial.log().empty());
}

TEST_F(Calibrate, ImportDoesNothingAndUnknownNamesAreOnlyNamed) {
    press("Import");
    EXPECT_TRUE(dialogs.boxes().empty());
    for (const char *name : { "ce7000", "" }) {
        press(name);
    }
    ASSERT_EQ(dialogs.boxes().size(), 2u);
    EXPECT_NE(dialogs.boxes()[0].text.find("\"ce7000\" is not an instrument"), std::string::npos);
    EXPECT_TRUE(serial.log().empty());
    EXPECT_EQ(host.currentInstrument, "CE7000"); // Calibrate does not change it
}

} // namespace
} // namespace tw::instruments::testing
