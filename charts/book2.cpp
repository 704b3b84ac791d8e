// The value page. Dots: mun2xyz then xyzrgb, computed here without the
// screen. The polar angle is H / 15.915494 (15.915494 = 100 / 2 pi: one turn
// per 100 hue steps); the hues 0 and 50 lie exactly on the horizontal axis.
// Hue 0 points right and y grows downwards on the window, hence cy - 100 y.
#include "charts/book2.h"

#include "charts/clip_mark.h"

#include "engine/colour_spaces.h"
#include "engine/mun2xyz.h"
#include "engine/notation.h"
#include "text/numbers.h"
#include "ui/button.h"
#include "ui/drawing_surface.h"
#include "ui/label.h"
#include "ui/scoped_flag.h"
#include "ui/scrollbar.h"
#include "ui/shape.h"
#include "ui/timer.h"

#include <QFont>

#include <algorithm>
#include <cmath>
#include <string>

namespace tw::charts {

using ui::TwipRect;

namespace {

// A channel as the readout shows it: one blank in the sign's place.
std::string signPadded(int v) {
    return (v < 0 ? "" : " ") + std::to_string(v);
}

bool inside(int channel) {
    return channel >= 1 && channel <= 254;
}

} // namespace

book2::book2(screen::ScreenHost &screen)
    : ChartWindow(screen, screen::ScreenWindow::ValuePage)
    , hoverDelay_(std::make_unique<ui::Timer>(nullptr, 10, false)) {
    setCaption("Munsell Value Page");
    setClientSize(innerWidth, innerHeight);
    setBackColor(background);
    (void)surface();

    Label1 = &add<ui::Label>(TwipRect { 120, 120, 2400, 360 }, "Value");
    {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(12);
        font.setBold(true);
        Label1->widget()->setFont(font);
    }
    // The scale reads down the bar, one Value a line, as the bar runs from
    // 9.5 at its top to 1 at its bottom.
    Label2 = &add<ui::Label>(TwipRect { 8280, 330, 210, 2100 }, "10 9   8  7  6  5  4  3  2  1");
    Label2->setWordWrap(true);
    Label2->setAlignment(ui::Alignment::Right);
    VScroll1 = &add<ui::ScrollBar>(TwipRect { 8520, 240, 255, 2280 }, Qt::Vertical, 950, 100);
    VScroll1->setSmallChange(10);
    VScroll1->setLargeChange(100);
    (void)VScroll1->setValue(100);
    VScroll1->onChange = [this] { VScroll1_Change(); };

    Shape1 = &add<ui::Shape>(TwipRect { 120, 7440, 600, 600 }, ui::ShapeKind::Circle);
    Shape1->setFillStyle(ui::FillStyle::Solid);
    Shape1->setFillColor(background);
    Label3 = &add<ui::Label>(TwipRect { 840, 7620, 3000, 255 });

    Command1 = &add<ui::Button>(TwipRect { 7560, 7800, 1212, 372 }, "PRINT");
    Command1->onClick = [this] { printChart(); };

    hoverDelay_->onTick = [this] {
        hoverDelay_->setEnabled(false);
        showHover();
    };
    onMouseMove = [this](int, double x, double y) { Form_MouseMove(x, y); };
    onMouseDown = [this](int, double x, double y) { Form_MouseDown(x, y); };
}

book2::~book2() = default;

void book2::plotvalue(float v) {
    Label1->setCaption("Value" + text::formatPattern(v, "   #.##"));
    {
        ui::ScopedFlag guard(busy_);
        (void)VScroll1->setValue(static_cast<int>(text::roundHalfEven(v * 100.0f)));
    }
    ui::DrawingSurface &s = surface();
    s.cls();
    const double cx = static_cast<double>(text::roundHalfEven(clientWidth() / 2.0));
    const double cy = static_cast<double>(text::roundHalfEven(clientHeight() / 2.0));
    const double radius = cx / 40.0;
    dots_.clear();
    dotRadius_ = radius;

    for (int k = 0; k < 40; ++k) {
        const float H = 2.5f * static_cast<float>(k);
        const float theta = H / 15.915494f;
        float cosT = std::cos(theta);
        float sinT = std::sin(theta);
        if (k == 0 || k == 20) {
            cosT = k == 0 ? 1.0f : -1.0f;
            sinT = 0.0f;
        }
        for (int c = 0; c <= 40; c += 2) {
            const float C = static_cast<float>(c);
            const engine::DisplayColour colour = screen_.cycle().munsellColour(H, v, C);
            const float X = colour.hasRgb() ? colour.X : 0.0f;
            const float Y = colour.hasRgb() ? colour.Y : 0.0f;
            const engine::RgbResult &out = colour.rgb;
            const float r = C + 10.0f;
            const double px = cx + 100.0 * static_cast<double>(r * cosT);
            const double py = cy - 100.0 * static_cast<double>(r * sinT);
            if (X != 0.0f && Y != 0.0f) {
                // The charts' one clip mark: a dotted outline in black or
                // white around the clipped colour.
                const ui::Rgb24 fill = ui::rgb(out.R, out.G, out.B);
                s.setFillColor(fill);
                s.setFillStyle(ui::FillStyle::Solid);
                s.setDrawStyle(out.outofgamut ? ui::BorderStyle::Dotted : ui::BorderStyle::Solid);
                s.circle(px, py, radius, out.outofgamut ? ui::clipMarkColour(fill) : s.foreColor());
                s.setDrawStyle(ui::BorderStyle::Solid);
                dots_.push_back({ px, py, fill });
            } else {
                // The renotation data end here: the spoke ends with its name.
                s.setCurrentX(px);
                s.setCurrentY(py);
                s.print(engine::hconvert(H), false);
                break;
            }
        }
    }
}

void book2::plotFromScreen() {
    double v = 0.0;
    if (text::parseNumber(screen_.cycle().text(cycle::Boxes::Munsell, 1), v) && std::isfinite(v)) {
        plotvalue(static_cast<float>(v));
    }
}

void book2::VScroll1_Change() {
    if (busy_) {
        return;
    }
    screen_.cycle().setText(
        cycle::Boxes::Munsell, 1, text::plainText(static_cast<float>(VScroll1->value()) / 100.0f));
    (void)screen_.cycle().muncie();
}

void book2::Form_MouseMove(double x, double y) {
    // The readout is held back by 0.01 s and then shows the pixel under the
    // mouse's latest position.
    hoverX_ = x;
    hoverY_ = y;
    if (!hoverDelay_->enabled()) {
        hoverDelay_->setEnabled(true);
    }
}

void book2::showHover() {
    const ui::Rgb24 c = point(hoverX_, hoverY_);
    const int R = ui::redOf(c), G = ui::greenOf(c), B = ui::blueOf(c);
    if (inside(R) && inside(G) && inside(B)) {
        if (c != background) {
            Label3->setCaption(
                "R=" + signPadded(R) + "  G=" + signPadded(G) + "  B=" + signPadded(B));
            Shape1->setFillColor(c);
        }
        return;
    }
    Shape1->setFillColor(ui::kBlack);
    Label3->setCaption("Out of RGB Gamut");
}

void book2::Form_MouseDown(double x, double y) {
    // Dots near the middle overlap: the one seen is the one drawn last.
    const auto hit = std::find_if(dots_.rbegin(), dots_.rend(), [&](const Dot &d) {
        return (x - d.x) * (x - d.x) + (y - d.y) * (y - d.y) <= dotRadius_ * dotRadius_;
    });
    if (hit == dots_.rend()) {
        return; // the background and the hue names are no colours to convert
    }
    const int channel[3] = { ui::redOf(hit->fill), ui::greenOf(hit->fill), ui::blueOf(hit->fill) };
    if (!(inside(channel[0]) && inside(channel[1]) && inside(channel[2]))) {
        // Clipped: its display values are not its colour.
        Shape1->setFillColor(ui::kBlack);
        return;
    }
    for (int i = 0; i < 3; ++i) {
        screen_.cycle().setText(cycle::Boxes::Rgb, i, std::to_string(channel[i]));
    }
    (void)screen_.cycle().Command6_Click();
}

} // namespace tw::charts
