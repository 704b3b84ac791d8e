// A single-line text box.
//
// Events:
//  - onChange: the text changed. Writing the text from code fires it at once,
//    before setText() returns, and only when the text really changes; typing
//    fires it for every edit.
//  - onKeyDown(keyCode): a key went down in the box (codes in ui/keys.h;
//    Enter is 13). It runs before the box handles the key itself.
//  - onGotFocus: the box received the keyboard focus.
//
// Selection: selStart() is the caret position when nothing is selected;
// setSelStart() moves the caret and drops the selection; setSelLength()
// selects that many characters from selStart() (clamped to the text).
#pragma once

#include "ui/control.h"
#include "ui/styles.h"

#include <functional>
#include <string>

class QLineEdit;

namespace tw::ui {

class TextBox : public Control {
public:
    TextBox(QWidget *container, const TwipRect &where = {}, const std::string &text = {});

    [[nodiscard]] std::string text() const;
    void setText(const std::string &text);

    [[nodiscard]] int selStart() const;
    void setSelStart(int start);
    [[nodiscard]] int selLength() const;
    void setSelLength(int length);
    [[nodiscard]] std::string selText() const;

    void setAlignment(Alignment alignment);
    // A locked box shows its text but cannot be edited by the user.
    void setLocked(bool locked);
    // Focus entering the box selects its whole text, however it comes (Tab,
    // a click, code), so typing replaces the text; the click that brings
    // the focus does not place the caret. A click inside a box that has the
    // focus already places the caret as usual. Off by default.
    void setSelectAllOnFocus(bool on) { selectAllOnFocus_ = on; }

    [[nodiscard]] QLineEdit *lineEdit() const;

    std::function<void()> onChange;
    std::function<void(int keyCode)> onKeyDown;
    std::function<void()> onGotFocus;

private:
    bool selectAllOnFocus_ = false;
    // The focus came with a mouse press that has not arrived yet.
    bool swallowFocusPress_ = false;
    // Enter was the last key pressed in the box, and no click came since.
    bool enteredSinceClick_ = false;
};

} // namespace tw::ui
