// Text box over QLineEdit. A write from code blocks the widget's signals while
// the text is replaced and then calls onChange itself, so the change event
// runs at once, only for a real change, and is never delivered twice; the
// widget's textChanged signal therefore only ever reports the user's edits.
#include "ui/textbox.h"

#include "ui/keys.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace tw::ui {

TextBox::TextBox(QWidget *container, const TwipRect &where, const std::string &text)
    : Control(new QLineEdit(QString::fromStdString(text), container), where, QPalette::Base,
        QPalette::Text) {
    QObject::connect(lineEdit(), &QLineEdit::textChanged, hook(),
        [this] { dispatch("TextBox change", onChange); });
    hook()->filter = [this](QObject *, QEvent *event) {
        if (event->type() == QEvent::KeyPress) {
            const int code = keyCodeFromQt(static_cast<QKeyEvent *>(event)->key());
            // After Enter the box shows what the entry made of it: a click
            // back into it selects the whole text again, as the focus
            // arriving does, so that typing replaces it.
            enteredSinceClick_ = selectAllOnFocus_ && code == kKeyReturn;
            if (onKeyDown) {
                dispatch("TextBox key down", [h = onKeyDown, code] { h(code); });
            }
        } else if (event->type() == QEvent::MouseButtonPress && enteredSinceClick_
            && lineEdit()->hasFocus()) {
            enteredSinceClick_ = false;
            lineEdit()->selectAll();
            return true;
        } else if (event->type() == QEvent::FocusIn) {
            if (selectAllOnFocus_) {
                lineEdit()->selectAll();
                // The platform gives the focus before it delivers the press
                // that brought it; that press would drop the selection.
                swallowFocusPress_
                    = static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason;
            }
            dispatch("TextBox got focus", onGotFocus);
        } else if (event->type() == QEvent::MouseButtonPress && swallowFocusPress_) {
            swallowFocusPress_ = false;
            return true;
        } else if (event->type() == QEvent::MouseButtonDblClick
            || event->type() == QEvent::FocusOut) {
            swallowFocusPress_ = false;
            enteredSinceClick_ = false;
        }
        return false;
    };
}

QLineEdit *TextBox::lineEdit() const {
    return static_cast<QLineEdit *>(widget());
}

std::string TextBox::text() const {
    return lineEdit()->text().toStdString();
}

void TextBox::setText(const std::string &text) {
    QLineEdit *edit = lineEdit();
    const QString before = edit->text();
    {
        const QSignalBlocker block(edit);
        edit->setText(QString::fromStdString(text));
    }
    if (edit->text() != before) {
        if (const auto handler = onChange) {
            handler();
        }
    }
}

int TextBox::selStart() const {
    const QLineEdit *edit = lineEdit();
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

void TextBox::setSelStart(int start) {
    QLineEdit *edit = lineEdit();
    edit->deselect();
    edit->setCursorPosition(std::clamp(start, 0, static_cast<int>(edit->text().size())));
}

int TextBox::selLength() const {
    return static_cast<int>(lineEdit()->selectedText().size());
}

void TextBox::setSelLength(int length) {
    QLineEdit *edit = lineEdit();
    const int start = selStart();
    const int available = static_cast<int>(edit->text().size()) - start;
    const int n = std::clamp(length, 0, available);
    if (n == 0) {
        setSelStart(start);
    } else {
        edit->setSelection(start, n);
    }
}

std::string TextBox::selText() const {
    return lineEdit()->selectedText().toStdString();
}

void TextBox::setAlignment(Alignment alignment) {
    const Qt::Alignment h = alignment == Alignment::Right ? Qt::AlignRight
        : alignment == Alignment::Center                  ? Qt::AlignHCenter
                                                          : Qt::AlignLeft;
    lineEdit()->setAlignment(h | Qt::AlignVCenter);
}

void TextBox::setLocked(bool locked) {
    lineEdit()->setReadOnly(locked);
}

} // namespace tw::ui
