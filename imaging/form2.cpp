// The picture window's frame: its controls and menus, its start, the
// switches of the conversion screen, the display options and the help box.
//
// Layout: the readouts stand in a strip of three rows above the picture
// (file name, width and height, the swatch at the right; notation and
// position; palette progress), and the picture fills the rest at one unit
// per pixel, the window sized around it. A picture larger than the screen
// leaves room to scroll rather than being scaled.
#include "imaging/form2.h"

#include "screen/screen_host.h"
#include "services/dialogs.h"
#include "ui/drawing_surface.h"
#include "ui/menuitem.h"
#include "ui/textbox.h"

#include <QScrollArea>

namespace tw::imaging {

namespace {

using services::Buttons;

const char *const helpText
    = "Displays Munsell Notation of Selected Pixels of Pictures on Your computer\r\n"
      "\r\n"
      "Load Picture: Navigate and Load a picture to display\r\n"
      "\r\n"
      "Options: \r\n"
      "   Display Modes> Click or continuous Display of Munsell Notation\r\n"
      "   Sample Size> Number of pixels to average\r\n"
      "\r\n"
      "Make Palette of Image - Makes a palette file of Munsell Notation for all pixels in a "
      "picture\r\n"
      "\r\n"
      "Get Clipboard - Loads the clipboard as a picture from other image programs like Paint\r\n"
      "\r\n"
      "View 3D Palette - Displays Palette in 3D display\r\n";

} // namespace

Form2::Form2(screen::ScreenHost &screen)
    : screen_(screen) {
    setCaption("Munsell Notation Picture Analysis");
    buildMenus();
    buildControls();
    onUnload = [this] { mnuExit_Click(); };
}

Form2::~Form2() = default;

void Form2::buildControls() {
    Text2 = &add<ui::TextBox>(ui::TwipRect { 60, 60, 5400, 300 });
    Text3 = &add<ui::TextBox>(ui::TwipRect { 5520, 60, 900, 300 });
    Text4 = &add<ui::TextBox>(ui::TwipRect { 6480, 60, 900, 300 });
    Text7 = &add<ui::TextBox>(ui::TwipRect { 7440, 60, 2100, 1020 });
    Text5 = &add<ui::TextBox>(
        ui::TwipRect { 60, 420, 4860, 300 }, "Click on picture to display Munsell Notation");
    Text6 = &add<ui::TextBox>(ui::TwipRect { 4980, 420, 2400, 300 }, "Pixel Location");
    Text1 = &add<ui::TextBox>(ui::TwipRect { 60, 780, 7320, 300 });
    for (ui::TextBox *box : { Text1, Text2, Text3, Text4, Text5, Text6, Text7 }) {
        box->setLocked(true);
    }
    Text2->setToolTip("Picture file");
    Text3->setToolTip("Width in pixels");
    Text4->setToolTip("Height in pixels");
    Text7->setToolTip("The colour of the last sample as the screen shows it");

    pictureArea_ = new QScrollArea(client());
    pictureArea_->setFrameShape(QFrame::NoFrame);
    pictureArea_->setWidgetResizable(false);
    pictureHolder_ = new QWidget;
    pictureArea_->setWidget(pictureHolder_);
    Picture1 = &own<ui::DrawingSurface>(pictureHolder_, ui::TwipRect { 0, 0, 15, 15 });
    Picture1->setScalePixels();
    Picture1->onMouseDown = [this](int button, double x, double y) {
        Picture1_MouseDown(button, static_cast<float>(x), static_cast<float>(y));
    };
    Picture1->onMouseMove = [this](int buttons, double x, double y) {
        Picture1_MouseMove(buttons, static_cast<float>(x), static_cast<float>(y));
    };
    showPicture(QImage());
}

void Form2::buildMenus() {
    mnuFile = &addMenu("&File");
    mnuLoadPicture = &addMenuItem(*mnuFile, "&Load Picture");
    mnuExit = &addMenuItem(*mnuFile, "e&Xit");
    mnuOptions = &addMenu("&Options");
    mnuDisplayMode = &addSubMenu(*mnuOptions, "&Display Mode ");
    mnuClickDisplay = &addMenuItem(*mnuDisplayMode, "&Mouse Click");
    mnuContinuousDisplay = &addMenuItem(*mnuDisplayMode, "&Continuous at Mouse Position");
    mnuSamplePixels = &addSubMenu(*mnuOptions, "Sample Pixels");
    mnuSamplePixels1 = &addMenuItem(*mnuSamplePixels, "1");
    mnuSamplePixels9 = &addMenuItem(*mnuSamplePixels, "9");
    mnuSamplePixels25 = &addMenuItem(*mnuSamplePixels, "25");
    mnuSamplePixels49 = &addMenuItem(*mnuSamplePixels, "49");
    mnuSamplePixels81 = &addMenuItem(*mnuSamplePixels, "81");
    mnuMakePalette = &addMenuCommand("&Make Palette of Image");
    mnuGetClip = &addMenuCommand("get clipboard");
    mnuView3DPalette = &addMenuCommand("&View 3D Palette");
    mnuHelp = &addMenuCommand("&Help");

    mnuLoadPicture->onClick = [this] { mnuLoadPicture_Click(); };
    mnuExit->onClick = [this] { mnuExit_Click(); };
    mnuClickDisplay->onClick = [this] { mnuClickDisplay_Click(); };
    mnuContinuousDisplay->onClick = [this] { mnuContinuousDisplay_Click(); };
    mnuSamplePixels1->onClick = [this] { mnuSamplePixels_Click(1); };
    mnuSamplePixels9->onClick = [this] { mnuSamplePixels_Click(9); };
    mnuSamplePixels25->onClick = [this] { mnuSamplePixels_Click(25); };
    mnuSamplePixels49->onClick = [this] { mnuSamplePixels_Click(49); };
    mnuSamplePixels81->onClick = [this] { mnuSamplePixels_Click(81); };
    mnuMakePalette->onClick = [this] { mnuMakePalette_Click(); };
    mnuGetClip->onClick = [this] { mnuGetClip_Click(); };
    mnuView3DPalette->onClick = [this] { mnuView3DPalette_Click(); };
    mnuHelp->onClick = [this] { mnuHelp_Click(); };
}

void Form2::Form_Load() {
    clickMode_ = true;
    halfSize_ = 4;
    pixelCount_ = 81;
    paletteMade_ = false;
    mnuMakePalette->setVisible(true);
    showModeChecks();
    pictureFileName_ = "TestImage.jpg";
    OpenPicture(true);
}

// --- The conversion screen's switch ------------------------------------------

void Form2::setShown(bool shown) {
    if (shown) {
        show();
    } else {
        hide();
    }
}

bool Form2::isShown() const {
    return isVisible();
}

void Form2::ticked() {
    activate();
}

void Form2::follow(const screen::Refresh &) { }

void Form2::mnuExit_Click() {
    screen_.windows().setTicked(screen::ScreenWindow::PictureAnalysis, false);
    // The box may already be clear (the window was shown some other way).
    hide();
}

// --- Options and help ----------------------------------------------------------

void Form2::mnuClickDisplay_Click() {
    clickMode_ = true;
    showModeChecks();
}

void Form2::mnuContinuousDisplay_Click() {
    clickMode_ = false;
    showModeChecks();
}

void Form2::mnuSamplePixels_Click(int count) {
    switch (count) {
    case 1:
        halfSize_ = 0;
        break;
    case 9:
        halfSize_ = 1;
        break;
    case 25:
        halfSize_ = 2;
        break;
    case 49:
        halfSize_ = 3;
        break;
    default:
        halfSize_ = 4;
        break;
    }
    pixelCount_ = (2 * halfSize_ + 1) * (2 * halfSize_ + 1);
    showModeChecks();
}

void Form2::showModeChecks() {
    mnuClickDisplay->setChecked(clickMode_);
    mnuContinuousDisplay->setChecked(!clickMode_);
    mnuSamplePixels1->setChecked(pixelCount_ == 1);
    mnuSamplePixels9->setChecked(pixelCount_ == 9);
    mnuSamplePixels25->setChecked(pixelCount_ == 25);
    mnuSamplePixels49->setChecked(pixelCount_ == 49);
    mnuSamplePixels81->setChecked(pixelCount_ == 81);
}

void Form2::mnuHelp_Click() {
    screen_.setScreenVisible(false);
    screen_.dialogs().messageBox(helpText, Buttons::Ok, "Options");
    screen_.setScreenVisible(true);
    activate();
}

void Form2::mnuView3DPalette_Click() {
    screen_.windows().viewPalette(2);
}

} // namespace tw::imaging
