// A label: a caption in the fore colour, on a transparent background until a
// back colour is set. A label placed without a width sizes itself to its
// caption each time the caption changes.
#pragma once

#include "ui/control.h"
#include "ui/styles.h"

#include <string>

class QLabel;

namespace tw::ui {

class Label : public Control {
public:
    Label(QWidget *container, const TwipRect &where, const std::string &caption = {});

    [[nodiscard]] std::string caption() const;
    void setCaption(const std::string &caption);

    void setAlignment(Alignment alignment);
    void setWordWrap(bool wrap);
    void setAutoSize(bool autoSize);

    [[nodiscard]] QLabel *label() const;

private:
    bool autoSize_ = false;
};

} // namespace tw::ui
