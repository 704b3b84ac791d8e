// A frame: a captioned box that holds other controls. Controls created in a
// frame (Form::addIn) are placed relative to the frame's top-left corner.
#pragma once

#include "ui/control.h"

#include <string>

class QGroupBox;

namespace tw::ui {

class Frame : public Control {
public:
    Frame(QWidget *container, const TwipRect &where, const std::string &caption = {});

    [[nodiscard]] std::string caption() const;
    void setCaption(const std::string &caption);

    // The widget to create the frame's controls in.
    [[nodiscard]] QWidget *container() const { return widget(); }
    [[nodiscard]] QGroupBox *groupBox() const;
};

} // namespace tw::ui
