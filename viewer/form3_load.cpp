// The palette loader, GetData.
//
// Choosing the file: "newpalette2.csv", or the name remembered in
// "LastPalette.txt" (its first field); mode 1 keeps that, mode 2 takes the
// screen's current palette file, any other mode asks with the open dialog.
//
// Loading, row by row (text/palette_line.h reads the rows): the notation goes
// into the screen's Munsell boxes as written, Value and Chroma must be
// numbers, the hue text gives the angle (viewer/palette_hue.h), the screen's
// Munsell entry gives the display colour, and the list gets a row. The
// screen and the list are hidden meanwhile so that neither repaints per row;
// the progress text changes every row (painted at most once a screen frame),
// and pending events (the timers,
// clicks) run at rows 1, 502, 1003 ..., so a redraw may show the dots loaded
// so far. At most 10000 rows are taken.
//
// A row that cannot be read ends the load with "File format Error or Palette
// not generated" and the file name; the rows before it stay loaded, and the
// remembered name and the picture stay as they were. A file that cannot be
// read at all (deleted since the open dialog) ends it the same way before
// anything is loaded: the palette shown before stays, dots and list. A row that fails
// part-way is not among the dots, so the count and the dots drawn agree.
#include "viewer/form3.h"

#include "engine/notation_text.h"
#include "screen/screen_host.h"
#include "text/numbers.h"
#include "text/palette_line.h"
#include "text/textfile.h"
#include "ui/drawing_surface.h"
#include "ui/listbox.h"
#include "ui/textbox.h"
#include "viewer/palette_hue.h"

#include <chrono>
#include <cmath>
#include <limits>
#include <optional>

