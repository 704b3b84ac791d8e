// Button over QPushButton; its back colour is the palette's Button role, which
// the widget style paints as the button face.
#include "ui/button.h"

#include <QFontMetrics>
#include <QPushButton>

namespace tw::ui {

Button::Button(QWidget *container, const TwipRect &where, const std::string &caption)
    : Control(new QPushButton(QString::fromStdString(caption), container), where, QPalette::Button,
        QPalette::ButtonText) {
    button()->setAutoDefault(false);
    setCaption(caption);
    QObject::connect(
        button(), &QPushButton::clicked, hook(), [this] { dispatch("Button click", onClick); });
}

QPushButton *Button::button() const {
    return static_cast<QPushButton *>(widget());
}

std::string Button::caption() const {
    return caption_;
}

void Button::setCaption(const std::string &caption) {
    caption_ = caption;
    showCaption();
}

void Button::showCaption() {
    const QString text = QString::fromStdString(caption_);
    const QFontMetrics metrics(button()->font());
    const int room = button()->width() - 8; // the face's margins
    if (metrics.horizontalAdvance(text) <= room || !text.contains(u' ')) {
        button()->setText(text);
        return;
    }
    // Break at the last blank that leaves the first line fitting; failing
    // that, at the first blank.
    qsizetype split = text.indexOf(u' ');
    for (qsizetype at = text.lastIndexOf(u' '); at > 0; at = text.lastIndexOf(u' ', at - 1)) {
        if (metrics.horizontalAdvance(text.left(at)) <= room) {
            split = at;
            break;
        }
    }
    button()->setText(text.left(split) + u'\n' + text.mid(split + 1));
}

} // namespace tw::ui
