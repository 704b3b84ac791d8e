// Pictures from the file system, the system clipboard and the primary screen.
#pragma once

#include "ui/pictures.h"

namespace tw::ui {

class QtPictures : public Pictures {
public:
    [[nodiscard]] PictureResult load(const std::string &path) override;
    [[nodiscard]] QImage clipboardImage() override;
    [[nodiscard]] QSize screenSize() const override;
};

} // namespace tw::ui
