// The hue page. Each patch is the display colour of its notation as the
// screen would show it, computed without touching the screen's state (its
// boxes, scroll bars and note stay as they are).
//
// A colour is shown only when X and Y are both at least 0.02 (0.02 in single
// precision): below that the renotation data have no colour there, and the
// patch stays grey. A colour the display must clip carries the charts' clip
// mark, however dark it is.
#include "charts/book.h"

#include "charts/clip_mark.h"

#include "engine/display_colour.h"
#include "engine/notation.h"
#include "text/numbers.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/scoped_flag.h"
#include "ui/scrollbar.h"
#include "ui/shape.h"

#include <QFont>

#include <cmath>
#include <string>

namespace tw::charts {

using ui::TwipRect;

namespace {

constexpr int columns = 15;
constexpr int rows = 10;
constexpr int gridHeight = rows * book::pitch - (book::pitch - book::patchSize);
constexpr int barLeft = book::gridLeft + columns * book::pitch + 120;
constexpr int barWidth = 255;
constexpr int labelHeight = 255;

} // namespace

book::book(screen::ScreenHost &screen)
    : ChartWindow(screen, screen::ScreenWindow::HuePage) {
    setCaption("Munsell Book of Color");
    setClientSize(barLeft + barWidth + 900, 8760);
    setBackColor(ui::rgb(192, 192, 192));

    for (int c = 0; c < columns; ++c) {
        for (int row = 0; row < rows; ++row) {
            auto &patch = add<ui::Shape>(
                TwipRect { gridLeft + c * pitch, gridTop + row * pitch, patchSize, patchSize },
                ui::ShapeKind::Square);
            patch.setFillColor(missingGrey);
            patch.setFillStyle(ui::FillStyle::Solid);
            Shape1[static_cast<std::size_t>(c * rows + row)] = &patch;
        }
    }
    // Row labels: Label1(0..8) are the Values 1 to 9, Label1(9) the bottom row.
    for (int i = 0; i < rows; ++i) {
        const int value = i < 9 ? i + 1 : 0;
        const int row = 9 - value;
        Label1[static_cast<std::size_t>(i)] = &add<ui::Label>(
            TwipRect { 480, gridTop + row * pitch + 180, 300, labelHeight }, std::to_string(value));
    }
    // Column labels: Label1(10..22) for N, 2 ... 24, then Label1(24), (25) for
    // 26 and 28; Label1(23) is the page heading.
    for (int c = 0; c < columns; ++c) {
        const std::size_t index
            = c <= 12 ? static_cast<std::size_t>(10 + c) : static_cast<std::size_t>(24 + (c - 13));
        auto &label = add<ui::Label>(
            TwipRect { gridLeft + c * pitch, gridTop + gridHeight + 60, patchSize, labelHeight },
            c == 0 ? "N" : std::to_string(2 * c));
        label.setAlignment(ui::Alignment::Center);
        Label1[index] = &label;
    }
    const int footTop = gridTop + gridHeight + 420;
    Label1[23] = &add<ui::Label>(TwipRect { 120, footTop + 300, 2400, 480 });
    {
        QFont heading(QStringLiteral("Arial"));
        heading.setPointSizeF(16);
        heading.setBold(true);
        Label1[23]->widget()->setFont(heading);
    }
    Label3 = &add<ui::Label>(TwipRect { 300, 60, 900, labelHeight }, "Value");
    Label4 = &add<ui::Label>(TwipRect { gridLeft, footTop, 3000, labelHeight }, "Chroma > > > >");
    Label6 = &add<ui::Label>(TwipRect { 2760, footTop + 420, 7200, labelHeight },
        "Colors with a dotted border cannot be displayed correctly on a CRT");
    Label2 = &add<ui::Label>(TwipRect { barLeft, 60, 900, labelHeight }, "Hue");

    VScroll1 = &add<ui::ScrollBar>(
        TwipRect { barLeft, gridTop, barWidth, gridHeight }, Qt::Vertical, 0, 100);
    VScroll1->setSmallChange(1);
    VScroll1->setLargeChange(10);
    (void)VScroll1->setValue(0);
    VScroll1->onChange = [this] { VScroll1_Change(); };
    // One tick per family at its hue 5, where the thumb stands for that hue.
    static const char *ticks[10]
        = { "5R", "5YR", "5Y", "5GY", "5G", "5BG", "5B", "5PB", "5P", "5RP" };
    const int track = gridHeight - 2 * barWidth;
    for (int k = 0; k < 10; ++k) {
        const int centre = gridTop + barWidth + (5 + 10 * k) * track / 100;
        Label5[static_cast<std::size_t>(k)] = &add<ui::Label>(
            TwipRect { barLeft + barWidth + 60, centre - 120, 780, labelHeight }, ticks[k]);
    }

    Command1 = &add<ui::Button>(TwipRect { barLeft - 960, footTop + 300, 1212, 372 }, "PRINT");
    Command1->onClick = [this] { printChart(); };
    onMouseDown = [this](int, double x, double y) { Form_MouseDown(x, y); };
}

void book::fillbook() {
    setShown(true);
    const std::string hueText = screen_.cycle().text(cycle::Boxes::Munsell, 0);
    bool formatError = false;
    float h = engine::converth(hueText, formatError);
    // No hue in the box (a colour outside the Munsell data leaves it empty):
    // the page keeps what it shows.
    if (formatError || !(h >= 0.0f && h < 200.0f)) {
        return;
    }
    h = engine::wrapHue(h);
    {
        ui::ScopedFlag guard(busy_);
        (void)VScroll1->setValue(static_cast<int>(text::roundHalfEven(h)));
    }
    Label1[23]->setCaption(hueText);
    Shape1[patchIndex(0, 0)]->setFillColor(ui::kBlack);

    holdsColour_.fill(false);
    holdsColour_[static_cast<std::size_t>(patchIndex(0, 0))] = true;
    const float limit = 0.02f;
    for (int c = 0; c <= 28; c += 2) {
        for (int v = 1; v <= 9; ++v) {
            const engine::DisplayColour colour
                = screen_.cycle().munsellColour(h, static_cast<float>(v), static_cast<float>(c));
            const bool shown = colour.hasRgb() && colour.X >= limit && colour.Y >= limit;
            const auto index = static_cast<std::size_t>(patchIndex(c, v));
            holdsColour_[index] = shown;
            showClipMark(*Shape1[index], shown && colour.rgb.outofgamut,
                shown ? ui::rgb(colour.rgb.R, colour.rgb.G, colour.rgb.B) : missingGrey,
                ui::kBlack);
        }
    }
}

void book::VScroll1_Change() {
    if (busy_) {
        return;
    }
    screen_.cycle().setText(
        cycle::Boxes::Munsell, 0, engine::hconvert(static_cast<float>(VScroll1->value())));
    fillbook();
}

int book::patchAt(double x, double y) {
    const int column = static_cast<int>(std::floor((x - gridLeft) / pitch));
    const int row = static_cast<int>(std::floor((y - gridTop) / pitch));
    if (column < 0 || column >= columns || row < 0 || row >= rows
        || x - gridLeft - column * pitch >= patchSize || y - gridTop - row * pitch >= patchSize) {
        return -1;
    }
    return column * rows + row;
}

void book::Form_MouseDown(double x, double y) {
    // Only a patch with a colour sends it: the page's grey background and
    // the empty cells where the data hold no colour are no colours to take.
    const int patch = patchAt(x, y);
    if (patch < 0 || !holdsColour_[static_cast<std::size_t>(patch)]) {
        return;
    }
    const ui::Rgb24 c = point(x, y);
    const int channel[3] = { ui::redOf(c), ui::greenOf(c), ui::blueOf(c) };
    for (int i = 0; i < 3; ++i) {
        screen_.cycle().setText(cycle::Boxes::Rgb, i, std::to_string(channel[i]));
    }
    // A channel at 0 may be a clipped colour (or the black patch): the
    // numbers are shown but not converted.
    if (channel[0] != 0 && channel[1] != 0 && channel[2] != 0) {
        (void)screen_.cycle().Command6_Click();
    }
}

} // namespace tw::charts
