// A menu item: a drop-down menu title in the menu bar, a command in the menu
// bar itself, an entry of a menu, or a sub-menu. Made by Form::addMenu and its
// siblings. onClick runs when the user chooses the item.
#pragma once

#include <QAction>
#include <QMenu>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>

class QMenuBar;

namespace tw::ui {

namespace detail {
class Hook;
}

class MenuItem {
public:
    // A drop-down menu (isMenu) or a command directly in the menu bar.
    MenuItem(QMenuBar *bar, const std::string &caption, bool isMenu);
    // An entry (or sub-menu) of `parent`, which must be a menu.
    MenuItem(MenuItem &parent, const std::string &caption, bool isMenu);
    MenuItem(const MenuItem &) = delete;
    MenuItem &operator=(const MenuItem &) = delete;
    ~MenuItem();

    [[nodiscard]] std::string caption() const;
    void setCaption(const std::string &caption);
    [[nodiscard]] bool visible() const;
    void setVisible(bool visible);
    [[nodiscard]] bool enabled() const;
    void setEnabled(bool enabled);
    [[nodiscard]] bool checked() const;
    void setChecked(bool checked);

    [[nodiscard]] QAction *action() const { return action_; }
    // The drop-down of a menu; nullptr for a plain entry.
    [[nodiscard]] QMenu *menu() const { return menu_; }

    std::function<void()> onClick;

private:
    void connectAction();

    std::unique_ptr<detail::Hook> hook_;
    QPointer<QMenu> menu_;
    QPointer<QAction> action_;
};

} // namespace tw::ui
