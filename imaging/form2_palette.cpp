// The palette of a whole picture: one row per n x n block, written through
// the conversion screen's palette writer exactly as "Save to Palette" writes
// a row, each block's average colour converted by the screen's RGB entry.
//
// The questions: the palette's file name (upper-cased, ".CSV" added), then
// the granularity n until the block count is at most 10,000 (the 3D viewer's
// capacity) and the user says Yes. Cancel at either question ends the build
// before any file is touched; an answer that is not a whole number of at
// least 1, or one that leaves no whole block, is asked again.
//
// The rows are gathered by the palette writer and written, when every block
// has been visited, to a new file beside the palette ("<name>.part.csv")
// that is then renamed over it: a palette of that name is replaced, never
// extended, and a build that fails (a full disk) leaves it as it was and
// removes the unfinished file. A block whose colour has no Munsell notation
// (a black block has no light) gives no row; the build counts such blocks
// and says why at the end.
//
// The blocks are read from the picture as it was when the build started;
// loading another picture is not offered until the build ends.
#include "imaging/form2.h"

#include "imaging/block_average.h"
#include "imaging/palette_grid.h"
#include "imaging/texts.h"
#include "screen/screen_host.h"
#include "services/dialogs.h"
#include "text/numbers.h"
#include "text/textfile.h"
#include "ui/drawing_surface.h"
#include "ui/menuitem.h"
#include "ui/textbox.h"

#include <cmath>
#include <map>