namespace tw::viewer {

namespace {

const char *const kLastPaletteFile = "LastPalette.txt";
const char *const kDefaultPalette = "newpalette2.csv";

// The progress text is repainted at most once a frame of a 60 Hz screen.
constexpr std::chrono::milliseconds kProgressPaint { 16 };

constexpr ui::Rgb24 kYellow = ui::rgb(255, 255, 0);
constexpr ui::Rgb24 kGreen = ui::rgb(0, 255, 0);

// A Value or Chroma text as a single-precision number: the whole text (blanks
// around it allowed) must be one number that a single can hold.
bool singleOf(const std::string &text, float &out) {
    double v = 0.0;
    if (!text::parseNumber(text, v) || std::abs(v) > std::numeric_limits<float>::max()) {
        return false;
    }
    out = static_cast<float>(v);
    return true;
}

// The count as the progress text shows it: a blank in the place of the sign.
std::string signPadded(int n) {
    return " " + std::to_string(n);
}

} // namespace

void Form3::GetData(int mode) {
    if (!loaded_) {
        // The first request loads the window, which loads the remembered
        // palette before this one.
        Form_Load();
    }
    if (loading_) {
        // A load is letting events run: this request follows when it ends
        // (a load cannot start inside another, which it would cut short).
        pendingMode_ = mode;
        return;
    }
    load(mode);
    while (pendingMode_) {
        const int next = *pendingMode_;
        pendingMode_.reset();
        load(next);
    }
}

std::optional<std::string> Form3::chooseFile(int mode) const {
    std::string name = kDefaultPalette;
    std::string remembered;
    std::string error;
    if (text::readFile(screen_.filePath(kLastPaletteFile).string(), remembered, error)) {
        std::string field = text::FieldReader(std::move(remembered)).readField();
        if (!field.empty()) {
            name = std::move(field);
        }
    }
    if (mode == 1) {
        return name;
    }
    if (mode == 2) {
        return screen_.palette().fileName();
    }
    std::string picked = dialogs().openFile("Open Palette",
        screen_.filePath(".").lexically_normal().string(), "DataBase Files (*.csv)|*.csv");
    if (picked.empty()) {
        // Cancel is no failed load: what is shown stays.
        return std::nullopt;
    }
    return picked;
}

void Form3::load(int mode) {
    const std::optional<std::string> name = chooseFile(mode);
    if (!name) {
        return;
    }
    loading_ = true;
    loadFile(*name);
    loading_ = false;
}

void Form3::loadFile(const std::string &name) {
    // The file is read whole before anything shown is touched: one that
    // cannot be read (gone since the open dialog, or unreadable) loads
    // nothing and leaves the dots and the list of the palette shown as they
    // were.
    std::string contents;
    std::string error;
    const bool read
        = !name.empty() && text::readFile(screen_.filePath(name).string(), contents, error);
    Text1->setText(name);
    if (read) {
        List1->clear();
    }
    Text1->setText("Loading Palette " + name);
    Text1->setBackColor(kYellow);
    Text1->refresh();
    dialogs().yield();
    if (!read) {
        loadFailed(name);
        return;
    }
    dots_.clear();
    dots_.reserve(kPaletteCapacity);
    ++tableChanges_;
    List1->setVisible(false);
    screen_.setScreenVisible(false);

    text::PaletteReader rows(std::move(contents));
    int threshold = 0;
    // Rows the screen cannot convert: listed, without a dot, counted once.
    int unplaced = 0;
    // The screen shows each row's colour; the charts follow the last one
    // when the load ends, and a row that does not convert shows no message
    // of its own.
    std::optional<cycle::ColourRun> run(std::in_place, screen_.cycle());
    auto lastPaint = std::chrono::steady_clock::time_point {};
    while (!rows.atEnd()) {
        const int count = dotCount() + 1;
        text::PaletteRow row;
        if (!rows.next(row)) {
            loadFailed(name);
            return;
        }
        screen_.cycle().setTexts(cycle::Boxes::Munsell, { row.hue, row.value, row.chroma });
        PaletteDot d;
        // A neutral ("N", "N 5/") stands on the axis: Chroma 0, its Value
        // from the Value field or from the notation.
        std::optional<float> neutralValue;
        const bool neutral = engine::readNeutral(row.hue, neutralValue);
        if (neutral && row.value.empty() && neutralValue) {
            d.value = *neutralValue;
        } else if (!singleOf(row.value, d.value)) {
            loadFailed(name);
            return;
        }
        if (neutral) {
            d.chroma = 0.0f;
        } else if (!singleOf(row.chroma, d.chroma)) {
            loadFailed(name);
            return;
        }
        const std::string hue = lowerCase(row.hue);
        d.hueAngle = paletteHueAngle(paletteHueNumber(hue));
        d.cosHue = std::cos(d.hueAngle);
        d.sinHue = std::sin(d.hueAngle);
        d.number = text::printNumber(static_cast<float>(count));
        d.hueLabel = paddedTo(hue, 600);
        d.tag = row.tag;
        // A notation the screen cannot convert ends nothing: the row is
        // listed, never given another row's colour.
        if (screen_.cycle().muncie().converted()) {
            // A colour the display must clip is drawn clipped, with the
            // mark that says so, not black as the screen's patch is.
            const cycle::DisplayRgb colour = screen_.cycle().state().clippedPatch;
            d.clipped = screen_.cycle().state().outofgamut;
            d.red = colour.R;
            d.green = colour.G;
            d.blue = colour.B;
        } else {
            d.placed = false;
            ++unplaced;
        }
        List1->addItem(listRow(count, d));
        dots_.push_back(std::move(d));
        ++tableChanges_;

        if (count == kPaletteCapacity) {
            dialogs().messageBox("Palette limited to 10000", services::Buttons::Ok);
            break;
        }
        Text1->setText("Loading Palette " + name + "  " + signPadded(count));
        // Painted at once, though not more often than the screen can show
        // it: a repaint per row would cost a third of the whole load.
        const auto now = std::chrono::steady_clock::now();
        if (now - lastPaint >= kProgressPaint) {
            Text1->refresh();
            lastPaint = now;
        }
        if (count > threshold) {
            dialogs().yield();
            threshold = count + 500;
        }
    }

    run.reset();
    List1->setVisible(true);
    screen_.setScreenVisible(true);
    Picture1->setVisible(true);
    activate();
    Text1->setText("Loaded Palette " + name);
    Text1->setBackColor(kGreen);
    dialogs().yield();
    DrawPalette();
    rememberPalette(name);
    if (unplaced > 0) {
        dialogs().messageBox(std::to_string(unplaced) + (unplaced == 1 ? " row" : " rows") + " of "
                + name
                + " could not be converted (a notation outside the Munsell data, or none): "
                  "listed, with no dot.",
            services::Buttons::Ok, "3D Palette", services::Icon::Information);
    }
}

void Form3::loadFailed(const std::string &name) {
    // The progress text stays on yellow; the remembered name is not changed
    // and no redraw is asked for.
    dialogs().messageBox(
        "File format Error or Palette not generated" + name, services::Buttons::Ok);
    List1->setVisible(true);
    screen_.setScreenVisible(true);
}

std::string Form3::paddedTo(std::string text, double twips) const {
    // Blanks are added one at a time in effect, until the text is at least
    // `twips` wide in the window's font. A blank's width is the same wherever
    // it stands, so the count is worked out first and then checked, which
    // keeps the measuring to a few calls a row.
    double width = textWidth(text);
    if (width >= twips) {
        return text;
    }
    const double blank = textWidth(" ");
    if (blank > 0) {
        const double fits = std::floor((twips - width) / blank) - 1;
        if (fits > 0) {
            text.append(static_cast<std::size_t>(fits), ' ');
            width = textWidth(text);
        }
    }
    while (width < twips) {
        text += ' ';
        width = textWidth(text);
    }
    return text;
}

std::string Form3::listRow(int number, const PaletteDot &d) const {
    return paddedTo(std::to_string(number) + "    " + d.tag, 2000) + "     H " + d.hueLabel + "   V"
        + text::formatPattern(d.value, " ##.00") + "     C"
        + text::formatPattern(d.chroma, " ##.00");
}

void Form3::rememberPalette(const std::string &name) const {
    // A name holding a comma (or blanks at its ends) is written quoted, so
    // that field input reads it back whole; any other name is written bare,
    // as it always was.
    const bool quote = name.find(',') != std::string::npos
        || (!name.empty() && (name.front() == ' ' || name.back() == ' '));
    const std::string line = (quote ? "\"" + name + "\"" : name) + "\r\n";
    std::string error;
    // Not being remembered costs only the next opening's default; the load
    // itself succeeded, so nothing is said.
    (void)text::writeFile(screen_.filePath(kLastPaletteFile).string(), line, error);
}

} // namespace tw::viewer
