// Pictures from the file system, the system clipboard and the primary screen.
#pragma once

#include "services/pictures.h"

namespace tw::services {

class QtPictures : public Pictures {
public:
    [[nodiscard]] PictureResult load(const std::string &path) override;
    [[nodiscard]] std::vector<std::string> readableSuffixes() const override;
    [[nodiscard]] QImage clipboardImage() override;
    [[nodiscard]] QSize screenSize() const override;
};

} // namespace tw::services
