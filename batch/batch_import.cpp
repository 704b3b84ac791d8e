#include "batch/batch_import.h"

#include "batch/record_input.h"
#include "cycle/cycle_host.h"
#include "engine/spectral.h"
#include "text/numbers.h"
#include "text/separated.h"
#include "text/textfile.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <map>
#include <vector>

namespace tw::batch {

namespace {

using cycle::Boxes;
using cycle::CycleHost;

// What a type writes before its records.
enum class Header {
    None,
    Caption, // the main window's caption
    CaptionAndFirstLine, // the caption, then the input's first line with the column names
    NoticesAndFirstLine, // two notice lines, then the same
    Columns, // a fixed line of column names
};

// What becomes of the input's first line.
enum class FirstLine { Record, Drop, Header };

enum class RecordStatus {
    Converted,
    NotConverted, // a row with the record's own fields and "ERR reason"
    Skipped, // not a record of the type (a step line without two tabs)
    Damaged, // nothing more can be done (no palette file to write to)
};

class Run;
using Convert = RecordStatus (*)(Run &, const Record &);

struct ImportType {
    std::string_view code;
    std::string_view input; // fixed input file; empty: chosen with the open dialog
    std::string_view output; // fixed output file; empty: the palette file
    std::size_t fields; // the fields a record reads
    bool restOfLine; // the record ends with the rest of its line
    // A record may go on over lines that end with a comma: a long spectrum
    // wrapped by the program that wrote it. Only a line that starts with a
    // number continues it, so a damaged record never takes the next one.
    bool wraps;
    Header header;
    std::string_view columns; // Header::Columns
    FirstLine firstLine;
    // Types that count their colours: quietrgb over the run, "File not
    // found" for a missing or empty input, the totals at the end.
    bool counted;
    Convert convert;
};

// An integer in list-print form: a blank in the sign's place when not
// negative, the digits, a blank (" 255 ", "-3 ").
std::string printInteger(long long v) {
    return (v < 0 ? "-" : " ") + std::to_string(v < 0 ? -v : v) + " ";
}

// A text field as a spreadsheet reads it back whole: quoted when it holds
// a comma or a quote (or blanks at its ends, which a reader would drop).
std::string csvField(std::string_view s) {
    return text::quoteField(s, text::Separator::Comma);
}

constexpr std::string_view lineColumns = ",X,Y,Z,L*,a*,b*,R,G,B";
// The result columns after X: Y, Z, L*, a*, b*, R, G, B.
constexpr int afterX = 8;

// quietrgb for the life of a run, cleared on every way out.
class QuietRgb {
public:
    QuietRgb(cycle::ConversionCycle &cycle, bool quiet)
        : cycle_(cycle)
        , quiet_(quiet) {
        if (quiet_) {
            cycle_.setQuietRgb(true);
        }
    }
    ~QuietRgb() {
        if (quiet_) {
            cycle_.setQuietRgb(false);
        }
    }
    QuietRgb(const QuietRgb &) = delete;
    QuietRgb &operator=(const QuietRgb &) = delete;

private:
    cycle::ConversionCycle &cycle_;
    bool quiet_;
};

class Run {
public:
    Run(CycleHost &host, const ImportType &type)
        : host(host)
        , cycle(host.cycle())
        , type(type) { }

    CycleHost &host;
    cycle::ConversionCycle &cycle;
    const ImportType &type;
    std::string line; // the output line being built
    std::size_t number = 0; // type "6": the running number
    std::string reason; // why a record was not converted

