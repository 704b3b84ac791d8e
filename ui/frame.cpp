// Frame over QGroupBox. Its children are positioned by hand in twips, so the
// box has no layout of its own.
#include "ui/frame.h"

#include <QGroupBox>

namespace tw::ui {

Frame::Frame(QWidget *container, const TwipRect &where, const std::string &caption)
    : Control(new QGroupBox(QString::fromStdString(caption), container), where, QPalette::Window,
        QPalette::WindowText) { }

QGroupBox *Frame::groupBox() const {
    return static_cast<QGroupBox *>(widget());
}

std::string Frame::caption() const {
    return groupBox()->title().toStdString();
}

void Frame::setCaption(const std::string &caption) {
    groupBox()->setTitle(QString::fromStdString(caption));
}

} // namespace tw::ui
