// The pictures service: pictures from files and from the clipboard, and the
// size of the screen they are shown on.
#pragma once

#include <QImage>
#include <QSize>

#include <string>
#include <vector>

namespace tw::services {

struct PictureResult {
    QImage image; // null on failure
    std::string error; // why it failed; empty on success
    // The picture loaded, but not all of it is what the file holds: cut
    // short or damaged (with what was loaded), or transparent parts shown
    // over white. Empty otherwise.
    std::string note;

    [[nodiscard]] bool ok() const { return !image.isNull(); }
};

// A picture as the program shows and samples it: 32-bit RGB, with its
// transparent and translucent pixels composited over white (a transparent
// pixel's stored colour is no colour anyone sees); `note` says so when any
// pixel was not opaque.
[[nodiscard]] PictureResult shownPicture(const QImage &image);

class Pictures {
public:
    virtual ~Pictures() = default;

    // Reads a picture file in any format the platform's readers know (JPEG,
    // PNG, BMP, GIF ...), told by its content, not by its name.
    [[nodiscard]] virtual PictureResult load(const std::string &path) = 0;
    // The file suffixes of those formats, lower case without the point
    // ("jpg", "png" ...), for the filters of file dialogs.
    [[nodiscard]] virtual std::vector<std::string> readableSuffixes() const = 0;
    // The clipboard's bitmap; a null image when it holds none.
    [[nodiscard]] virtual QImage clipboardImage() = 0;
    // Width and height of the screen in pixels.
    [[nodiscard]] virtual QSize screenSize() const = 0;
};

} // namespace tw::services
