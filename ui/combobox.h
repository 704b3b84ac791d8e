// A drop-down combo: an editable text with a list of items under it.
//
// The text may be anything, also a text that is not in the list, and it stays
// as it is when items are added (the list can be filled after the text was
// set). Events:
//  - onClick: the user picked an item from the list (the text is already the
//    item's), or code chose one with setListIndex();
//  - onChange: the user typed in the text, or code changed it with setText()
//    (at once, only for a real change).
#pragma once

#include "ui/control.h"

#include <functional>
#include <string>

class QComboBox;

namespace tw::ui {

class ComboBox : public Control {
public:
    ComboBox(QWidget *container, const TwipRect &where, const std::string &text = {});

    [[nodiscard]] std::string text() const;
    void setText(const std::string &text);

    void addItem(const std::string &item);
    // Removes the items; the text stays.
    void clear();
    [[nodiscard]] int count() const;
    [[nodiscard]] std::string item(int index) const;

    // Index of the item equal to the text (exact), -1 when there is none.
    [[nodiscard]] int listIndex() const;
    // Shows item `index` as the text and fires onClick; false for an index
    // that does not exist.
    bool setListIndex(int index);

    [[nodiscard]] QComboBox *comboBox() const;

    std::function<void()> onClick;
    std::function<void()> onChange;
};

} // namespace tw::ui
