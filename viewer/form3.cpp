// The viewer window: its controls and where they stand, the menus and their
// texts, the rotation with its two timers, the click that identifies a dot,
// and the window's part in the conversion screen's switchboard.
//
// The rotation turns at the speed the "Fast - Slow" bar sets, in degrees a
// second on the clock, whatever a redraw costs: 60 at Fast, 0.6 less each
// step, 30 at first.
//
// Only the drawing box's size is fixed (6015 x 5895 twips, close to square,
// since both axes show the same world span); the rest is laid out around it:
// the rotation bar under the box with the two small bars below it, tilt,
// zoom and pan y beside it, and on the right the two identified colours, the
// rotation buttons, the list of samples and the load status.
#include "viewer/form3.h"

#include "screen/screen_host.h"
#include "text/numbers.h"
#include "ui/button.h"
#include "ui/checkbox.h"
#include "ui/drawing_surface.h"
#include "ui/label.h"
#include "ui/listbox.h"
#include "ui/menuitem.h"
#include "ui/mouse.h"
#include "ui/scrollbar.h"
#include "ui/shape.h"
#include "ui/textbox.h"
#include "ui/timer.h"

#include <QFont>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tw::viewer {

namespace {

constexpr ui::Rgb24 kLightGreen = ui::rgb(160, 224, 160);
constexpr ui::Rgb24 kLightRed = ui::rgb(224, 160, 160);

// The turn: at most 60 degrees a second (the Fast end of the speed bar), a
// calm 30 at first, stepped every 15 ms (a screen shows no more).
constexpr double kFastestTurn = 60.0;
constexpr int kCalmSpeedBar = 51;
constexpr int kTurnInterval = 15;

const char *const kHelpText
    = "Continuous rotation of palette is controlled by the 'Rotate' and 'Stop' buttons\r\n"
      "The Palette display is viewed differently by rotating, tilting and panning.\r\n"
      "New palettes are generated from the Tintwise Screen by entering or measuring with "
      "Spectrophotometers or from the image analysis screen\r\r"
      "Identify colors in the display by clicking on the color in the list or click on the "
      "color dot in the display\r\r"
      "Two colors can be compared visually by left-clicking the first color and "
      "right-clicking the second color\r\n";

const char *const kNewPaletteText
    = "To make a new palette or add to a current palette, go to the Tintwise Screen and enter "
      "or measure samples for the palette and click on 'Save Palette'";

} // namespace

Form3::Form3(screen::ScreenHost &screen)
    : screen_(screen) {
    buildControls();
    connectEvents();
}

Form3::~Form3() = default;

services::Dialogs &Form3::dialogs() const {
    return screen_.dialogs();
}

