// The tolerance set. Patch p's CIELAB is the standard plus or minus one
// tolerance along one axis:
//   1 L* +, 2 L* -, 3 a* +, 4 a* -, 5 b* +, 6 b* -, 0 the standard,
// built in the order 1 to 6 and then 0. The a* axis runs from the upper left
// (greener) to the lower right (redder), b* from the lower left (bluer) to
// the upper right (yellower), L* up and down.
#include "charts/ctol.h"

#include "charts/clip_mark.h"

#include "cycle/conversion_cycle.h"
#include "engine/notation.h"
#include "text/numbers.h"
#include "text/palette_line.h"
#include "text/patterns.h"
#include "text/textfile.h"
#include "ui/button.h"
#include "ui/checkbox.h"
#include "ui/frame.h"
#include "ui/keys.h"
#include "ui/label.h"
#include "ui/scoped_flag.h"
#include "ui/scrollbar.h"
#include "ui/shape.h"
#include "ui/textbox.h"

#include <cmath>
#include <optional>
#include <vector>

namespace tw::charts {

using ui::TwipRect;

namespace {

constexpr const char *paletteName = "Cpalette.csv";

struct PatchPlace {
    int axis; // 0 L*, 1 a*, 2 b*; -1 for the standard
    int sign;
    int left, top; // the patch
    const char *direction;
    int directionLeft, directionTop;
    const char *caption;
    int captionLeft, captionTop;
};

constexpr std::array<PatchPlace, CTol::patchCount> places { {
    { -1, 0, 2160, 1920, "", 0, 0, "", 0, 0 },
    { 0, 1, 2160, 840, "Lighter", 2280, 240, "L +", 2280, 480 },
    { 0, -1, 2160, 3000, "Darker", 2280, 4440, "L -", 2280, 4200 },
    { 1, 1, 3240, 2400, "Redder", 3360, 3840, "A +", 3360, 3600 },
    { 1, -1, 1080, 1320, "Greener", 1200, 720, "A - ", 1200, 960 },
    { 2, 1, 3240, 1320, "Yellower", 3480, 720, "B +", 3480, 960 },
    { 2, -1, 1080, 2400, "Bluer", 1200, 3840, "B - ", 1200, 3600 },
} };

constexpr int buildOrder[CTol::patchCount] = { 1, 2, 3, 4, 5, 6, 0 };

} // namespace

CTol::CTol(screen::ScreenHost &screen)
    : ChartWindow(screen, screen::ScreenWindow::ToleranceSet) {
    setCaption("Munsell Color Tolerance Set");
    setClientSize(7125, 5205);
    setBackColor(ui::rgb(192, 192, 192));

    for (int p = 0; p < patchCount; ++p) {
        const PatchPlace &at = places[static_cast<std::size_t>(p)];
        auto &patch
            = add<ui::Shape>(TwipRect { at.left, at.top, 1095, 1095 }, ui::ShapeKind::Square);
        patch.setFillStyle(ui::FillStyle::Solid);
        patch.setFillColor(backColor());
        patch.setBorderColor(backColor());
        Shape1[static_cast<std::size_t>(p)] = &patch;
    }
    for (int p = 1; p < patchCount; ++p) {
        const PatchPlace &at = places[static_cast<std::size_t>(p)];
        const auto i = static_cast<std::size_t>(p - 1);
        Label3[i] = &add<ui::Label>(TwipRect { at.directionLeft, at.directionTop, 1000, 240 });
        Label2[i] = &add<ui::Label>(TwipRect { at.captionLeft, at.captionTop, 1000, 240 });
    }

    Command1 = &add<ui::Button>(TwipRect { 240, 240, 855, 375 }, "Print");
    Command1->onClick = [this] { printChart(); };
    Command2 = &add<ui::Button>(TwipRect { 240, 4440, 1215, 495 }, "Save Palette");
    Command2->onClick = [this] { Command2_Click(); };
    Check1 = &add<ui::CheckBox>(TwipRect { 4800, 4560, 1800, 255 }, "Black Lines");
    Check1->onClick = [this] { Check1_Click(); };

    Frame1 = &add<ui::Frame>(TwipRect { 4680, 840, 2280, 1680 }, "Tolerance");
    static const char *axes[3] = { "DL", "DA", "DB" };
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        Label5[k] = &addIn<ui::Label>(*Frame1, TwipRect { 120, 330 + 450 * i, 360, 255 }, axes[i]);
        HScroll1[k] = &addIn<ui::ScrollBar>(
            *Frame1, TwipRect { 480, 300 + 450 * i, 1680, 255 }, Qt::Horizontal, 10, 200);
        HScroll1[k]->setSmallChange(10);
        HScroll1[k]->setLargeChange(50);
        (void)HScroll1[k]->setValue(50);
        HScroll1[k]->onChange = [this, i] { HScroll1_Change(i); };
    }
    Frame2 = &add<ui::Frame>(TwipRect { 4680, 2760, 2280, 1560 }, "Standard CIELAB  ");
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        Label4[k] = &addIn<ui::Label>(*Frame2, TwipRect { 240, 360 + 390 * i, 360, 255 });
        Text2[k] = &addIn<ui::TextBox>(*Frame2, TwipRect { 720, 330 + 390 * i, 1200, 285 });
        Text2[k]->onKeyDown = [this](int key) { Text2_KeyDown(key); };
    }
    Form_Load();
}