    // Lets the window process its events, so that the screen visibly runs
    // through the colours and stays responsive (and Esc is heard). A screen
    // cannot show more than one picture a frame, and a repaint of the whole
    // screen (over a slow display connection above all) costs far more than
    // a record's conversion: events are let through at most once every
    // 15 ms, and never for more than a fifth of the run's time.
    void yield() {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastYield_ >= std::max(yieldInterval, 4 * yieldTook_)) {
            host.dialogs().yield();
            lastYield_ = std::chrono::steady_clock::now();
            yieldTook_ = lastYield_ - now;
        }
    }
    // "," and the box texts of a group.
    void boxes(Boxes group) {
        for (const std::string &t : cycle.texts(group)) {
            line += ',';
            line += t;
        }
    }
    // ",", R, ",", G, ",", B in list-print form.
    void rgb() {
        const cycle::DisplayRgb c = cycle.state().patch;
        for (int v : { c.R, c.G, c.B }) {
            line += ',';
            line += printInteger(v);
        }
    }
    // Where the results would stand: ",ERR reason", then `empty` empty
    // columns, so that every later column keeps its place.
    RecordStatus notConverted(const std::string &why, int empty) {
        reason = why;
        line += "," + csvField("ERR " + why);
        line.append(static_cast<std::size_t>(empty), ',');
        return RecordStatus::NotConverted;
    }
    // Hue, Value and Chroma into the Munsell boxes.
    void munsell(const std::string &h, const std::string &v, const std::string &c) {
        cycle.setTexts(Boxes::Munsell, { h, v, c });
    }
    // The Munsell entry and its results, as types "2" to "4" write them.
    RecordStatus muncieLine() {
        const cycle::Outcome done = cycle.muncie();
        if (!done.converted()) {
            return notConverted(done.reason, afterX);
        }
        boxes(Boxes::Xyz);
        boxes(Boxes::Lab);
        rgb();
        return RecordStatus::Converted;
    }

private:
    static constexpr std::chrono::steady_clock::duration yieldInterval
        = std::chrono::milliseconds(15);
    std::chrono::steady_clock::time_point lastYield_ {};
    std::chrono::steady_clock::duration yieldTook_ {};
};

RecordStatus spectra(Run &run, const Record &r) {
    text::TextWriter out;
    const auto item = [&](std::string_view s) {
        out.print(s);
        out.printZone();
    };
    const auto number = [&](float v) {
        out.printNumber(v);
        out.printZone();
    };
    engine::Spectrum values {};
    // The record's own fields, and the reason where hue, Value, Chroma and
    // X, Y, Z would stand.
    const auto failed = [&](const std::string &why, bool valuesRead) {
        for (std::size_t i = 0; i < 3; ++i) {
            item(r.fields[i]);
        }
        item("ERR " + why);
        for (int i = 0; i < 5; ++i) {
            item("");
        }
        item(r.rest);
        for (std::size_t i = 1; i <= 40; ++i) {
            if (valuesRead) {
                number(values[i]);
            } else {
                item(r.fields[2 + i]);
            }
        }
        run.line = out.str();
        run.reason = why;
        return RecordStatus::NotConverted;
    };

    for (std::size_t i = 1; i <= 40; ++i) {
        const std::string &field = r.fields[2 + i];
        double v = 0.0;
        if (!text::parseNumber(field, v) || !std::isfinite(static_cast<float>(v))) {
            return failed("reflectance at " + std::to_string(350 + 10 * i) + " nm (\"" + field
                    + "\") is not a number",
                false);
        }
        values[i] = static_cast<float>(v);
    }
    float X = 0.0f, Y = 0.0f, Z = 0.0f;
    engine::tris(values, X, Y, Z);
    // tris gives illuminant C; the boxes hold the selected illuminant's.
    const cycle::Outcome done = run.cycle.enterIlluminantC(X, Y, Z, cycle::XyzText::Plain);
    if (!done.converted()) {
        return failed(done.reason, true);
    }
    // The curve held for Measure's "no instrument" is the last one that
    // converted, never a record that failed.
    const engine::Spectrum &spectrum = run.host.spectrum() = values;
    const cycle::ColourNumbers &shown = run.cycle.state().numbers;
    for (std::size_t i = 0; i < 3; ++i) {
        item(r.fields[i]);
    }
    for (const std::string &t : run.cycle.texts(Boxes::Munsell)) {
        item(t);
    }
    number(shown.X);
    number(shown.Y);
    number(shown.Z);
    item(r.rest);
    for (std::size_t i = 1; i <= 40; ++i) {
        number(spectrum[i]);
    }
    run.line = out.str();
    return RecordStatus::Converted;
}

RecordStatus rhsColours(Run &run, const Record &r) {
    run.line = csvField(r.fields[0]) + "," + csvField(r.fields[1]) + "," + csvField(r.fields[2]);
    run.munsell(r.fields[3], r.fields[4], r.fields[5]);
    return run.muncieLine();
}

RecordStatus steps(Run &run, const Record &r) {
    const std::string &f = r.fields[0];
    const std::size_t tab1 = f.find('\t');
    const std::size_t tab2 = tab1 == std::string::npos ? tab1 : f.find('\t', tab1 + 1);
    if (tab2 == std::string::npos) {
        return RecordStatus::Skipped;
    }
    run.munsell(f.substr(0, tab1), f.substr(tab1 + 1, tab2 - tab1 - 1), f.substr(tab2 + 1));
    const std::vector<std::string> shown = run.cycle.texts(Boxes::Munsell);
    run.line = csvField(shown[0]) + "," + csvField(shown[1]) + "," + csvField(shown[2]);
    return run.muncieLine();
}

RecordStatus colorChecker(Run &run, const Record &r) {
    run.line = csvField(r.fields[0]);
    for (std::size_t i = 1; i < 5; ++i) {
        run.line += "," + csvField(r.fields[i]);
    }
    run.munsell(r.fields[2], r.fields[3], r.fields[4]);
    return run.muncieLine();
}

RecordStatus munsellList(Run &run, const Record &r) {
    run.munsell(r.fields[0], r.fields[1], r.fields[2]);
    const std::vector<std::string> shown = run.cycle.texts(Boxes::Munsell);
    run.line = csvField(shown[0]) + "," + csvField(shown[1]) + "," + csvField(shown[2]);
    const cycle::Outcome done = run.cycle.muncie();
    if (!done.converted()) {
        // X, Y, Z, L*, a*, b*, R, G, B, C, M, Y, K.
        return run.notConverted(done.reason, afterX + 4);
    }
    run.boxes(Boxes::Xyz);
    run.boxes(Boxes::Lab);
    run.rgb();
    run.boxes(Boxes::Cmyk);
    return RecordStatus::Converted;
}

RecordStatus labList(Run &run, const Record &r) {
    ++run.number;
    run.cycle.setTexts(Boxes::Lab, { r.fields[0], r.fields[1], r.fields[2] });
    const cycle::Outcome done = run.cycle.labenter();
    run.line = printInteger(static_cast<long long>(run.number));
    if (!done.converted()) {
        // The reason in the hue column, the CIELAB read in its own columns.
        (void)run.notConverted(done.reason, 5);
        for (std::size_t i = 0; i < 3; ++i) {
            run.line += "," + csvField(r.fields[i]);
        }
        run.line += ",,,";
        return RecordStatus::NotConverted;
    }
    run.boxes(Boxes::Munsell);
    run.boxes(Boxes::Xyz);
    run.boxes(Boxes::Lab);
    run.rgb();
    return RecordStatus::Converted;
}

RecordStatus xyzPalette(Run &run, const Record &r) {
    run.cycle.setTexts(Boxes::Xyz, { r.fields[1], r.fields[2], r.fields[3] });
    const cycle::Outcome done = run.cycle.xyzenter();
    if (!done.converted()) {
        // No row: a palette row is a colour with its notation.
        run.reason = done.reason;
        return RecordStatus::NotConverted;
    }
    run.host.palette().setTag(r.fields[0]);
    float mode = 1.0f;
    if (!run.host.palette().SaveData(mode)) {
        run.reason = "no palette file to add to";
        return RecordStatus::Damaged;
    }
    return RecordStatus::Converted;
}

constexpr std::string_view stepsColumns = "H,V,C,X,Y,Z,L*,a*,b*,R,G,B";
constexpr std::string_view labColumns = "#,Hue,Value,Chroma,X,Y,Z,L*,a*,b*,R,G,B";

// clang-format off
const std::array<ImportType, 7> importTypes { {
    // code   input            output                  fields rest   wraps  header                         columns       first line          counted convert
    { "1",   "munfile1.txt",  "munout.txt",           43,    true,  true,  Header::Caption,              {},           FirstLine::Record,  false,  spectra },
    { "2",   "RHScolors.txt", "RHScolorsMUNSELL.txt", 6,     false, false, Header::CaptionAndFirstLine,  {},           FirstLine::Header,  true,   rhsColours },
    { "3",   "steps.txt",     "stepsMUNSELL.txt",     1,     false, false, Header::Columns,              stepsColumns, FirstLine::Record,  true,   steps },
    { "4",   "ccnames.csv",   "cchecker.csv",         5,     false, false, Header::NoticesAndFirstLine,  {},           FirstLine::Header,  true,   colorChecker },
    { "0",   {},              "tempOUT.txt",          3,     false, false, Header::None,                 {},           FirstLine::Drop,    false,  munsellList },
    { "6",   "lab_sRGB.csv",  "lab_sRGB.txt",         3,     false, false, Header::Columns,              labColumns,   FirstLine::Drop,    false,  labList },
    { "xyz", {},              {},                     4,     false, false, Header::None,                 {},           FirstLine::Drop,    false,  xyzPalette },
} };
// clang-format on

const ImportType *findType(std::string_view code) {
    for (const ImportType &t : importTypes) {
        if (t.code == code) {
            return &t;
        }
    }
    return nullptr;
}

std::string baseName(const std::filesystem::path &p) {
    return p.filename().string();
}

// The two names stand for one file (another spelling, a link): compared on
// the files themselves, never on the names.
bool sameFile(const std::filesystem::path &a, const std::filesystem::path &b) {
    std::error_code ec;
    return std::filesystem::exists(a, ec) && std::filesystem::exists(b, ec)
        && std::filesystem::equivalent(a, b, ec) && !ec;
}

// The records that did not convert: how many, the first lines, and why.
struct NotConverted {
    std::size_t count = 0;
    std::vector<std::size_t> lines; // the first ten
    std::map<std::string, std::size_t> reasons;

