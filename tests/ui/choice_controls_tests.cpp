// Check boxes, option arrays, combos, list boxes, labels, menus and timers:
// events from code and from the user, and the timer's ticks.
#include "ui/button.h"
#include "ui/checkbox.h"
#include "ui/combobox.h"
#include "ui/form.h"
#include "ui/frame.h"
#include "ui/label.h"
#include "ui/listbox.h"
#include "ui/menuitem.h"
#include "ui/optionarray.h"
#include "ui/timer.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw::ui {
namespace {

TEST(ButtonTest, LongCaptionWrapsOnTheFaceButReadsBackWhole) {
    Form form;
    Button &narrow = form.add<Button>(TwipRect { 2880, 120, 930, 495 }, "Save to Palette");
    Button &wide = form.add<Button>(TwipRect { 0, 0, 3000, 495 }, "Save to Palette");
    EXPECT_EQ(narrow.caption(), "Save to Palette");
    EXPECT_TRUE(narrow.button()->text().contains(u'\n'));
    EXPECT_EQ(wide.button()->text(), QString("Save to Palette"));

    narrow.setCaption("Help");
    EXPECT_EQ(narrow.button()->text(), QString("Help"));
}

TEST(CheckBoxTest, ValueFromCodeFiresClickOnlyOnAChange) {
    Form form;
    CheckBox &box = form.add<CheckBox>(TwipRect { 240, 3720, 2055, 255 }, "Display Hue Page");
    std::vector<int> seen;
    box.onClick = [&] { seen.push_back(box.value()); };

    box.setValue(1);
    box.setValue(1);
    box.setValue(0);
    EXPECT_EQ(seen, (std::vector<int> { 1, 0 }));
}

TEST(CheckBoxTest, UserClickTogglesAndFiresClick) {
    Form form;
    CheckBox &box = form.add<CheckBox>(TwipRect { 240, 120, 735, 255 }, "PWD");
    std::vector<int> seen;
    box.onClick = [&] { seen.push_back(box.value()); };

    box.checkBox()->click();
    box.checkBox()->click();
    EXPECT_EQ(seen, (std::vector<int> { 1, 0 }));
}

class OptionArrayTest : public ::testing::Test {
protected:
    Form form;
    Frame &frame = form.add<Frame>(TwipRect { 2640, 3000, 1215, 1455 }, "Illuminant");
    OptionArray &options = form.addIn<OptionArray>(frame);
    std::vector<int> clicks;
    std::vector<int> selectedDuringClick;

    void SetUp() override {
        options.add("C 1931", TwipRect { 120, 240, 975, 255 });
        options.add("D5000", TwipRect { 120, 480, 975, 255 });
        options.add("D65 10", TwipRect { 120, 720, 975, 255 });
        options.onClick = [this](int i) {
            clicks.push_back(i);
            selectedDuringClick.push_back(options.index());
        };
    }
};

TEST_F(OptionArrayTest, SelectingFromCodeFiresClickWithTheIndexAtOnce) {
    EXPECT_EQ(options.index(), -1);
    EXPECT_TRUE(options.select(2));
    EXPECT_EQ(clicks, std::vector<int> { 2 });
    EXPECT_EQ(selectedDuringClick, std::vector<int> { 2 }) << "the handler sees the new selection";
    EXPECT_TRUE(options.value(2));
    EXPECT_FALSE(options.value(0));
}

TEST_F(OptionArrayTest, SelectingTheSelectedOneFiresAgain) {
    // Start-up selects the first illuminant, already selected in the layout,
    // and relies on its handler to run.
    options.select(0);
    options.select(0);
    EXPECT_EQ(clicks, (std::vector<int> { 0, 0 }));
}

TEST_F(OptionArrayTest, UnknownIndexIsRefused) {
    EXPECT_FALSE(options.select(3));
    EXPECT_FALSE(options.select(-1));
    EXPECT_TRUE(clicks.empty());
}

TEST_F(OptionArrayTest, UserClickSelectsAndFiresClick) {
    options.select(0);
    clicks.clear();
    options.button(1)->click();
    EXPECT_EQ(clicks, std::vector<int> { 1 });
    EXPECT_EQ(options.index(), 1);
    EXPECT_FALSE(options.value(0)) << "one selected at a time";
}

TEST_F(OptionArrayTest, ButtonsArePlacedInsideTheFrame) {
    const QPoint inClient = options.button(1)->mapTo(form.client(), QPoint(0, 0));
    EXPECT_EQ(inClient, QPoint((2640 + 120) / 15, (3000 + 480) / 15));
}

class ComboBoxTest : public ::testing::Test {
protected:
    Form form;
    ComboBox &combo = form.add<ComboBox>(TwipRect { 120, 360, 1455, 330 }, "Instrument");
    int clicks = 0;
    int changes = 0;

    void SetUp() override {
        combo.onClick = [this] { ++clicks; };
        combo.onChange = [this] { ++changes; };
    }

