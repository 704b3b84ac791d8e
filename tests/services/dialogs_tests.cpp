// Dialog services: the scripted double (answers in order, defaults, the
// record), and the real dialogs' answers, filters and line breaks.
#include "services/qt_dialogs.h"
#include "testing/scripted_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tw::services {
namespace {

using Kind = ScriptedDialogs::Kind;

TEST(ScriptedDialogsTest, AnswersInOrderAndRecordsEveryCall) {
    ScriptedDialogs dialogs;
    dialogs.queueAnswer(Answer::No);
    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueInput("leaf");
    dialogs.queueInput("10");
    dialogs.queueFile("/pics/leaf.jpg");

    EXPECT_EQ(dialogs.inputBox("Enter file name for palette ", "Palette Generation", "TestImage"),
        "leaf");
    EXPECT_EQ(dialogs.inputBox("Granularity (average of pixels n x n)", {}, "10"), "10");
    EXPECT_EQ(
        dialogs.messageBox("Total Pixels  3072   Generate Palette", Buttons::YesNo), Answer::No);
    EXPECT_EQ(dialogs.messageBox("again", Buttons::YesNo), Answer::Yes);
    EXPECT_EQ(dialogs.openFile("Open", "/pics", "*.jpg|*.jpg"), "/pics/leaf.jpg");
    EXPECT_TRUE(dialogs.scriptUsedUp());

    const auto &calls = dialogs.calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].kind, Kind::InputBox);
    EXPECT_EQ(calls[0].title, "Palette Generation");
    EXPECT_EQ(calls[0].proposed, "TestImage");
    EXPECT_EQ(calls[2].kind, Kind::MessageBox);
    EXPECT_EQ(calls[2].buttons, Buttons::YesNo);
    EXPECT_EQ(calls[4].kind, Kind::OpenFile);
    EXPECT_EQ(calls[4].initialFolder, "/pics");
    EXPECT_EQ(calls[4].filter, "*.jpg|*.jpg");
    EXPECT_EQ(dialogs.messages(),
        (std::vector<std::string> { "Total Pixels  3072   Generate Palette", "again" }));
    EXPECT_EQ(dialogs.unscriptedCount(), 0);
}

TEST(ScriptedDialogsTest, MissingAnswerGivesTheDefaultAndIsRecorded) {
    ScriptedDialogs dialogs;
    EXPECT_EQ(dialogs.messageBox("Printer not Found"), Answer::Ok);
    EXPECT_EQ(dialogs.messageBox("Save?", Buttons::OkCancel), Answer::Ok);
    EXPECT_EQ(dialogs.messageBox("Go on?", Buttons::YesNo), Answer::Yes);
    EXPECT_EQ(dialogs.inputBox("Name", "Title", "proposed"), "") << "as Cancel would give";
    EXPECT_EQ(dialogs.openFile("Open", ".", "*.csv|*.csv"), "");

    EXPECT_EQ(dialogs.unscriptedCount(), 5);
    EXPECT_FALSE(dialogs.calls()[0].scripted);
    EXPECT_EQ(dialogs.calls()[2].answer, Answer::Yes);
}

TEST(ScriptedDialogsTest, CountsYieldsAndBeepsAndRunsTheYieldHook) {
    ScriptedDialogs dialogs;
    int hooked = 0;
    dialogs.setOnYield([&] { ++hooked; });
    dialogs.yield();
    dialogs.yield();
    dialogs.beep();
    EXPECT_EQ(dialogs.yieldCount(), 2);
    EXPECT_EQ(hooked, 2);
    EXPECT_EQ(dialogs.beepCount(), 1);

    dialogs.reset();
    EXPECT_EQ(dialogs.yieldCount(), 0);
    EXPECT_TRUE(dialogs.calls().empty());
}

struct FilterRow {
    const char *name;
    const char *pairs;
    const char *filter;
};

class FileDialogFilterTest : public ::testing::TestWithParam<FilterRow> { };

TEST_P(FileDialogFilterTest, PairsBecomeTheDialogFilterList) {
    EXPECT_EQ(fileDialogFilter(GetParam().pairs).toStdString(), GetParam().filter);
}

