// The conversion screen, the program's main window: one colour shown at once
// as Munsell notation, CIE XYZ, chromaticity x y, CIELAB, display RGB, CMYK
// and a colour patch, under the selected illuminant.
//
// The window is the view of a conversion cycle (cycle/): it shows the
// cycle's state in its controls and hands every edit, Enter and click to the
// cycle's operations; after each operation it shows the new state, the
// messages the outcome carries, and tells the charts that follow it. Other
// windows run the same cycle, and the window follows them the same way.
// Controls keep the names a reader of the screen's description knows
// (Text12[0] is the hue box, VScroll1 the hue scroll bar).
//
// Files are opened by bare name in the working folder given at construction.
#pragma once

#include "cycle/conversion_cycle.h"
#include "cycle/palette_writer.h"
#include "engine/renotation_table.h"
#include "instruments/instrument_host.h"
#include "instruments/instruments.h"
#include "screen/screen_host.h"
#include "screen/screen_settings.h"
#include "screen/window_switchboard.h"
#include "services/services.h"
#include "ui/colour.h"
#include "ui/form.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tw::ui {
class Button;
class Control;
class CheckBox;
class ComboBox;
class DrawingSurface;
class Frame;
class Label;
class OptionArray;
class ScrollBar;
class Shape;
class TextBox;
} // namespace tw::ui

namespace tw::screen {

class Form1 : public ui::Form, public instruments::InstrumentHost, public ScreenHost {
public:
    // `serial` is the port the instrument dialogues use (MSComm1).
    Form1(services::Services services, std::unique_ptr<services::SerialPort> serial,
        std::filesystem::path workFolder, std::string version = {});
    ~Form1() override;

    // The start-up sequence. False when the renotation data cannot be
    // loaded: a message naming the file and the folder has been shown and
    // the window must not be used.
    [[nodiscard]] bool Form_Load();

    // Entry operations: the cycle's, shown here when done.
    cycle::Outcome muncie() { return cycle_.muncie(); }
    cycle::Outcome xyzenter() { return cycle_.xyzenter(); }
    cycle::Outcome chromaticityEnter() { return cycle_.chromaticityEnter(); }
    cycle::Outcome labenter() { return cycle_.labenter(); }
    cycle::Outcome Command6_Click() { return cycle_.Command6_Click(); } // RGB entry
    cycle::Outcome cmyk() { return cycle_.cmyk(); }
    // The entry operation of a box group; the boxes of every group run it on
    // Enter.
    cycle::Outcome enter(cycle::Boxes group) { return cycle_.enter(group); }

    // The screen's other buttons.
    void Command1_Click(); // Help
    void Command9_Click(); // About
    void printB_Click();
    void Command3_Click(); // Make Table
    void Command11_Click(); // Save to Palette

    [[nodiscard]] ScreenSettings &settings() { return settings_; }
    [[nodiscard]] instruments::Instruments &instrumentDialogues() { return *instruments_; }

    // ScreenHost: what the other windows and the batch import use.
    [[nodiscard]] cycle::ConversionCycle &cycle() override { return cycle_; }
    [[nodiscard]] const cycle::ConversionCycle &cycle() const { return cycle_; }
    [[nodiscard]] cycle::PaletteWriter &palette() override { return palette_; }
    [[nodiscard]] engine::Spectrum &spectrum() override { return instruments_->spectrum(); }
    [[nodiscard]] services::Printer &printer() override { return services_.printer; }
    [[nodiscard]] services::Pictures &pictures() override { return services_.pictures; }
    [[nodiscard]] std::filesystem::path filePath(const std::string &bareName) const override;
    [[nodiscard]] std::string caption() const override;
    void setScreenVisible(bool visible) override;
    [[nodiscard]] bool takeStopRequest() override;
    [[nodiscard]] WindowSwitchboard &windows() override { return *windows_; }
    void setImportAction(std::function<void()> action) override {
        importAction_ = std::move(action);
    }
    // The renotation table file Form_Load reads; "Muncie.dat" in the working
    // folder unless set before it.
    void setTableFile(std::filesystem::path path) { tableFile_ = std::move(path); }

    // Exit and closing the window end the program: the serial port is
    // closed, then onEnd runs (the program ends the application there, at
    // once even while a wait or another loop lets events run).
    void endProgram();
    std::function<void()> onEnd;

