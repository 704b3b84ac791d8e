// The ColorChecker chart. Patch k stands in row k / 6 and column k mod 6 at
// left 120 + 1680 column, top 240 + 1680 row (1455-twip squares); each is
// mun2xyz then xyzrgb of its notation, computed without the screen.
#include "charts/cchecker.h"

#include "charts/clip_mark.h"

#include "engine/display_colour.h"
#include "text/textfile.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/shape.h"

#include <string>
#include <vector>

namespace tw::charts {

using ui::TwipRect;

namespace {

constexpr const char *fileName = "ccnames.csv";

std::string illuminantName(engine::Illuminant illuminant) {
    switch (illuminant) {
    case engine::Illuminant::D5000:
        return "D5000";
    case engine::Illuminant::D65_10:
        return "D65 10";
    default:
        return "C 1931";
    }
}

} // namespace

CChecker::CChecker(screen::ScreenHost &screen)
    : ChartWindow(screen, screen::ScreenWindow::ColorChecker) {
    setCaption("The Macbeth ColorChecker\xC2\xAE");
    setClientSize(10095, 7290);
    setBackColor(background);
    for (int k = 0; k < ccPatchCount; ++k) {
        const int row = k / 6, column = k % 6;
        auto &patch = add<ui::Shape>(
            TwipRect { 120 + 1680 * column, 240 + 1680 * row, 1455, 1455 }, ui::ShapeKind::Square);
        patch.setFillStyle(ui::FillStyle::Solid);
        patch.setFillColor(background);
        patch.setBorderColor(background);
        Shape1[static_cast<std::size_t>(k)] = &patch;
    }
    Command1 = &add<ui::Button>(TwipRect { 120, 6960, 1212, 252 }, "PRINT");
    Command1->onClick = [this] { printChart(); };
    Label1 = &add<ui::Label>(TwipRect { 5880, 6840, 3135, 375 });
    Label1->setWordWrap(true);
    Label1->setForeColor(ui::rgb(230, 230, 230));
}

void CChecker::fillCC(bool tell) {
    setBackColor(background);
    Label1->setBackColor(background);
    setCaption("The Macbeth ColorChecker\xC2\xAE");
    // The notice says what the chart was rendered for: it does not follow a
    // later change of illuminant.
    const engine::Illuminant illuminant = screen_.cycle().state().illuminant;
    const bool pwd = screen_.cycle().state().pwd;
    Label1->setCaption("From the Munsell notations in " + std::string(fileName) + ", "
        + illuminantName(illuminant) + (pwd ? " PWD" : "") + ", gamma "
        + screen_.cycle().state().gammaText);

    std::string contents, error;
    CcNames read;
    if (text::readFile(screen_.filePath(fileName).string(), contents, error)) {
        read = readCcNames(contents, fileName);
    } else {
        read.problem = error + "\rThe ColorChecker patches are left empty.";
    }

    std::vector<std::string> outside;
    for (std::size_t k = 0; k < Shape1.size(); ++k) {
        ui::Rgb24 fill = background;
        bool clipped = false;
        names_[k].clear();
        if (const auto &patch = read.patches[k]) {
            names_[k] = patch->name;
            const engine::DisplayColour c
                = screen_.cycle().munsellColour(patch->hue, patch->value, patch->chroma);
            if (c.hasRgb()) {
                fill = ui::rgb(c.rgb.R, c.rgb.G, c.rgb.B);
                clipped = c.rgb.outofgamut;
            } else {
                // No colour of the data: the patch stays empty, never black.
                outside.push_back(std::to_string(k + 1));
            }
        }
        showClipMark(*Shape1[k], clipped, fill, fill);
    }
    if (!outside.empty()) {
        std::string list;
        for (std::size_t i = 0; i < outside.size(); ++i) {
            list += (i == 0 ? "" : i + 1 == outside.size() ? " and " : ", ") + outside[i];
        }
        read.problem += std::string(read.problem.empty() ? "" : " ")
            + (outside.size() == 1 ? "Patch " : "Patches ") + list
            + " lie outside the Munsell renotation data and are left empty.";
    }
    if (tell && !read.problem.empty()) {
        screen_.dialogs().messageBox(
            read.problem, services::Buttons::Ok, "ColorChecker", services::Icon::Warning);
    }
}

} // namespace tw::charts