void Form3::buildControls() {
    setCaption("Brightmere 3D Munsell Palette Viewer");
    QFont font("Arial");
    font.setPointSizeF(8.0);
    setFont(font);
    setClientSize(12480, 7380);

    const auto label = [this](const ui::TwipRect &where, const std::string &caption,
                           ui::Alignment alignment = ui::Alignment::Left) {
        auto &l = add<ui::Label>(where, caption);
        l.setAlignment(alignment);
        return &l;
    };

    Picture1 = &add<ui::DrawingSurface>(ui::TwipRect { 120, 120, 6015, 5895 });
    Picture1->setBackColor(ui::rgb(192, 192, 192));

    // Under the drawing box: rotation, then pan x and the rotation speed.
    HScroll1
        = &add<ui::ScrollBar>(ui::TwipRect { 120, 6135, 6015, 255 }, Qt::Horizontal, -180, 180);
    HScroll1->setLargeChange(20);
    label({ 120, 6405, 6015, 255 }, "   -180               Rotate                +180",
        ui::Alignment::Center);
    HScroll2 = &add<ui::ScrollBar>(ui::TwipRect { 120, 6780, 2880, 255 }, Qt::Horizontal, 0, 800);
    HScroll2->setLargeChange(20);
    (void)HScroll2->setValue(400);
    label({ 120, 7050, 2880, 255 }, "Pan X", ui::Alignment::Center);
    HScroll3 = &add<ui::ScrollBar>(ui::TwipRect { 3255, 6780, 2880, 255 }, Qt::Horizontal, 1, 100);
    HScroll3->setSmallChange(1);
    HScroll3->setLargeChange(10);
    (void)HScroll3->setValue(kCalmSpeedBar);
    label({ 3255, 7050, 2880, 255 }, "Fast           Slow", ui::Alignment::Center);

    // Beside it: tilt and pan y in one column, zoom in the next.
    label({ 6180, 120, 495, 255 }, "Tilt", ui::Alignment::Center);
    VScroll1 = &add<ui::ScrollBar>(ui::TwipRect { 6300, 375, 255, 2640 }, Qt::Vertical, 0, 90);
    VScroll1->setLargeChange(10);
    (void)VScroll1->setValue(15);
    label({ 6690, 120, 585, 255 }, "Zoom +", ui::Alignment::Center);
    VScroll2 = &add<ui::ScrollBar>(ui::TwipRect { 6855, 375, 255, 2640 }, Qt::Vertical, 1, 40);
    VScroll2->setLargeChange(5);
    (void)VScroll2->setValue(20);
    label({ 6690, 3030, 585, 255 }, "Zoom -", ui::Alignment::Center);
    VScroll3 = &add<ui::ScrollBar>(ui::TwipRect { 6300, 3375, 255, 2640 }, Qt::Vertical, 0, 400);
    VScroll3->setLargeChange(20);
    (void)VScroll3->setValue(200);
    label({ 6135, 6135, 585, 255 }, "Pan Y", ui::Alignment::Center);

    // On the right: the two identified colours.
    ui::Label *id = label({ 7320, 120, 5040, 255 }, "ID a Color");
    id->setFontBold(true);
    label({ 7320, 375, 5040, 255 }, "< Left-Click or Right-click on dot to identify >");
    const char *const sides[] = { "Left-Click ", "Right-Click " };
    for (int k = 0; k < 2; ++k) {
        const int top = 690 + k * 720;
        label({ 7320, top + 30, 960, 255 }, sides[k]);
        Text3[k] = &add<ui::TextBox>(ui::TwipRect { 8280, top, 2760, 285 });
        Text4[k] = &add<ui::TextBox>(ui::TwipRect { 8280, top + 315, 2760, 285 });
        Text3[k]->setLocked(true);
        Text4[k]->setLocked(true);
    }
    Shape1 = &add<ui::Shape>(ui::TwipRect { 11160, 690, 1200, 600 });
    Shape2 = &add<ui::Shape>(ui::TwipRect { 11160, 1410, 1200, 600 });

    Command1 = &add<ui::Button>(ui::TwipRect { 7320, 2190, 1095, 375 }, "Rotate");
    Command2 = &add<ui::Button>(ui::TwipRect { 8535, 2190, 1095, 375 }, "Stop");
    Check1 = &add<ui::CheckBox>(ui::TwipRect { 9750, 2250, 2610, 255 }, "Display sample #");

    label({ 7320, 2715, 900, 255 }, "Palette");
    label({ 8220, 2715, 4140, 255 }, "< Click on color to identify with white dot >");
    List1 = &add<ui::ListBox>(ui::TwipRect { 7320, 2970, 5040, 3045 });
    Text1 = &add<ui::TextBox>(ui::TwipRect { 7320, 6135, 5040, 285 });
    Text1->setLocked(true);

    Timer1 = &own<ui::Timer>(this, 1, false);
    Timer2 = &own<ui::Timer>(this, 10, true);

    mnuFile = &addMenu("&File");
    mnuNewPalette = &addMenuItem(*mnuFile, "&New Palette");
    mnuFileOpen = &addMenuItem(*mnuFile, "&Open Palette");
    mnuExit = &addMenuItem(*mnuFile, "e&Xit");
    mnuHelp = &addMenuCommand("&Help");
}

void Form3::connectEvents() {
    Command1->onClick = [this] { Command1_Click(); };
    Command2->onClick = [this] { Command2_Click(); };
    Timer1->onTick = [this] { Timer1_Timer(); };
    Timer2->onTick = [this] { Timer2_Timer(); };
    // Tilt and pan y redraw at once; the other bars, the list and the check
    // box are taken up by the next Timer2 redraw.
    VScroll1->onChange = [this] { DrawPalette(); };
    VScroll3->onChange = [this] { DrawPalette(); };
    Picture1->onMouseDown
        = [this](int button, double x, double y) { Picture1_MouseDown(button, x, y); };
    mnuNewPalette->onClick = [this] { mnuNewPalette_Click(); };
    mnuFileOpen->onClick = [this] { mnuFileOpen_Click(); };
    mnuExit->onClick = [this] { mnuExit_Click(); };
    mnuHelp->onClick = [this] { mnuHelp_Click(); };
    // Closing the window from its title bar is eXit too.
    onUnload = [this] { mnuExit_Click(); };
}

void Form3::Form_Load() {
    loaded_ = true;
    show();
    dialogs().yield();
    GetData(1);
    Command1_Click();
}

// --- The switchboard's window ------------------------------------------------

void Form3::setShown(bool shown) {
    if (!shown) {
        hide();
    } else if (!loaded_) {
        Form_Load();
    } else {
        show();
    }
}

bool Form3::isShown() const {
    return isVisible();
}

void Form3::ticked() {
    // Showing is all: the window loads its own palette.
}