    void add(std::size_t line, const std::string &reason) {
        ++count;
        if (lines.size() < 10) {
            lines.push_back(line);
        }
        ++reasons[reason];
    }
    // "2 lines not converted (lines 3 and 7: 1 no light, 1 out of the
    // Munsell range)" in the words of `what`.
    [[nodiscard]] std::string text(const std::string &what) const {
        std::string out = std::to_string(count) + (count == 1 ? " line " : " lines ") + what
            + " (line" + (count == 1 ? " " : "s ");
        for (std::size_t i = 0; i < lines.size(); ++i) {
            out += (i == 0                                                  ? ""
                           : i + 1 == lines.size() && count == lines.size() ? " and "
                                                                            : ", ")
                + std::to_string(lines[i]);
        }
        if (count > lines.size()) {
            out += " ...";
        }
        out += ": ";
        bool first = true;
        for (const auto &[reason, n] : reasons) {
            out += (first ? "" : ", ") + std::to_string(n) + " " + reason;
            first = false;
        }
        return out + ")";
    }
};

ImportResult stopped(CycleHost &host, ImportResult result, const std::string &message,
    ImportResult::Outcome outcome = ImportResult::Outcome::Failed) {
    result.outcome = outcome;
    result.message = message;
    host.dialogs().messageBox(message, services::Buttons::Ok, "Import", services::Icon::Warning);
    return result;
}

} // namespace

