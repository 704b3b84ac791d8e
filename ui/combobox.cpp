// Combo over an editable QComboBox. The toolkit would replace the edit text by
// the first item when the list is first filled and would add typed texts to
// the list on Enter; both are suppressed, so the text belongs to the window.
// A pick from the list arrives through `activated` (user only); typing through
// the line edit's `textEdited` (user only).
#include "ui/combobox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace tw::ui {

ComboBox::ComboBox(QWidget *container, const TwipRect &where, const std::string &text)
    : Control(new QComboBox(container), where, QPalette::Base, QPalette::Text) {
    QComboBox *box = comboBox();
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setEditText(QString::fromStdString(text));
    QObject::connect(
        box, &QComboBox::activated, hook(), [this] { dispatch("ComboBox click", onClick); });
    QObject::connect(box->lineEdit(), &QLineEdit::textEdited, hook(),
        [this] { dispatch("ComboBox change", onChange); });
}

QComboBox *ComboBox::comboBox() const {
    return static_cast<QComboBox *>(widget());
}

std::string ComboBox::text() const {
    return comboBox()->currentText().toStdString();
}

void ComboBox::setText(const std::string &text) {
    QComboBox *box = comboBox();
    const QString before = box->currentText();
    {
        const QSignalBlocker block(box);
        const QSignalBlocker blockEdit(box->lineEdit());
        box->setEditText(QString::fromStdString(text));
    }
    if (box->currentText() != before) {
        if (const auto handler = onChange) {
            handler();
        }
    }
}

void ComboBox::addItem(const std::string &item) {
    QComboBox *box = comboBox();
    const QString kept = box->currentText();
    const QSignalBlocker block(box);
    const QSignalBlocker blockEdit(box->lineEdit());
    box->addItem(QString::fromStdString(item));
    box->setEditText(kept);
}

void ComboBox::clear() {
    QComboBox *box = comboBox();
    const QString kept = box->currentText();
    const QSignalBlocker block(box);
    const QSignalBlocker blockEdit(box->lineEdit());
    box->clear();
    box->setEditText(kept);
}

int ComboBox::count() const {
    return comboBox()->count();
}

std::string ComboBox::item(int index) const {
    return comboBox()->itemText(index).toStdString();
}

int ComboBox::listIndex() const {
    return comboBox()->findText(
        comboBox()->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

bool ComboBox::setListIndex(int index) {
    QComboBox *box = comboBox();
    if (index < 0 || index >= box->count()) {
        return false;
    }
    {
        const QSignalBlocker block(box);
        const QSignalBlocker blockEdit(box->lineEdit());
        box->setCurrentIndex(index);
        box->setEditText(box->itemText(index));
    }
    if (const auto handler = onClick) {
        handler();
    }
    return true;
}

} // namespace tw::ui
