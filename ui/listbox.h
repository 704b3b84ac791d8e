// A list box of text rows with at most one selected row.
//
// listIndex() is the selected row (from 0), -1 when none. onClick runs when
// the user selects a row (mouse or keyboard) and when code selects one with
// setListIndex() (at once, only when the selection really changes).
#pragma once

#include "ui/control.h"

#include <functional>
#include <string>

class QListWidget;

namespace tw::ui {

class ListBox : public Control {
public:
    ListBox(QWidget *container, const TwipRect &where);

    void clear();
    void addItem(const std::string &row);
    [[nodiscard]] int count() const;
    [[nodiscard]] std::string item(int index) const;

    [[nodiscard]] int listIndex() const;
    // -1 clears the selection; false for a row that does not exist.
    bool setListIndex(int index);

    [[nodiscard]] QListWidget *listWidget() const;

    std::function<void()> onClick;
};

} // namespace tw::ui