    // Controls.
    std::array<ui::TextBox *, 3> Text12 {}; // hue, Value, Chroma
    std::array<ui::TextBox *, 3> Text11 {}; // X, Y, Z
    std::array<ui::TextBox *, 2> Text18 {}; // x, y
    std::array<ui::TextBox *, 3> Text15 {}; // L*, a*, b*
    std::array<ui::TextBox *, 3> Text1 {}; // R, G, B
    std::array<ui::TextBox *, 4> Text2 {}; // C, M, Y, K
    ui::TextBox *Text3 = nullptr; // Messages
    ui::TextBox *Text4 = nullptr; // Comm Port
    ui::TextBox *Text5 = nullptr; // Gamma
    ui::ScrollBar *VScroll1 = nullptr, *VScroll2 = nullptr, *VScroll3 = nullptr;
    ui::ScrollBar *VScroll4 = nullptr, *VScroll5 = nullptr, *VScroll6 = nullptr;
    ui::ScrollBar *VScroll7 = nullptr, *VScroll8 = nullptr;
    ui::CheckBox *Check1 = nullptr, *Check2 = nullptr, *Check3 = nullptr, *Check4 = nullptr;
    ui::CheckBox *Check5 = nullptr, *Check6 = nullptr, *Check7 = nullptr;
    ui::OptionArray *Option1 = nullptr;
    ui::ComboBox *Combo1 = nullptr;
    ui::Label *Label1 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
    ui::Label *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr;
    ui::Label *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr;
    ui::Label *Label15 = nullptr, *Label16 = nullptr, *Label17 = nullptr, *Label19 = nullptr;
    ui::Label *Label21 = nullptr, *Label22 = nullptr;
    std::array<ui::Label *, 3> Label18 {};
    std::array<ui::Label *, 4> Label20 {};
    ui::Button *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr;
    ui::Button *Command7 = nullptr, *Command8 = nullptr, *Command9 = nullptr;
    ui::Button *Command11 = nullptr, *printB = nullptr, *import = nullptr;
    ui::Frame *Frame1 = nullptr, *Frame2 = nullptr;
    ui::DrawingSurface *Picture1 = nullptr, *Picture2 = nullptr;
    ui::Shape *Shape1 = nullptr;

    // InstrumentHost (the Messages box, the dialogs and the clock are shared
    // with ScreenHost).
    [[nodiscard]] std::string instrumentText() const override;
    [[nodiscard]] int commPort() const override;
    void setCurrentInstrument(const std::string &name) override;
    void showMessage(const std::string &text) override;
    [[nodiscard]] services::Dialogs &dialogs() override;
    [[nodiscard]] const services::Clock &clock() const override;
    [[nodiscard]] services::SerialPort &serialPort() override;
    // A measurement's X, Y, Z: illuminant C's, from the reflectance curve.
    void handoff(const std::array<std::string, 3> &xyz) override;

protected:
    // Esc while Calibrate or Measure waits for the instrument abandons the
    // wait (the dialogue closes the port and says so in the Messages box);
    // otherwise it asks a long run (a batch import) to stop.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void connectEvents();

    // The boxes of a group (Text12, Text11, Text18, Text15, Text1, Text2).
    [[nodiscard]] std::vector<ui::TextBox *> boxes(cycle::Boxes group) const;

    // Shows the cycle's state in the controls. The controls' own change
    // events do nothing meanwhile.
    void render();
    // What the window does after an operation of the cycle: shows the new
    // state, then the outcome's messages, then tells the charts.
    void cycleChanged(const cycle::Outcome *outcome);

    // Event handlers.
    void Text3_Change();
    void Text4_Change();
    void Text5_Change();
    void VScroll7_Change();
    void VScroll8_Change();
    void Picture1_MouseDown(double x, double y);
    void Option1_Click(int index);
    void Combo1_Click();

    void writeSettings(const std::string &instrument);
    void applyTint(int s);
    [[nodiscard]] std::string workingFolderLine() const;
    void drawColourSolid();

    services::Services services_;
    std::filesystem::path workFolder_;
    std::string version_;
    ScreenSettings settings_;
    engine::RenotationTable table_;
    cycle::ConversionCycle cycle_ { table_ };
    cycle::PaletteWriter palette_ { cycle_, services_.dialogs, services_.clock, workFolder_ };
    std::unique_ptr<services::SerialPort> serial_;
    std::unique_ptr<instruments::Instruments> instruments_;
    std::unique_ptr<WindowSwitchboard> windows_;
    // The controls are being written from the state: their change events
    // carry nothing back.
    bool rendering_ = false;
    // Esc was pressed and no run has taken it yet.
    bool stopRequested_ = false;
    bool settingsWriteReported_ = false;
    // The instrument name the settings file holds (as read or last written).
    std::string storedInstrument_;
    std::function<void()> importAction_;
    std::filesystem::path tableFile_;
    // The colours the viewing-light tint starts from: the window's (null)
    // and each tinted control's own, as the window was made.
    struct TintBase {
        ui::Control *control; // null for the window itself
        ui::Rgb24 colour;
        bool filled;
    };
    std::vector<TintBase> tintBase_;
};

} // namespace tw::screen
