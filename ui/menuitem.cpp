// Menu item over a QAction (entries and bar commands) or a QMenu (menus; the
// item's action is then the menu's own action, which shows and hides the whole
// menu). "&" in captions marks the access key, as in the menu captions the
// windows are written with.
#include "ui/menuitem.h"

#include "ui/control.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <stdexcept>

namespace tw::ui {

MenuItem::MenuItem(QMenuBar *bar, const std::string &caption, bool isMenu)
    : hook_(std::make_unique<detail::Hook>()) {
    const QString text = QString::fromStdString(caption);
    if (isMenu) {
        menu_ = bar->addMenu(text);
        action_ = menu_->menuAction();
    } else {
        action_ = bar->addAction(text);
    }
    connectAction();
}

MenuItem::MenuItem(MenuItem &parent, const std::string &caption, bool isMenu)
    : hook_(std::make_unique<detail::Hook>()) {
    if (!parent.menu_) {
        throw std::logic_error("MenuItem: entries can only be added to a menu");
    }
    const QString text = QString::fromStdString(caption);
    if (isMenu) {
        menu_ = parent.menu_->addMenu(text);
        action_ = menu_->menuAction();
    } else {
        action_ = parent.menu_->addAction(text);
    }
    connectAction();
}

MenuItem::~MenuItem() {
    hook_.reset();
    if (menu_) {
        delete menu_.data();
    } else {
        delete action_.data();
    }
}

void MenuItem::connectAction() {
    QObject::connect(action_, &QAction::triggered, hook_.get(), [this] {
        if (const auto handler = onClick) {
            (void)runGuarded("Menu click", handler);
        }
    });
}

std::string MenuItem::caption() const {
    return action_->text().toStdString();
}

void MenuItem::setCaption(const std::string &caption) {
    action_->setText(QString::fromStdString(caption));
}

bool MenuItem::visible() const {
    return action_->isVisible();
}

void MenuItem::setVisible(bool visible) {
    action_->setVisible(visible);
}

bool MenuItem::enabled() const {
    return action_->isEnabled();
}

void MenuItem::setEnabled(bool enabled) {
    action_->setEnabled(enabled);
}

bool MenuItem::checked() const {
    return action_->isChecked();
}

void MenuItem::setChecked(bool checked) {
    action_->setCheckable(true);
    action_->setChecked(checked);
}

} // namespace tw::ui