INSTANTIATE_TEST_SUITE_P(Filters, FileDialogFilterTest,
    ::testing::Values(FilterRow { "PatternAsDescription", "*.jpg|*.jpg", "*.jpg (*.jpg)" },
        FilterRow { "DescriptionNamingItsPattern", "DataBase Files (*.csv)|*.csv",
            "DataBase Files (*.csv)" },
        FilterRow {
            "TwoPairs", "Text (*.txt)|*.txt|All files|*.*", "Text (*.txt);;All files (*.*)" },
        FilterRow { "SeveralPatterns", "Pictures|*.jpg;*.jpeg", "Pictures (*.jpg *.jpeg)" },
        FilterRow {
            "BracketsDisagreeingWithThePattern", "Palettes (*.txt)|*.csv", "Palettes (*.csv)" },
        FilterRow { "Empty", "", "All files (*)" },
        FilterRow { "UnpairedTailIgnored", "*.csv|*.csv|oops", "*.csv (*.csv)" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LineBreakTest, CarriageReturnsBreakLinesAndKeepLeadingBlanks) {
    const std::string help = "Enter X,Y and Z and press 'Enter'\r                      or\r\nend";
    EXPECT_EQ(withLineFeeds(help).toStdString(),
        "Enter X,Y and Z and press 'Enter'\n                      or\nend");
}

// Acts on the next modal dialog once it is up (looking again every 10 ms).
void whenModal(std::function<void(QWidget *)> act, int tries = 300) {
    QTimer::singleShot(tries == 300 ? 0 : 10, [act, tries] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            act(modal);
        } else if (tries > 0) {
            whenModal(act, tries - 1);
        }
    });
}

struct AnswerRow {
    const char *name;
    Buttons buttons;
    QMessageBox::StandardButton press;
    Answer answer;
};

class QtMessageBoxTest : public ::testing::TestWithParam<AnswerRow> { };

TEST_P(QtMessageBoxTest, ButtonPressedIsTheAnswer) {
    const AnswerRow &row = GetParam();
    std::string shown;
    whenModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        shown = box->text().toStdString();
        box->button(row.press)->click();
    });
    QtDialogs dialogs;
    EXPECT_EQ(dialogs.messageBox("line 1\rline 2", row.buttons, "Title"), row.answer);
    EXPECT_EQ(shown, "line 1\nline 2");
}

INSTANTIATE_TEST_SUITE_P(Buttons, QtMessageBoxTest,
    ::testing::Values(AnswerRow { "Ok", Buttons::Ok, QMessageBox::Ok, Answer::Ok },
        AnswerRow { "Cancel", Buttons::OkCancel, QMessageBox::Cancel, Answer::Cancel },
        AnswerRow { "Yes", Buttons::YesNo, QMessageBox::Yes, Answer::Yes },
        AnswerRow { "No", Buttons::YesNo, QMessageBox::No, Answer::No },
        AnswerRow { "ThirdOfThree", Buttons::YesNoCancel, QMessageBox::Cancel, Answer::Cancel }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(QtInputBoxTest, OkGivesTheTextAndCancelAnEmptyOne) {
    QtDialogs dialogs;
    whenModal([](QWidget *w) { qobject_cast<QDialog *>(w)->accept(); });
    EXPECT_EQ(dialogs.inputBox("Granularity", {}, "10"), "10");

    whenModal([](QWidget *w) { qobject_cast<QDialog *>(w)->reject(); });
    EXPECT_EQ(dialogs.inputBox("Granularity", {}, "10"), "");
}

TEST(QtYieldTest, YieldRunsPendingEvents) {
    QtDialogs dialogs;
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    dialogs.yield();
    EXPECT_TRUE(ran);
}

TEST(QtDialogsYield, TellsAnEventThatItRunsInsideALongOperation) {
    QtDialogs dialogs;
    bool inside = false;
    QTimer::singleShot(0, [&] { inside = QtDialogs::insideYield(); });
    dialogs.yield();
    EXPECT_TRUE(inside);
    EXPECT_FALSE(QtDialogs::insideYield());
    QTimer::singleShot(0, [&] { inside = QtDialogs::insideYield(); });
    QCoreApplication::processEvents();
    EXPECT_FALSE(inside) << "an event from the event loop itself";
}

} // namespace
} // namespace tw::services