    void fill() {
        for (const char *name : { "Import", "CE7000", "CE7000A", "CE2180" }) {
            combo.addItem(name);
        }
    }
};

TEST_F(ComboBoxTest, TextSetBeforeTheListIsFilledStays) {
    combo.setText("CE7000A");
    fill();
    EXPECT_EQ(combo.text(), "CE7000A");
    EXPECT_EQ(combo.count(), 4);
    EXPECT_EQ(combo.listIndex(), 2);
    EXPECT_EQ(clicks, 0);
}

TEST_F(ComboBoxTest, TextOutsideTheListIsKept) {
    fill();
    EXPECT_EQ(combo.text(), "Instrument");
    EXPECT_EQ(combo.listIndex(), -1);
}

TEST_F(ComboBoxTest, ChoosingFromCodeShowsTheItemAndFiresClick) {
    fill();
    EXPECT_TRUE(combo.setListIndex(1));
    EXPECT_EQ(combo.text(), "CE7000");
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(combo.setListIndex(4));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ComboBoxTest, UserPickFiresClickAndTypingFiresChange) {
    fill();
    combo.setText("Import");
    changes = 0;
    QTest::keyClick(combo.comboBox(), Qt::Key_Down);
    EXPECT_EQ(combo.text(), "CE7000");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 0) << "a pick is a click, not an edit";

    combo.comboBox()->lineEdit()->selectAll();
    QTest::keyClicks(combo.comboBox()->lineEdit(), "XT");
    EXPECT_EQ(combo.text(), "XT");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(combo.count(), 4);
    QTest::keyClick(combo.comboBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(combo.count(), 4) << "Enter does not add the typed text to the list";
}

TEST(ListBoxTest, SelectionFromCodeFiresClickOnlyOnAChange) {
    Form form;
    ListBox &list = form.add<ListBox>(TwipRect { 0, 0, 3000, 2000 });
    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    for (const char *row : { "1    a", "2    b", "3    c" }) {
        list.addItem(row);
    }
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(clicks, 0) << "adding rows selects nothing";

    EXPECT_TRUE(list.setListIndex(1));
    EXPECT_TRUE(list.setListIndex(1));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list.item(list.listIndex()), "2    b");
    EXPECT_FALSE(list.setListIndex(3));

    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(clicks, 1);
}

TEST(ListBoxTest, UserSelectionFiresClick) {
    Form form;
    ListBox &list = form.add<ListBox>(TwipRect { 0, 0, 3000, 2000 });
    list.addItem("first");
    list.addItem("second");
    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    form.show();
    QListWidget *w = list.listWidget();
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w, &focusIn);
    EXPECT_EQ(list.listIndex(), -1) << "taking the focus chooses no row";
    EXPECT_EQ(clicks, 0);

    QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, w->visualItemRect(w->item(1)).center());
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_EQ(clicks, 1);
}

TEST(LabelTest, LabelWithoutWidthFollowsItsCaption) {
    Form form;
    Label &label = form.add<Label>(TwipRect { 2880, 720, 0, 0 }, "X");
    const int narrow = label.widget()->width();
    label.setCaption("Out of RGB Range");
    EXPECT_GT(label.widget()->width(), narrow);

    Label &fixed = form.add<Label>(TwipRect { 720, 3480, 1815, 255 }, "");
    fixed.setCaption("Out of RGB Range, and much more text than fits");
    EXPECT_EQ(fixed.placement().width, 1815);
}

TEST(MenuTest, CommandsEntriesAndVisibility) {
    Form form;
    MenuItem &file = form.addMenu("&File");
    MenuItem &load = form.addMenuItem(file, "&Load Picture");
    MenuItem &mode = form.addSubMenu(file, "&Display Mode ");
    MenuItem &click = form.addMenuItem(mode, "&Mouse Click");
    MenuItem &clip = form.addMenuCommand("get clipboard");
    std::vector<std::string> chosen;
    load.onClick = [&] { chosen.push_back("load"); };
    click.onClick = [&] { chosen.push_back("click"); };
    clip.onClick = [&] { chosen.push_back("clip"); };

    load.action()->trigger();
    click.action()->trigger();
    clip.action()->trigger();
    EXPECT_EQ(chosen, (std::vector<std::string> { "load", "click", "clip" }));

    EXPECT_TRUE(load.visible());
    load.setVisible(false);
    EXPECT_FALSE(load.visible());
    EXPECT_EQ(clip.caption(), "get clipboard");
    EXPECT_EQ(load.action()->parent(), static_cast<QObject *>(file.menu()))
        << "entries live in their menu";
}

TEST(TimerTest, TicksWhileEnabledWithAnInterval) {
    Timer timer(nullptr, 5, true);
    int ticks = 0;
    timer.onTick = [&] { ++ticks; };
    QTest::qWait(60);
    EXPECT_GE(ticks, 2);

    timer.setEnabled(false);
    const int stopped = ticks;
    QTest::qWait(30);
    EXPECT_EQ(ticks, stopped);

    timer.setEnabled(true);
    timer.setInterval(0);
    EXPECT_FALSE(timer.active()) << "interval 0 means no ticks";
}

TEST(TimerTest, TickDoesNotInterruptItsOwnHandler) {
    Timer timer(nullptr, 1, true);
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    timer.onTick = [&] {
        ++depth;
        ++ticks;
        deepest = std::max(deepest, depth);
        if (ticks == 1) {
            QTest::qWait(30); // a handler that yields while its timer comes due
        }
        --depth;
    };
    QTest::qWait(80);
    EXPECT_GE(ticks, 2);
    EXPECT_EQ(deepest, 1);
}

} // namespace
} // namespace tw::ui
