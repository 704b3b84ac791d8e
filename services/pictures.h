// The pictures service: pictures from files and from the clipboard, and the
// size of the screen they are shown on.
#pragma once

#include <QImage>
#include <QSize>

#include <string>

namespace tw::services {

struct PictureResult {
    QImage image; // null on failure
    std::string error; // why it failed; empty on success

    [[nodiscard]] bool ok() const { return !image.isNull(); }
};

class Pictures {
public:
    virtual ~Pictures() = default;

    // Reads a JPEG or PNG file (by content, not by name).
    [[nodiscard]] virtual PictureResult load(const std::string &path) = 0;
    // The clipboard's bitmap; a null image when it holds none.
    [[nodiscard]] virtual QImage clipboardImage() = 0;
    // Width and height of the screen in pixels.
    [[nodiscard]] virtual QSize screenSize() const = 0;
};

} // namespace tw::services
