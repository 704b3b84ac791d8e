// Label over QLabel. Text format is plain: captions are shown exactly as
// written, never taken for markup.
#include "ui/label.h"

#include <QLabel>

namespace tw::ui {

Label::Label(QWidget *container, const TwipRect &where, const std::string &caption)
    : Control(new QLabel(QString::fromStdString(caption), container), where, QPalette::Window,
        QPalette::WindowText)
    , autoSize_(where.width <= 0) {
    label()->setTextFormat(Qt::PlainText);
    label()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (autoSize_) {
        label()->adjustSize();
    }
}

QLabel *Label::label() const {
    return static_cast<QLabel *>(widget());
}

std::string Label::caption() const {
    return label()->text().toStdString();
}

void Label::setCaption(const std::string &caption) {
    label()->setText(QString::fromStdString(caption));
    if (autoSize_) {
        label()->adjustSize();
    }
}

void Label::setAlignment(Alignment alignment) {
    const Qt::Alignment h = alignment == Alignment::Right ? Qt::AlignRight
        : alignment == Alignment::Center                  ? Qt::AlignHCenter
                                                          : Qt::AlignLeft;
    label()->setAlignment(h | Qt::AlignTop);
}

void Label::setWordWrap(bool wrap) {
    label()->setWordWrap(wrap);
}

void Label::setAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    if (autoSize_) {
        label()->adjustSize();
    }
}

} // namespace tw::ui
