// The dialogs of a start-up nobody watches: each message on the stream, line
// by line after the program's name, and the answer that changes nothing.
#include "app/unattended_dialogs.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tw::app {
namespace {

using services::Answer;
using services::Buttons;
using services::Icon;

TEST(UnattendedDialogs, MessagesGoToTheStreamLineByLine) {
    std::ostringstream out;
    UnattendedDialogs dialogs(out);
    services::Dialogs &d = dialogs;
    EXPECT_EQ(dialogs.reported(), 0);
    d.messageBox("Muncie.dat is incomplete.\r\rTintwise needs it.\r\nAsk.\nAgain.\rEnd",
        Buttons::Ok, "Tintwise", Icon::Critical);
    EXPECT_EQ(out.str(),
        "tintwise: Muncie.dat is incomplete.\n"
        "tintwise: Tintwise needs it.\n"
        "tintwise: Ask.\n"
        "tintwise: Again.\n"
        "tintwise: End\n");
    EXPECT_EQ(dialogs.reported(), 1);
}

TEST(UnattendedDialogs, QuestionsGetTheAnswerThatChangesNothing) {
    std::ostringstream out;
    UnattendedDialogs dialogs(out);
    services::Dialogs &d = dialogs;
    EXPECT_EQ(d.messageBox("a", Buttons::Ok), Answer::Ok);
    EXPECT_EQ(d.messageBox("b", Buttons::OkCancel), Answer::Cancel);
    EXPECT_EQ(d.messageBox("c", Buttons::YesNo), Answer::No);
    EXPECT_EQ(d.messageBox("d", Buttons::YesNoCancel), Answer::Cancel);
    EXPECT_EQ(d.askText("Tag for the palette", "Save", "red"), std::nullopt);
    EXPECT_EQ(d.openFile("Open a picture", "/tmp", "Pictures|*.jpg"), "");
    d.yield();
    d.beep();
    EXPECT_EQ(dialogs.reported(), 6);
    EXPECT_NE(out.str().find("tintwise: Tag for the palette\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("tintwise: Open a picture\n"), std::string::npos) << out.str();
}

} // namespace
} // namespace tw::app