namespace tw::imaging {

namespace {

using services::Answer;
using services::Buttons;
using services::Icon;

// The granularity is a 16-bit number.
constexpr double maxGranularity = 32767;

} // namespace

void Form2::mnuMakePalette_Click() {
    if (busy_ || building_) {
        return;
    }
    if (paletteMade_) {
        screen_.dialogs().messageBox("Palette already made - reload or load new picture");
        return;
    }
    if (!Picture1->hasPicture()) {
        screen_.dialogs().messageBox("There is no picture to make a palette of: load a picture or "
                                     "take one from the clipboard first.",
            Buttons::Ok, caption(), Icon::Information);
        return;
    }
    // Made as soon as it starts: a build stopped at a question counts too.
    paletteMade_ = true;
    if (BuildPalette() == Build::Failed) {
        paletteMade_ = false;
        return;
    }
    mnuView3DPalette->setVisible(true);
}

Form2::Build Form2::BuildPalette() {
    services::Dialogs &dialogs = screen_.dialogs();
    int n = 10;
    const std::string answer = dialogs.inputBox(
        "Enter file name for palette ", "Palette Generation", screen_.palette().fileName());
    screen_.palette().setFileName(answer);
    if (answer.empty()) {
        return Build::Stopped;
    }
    const std::string fileName = paletteFileOfAnswer(answer);
    screen_.palette().setFileName(fileName);

    const QImage picture = Picture1->image();
    PaletteGrid grid;
    for (;;) {
        const std::string reply
            = dialogs.inputBox("Granularity (average of pixels n x n)", {}, std::to_string(n));
        if (reply.empty()) {
            return Build::Stopped;
        }
        double value = 0;
        if (!text::parseNumber(reply, value) || !(std::fabs(value) <= maxGranularity)) {
            continue;
        }
        const auto whole = text::roundHalfEven(value);
        if (whole < 1) {
            continue;
        }
        n = static_cast<int>(whole);
        grid = paletteGrid(picture.width(), picture.height(), n);
        const long long total = grid.total();
        if (total > maxPaletteBlocks) {
            dialogs.messageBox(
                "Too many pixels " + signPadded(total) + " Maximun 10,000 - increase granularity ");
            continue;
        }
        if (total == 0) {
            continue;
        }
        if (dialogs.messageBox(
                "Total Pixels " + signPadded(total) + "   Generate Palette", Buttons::YesNo)
            == Answer::Yes) {
            break;
        }
    }

    // The palette writer keeps a name that ends in ".csv" as it is.
    const std::string path = screen_.filePath(fileName).string();
    text::PartFile part;
    if (!part.open(path, ".part.csv")) {
        dialogs.messageBox("The palette " + fileName + " could not be created: " + part.error(),
            Buttons::Ok, "Palette Generation", Icon::Warning);
        return Build::Failed;
    }
    cycle::PaletteWriter &palette = screen_.palette();
    if (palette.batchOpen()) {
        dialogs.messageBox("A palette is being built by an import: build this one when it is "
                           "done.",
            Buttons::Ok, "Palette Generation", Icon::Warning);
        return Build::Failed;
    }
    palette.setFileName(fileName);
    palette.beginBatch();

    activate();
    Text1->setBackColor(ui::rgb(255, 255, 0));
    setBuilding(true);
    blocksWithoutRow_ = 0;
    // Why blocks have no row: "no light" (a black block) and the like.
    std::map<std::string, long long> withoutRow;
    // The screen shows each block's colour; the charts follow the last.
    cycle::ColourRun run(screen_.cycle());
    const int blockPixels = n * n;
    for (int x0 = 0; x0 <= grid.W - n; x0 += n) {
        for (int y0 = 0; y0 <= grid.H - n; y0 += n) {
            const BlockSums block = blockSums(picture, x0, y0, n, n);
            screen_.cycle().setTexts(cycle::Boxes::Rgb,
                { std::to_string(blockAverage(block.sum[0], blockPixels)),
                    std::to_string(blockAverage(block.sum[1], blockPixels)),
                    std::to_string(blockAverage(block.sum[2], blockPixels)) });
            const cycle::Outcome converted = screen_.cycle().Command6_Click();
            if (!converted.converted()) {
                // A colour without a notation gets no row, never another
                // colour's notation.
                ++blocksWithoutRow_;
                ++withoutRow[std::string(cycle::resultText(converted.result))];
                continue;
            }
            palette.setTag(signPadded(x0) + signPadded(y0));
            float mode = 1.0f;
            if (!palette.SaveData(mode)) {
                ++blocksWithoutRow_;
                ++withoutRow["no notation"];
            }
        }
        Text1->setText("Building Palette " + signPadded((grid.W - x0) / n));
        if (isVisible()) {
            // The screen's conversion may have raised another window.
            activate();
        }
        dialogs.yield();
    }

    part.write(palette.takeBatch());
    if (!part.commit()) {
        palette.setFileName({});
        dialogs.messageBox("The palette " + fileName + " could not be saved: " + part.error(),
            Buttons::Ok, "Palette Generation", Icon::Warning);
        Text1->setText("Palette stopped: " + fileName
            + " could not be written; a palette of that name is kept as it was");
        Text1->setBackColor(ui::rgb(255, 255, 255));
        setBuilding(false);
        return Build::Failed;
    }

    std::string done = "Palette Done and saved as " + fileName;
    if (blocksWithoutRow_ > 0) {
        done += "  (" + std::to_string(blocksWithoutRow_)
            + (blocksWithoutRow_ == 1 ? " block has" : " blocks have")
            + " no Munsell notation and no row:";
        for (const auto &[why, count] : withoutRow) {
            done += " " + std::to_string(count) + " " + why
                + (&why == &withoutRow.rbegin()->first ? "" : ",");
        }
        done += ")";
    }
    Text1->setText(done);
    Text1->setBackColor(ui::rgb(0, 255, 0));
    drawGrid(grid.W, grid.H, n);
    setBuilding(false);
    return Build::Done;
}

void Form2::drawGrid(int W, int H, int n) {
    const QSize size = Picture1->pixelSize();
    const ui::Rgb24 black = ui::rgb(0, 0, 0);
    for (int x0 = 0; x0 <= W - n; x0 += n) {
        Picture1->line(x0, 0, x0, size.height() - 1, black);
    }
    for (int y0 = 0; y0 <= H - n; y0 += n) {
        Picture1->line(0, y0, size.width() - 1, y0, black);
    }
}

void Form2::setBuilding(bool building) {
    building_ = building;
    mnuLoadPicture->setEnabled(!building);
    mnuGetClip->setEnabled(!building);
    mnuMakePalette->setEnabled(!building);
}

} // namespace tw::imaging