void CTol::Form_Load() {
    static const char *labels[3] = { "L*", "a*", "b*" };
    for (std::size_t i = 0; i < 3; ++i) {
        Label4[i]->setCaption(labels[i]);
    }
    for (std::size_t i = 0; i < Label3.size(); ++i) {
        Label3[i]->setCaption(places[i + 1].direction);
    }
    for (std::size_t i = 0; i < 3; ++i) {
        tolerance[i] = static_cast<float>(HScroll1[i]->value()) / 10.0f;
    }
    writeCaptions();
}

void CTol::writeCaptions() {
    for (std::size_t i = 0; i < Label2.size(); ++i) {
        const PatchPlace &at = places[i + 1];
        Label2[i]->setCaption(
            at.caption + text::plainText(tolerance[static_cast<std::size_t>(at.axis)]));
    }
}

void CTol::MakeCTol(float L, float a, float b) {
    standard_ = { L, a, b };
    const float standard[3] = { L, a, b };
    for (std::size_t i = 0; i < 3; ++i) {
        Text2[i]->setText(text::formatPattern(standard[i], text::patterns::twoDecimals));
    }
    const bool blackLines = Check1->value() == 1;
    for (int p : buildOrder) {
        const auto row = static_cast<std::size_t>(p);
        const PatchPlace &at = places[row];
        float lab[3] = { L, a, b };
        if (at.axis >= 0) {
            const auto axis = static_cast<std::size_t>(at.axis);
            lab[axis] += static_cast<float>(at.sign) * tolerance[axis];
        }
        // Each patch as the screen would show that CIELAB under its
        // illuminant: the standard is the screen's own colour.
        const cycle::LabColour colour = screen_.cycle().labColour(lab[0], lab[1], lab[2]);
        if (colour.hasNotation) {
            tolMunsell[row] = { engine::hconvert(colour.H), text::plainText(colour.V),
                text::plainText(colour.C) };
        } else {
            tolMunsell[row] = { "", text::plainText(colour.V), "" };
        }
        const engine::RgbResult &out = colour.rgb;
        tolRgb[row] = { out.R, out.G, out.B };

        const ui::Rgb24 fill = ui::rgb(out.R, out.G, out.B);
        showClipMark(*Shape1[row], out.outofgamut, fill, blackLines ? ui::kBlack : fill);
    }
}

void CTol::ticked() {
    std::optional<float> lab[3];
    for (int i = 0; i < 3; ++i) {
        lab[i] = cycle::boxNumber(screen_.cycle().text(cycle::Boxes::Lab, i));
        if (!lab[i]) {
            return;
        }
    }
    MakeCTol(*lab[0], *lab[1], *lab[2]);
}

