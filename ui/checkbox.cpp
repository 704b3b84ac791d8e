// Check box over QCheckBox: the user's toggles arrive through `clicked`, which
// the toolkit emits only for user actions; code writes block the signals and
// call onClick themselves.
#include "ui/checkbox.h"

#include <QCheckBox>
#include <QSignalBlocker>

namespace tw::ui {

CheckBox::CheckBox(QWidget *container, const TwipRect &where, const std::string &caption)
    : Control(new QCheckBox(QString::fromStdString(caption), container), where, QPalette::Window,
        QPalette::WindowText) {
    QObject::connect(
        checkBox(), &QCheckBox::clicked, hook(), [this] { dispatch("CheckBox click", onClick); });
}

QCheckBox *CheckBox::checkBox() const {
    return static_cast<QCheckBox *>(widget());
}

int CheckBox::value() const {
    return checkBox()->isChecked() ? 1 : 0;
}

void CheckBox::setValue(int value) {
    const bool ticked = value != 0;
    if (ticked == checkBox()->isChecked()) {
        return;
    }
    {
        const QSignalBlocker block(checkBox());
        checkBox()->setChecked(ticked);
    }
    if (const auto handler = onClick) {
        handler();
    }
}

std::string CheckBox::caption() const {
    return checkBox()->text().toStdString();
}

void CheckBox::setCaption(const std::string &caption) {
    checkBox()->setText(QString::fromStdString(caption));
}

} // namespace tw::ui
