// Button over QPushButton; its back colour is the palette's Button role, which
// the widget style paints as the button face.
#include "ui/button.h"

#include <QPushButton>

namespace tw::ui {

Button::Button(QWidget *container, const TwipRect &where, const std::string &caption)
    : Control(new QPushButton(QString::fromStdString(caption), container), where, QPalette::Button,
        QPalette::ButtonText) {
    button()->setAutoDefault(false);
    QObject::connect(
        button(), &QPushButton::clicked, hook(), [this] { dispatch("Button click", onClick); });
}

QPushButton *Button::button() const {
    return static_cast<QPushButton *>(widget());
}

std::string Button::caption() const {
    return button()->text().toStdString();
}

void Button::setCaption(const std::string &caption) {
    button()->setText(QString::fromStdString(caption));
}

} // namespace tw::ui