void Form3::follow(const screen::Refresh &refresh) {
    // A row was appended to the screen's palette file while the box is
    // ticked: show the file as it now stands. A save cancelled at its file
    // name (or one that could not write) leaves no file name: there is
    // nothing new to show, and no failure to report.
    if (refresh.cause == screen::Refresh::Cause::PaletteSaved
        && !screen_.palette().fileName().empty()) {
        GetData(2);
    }
}

// --- Rotation --------------------------------------------------------------------

void Form3::Command1_Click() {
    lastTurn_.reset();
    Timer1->setEnabled(true);
    rotating_ = true;
    Command2->setBackColor(kLightGreen);
    Command1->setBackColor(kLightRed);
}

void Form3::Command2_Click() {
    rotating_ = false;
    Timer1->setEnabled(false);
    Command2->setBackColor(kLightRed);
    Command1->setBackColor(kLightGreen);
}

namespace {

double rotationSpeed(int bar) {
    // Fast (1) is 60 degrees a second, each step of the bar 0.6 less, Slow
    // (100) 0.6: even steps, and a turn that takes the time it says however
    // many dots there are.
    const int v = std::clamp(bar, 1, 100);
    return kFastestTurn * static_cast<double>(101 - v) / 100.0;
}

} // namespace

void Form3::Timer1_Timer() {
    // The angle moves by the speed times the time since the last step, on
    // the clock: a redraw that takes long slows nothing down. The bar shows
    // whole degrees, 180 wrapping round to -180; the redraw is Timer2's.
    Timer1->setInterval(kTurnInterval);
    const double now = screen_.clock().secondsSinceMidnight();
    if (!lastTurn_) {
        lastTurn_ = now;
        turned_ = HScroll1->value();
        return;
    }
    double seconds = now - *lastTurn_;
    if (seconds < 0.0) {
        seconds += 86400.0; // midnight
    }
    lastTurn_ = now;
    // A long stall (the window hidden, a modal message) does not jump.
    seconds = std::min(seconds, 0.25);
    if (std::lround(turned_) != HScroll1->value()) {
        turned_ = HScroll1->value(); // the user moved the bar
    }
    turned_ += rotationSpeed(HScroll3->value()) * seconds;
    while (turned_ >= 180.5) {
        turned_ -= 360.0;
    }
    (void)HScroll1->setValue(static_cast<int>(std::lround(turned_)));
}

// --- Identifying a dot -----------------------------------------------------------

void Form3::Picture1_MouseDown(int button, double x, double y) {
    if (dots_.empty()) {
        return;
    }
    // The nearest dot by |dx| + |dy| where the last redraw put it; of equal
    // distances the lowest number, as only a strictly nearer dot wins.
    float best = 1000.0f;
    int nearest = 0;
    for (std::size_t i = 0; i < dots_.size(); ++i) {
        if (!dots_[i].placed) {
            continue;
        }
        const float d = std::abs(static_cast<float>(x) - dots_[i].projectedX)
            + std::abs(static_cast<float>(y) - dots_[i].projectedY);
        if (d < best) {
            best = d;
            nearest = static_cast<int>(i) + 1;
        }
    }
    if (nearest == 0) {
        return;
    }
    (void)List1->setListIndex(nearest - 1);
    int k = 0;
    if (button == ui::kLeftButton) {
        k = 0;
    } else if (button == ui::kRightButton) {
        k = 1;
    } else {
        return;
    }
    const PaletteDot &d = dot(nearest);
    Text3[k]->setText(d.tag);
    Text4[k]->setText(d.hueLabel + " " + text::formatPattern(d.value, "##.00") + "/"
        + text::formatPattern(d.chroma, "##.00"));
    ui::Shape &swatch = *(k == 0 ? Shape1 : Shape2);
    const ui::Rgb24 colour = ui::rgb(d.red, d.green, d.blue);
    swatch.setFillColor(colour);
    swatch.setBorderStyle(d.clipped ? ui::BorderStyle::Dotted : ui::BorderStyle::Solid);
    swatch.setBorderColor(d.clipped ? ui::clipMarkColour(colour) : ui::kBlack);
}

// --- Menus -----------------------------------------------------------------------

void Form3::mnuNewPalette_Click() {
    dialogs().messageBox(kNewPaletteText, services::Buttons::Ok);
    screen_.setScreenVisible(true);
}

void Form3::mnuFileOpen_Click() {
    GetData(0);
}

void Form3::mnuExit_Click() {
    // Hidden, not closed: the palette, the timers and the view stay. The
    // screen's "3D Display of HVC " box is cleared with it, so that one
    // click brings the window back.
    screen_.windows().setTicked(screen::ScreenWindow::PaletteViewer, false);
    hide();
}

void Form3::mnuHelp_Click() {
    dialogs().messageBox(kHelpText, services::Buttons::Ok);
}

} // namespace tw::viewer
