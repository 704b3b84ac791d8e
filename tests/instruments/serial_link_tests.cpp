// The shared serial operations on the scripted port: the order of the port
// properties, command endings on the wire, replies in pieces, the
// seconds-since-midnight clock across midnight, and the limits on waits.
#include "instruments/serial_link.h"

#include "dialogue_fixture.h"

#include <gtest/gtest.h>

namespace tw::instruments::testing {
namespace {

class SerialLinkTest : public DialogueTest {
protected:
    void onRunaway() override { abandon = true; }
    bool abandon = false;
    SerialLink link { serial, clock, dialogs, abandon };
};

struct OpenOrderRow {
    const char *name;
    std::vector<std::string> expected;
};

void PrintTo(const OpenOrderRow &row, std::ostream *os) {
    *os << row.name;
}

class CommopenOrder : public SerialLinkTest, public ::testing::WithParamInterface<OpenOrderRow> { };

TEST_P(CommopenOrder, SetsThePropertiesInTheFamilysOrder) {
    ASSERT_TRUE(link.commopen(*profileFor(GetParam().name), 3));
    EXPECT_EQ(serial.settingsLog(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Families, CommopenOrder,
    ::testing::Values(OpenOrderRow { "CE7000",
                          { "CommPort=3", "Settings=9600,N,8,1", "Handshaking=0", "PortOpen=1" } },
        OpenOrderRow {
            "CE7000A", { "CommPort=3", "Settings=9600,N,8,1", "Handshaking=0", "PortOpen=1" } },
        OpenOrderRow {
            "CE2180", { "CommPort=3", "Settings=9600,N,8,1", "Handshaking=0", "PortOpen=1" } },
        OpenOrderRow {
            "XTH", { "Handshaking=2", "CommPort=3", "Settings=38400,N,8,1", "PortOpen=1" } },
        OpenOrderRow {
            "Ci5/Ci7", { "Handshaking=2", "CommPort=3", "Settings=38400,N,8,1", "PortOpen=1" } },
        OpenOrderRow { "Spectrolino",
            { "CommPort=3", "Settings=9600,n,8,1", "Handshaking=0", "RTSEnable=1", "PortOpen=1" } },
        OpenOrderRow { "SpectroEye",
            { "CommPort=3", "Settings=9600,n,8,1", "Handshaking=0", "RTSEnable=1",
                "PortOpen=1" } }),
    [](const auto &info) {
        std::string name = info.param.name;
        std::erase(name, '/');
        return name;
    });

TEST(Profiles, NamesAreComparedExactly) {
    EXPECT_TRUE(profileFor("CE7000"));
    EXPECT_FALSE(profileFor("ce7000"));
    EXPECT_FALSE(profileFor("CE7000 "));
    EXPECT_FALSE(profileFor("Import"));
    EXPECT_FALSE(profileFor("Instrument"));
}

TEST_F(SerialLinkTest, SpectrolinoCommandGoesOutAfterThePreambleAndEndsWithCrLf) {
    ASSERT_TRUE(link.commopen(*profileFor("SpectroEye"), 1));
    link.commsend("; 32");
    const std::string wire = serial.written();
    ASSERT_EQ(wire.size(), 250u + 4u + 2u);
    EXPECT_EQ(wire.find_first_not_of('\xff'), 250u);
    EXPECT_EQ(wire.substr(250), "; 32\r\n");
}

TEST_F(SerialLinkTest, EndingsOfTheOtherFamilies) {
    ASSERT_TRUE(link.commopen(*profileFor("XTH"), 1));
    link.commsend("M 8");
    ASSERT_TRUE(link.commopen(*profileFor("CE2180"), 1));
    link.commsend("M");
    ASSERT_TRUE(link.commopen(*profileFor("CE7000"), 1));
    link.sendBare("R");
    link.commsend("M");
    EXPECT_EQ(serial.commands(), (std::vector<std::string> { "M 8\r", "M", "R", "M\r" }));
}

TEST_F(SerialLinkTest, ReplyInPiecesIsJoinedInOrderBeforeTheTerminatorTest) {
    ASSERT_TRUE(link.commopen(*profileFor("XTH"), 1));
    serial.answer("R\r", { { 0.1, "X" }, { 0.2, "TH" }, { 0.3, " 1.0" }, { 0.4, ">" } });
    const double start = link.now();
    link.commsend("R");
    std::string reply;
    EXPECT_EQ(link.readuntil(reply, ">", 2, start), Wait::Done);
    EXPECT_EQ(reply, "XTH 1.0>");
    EXPECT_GE(now() - start, 0.4);
}

TEST_F(SerialLinkTest, ElapsedTimeAcrossMidnightCountsForward) {
    clock.setSeconds(86398); // 23:59:58
    const double start = link.now();
    clock.setSeconds(1); // 00:00:01
    EXPECT_DOUBLE_EQ(link.elapsed(start), 3);
}

TEST_F(SerialLinkTest, WaitAcrossMidnightEndsAtItsLimitNeitherAtOnceNorNever) {
    ASSERT_TRUE(link.commopen(*profileFor("CE7000"), 1));
    clock.setSeconds(86398);
    std::string reply;
    EXPECT_EQ(link.readuntil(reply, ">", 5, link.now()), Wait::TimedOut);
    EXPECT_NEAR(now(), 3, 2 * kTick); // 5 s after 23:59:58
}

TEST_F(SerialLinkTest, ReplyArrivingAcrossMidnightIsWaitedFor) {
    ASSERT_TRUE(link.commopen(*profileFor("CE7000"), 1));
    clock.setSeconds(86398.5);
    serial.answer("R", ">", 3);
    const double start = link.now();
    link.sendBare("R");
    std::string reply;
    EXPECT_EQ(link.readuntil(reply, ">", 5, start), Wait::Done);
    EXPECT_NEAR(now(), 1.5, 2 * kTick); // 3 s after 23:59:58.5
}

TEST_F(SerialLinkTest, WaitcountOnASilentLineEndsAfterItsLimit) {
    ASSERT_TRUE(link.commopen(*profileFor("CE7000"), 1));
    const double start = now();
    std::string reply = "old";
    EXPECT_EQ(link.waitcount(19, reply), Wait::TimedOut);
    EXPECT_GT(now() - start, kCountLimit);
    EXPECT_LT(now() - start, kCountLimit + 2 * kTick);
    EXPECT_EQ(reply, "old");
}

TEST_F(SerialLinkTest, WaitcountReadsEverythingWaitingOnceEnoughHasCome) {
    ASSERT_TRUE(link.commopen(*profileFor("CE7000"), 1));
    serial.answer("I\r", { { 0.5, "0123456789" }, { 1.0, "0123456789AB" } });
    link.commsend("I");
    std::string reply = "old";
    EXPECT_EQ(link.waitcount(19, reply), Wait::Done);
    EXPECT_EQ(reply, "01234567890123456789AB");
}

TEST_F(SerialLinkTest, AbandonEndsAWaitAtItsNextPass) {
    ASSERT_TRUE(link.commopen(*profileFor("CE7000"), 1));
    dialogs.setOnYield([this] {
        tick();
        abandon = now() > 36001;
    });
    std::string reply;
    EXPECT_EQ(link.waitcount(19, reply), Wait::Abandoned);
    EXPECT_LT(now(), 36001.1);
}

TEST_F(SerialLinkTest, WakeupCallsASleepingInstrumentUntilItAnswers) {
    ASSERT_TRUE(link.commopen(*profileFor("XTH"), 1));
    serial.ignore("R\r", 2);
    serial.answer("R\r", "XTH>", 0.5);
    int timeouts = 0;
    const Wake wake = link.wakeup(WakeupPlan { 'X', false, 2, [&] {
                                                  ++timeouts;
                                                  return true;
                                              } });
    EXPECT_EQ(wake, Wake::Awake);
    EXPECT_EQ(timeouts, 2);
    EXPECT_EQ(serial.commands(), (std::vector<std::string>(3, "R\r")));
}

TEST_F(SerialLinkTest, WakeupGivesUpAfterItsAttempts) {
    ASSERT_TRUE(link.commopen(*profileFor("XTH"), 1));
    const Wake wake = link.wakeup(WakeupPlan { 'X', false, 2, [] { return true; } });
    EXPECT_EQ(wake, Wake::GaveUp);
    EXPECT_EQ(serial.commands().size(), static_cast<std::size_t>(kWakeAttempts));
}

TEST_F(SerialLinkTest, WakeupLetterIsComparedAsThePlanSays) {
    ASSERT_TRUE(link.commopen(*profileFor("Ci5/Ci7"), 1));
    serial.answer("R\r", "Ici7>");
    EXPECT_EQ(link.wakeup(WakeupPlan { 'i', true, 2, {} }), Wake::Awake);

    // The XTH letter is compared as it stands: "x" is not an answer.
    serial.answer("R\r", "xth>");
    serial.answer("R\r", "XTH>");
    EXPECT_EQ(link.wakeup(WakeupPlan { 'X', false, 2, {} }), Wake::Awake);
    EXPECT_EQ(serial.commands().size(), 3u);
}

} // namespace
} // namespace tw::instruments::testing
