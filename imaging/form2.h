// The picture-analysis window, "Munsell Notation Picture Analysis": a picture
// from a file or the clipboard, shown one unit per pixel in Picture1, and the
// Munsell notation of the pixels under the mouse.
//
// A sample averages a square block of (2h + 1) x (2h + 1) pixels around the
// point (1, 9, 25, 49 or 81 pixels), flashes the block inverted for 0.2 s,
// puts the average into the conversion screen's R, G, B boxes and runs its
// RGB entry, then shows the notation the screen computed. Only the pixels of
// the block that lie inside the picture count. A block whose average has a
// channel at 0 or 255 is not converted: the screen's RGB boxes show it, the
// notation stays that of the previous conversion.
//
// "&Make Palette of Image" cuts the whole picture into n x n blocks and
// appends one palette row per block through the screen's palette writer
// (form2_palette.cpp); once per picture, since the block grid is then drawn
// over it.
//
// The window is the conversion screen's "Image Analysis" window: ticking its
// box shows it and gives it the focus; "e&Xit" and closing the window clear
// the box, which hides it. A hidden window keeps its picture and state.
#pragma once

#include "cycle/screen_state.h"
#include "screen/window_switchboard.h"
#include "ui/form.h"

#include <string>

class QScrollArea;

namespace tw::screen {
class ScreenHost;
}

namespace tw::ui {
class DrawingSurface;
class MenuItem;
class TextBox;
} // namespace tw::ui

namespace tw::imaging {

class Form2 : public ui::Form, public screen::SwitchedWindow {
public:
    // How a palette build ended.
    enum class Build {
        Done, // every block visited; the grid is drawn
        Stopped, // the user ended it at a question; no file touched
        Failed, // the palette file could not be created or written
    };

    explicit Form2(screen::ScreenHost &screen);
    ~Form2() override;

    // Click mode, 81-pixel samples, "TestImage.jpg" loaded from the working
    // folder.
    void Form_Load();

    // Loads a picture: the stored picture file name, or one chosen in the
    // open dialog. A picture that cannot be read is named in a message; it
    // leaves an empty drawing box when none was shown. False when nothing
    // changed: no name (a cancelled dialog), or a file that cannot be read
    // while a picture is shown, which stays as it was.
    bool OpenPicture(bool useStoredName);
    // Averages, flashes and converts the block around picture point (x, y).
    // False (nothing done) when no pixel of the block lies in the picture.
    // A block with a channel at 0 or 255 (perhaps a clipped colour) is put
    // into the RGB boxes but not converted.
    bool SampleAt(float x, float y);
    // Asks for the palette file and the granularity and writes the palette.
    Build BuildPalette();

    // Menus.
    void mnuLoadPicture_Click();
    void mnuExit_Click();
    void mnuClickDisplay_Click();
    void mnuContinuousDisplay_Click();
    // count: 1, 9, 25, 49 or 81.
    void mnuSamplePixels_Click(int count);
    void mnuMakePalette_Click();
    void mnuGetClip_Click();
    void mnuView3DPalette_Click();
    void mnuHelp_Click();

    // The mouse on the picture, in picture pixels.
    void Picture1_MouseDown(int button, float x, float y);
    void Picture1_MouseMove(int buttons, float x, float y);

    // SwitchedWindow.
    void setShown(bool shown) override;
    [[nodiscard]] bool isShown() const override;
    void ticked() override;
    void follow(const screen::Refresh &refresh) override;

    // Window state.
    [[nodiscard]] bool clickMode() const { return clickMode_; }
    [[nodiscard]] int sampleHalfSize() const { return halfSize_; }
    [[nodiscard]] int samplePixelCount() const { return pixelCount_; }
    [[nodiscard]] bool busy() const { return busy_; }
    [[nodiscard]] bool paletteMade() const { return paletteMade_; }
    [[nodiscard]] const std::string &pictureFileName() const { return pictureFileName_; }
    // Blocks of the last build that had no Munsell notation and so no row.
    [[nodiscard]] long long blocksWithoutRow() const { return blocksWithoutRow_; }

    // Controls.
    ui::TextBox *Text1 = nullptr; // palette progress
    ui::TextBox *Text2 = nullptr; // the picture's full file name
    ui::TextBox *Text3 = nullptr; // its width in pixels
    ui::TextBox *Text4 = nullptr; // its height in pixels
    ui::TextBox *Text5 = nullptr; // the notation
    ui::TextBox *Text6 = nullptr; // the position
    ui::TextBox *Text7 = nullptr; // swatch of the converted colour
    ui::DrawingSurface *Picture1 = nullptr;

    ui::MenuItem *mnuFile = nullptr, *mnuLoadPicture = nullptr, *mnuExit = nullptr;
    ui::MenuItem *mnuOptions = nullptr, *mnuDisplayMode = nullptr;
    ui::MenuItem *mnuClickDisplay = nullptr, *mnuContinuousDisplay = nullptr;
    ui::MenuItem *mnuSamplePixels = nullptr, *mnuSamplePixels1 = nullptr,
                 *mnuSamplePixels9 = nullptr, *mnuSamplePixels25 = nullptr,
                 *mnuSamplePixels49 = nullptr, *mnuSamplePixels81 = nullptr;
    ui::MenuItem *mnuMakePalette = nullptr, *mnuGetClip = nullptr, *mnuView3DPalette = nullptr,
                 *mnuHelp = nullptr;

private:
    void buildControls();
    void buildMenus();
    // Shows a picture (a null one empties the box), the size boxes, and fits
    // the window around it.
    void showPicture(const QImage &picture);
    void fitWindow();
    void warnIfTooBig();
    void clearProgress();
    // After a sample: the notation, the position and the swatch.
    void showSample(float x, float y);
    // Holds the window for `seconds` on the clock service.
    void pause(double seconds);
    void drawGrid(int W, int H, int n);
    void setBuilding(bool building);
    void showModeChecks();

    screen::ScreenHost &screen_;
    cycle::DisplayRgb sample_;
    std::string sampleNote_;
    QScrollArea *pictureArea_ = nullptr;
    QWidget *pictureHolder_ = nullptr;

    bool clickMode_ = true;
    int halfSize_ = 4;
    int pixelCount_ = 81;
    bool busy_ = false;
    bool paletteMade_ = false;
    bool building_ = false;
    std::string pictureFileName_ = "TestImage.jpg";
    long long blocksWithoutRow_ = 0;
};

} // namespace tw::imaging