bool isImportType(std::string_view type) {
    return findType(type) != nullptr;
}

ImportResult runImport(CycleHost &host, std::string_view code, const ImportFiles &files) {
    ImportResult result;
    const ImportType *type = findType(code);
    if (type == nullptr) {
        return result;
    }

    // The input: the type's file, the one given, or one chosen.
    std::filesystem::path input = files.input;
    if (input.empty() && !type->input.empty()) {
        input = host.filePath(std::string(type->input)).lexically_normal();
    }
    if (input.empty()) {
        const std::string chosen = host.dialogs().openFile(
            "Import", host.filePath(".").parent_path().string(), "*.csv|*.csv");
        if (chosen.empty()) {
            return result; // cancelled: nothing done
        }
        input = chosen;
    }
    const std::string inputName = baseName(input);
    RecordInput records;
    const bool opened = records.open(input);
    if (!opened || (type->counted && records.empty())) {
        return stopped(
            host, result, type->counted ? "File not found" : "File not found: " + input.string());
    }

    // The output: the type's file or the one given; type "xyz" adds to the
    // palette file, asked for now when there is none, before any record is
    // read.
    cycle::PaletteWriter &palette = host.palette();
    if (!type->output.empty()) {
        result.output
            = (files.output.empty() ? host.filePath(std::string(type->output)) : files.output)
                  .lexically_normal();
    } else {
        if (palette.batchOpen()) {
            return stopped(host, result,
                "A palette is being built in the picture window: nothing was imported. Import "
                "when it is done.");
        }
        if (!files.output.empty()) {
            palette.setFileName(files.output.string());
        }
        if (palette.fileName().empty()) {
            palette.setFileName(
                host.dialogs().inputBox("Palette File Name to save or append  [.CSV added]",
                    "Save Palette Data", "TWZpalette"));
        }
        if (palette.fileName().empty()) {
            return result; // cancelled: nothing done
        }
        result.output = palette.filePath().lexically_normal();
    }
    // An import never writes into the file it reads.
    if (sameFile(input, result.output)) {
        return stopped(host, result,
            "The import would write into the file it reads (\"" + result.output.string()
                + "\"): nothing was imported. Choose another output file.",
            ImportResult::Outcome::Refused);
    }
    // The output is written beside its place and renamed over it when the
    // run has read its whole input.
    text::PartFile out;
    if (!type->output.empty() && !out.open(result.output.string())) {
        return stopped(host, result,
            "Cannot write \"" + result.output.string() + "\": " + out.reason()
                + "; nothing was imported.");
    }
    const std::string outputName = baseName(result.output);

    cycle::ConversionCycle &cycle = host.cycle();
    // The screen shows each colour as it goes; the charts follow the last
    // one when the run ends, and a colour that does not convert is
    // reported once, at the end.
    cycle::ColourRun colourRun(cycle);
    QuietRgb quiet(cycle, type->counted);
    if (type->output.empty()) {
        palette.beginBatch();
    }
    switch (type->header) {
    case Header::None:
        break;
    case Header::Caption:
    case Header::CaptionAndFirstLine:
        out.write(host.caption() + "\r\n");
        break;
    case Header::NoticesAndFirstLine:
        out.write(host.caption() + " - Munsell notations of " + inputName
            + " converted to CIE XYZ, CIELAB and display RGB\r\n");
        out.write("An R, G or B of 0 or 255 marks a colour outside the display's gamut, shown "
                  "only approximately; X, Y, Z, L*, a*, b* and R, G, B for "
            + cycle::illuminantText(cycle.state().illuminant) + "\r\n");
        break;
    case Header::Columns:
        out.write(std::string(type->columns) + "\r\n");
        break;
    }
    std::string firstLine;
    if (type->firstLine != FirstLine::Record && records.readLine(firstLine)
        && type->firstLine == FirstLine::Header) {
        out.write(firstLine + std::string(lineColumns) + "\r\n");
    }

    (void)host.takeStopRequest(); // an Esc from before the run counts for nothing
    Run run(host, *type);
    std::string stop;
    NotConverted notConverted;
    Record record;
    for (;;) {
        // The screen shows the colours running through, and Esc is heard,
        // between records: never between a conversion and the reading of
        // its result, which a user's action in between could change.
        run.yield();
        if (host.takeStopRequest()) {
            stop = record.line == 0
                ? "The import was stopped (Esc) before the first record of " + inputName
                : "The import was stopped (Esc) after line " + std::to_string(record.line) + " of "
                    + inputName;
            break;
        }
        const RecordInput::Status status
            = records.read(type->fields, type->restOfLine, type->wraps, record);
        if (status == RecordInput::Status::End) {
            break;
        }
        if (status == RecordInput::Status::CutShort) {
            stop = "Line " + std::to_string(record.line) + " of " + inputName
                + " holds fewer fields than a record needs (" + std::to_string(type->fields)
                + "): the import stopped there";
            break;
        }
        run.line.clear();
        const RecordStatus converted = type->convert(run, record);
        if (converted == RecordStatus::Skipped) {
            ++result.skipped;
            continue;
        }
        if (converted == RecordStatus::Damaged) {
            stop = "Line " + std::to_string(record.line) + " of " + inputName + ": " + run.reason
                + ": the import stopped there";
            break;
        }
        if (!type->output.empty()) {
            out.write(run.line + "\r\n");
            if (out.failed()) {
                break;
            }
        }
        if (converted == RecordStatus::NotConverted) {
            notConverted.add(record.line, run.reason);
            continue;
        }
        ++result.records;
        const cycle::DisplayRgb c = cycle.state().patch;
        if (c.R == 0 || c.R == 255 || c.G == 0 || c.G == 255 || c.B == 0 || c.B == 255) {
            ++result.notDisplayed;
        }
    }
    result.failed = notConverted.count;

    // A run that did not finish replaces nothing.
    if (!stop.empty()) {
        out.discard();
        palette.discardBatch();
        return stopped(host, result,
            stop + "; \"" + outputName + "\" was left as it was (nothing of this run was saved).");
    }
    std::string error;
    if (type->output.empty() ? !palette.commitBatch(error) : !out.commit()) {
        if (type->output.empty()) {
            palette.setFileName({});
        } else {
            error = out.reason();
        }
        return stopped(host, result,
            "The import was not saved: cannot write \"" + result.output.string() + "\": " + error
                + "; the file as it was is unchanged.");
    }

    std::string message;
    if (type->counted) {
        message = "Total colors" + std::to_string(result.records) + "  Colors not displayed"
            + std::to_string(result.notDisplayed);
        if (result.skipped > 0) {
            message += "  (" + std::to_string(result.skipped) + " line"
                + (result.skipped == 1 ? "" : "s") + " without two tabs skipped)";
        }
    }
    if (notConverted.count > 0) {
        message += (message.empty() ? "" : "  ")
            + (type->output.empty()
                    ? notConverted.text("not added to the palette")
                    : notConverted.text("not converted, marked ERR in \"" + outputName + "\""));
    }
    if (type->code == "1") {
        host.dialogs().beep();
    }
    result.outcome = ImportResult::Outcome::Done;
    if (!message.empty()) {
        result.message = message;
        host.dialogs().messageBox(message, services::Buttons::Ok, "Import",
            notConverted.count > 0 ? services::Icon::Warning : services::Icon::Information);
    }
    return result;
}

void import_Click(CycleHost &host) {
    const std::string type = host.dialogs().inputBox("Type import", "", "");
    (void)runImport(host, type);
}

} // namespace tw::batch
