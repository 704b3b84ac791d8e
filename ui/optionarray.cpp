// Option array over QRadioButtons in an exclusive QButtonGroup. The user's
// clicks arrive through each button's `clicked` signal; code selections block
// the button's signals and call onClick themselves.
#include "ui/optionarray.h"

#include "ui/control.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QSignalBlocker>

namespace tw::ui {

OptionArray::OptionArray(QWidget *container)
    : hook_(std::make_unique<detail::Hook>())
    , container_(container)
    , group_(new QButtonGroup(container)) {
    group_->setExclusive(true);
}

OptionArray::~OptionArray() {
    hook_.reset();
    for (auto &b : buttons_) {
        delete b.data();
    }
    delete group_.data();
}

int OptionArray::add(const std::string &caption, const TwipRect &where) {
    auto *b = new QRadioButton(QString::fromStdString(caption), container_);
    placeWidget(b, where);
    const int i = count();
    group_->addButton(b, i);
    buttons_.emplace_back(b);
    QObject::connect(b, &QRadioButton::clicked, hook_.get(), [this, i] {
        if (const auto handler = onClick) {
            (void)runGuarded("OptionArray click", [&] { handler(i); });
        }
    });
    return i;
}

void OptionArray::setBackColor(Rgb24 colour) {
    for (auto &b : buttons_) {
        QPalette p = b->palette();
        p.setColor(QPalette::Window, toQColor(colour));
        b->setPalette(p);
        b->setAutoFillBackground(true);
    }
}

int OptionArray::count() const {
    return static_cast<int>(buttons_.size());
}

int OptionArray::index() const {
    return group_->checkedId();
}

bool OptionArray::value(int index) const {
    return index >= 0 && index < count() && buttons_[index]->isChecked();
}

bool OptionArray::select(int index) {
    if (index < 0 || index >= count()) {
        return false;
    }
    {
        const QSignalBlocker block(buttons_[index].data());
        buttons_[index]->setChecked(true);
    }
    if (const auto handler = onClick) {
        handler(index);
    }
    return true;
}

std::string OptionArray::caption(int index) const {
    return buttons_.at(index)->text().toStdString();
}

void OptionArray::setCaption(int index, const std::string &caption) {
    buttons_.at(index)->setText(QString::fromStdString(caption));
}

void OptionArray::setVisible(bool visible) {
    for (auto &b : buttons_) {
        b->setVisible(visible);
    }
}

void OptionArray::setEnabled(bool enabled) {
    for (auto &b : buttons_) {
        b->setEnabled(enabled);
    }
}

QRadioButton *OptionArray::button(int index) const {
    return buttons_.at(index);
}

} // namespace tw::ui
