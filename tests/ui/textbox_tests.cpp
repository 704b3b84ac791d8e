// Text boxes: the change event of a write from code (at once, once, only for
// a real change, also re-entered from its own handler), key codes, focus and
// selection, and handlers that fail.
#include "ui/form.h"
#include "ui/guard.h"
#include "ui/keys.h"
#include "ui/scrollbar.h"
#include "ui/textbox.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tw::ui {
namespace {

class TextBoxTest : public ::testing::Test {
protected:
    Form form;
    TextBox &box = form.add<TextBox>(TwipRect { 1560, 720, 852, 255 }, "5R");
    int changes = 0;
    std::vector<std::string> seen; // the text as each change event saw it

    void SetUp() override {
        box.onChange = [this] {
            ++changes;
            seen.push_back(box.text());
        };
    }
};

TEST_F(TextBoxTest, WriteFromCodeFiresChangeOnceBeforeReturning) {
    box.setText("10RP");
    // Counted without running the event loop: the event ran inside setText.
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen, std::vector<std::string> { "10RP" });

    QCoreApplication::processEvents();
    EXPECT_EQ(changes, 1) << "the change must not be delivered a second time";
}

TEST_F(TextBoxTest, WritingTheSameTextFiresNothing) {
    box.setText("5R");
    EXPECT_EQ(changes, 0);
    box.setText("");
    box.setText("");
    EXPECT_EQ(changes, 1);
}

TEST_F(TextBoxTest, TypingFiresChangePerEdit) {
    box.setText("");
    changes = 0;
    seen.clear();
    QTest::keyClicks(box.lineEdit(), "2.5");
    EXPECT_EQ(seen, (std::vector<std::string> { "2", "2.", "2.5" }));
}

// The gamma pair of the conversion screen: the box moves the scroll bar, and
// the scroll bar rewrites the box from inside the box's own change event.
TEST_F(TextBoxTest, ChangeHandlerMayRewriteItsOwnBoxDuringAUserEdit) {
    ScrollBar &bar = form.add<ScrollBar>(TwipRect { 6240, 1800, 135, 255 }, Qt::Vertical, 30, 10);
    ASSERT_TRUE(bar.setValue(10));
    TextBox &gamma = form.add<TextBox>(TwipRect { 5640, 1800, 615, 255 }, "");
    int gammaChanges = 0;
    int barChanges = 0;
    gamma.onChange = [&] {
        ++gammaChanges;
        const double g = std::atof(gamma.text().c_str());
        if (g >= 1 && g <= 3) {
            (void)bar.setValue(static_cast<int>(std::nearbyint(g * 10))); // halves to even
        }
    };
    bar.onChange = [&] {
        ++barChanges;
        std::ostringstream text;
        text << bar.value() / 10.0;
        gamma.setText(text.str());
    };

    gamma.lineEdit()->insert("2.25"); // a paste: one user edit

    EXPECT_EQ(bar.value(), 22);
    EXPECT_EQ(gamma.text(), "2.2");
    EXPECT_EQ(barChanges, 1);
    EXPECT_EQ(gammaChanges, 2) << "the paste, then the rewrite from the bar";
}

TEST_F(TextBoxTest, KeyDownSeesTheKeyBeforeTheBoxEditsIt) {
    std::vector<int> codes;
    std::vector<std::string> textAtKey;
    box.onKeyDown = [&](int code) {
        codes.push_back(code);
        textAtKey.push_back(box.text());
    };
    box.lineEdit()->end(false);
    QTest::keyClick(box.lineEdit(), Qt::Key_X);
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    QTest::keyClick(box.lineEdit(), Qt::Key_Enter, Qt::KeypadModifier);

    EXPECT_EQ(codes, (std::vector<int> { 'X', kKeyReturn, kKeyReturn }));
    EXPECT_EQ(textAtKey.front(), "5R");
    EXPECT_EQ(box.text(), "5Rx");
}

struct KeyRow {
    const char *name;
    int qtKey;
    int code;
};

class KeyCodeTest : public ::testing::TestWithParam<KeyRow> { };

TEST_P(KeyCodeTest, MapsToTheVirtualKeyCode) {
    EXPECT_EQ(keyCodeFromQt(GetParam().qtKey), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyCodeTest,
    ::testing::Values(KeyRow { "Return", Qt::Key_Return, 13 },
        KeyRow { "KeypadEnter", Qt::Key_Enter, 13 },
        KeyRow { "LetterIsUpperCaseAscii", Qt::Key_A, 65 }, KeyRow { "Digit", Qt::Key_7, 55 },
        KeyRow { "Space", Qt::Key_Space, 32 }, KeyRow { "Escape", Qt::Key_Escape, 27 },
        KeyRow { "Backspace", Qt::Key_Backspace, 8 }, KeyRow { "Tab", Qt::Key_Tab, 9 },
        KeyRow { "LeftArrow", Qt::Key_Left, 37 }, KeyRow { "DownArrow", Qt::Key_Down, 40 },
        KeyRow { "Delete", Qt::Key_Delete, 46 }, KeyRow { "F1", Qt::Key_F1, 112 },
        KeyRow { "F12", Qt::Key_F12, 123 },
        KeyRow { "OtherPassesThrough", Qt::Key_Percent, Qt::Key_Percent }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(TextBoxTest, GotFocusHandlerCanSelectTheWholeText) {
    box.setText("41.20");
    box.onGotFocus = [this] {
        box.setSelStart(0);
        box.setSelLength(static_cast<int>(box.text().size()));
    };
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(box.lineEdit(), &focusIn);

    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.selLength(), 5);
    EXPECT_EQ(box.selText(), "41.20");
}

TEST_F(TextBoxTest, SelectionIsClampedToTheText) {
    box.setSelStart(10);
    EXPECT_EQ(box.selStart(), 2);
    EXPECT_EQ(box.selLength(), 0);

    box.setSelStart(1);
    box.setSelLength(5);
    EXPECT_EQ(box.selStart(), 1);
    EXPECT_EQ(box.selText(), "R");

    box.setSelStart(0);
    EXPECT_EQ(box.selLength(), 0) << "moving the start drops the selection";
}

TEST_F(TextBoxTest, FailingHandlerOfAUserEditIsContainedAndReported) {
    std::vector<std::string> reported;
    const FailureSink previous
        = setFailureSink([&](const std::string &where, const std::string &what) {
              reported.push_back(where + ": " + what);
          });
    box.onChange = [] { throw std::runtime_error("not a number"); };

    QTest::keyClick(box.lineEdit(), Qt::Key_1);

    setFailureSink(previous);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("not a number"), std::string::npos);
    EXPECT_EQ(box.text(), "5R1");
}

TEST_F(TextBoxTest, FailingHandlerOfAWriteFromCodeReachesTheWriter) {
    box.onChange = [] { throw std::runtime_error("overflow"); };
    EXPECT_THROW(box.setText("60"), std::runtime_error);
    EXPECT_EQ(box.text(), "60") << "the write itself stands";
}

TEST_F(TextBoxTest, BackColourIsShownInsideTheBox) {
    box.setText("");
    box.setBackColor(rgb(255, 177, 128));
    EXPECT_EQ(box.backColor(), rgb(255, 177, 128));

    const QImage shown = box.widget()->grab().toImage();
    const QRgb inside = shown.pixel(shown.width() / 2, shown.height() / 2);
    EXPECT_EQ(fromQRgb(inside), rgb(255, 177, 128));
}

} // namespace
} // namespace tw::ui
