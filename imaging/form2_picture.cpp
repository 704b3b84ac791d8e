// Pictures into the window: from a file (the stored name or one chosen in the
// open dialog) and from the clipboard.
//
// A new picture makes a new palette possible again. A file that cannot be
// read as a picture is named in a message and changes nothing: the picture
// shown stays, with its name and its palette; only when there is none (the
// window's own TestImage.jpg is missing) the box is left empty. A cancelled
// dialog and an empty clipboard change nothing at all either.
#include "imaging/form2.h"

#include "imaging/texts.h"
#include "screen/screen_host.h"
#include "services/dialogs.h"
#include "ui/drawing_surface.h"
#include "ui/menuitem.h"
#include "ui/textbox.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <filesystem>

namespace tw::imaging {

namespace {

using services::Buttons;
using services::Icon;

// The readouts above the picture, and the narrowest the window gets.
constexpr int stripTwips = 1140;
constexpr int minClientTwips = 9660;
// The empty box when no picture is loaded, in pixels.
constexpr int emptyWidth = 644;
constexpr int emptyHeight = 240;
// Room the title bar, the menu bar and a desktop panel take from the screen.
constexpr int screenMarginWidth = 40;
constexpr int screenMarginHeight = 160;

// "*.jpg" first, as the window always offered it; every other format the
// readers know after it.
std::string pictureFilter(const std::vector<std::string> &suffixes) {
    std::string others;
    std::string all = "*.jpg";
    for (const std::string &s : suffixes) {
        if (s == "jpg") {
            continue;
        }
        others += (others.empty() ? "*." : ";*.") + s;
        all += ";*." + s;
    }
    std::string filter = "*.jpg|*.jpg";
    if (!others.empty()) {
        filter += "|Other pictures|" + others + "|All pictures|" + all;
    }
    return filter + "|All files|*";
}

} // namespace

bool Form2::OpenPicture(bool useStoredName) {
    std::string name = pictureFileName_;
    if (!useStoredName) {
        name = screen_.dialogs().openFile(
            "Load Picture", {}, pictureFilter(screen_.pictures().readableSuffixes()));
    }
    if (name.empty()) {
        return false;
    }
    const services::PictureResult loaded = screen_.pictures().load(screen_.filePath(name).string());
    const std::string failure = loaded.ok()
        ? std::string()
        : "The picture \"" + name + "\" could not be loaded: " + loaded.error;
    if (!loaded.ok() && Picture1->hasPicture()) {
        // A file that is no picture (or is gone) changes nothing: the
        // picture shown stays, with its name, its palette and its menus.
        screen_.dialogs().messageBox(failure, Buttons::Ok, caption(), Icon::Warning);
        return false;
    }
    pictureFileName_ = name;
    mnuView3DPalette->setVisible(false);
    Text2->setText(pictureFileName_);
    if (!loaded.ok()) {
        showPicture(QImage());
        screen_.dialogs().messageBox(failure, Buttons::Ok, caption(), Icon::Warning);
        return true;
    }
    screen_.palette().setFileName(paletteNameOfPicture(pictureFileName_));
    showPicture(loaded.image);
    warnIfTooBig();
    if (!loaded.note.empty()) {
        // Shown as far as it goes, and said so: a cut-short file, or
        // transparent parts over white.
        screen_.dialogs().messageBox(
            "\"" + name + "\": " + loaded.note, Buttons::Ok, caption(), Icon::Information);
    }
    screen_.dialogs().yield();
    return true;
}

void Form2::mnuLoadPicture_Click() {
    if (busy_ || building_) {
        return;
    }
    if (!OpenPicture(false)) {
        return;
    }
    clearProgress();
    paletteMade_ = false;
}

void Form2::mnuGetClip_Click() {
    if (busy_ || building_) {
        return;
    }
    const QImage clip = screen_.pictures().clipboardImage();
    if (clip.isNull()) {
        screen_.dialogs().messageBox("Clipboard empty or Picture too big");
        return;
    }
    clearProgress();
    showPicture(clip);
    mnuView3DPalette->setVisible(false);
    paletteMade_ = false;
}

void Form2::clearProgress() {
    Text1->setText("");
    Text1->setBackColor(ui::rgb(255, 255, 255));
}

void Form2::showPicture(const QImage &picture) {
    Picture1->setPicture(picture);
    if (picture.isNull()) {
        Picture1->widget()->resize(emptyWidth, emptyHeight);
        Picture1->cls();
        Text3->setText("0");
        Text4->setText("0");
    } else {
        Text3->setText(std::to_string(picture.width()));
        Text4->setText(std::to_string(picture.height()));
    }
    fitWindow();
}

void Form2::fitWindow() {
    const QSize picture = Picture1->pixelSize();
    pictureHolder_->resize(picture);
    const int strip = ui::twipsToPixels(stripTwips);
    const QSize screenSize = screen_.pictures().screenSize();
    const int maxWidth = screenSize.isValid() && screenSize.width() > screenMarginWidth
        ? screenSize.width() - screenMarginWidth
        : picture.width();
    const int maxHeight = screenSize.isValid() && screenSize.height() > screenMarginHeight + strip
        ? screenSize.height() - screenMarginHeight - strip
        : picture.height();
    int width = std::min(picture.width(), maxWidth);
    int height = std::min(picture.height(), maxHeight);
    // A scroll bar along one edge takes room from the other direction.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (width < picture.width()) {
        height = std::min(picture.height() + bar, maxHeight);
    }
    if (height < picture.height()) {
        width = std::min(picture.width() + bar, maxWidth);
    }
    width = std::max(width, ui::twipsToPixels(minClientTwips));
    pictureArea_->setGeometry(0, strip, width, height);
    setClientSize(ui::pixelsToTwips(width), ui::pixelsToTwips(strip + height));
}

void Form2::warnIfTooBig() {
    const QSize picture = Picture1->pixelSize();
    const QSize screenSize = screen_.pictures().screenSize();
    if (picture.width() > screenSize.width() || picture.height() > screenSize.height()) {
        screen_.dialogs().messageBox(
            "Picture too big - Resize or select a section with an external image editing program");
    }
}

} // namespace tw::imaging
