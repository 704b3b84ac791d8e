// The redraw, DrawPalette, and Timer2 that calls it.
//
// Order of drawing (later covers earlier): the Value poles, the four hue axes
// (red 0R, yellow 20Y... every quarter turn, each a dot at its end and a black
// line from the centre), the Value axis, the Chroma 20, 10, 5 and 1 rings at
// Value 5, then the dots from the farthest to the nearest. A dot is
// 2V + 2 pixels across; the selected row's dot gets a white centre V + 2
// pixels across (both rounded halves to even).
//
// Timer2 comes every 10 ms. It redraws only when something the picture
// depends on has changed since the last redraw (a scroll bar, the table, the
// selected row, the numbers check box, the box's size), so the picture is
// the one a redraw every tick would give without spending a core on an idle
// view; while the window is hidden nothing is drawn until it shows again.
#include "viewer/form3.h"

#include "text/numbers.h"
#include "ui/checkbox.h"
#include "ui/drawing_surface.h"
#include "ui/listbox.h"
#include "ui/scrollbar.h"
#include "viewer/view_projection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tw::viewer {

namespace {

// A dot's pen, rounded halves to even. A Value far outside 0 to 10 (a
// damaged file) is drawn no wider than this rather than covering the view.
constexpr int kWidestPen = 100;

int penWidth(float pixels) {
    const double w = std::clamp(static_cast<double>(pixels), 1.0, double(kWidestPen));
    return static_cast<int>(text::roundHalfEven(w));
}

constexpr std::array<ui::Rgb24, 4> kAxisColours { ui::rgb(255, 0, 0), ui::rgb(255, 255, 0),
    ui::rgb(0, 255, 0), ui::rgb(0, 0, 255) };

} // namespace

Form3::DrawnState Form3::drawnState() const {
    DrawnState s;
    s.HScroll1 = HScroll1->value();
    s.VScroll1 = VScroll1->value();
    s.VScroll2 = VScroll2->value();
    s.HScroll2 = HScroll2->value();
    s.VScroll3 = VScroll3->value();
    s.selected = List1->listIndex();
    s.numbers = Check1->value();
    const QSize size = Picture1->pixelSize();
    s.width = size.width();
    s.height = size.height();
    s.table = tableChanges_;
    return s;
}

void Form3::Timer2_Timer() {
    if (isVisible() && lastDrawn_ != drawnState()) {
        DrawPalette();
    }
}

void Form3::DrawPalette() {
    lastDrawn_ = drawnState();
    ++redraws_;
    const ViewGeometry view = ViewGeometry::of({ lastDrawn_->HScroll1, lastDrawn_->VScroll1,
        lastDrawn_->VScroll2, lastDrawn_->HScroll2, lastDrawn_->VScroll3 });
    ui::DrawingSurface &p = *Picture1;
    (void)p.setScale(view.left(), view.top(), view.width(), view.height());
    p.cls();

    const float pole = 20.0f * view.sinTilt;
    p.setDrawWidth(10);
    p.pset(0, -pole, ui::kBlack); // Value 0
    p.pset(0, pole, ui::kWhite); // Value 10

    for (int k = 0; k < 4; ++k) {
        const float a = view.rotation + static_cast<float>(k * 90) * kRadiansPerDegree;
        const float ex = 20.0f * std::cos(a);
        const float ey = 20.0f * std::sin(a) * view.cosTilt;
        p.setDrawWidth(10);
        p.pset(ex, ey, kAxisColours[static_cast<std::size_t>(k)]);
        p.setDrawWidth(1);
        p.line(0, 0, ex, ey, ui::kBlack);
    }

    p.setDrawWidth(1);
    p.line(0, pole, 0, -pole, ui::kBlack);
    for (const float radius : { 20.0f, 10.0f, 5.0f, 1.0f }) {
        p.circle(0, 0, radius, ui::kBlack, view.cosTilt);
    }

    const int selected = lastDrawn_->selected;
    const bool numbers = lastDrawn_->numbers == 1;
    // Every dot's place on the screen and its depth towards the eye; the
    // dots are drawn far to near, so that a nearer dot covers a farther one
    // (of equal depths, the earlier row first).
    // The sine and cosine of each dot's hue angle are kept with the dot;
    // the turn adds the rotation by the angle-sum rule.
    std::vector<float> depth(dots_.size());
    const float cosTurn = std::cos(view.rotation);
    const float sinTurn = std::sin(view.rotation);
    for (std::size_t i = 0; i < dots_.size(); ++i) {
        PaletteDot &d = dots_[i];
        const float c = d.cosHue * cosTurn - d.sinHue * sinTurn;
        const float s = d.sinHue * cosTurn + d.cosHue * sinTurn;
        const float up = 4.0f * (d.value - 5.0f);
        d.projectedX = d.chroma * c;
        d.projectedY = d.chroma * s * view.cosTilt + view.sinTilt * up;
        depth[i] = -d.chroma * s * view.sinTilt + view.cosTilt * up;
    }
    if (order_.size() != dots_.size()) {
        order_.resize(dots_.size());
        for (std::size_t i = 0; i < order_.size(); ++i) {
            order_[i] = static_cast<std::uint32_t>(i);
        }
    }
    // From the last redraw's order, which a turn changes little.
    std::sort(order_.begin(), order_.end(), [&depth](std::uint32_t a, std::uint32_t b) {
        return depth[a] < depth[b] || (depth[a] == depth[b] && a < b);
    });
    for (const std::uint32_t i : order_) {
        PaletteDot &d = dots_[i];
        if (!d.placed) {
            continue;
        }
        p.setDrawWidth(penWidth(2.0f * d.value + 2.0f));
        const ui::Rgb24 colour = ui::rgb(d.red, d.green, d.blue);
        p.pset(d.projectedX, d.projectedY, colour);
        if (d.clipped) {
            p.dottedRing(d.projectedX, d.projectedY, ui::clipMarkColour(colour));
        }
        p.setDrawWidth(penWidth(d.value + 2.0f));
        if (selected == static_cast<int>(i)) {
            p.circle(d.projectedX, d.projectedY, 0, ui::kWhite);
        }
        if (numbers) {
            p.print(d.number, d.numberHandle);
        }
    }
}

} // namespace tw::viewer