void CTol::follow(const screen::Refresh &refresh) {
    // The viewer loading the set's own palette leaves the set as it is.
    if (saving_ || !std::isfinite(refresh.L) || !std::isfinite(refresh.a)
        || !std::isfinite(refresh.b)) {
        return;
    }
    setShown(true);
    MakeCTol(refresh.L, refresh.a, refresh.b);
}

void CTol::Text2_KeyDown(int key) {
    if (key != ui::kKeyReturn) {
        return;
    }
    std::optional<float> lab[3];
    for (std::size_t i = 0; i < 3; ++i) {
        lab[i] = cycle::boxNumber(Text2[i]->text());
        if (!lab[i]) {
            // The set stays as it is, built around the standard it shows.
            screen_.dialogs().messageBox("The standard is three numbers, L*, a* and b*: \""
                    + Text2[i]->text() + "\" is not a number. The set is left as it was.",
                services::Buttons::Ok, "Munsell Color Tolerance Set", services::Icon::Warning);
            return;
        }
    }
    MakeCTol(*lab[0], *lab[1], *lab[2]);
}

void CTol::rebuild() {
    // Around the standard as its boxes show it; boxes that hold no number
    // (an edit never entered) give way to the standard the set was built
    // for, so that the patches always agree with the captions.
    std::optional<float> lab[3];
    for (std::size_t i = 0; i < 3; ++i) {
        lab[i] = cycle::boxNumber(Text2[i]->text());
    }
    if (lab[0] && lab[1] && lab[2]) {
        MakeCTol(*lab[0], *lab[1], *lab[2]);
    } else if (standard_) {
        MakeCTol((*standard_)[0], (*standard_)[1], (*standard_)[2]);
    }
}

void CTol::HScroll1_Change(int index) {
    const auto i = static_cast<std::size_t>(index);
    tolerance[i] = static_cast<float>(HScroll1[i]->value()) / 10.0f;
    // The captions say what the patches show: both change together.
    writeCaptions();
    rebuild();
}

void CTol::Check1_Click() {
    rebuild();
}

void CTol::Command2_Click() {
    const services::DateTimeText now = screen_.clock().dateTimeText();
    std::string contents;
    std::vector<int> leftOut;
    for (int p = patchCount - 1; p >= 0; --p) {
        const auto row = static_cast<std::size_t>(p);
        if (tolMunsell[row][0].empty()) {
            leftOut.push_back(p);
            continue;
        }
        contents += text::tolerancePaletteLineText(
            { now.date, now.time, p, tolMunsell[row], tolRgb[row] });
    }
    if (contents.empty()) {
        screen_.dialogs().messageBox("The tolerance set holds no colour inside the Munsell data: "
                                     "nothing was saved.",
            services::Buttons::Ok, "Save Palette");
        return;
    }
    std::string error;
    if (!text::writeFile(screen_.filePath(paletteName).string(), contents, error)) {
        screen_.dialogs().messageBox(error + "\rThe tolerance set was not saved.",
            services::Buttons::Ok, "Save Palette", services::Icon::Warning);
        return;
    }
    // From now on "Save to Palette" appends to this file without asking.
    screen_.palette().setFileName(paletteName);
    if (!leftOut.empty()) {
        std::string list;
        for (std::size_t i = 0; i < leftOut.size(); ++i) {
            list += (i == 0                           ? ""
                            : i + 1 == leftOut.size() ? " and "
                                                      : ", ")
                + std::to_string(leftOut[i]);
        }
        screen_.dialogs().messageBox(std::string(leftOut.size() == 1 ? "Patch " : "Patches ") + list
                + " of the tolerance set lie outside the Munsell data and are not in \""
                + paletteName + "\".",
            services::Buttons::Ok, "Save Palette");
    }
    // The set it saved stays the set shown, whatever the viewer's load
    // leaves on the screen.
    ui::ScopedFlag saving(saving_);
    screen_.windows().viewPalette(2);
}

} // namespace tw::charts
