// Pictures for tests: files are looked up in a table of given images (a name
// not in it fails as a missing file would), the clipboard holds whatever was
// put there, and the screen has a set size (1920 x 1080 at first).
#pragma once

#include "services/pictures.h"

#include <map>
#include <string>
#include <vector>

namespace tw::services {

class FakePictures : public Pictures {
public:
    void addFile(const std::string &path, const QImage &image) { files_[path] = image; }
    void setClipboard(const QImage &image) { clipboard_ = image; }
    void setScreenSize(QSize size) { screen_ = size; }

    [[nodiscard]] PictureResult load(const std::string &path) override;
    // The readers of a plain Qt build.
    [[nodiscard]] std::vector<std::string> readableSuffixes() const override {
        return { "bmp", "gif", "jpeg", "jpg", "png", "ppm" };
    }
    [[nodiscard]] QImage clipboardImage() override { return clipboard_; }
    [[nodiscard]] QSize screenSize() const override { return screen_; }

private:
    std::map<std::string, QImage> files_;
    QImage clipboard_;
    QSize screen_ { 1920, 1080 };
};

} // namespace tw::services
