#include "app/convert_import.h"

#include "batch/batch_import.h"
#include "cycle/cycle_host.h"
#include "services/system_clock.h"

#include <ostream>

#ifndef TW_VERSION
#define TW_VERSION "unknown"
#endif

namespace tw::app {

namespace {

// The screen's dialogs answered from the command line.
class CommandLineDialogs : public services::Dialogs {
public:
    CommandLineDialogs(std::ostream &err, std::string input, std::string palette)
        : err_(err)
        , input_(std::move(input))
        , palette_(std::move(palette)) { }

    services::Answer messageBox(const std::string &text, services::Buttons buttons,
        const std::string &, services::Icon) override {
        err_ << "tintwise-convert: " << oneLine(text) << '\n';
        return buttons == services::Buttons::YesNo || buttons == services::Buttons::YesNoCancel
            ? services::Answer::Yes
            : services::Answer::Ok;
    }
    std::optional<std::string> askText(
        const std::string &prompt, const std::string &, const std::string &proposed) override {
        if (prompt.rfind("Palette File Name", 0) == 0 && !palette_.empty()) {
            return palette_;
        }
        return proposed;
    }
    std::string openFile(const std::string &, const std::string &, const std::string &) override {
        return input_;
    }
    // No window waits for its events.
    void yield() override { }
    void beep() override { }

private:
    // Line ends inside a message become blanks.
    static std::string oneLine(std::string text) {
        for (char &c : text) {
            if (c == '\r' || c == '\n') {
                c = ' ';
            }
        }
        return text;
    }
    std::ostream &err_;
    std::string input_;
    std::string palette_;
};

// The conversion screen without its window: the cycle, its palette writer
// and the reflectance curve, working in the current directory, with the
// caption the window has.
class HeadlessScreen : public cycle::CycleHost {
public:
    HeadlessScreen(std::ostream &err, const ConvertOptions &options, const std::string &input)
        : err_(err)
        , dialogs_(err, input, options.output) { }

    // Loads the table and sets the screen up as the window's start-up and
    // the user's settings leave it; false, said on `err`, when the table
    // cannot be read.
    bool start(const std::string &tablePath, const ConvertOptions &options) {
        std::string error;
        if (!table_.loadFile(tablePath, error)) {
            err_ << "tintwise-convert: " << error << '\n';
            return false;
        }
        (void)cycle_.muncie(); // the design colour, as the window starts
        (void)cycle_.setIlluminant(options.illuminant);
        cycle_.setPwd(options.pwd);
        if (!options.gammaText.empty()) {
            (void)cycle_.gammaTextChanged(options.gammaText);
        }
        return true;
    }

    cycle::ConversionCycle &cycle() override { return cycle_; }
    cycle::PaletteWriter &palette() override { return palette_; }
    services::Dialogs &dialogs() override { return dialogs_; }
    const services::Clock &clock() const override { return clock_; }
    std::filesystem::path filePath(const std::string &bareName) const override {
        return std::filesystem::path(".") / bareName;
    }
    std::string caption() const override { return "Tintwise  - Version  " TW_VERSION; }
    // Nobody presses Esc here: an interrupt ends the program.
    bool takeStopRequest() override { return false; }
    engine::Spectrum &spectrum() override { return spectrum_; }

private:
    std::ostream &err_;
    CommandLineDialogs dialogs_;
    services::SystemClock clock_;
    engine::RenotationTable table_;
    cycle::ConversionCycle cycle_ { table_ };
    cycle::PaletteWriter palette_ { cycle_, dialogs_, clock_, "." };
    engine::Spectrum spectrum_ {};
};

} // namespace

int runImport(
    const ConvertOptions &options, const std::string &tablePath, Output &out, std::ostream &err) {
    const std::string &type = options.arguments.at(0);
    const std::string input = options.arguments.size() > 1 ? options.arguments[1] : "";
    if (!batch::isImportType(type)) {
        err << "tintwise-convert: unknown import type \"" << type
            << "\": use 1, 2, 3, 4, 0, 6 or xyz\n";
        return 2;
    }
    if ((type == "0" || type == "xyz") && input.empty()) {
        err << "tintwise-convert: import " << type << " needs an INPUT file\n";
        return 2;
    }
    HeadlessScreen screen(err, options, input);
    if (!screen.start(tablePath, options)) {
        return 2;
    }
    const batch::ImportResult result = batch::runImport(screen, type, { input, options.output });
    switch (result.outcome) {
    case batch::ImportResult::Outcome::Refused:
        return 2;
    case batch::ImportResult::Outcome::Failed:
        return 1;
    case batch::ImportResult::Outcome::NotRun:
        return 2;
    case batch::ImportResult::Outcome::Done:
        break;
    }
    out.write(std::to_string(result.records) + (result.records == 1 ? " colour" : " colours")
        + " into " + result.output.string());
    (void)out.endLine();
    return result.failed == 0 ? 0 : 1;
}

} // namespace tw::app
