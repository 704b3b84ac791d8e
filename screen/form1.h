// The conversion screen, the program's main window: one colour shown at once
// as Munsell notation, CIE XYZ, chromaticity x y, CIELAB, display RGB, CMYK
// and a colour patch, under the selected illuminant.
//
// The text boxes are the state: every entry operation (muncie, xyzenter,
// chromaticity entry, labenter, Command6_Click, cmyk) reads its inputs from
// the boxes and writes its results back into them, and other windows feed
// colours in the same way. Controls keep the names a reader of the screen's
// description knows (Text12[0] is the hue box, VScroll1 the hue scroll bar).
//
// Files are opened by bare name in the working folder given at construction.
#pragma once

#include "engine/renotation_table.h"
#include "instruments/instrument_host.h"
#include "instruments/instruments.h"
#include "screen/screen_host.h"
#include "screen/screen_settings.h"
#include "screen/window_switchboard.h"
#include "services/services.h"
#include "ui/form.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tw::ui {
class Button;
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

    // Entry operations (the boxes hold their inputs and receive the results).
    void muncie();
    void xyzenter();
    void chromaticityEnter();
    void labenter();
    void Command6_Click(); // RGB entry
    void cmyk();
    // The entry operation of a box group; the boxes of every group run it on
    // Enter.
    void enter(Boxes group) override;
    // XYZ boxes to x, y and the Munsell boxes.
    void ciemun();

    // Palette writer and the screen's other buttons.
    bool SaveData(float &mode) override;
    void Command1_Click(); // Help
    void Command9_Click(); // About
    void printB_Click();
    void Command3_Click(); // Make Table

    [[nodiscard]] ScreenSettings &settings() { return settings_; }
    [[nodiscard]] instruments::Instruments &instrumentDialogues() { return *instruments_; }

    // ScreenHost: the face the other windows drive the screen through.
    [[nodiscard]] std::string text(Boxes group, int index) const override;
    void setText(Boxes group, int index, const std::string &text) override;
    [[nodiscard]] DisplayRgb currentRgb() const override;
    [[nodiscard]] bool outOfGamut() const override;
    [[nodiscard]] std::string rangeNote() const override;
    void setRangeNote(const std::string &text) override;
    [[nodiscard]] bool quietRgb() const override;
    void setQuietRgb(bool quiet) override;
    [[nodiscard]] engine::Illuminant illuminant() const override;
    [[nodiscard]] bool pwd() const override;
    [[nodiscard]] std::string gammaText() const override;
    [[nodiscard]] const engine::DisplaySettings &display() const override;
    [[nodiscard]] const engine::RenotationTable &table() const override { return table_; }
    [[nodiscard]] engine::Spectrum &spectrum() override { return instruments_->spectrum(); }
    [[nodiscard]] services::Printer &printer() override { return services_.printer; }
    [[nodiscard]] services::Pictures &pictures() override { return services_.pictures; }
    [[nodiscard]] services::Services serviceBundle() override { return services_; }
    [[nodiscard]] std::filesystem::path filePath(const std::string &bareName) const override;
    [[nodiscard]] std::string caption() const override;
    [[nodiscard]] std::string paletteFileName() const override { return paletteFileName_; }
    void setPaletteFileName(const std::string &name) override { paletteFileName_ = name; }
    [[nodiscard]] std::string paletteTag() const override { return paletteTag_; }
    void setPaletteTag(const std::string &tag) override { paletteTag_ = tag; }
    void setScreenVisible(bool visible) override;
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

    // InstrumentHost (the Messages box is shared with ScreenHost).
    [[nodiscard]] std::string instrumentText() const override;
    [[nodiscard]] int commPort() const override;
    void setCurrentInstrument(const std::string &name) override;
    void showMessage(const std::string &text) override;
    [[nodiscard]] services::Dialogs &dialogs() override;
    [[nodiscard]] const services::Clock &clock() const override;
    [[nodiscard]] services::SerialPort &serialPort() override;
    void handoff(const std::array<std::string, 3> &xyz) override;

protected:
    // Esc while Calibrate or Measure waits for the instrument abandons the
    // wait (the dialogue closes the port and says so in the Messages box).
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void connectEvents();

    // The boxes of a group (Text12, Text11, Text18, Text15, Text1, Text2).
    [[nodiscard]] std::vector<ui::TextBox *> boxes(Boxes group) const;

    // Event handlers.
    void Text3_Change();
    void Text4_Change();
    void Text5_Change();
    void VScroll1_Change();
    void VScroll2_Change();
    void VScroll3_Change();
    void VScrollRgb_Change(int channel);
    void VScroll7_Change();
    void VScroll8_Change();
    void Picture1_MouseDown(double x, double y);
    void Option1_Click(int index);
    void Combo1_Click();
    void Command11_Click();

    // The screen half of the XYZ-to-RGB conversion: computes R, G, B (and
    // outofgamut) and, unless quietrgb, writes the RGB boxes, the RGB scroll
    // bars, the out-of-range note and the CMYK boxes. X, Y, Z come back scaled
    // as the engine leaves them.
    void xyzrgb(int &R, int &G, int &B, float &X, float &Y, float &Z);
    // Linear RGB to the CMYK boxes.
    void rgbcmyk(float r, float g, float b);
    // CMYK fractions to the RGB boxes, the patch, XYZ, CIELAB and Munsell.
    void cmykrgb(float C, float M, float Y, float K);
    // Linear RGB to the XYZ boxes (two decimals), CIELAB and Munsell: the tail
    // shared by RGB and CMYK entry.
    void rgbTail(float r, float g, float b);
    void fillPatch(int R, int G, int B);
    // XYZ to display RGB with its writes (xyzrgb) into the current colour,
    // then the patch filled with it: the last step of every CIE entry.
    void showRgb(float &X, float &Y, float &Z);
    void setRgbScrolls(int R, int G, int B);
    // X, Y, Z to the CIELAB boxes (and the tolerance set when ticked); X, Y,
    // Z below 0.01 are raised to 0.01 in place.
    void showLab(float &X, float &Y, float &Z);
    void writeSettings(const std::string &instrument);
    // An illuminant or gamma change converts the colour again: from the
    // notation, or from the XYZ shown when no notation is shown (a colour
    // outside the Munsell data).
    void reconvert();
    // Label19 after XYZ to RGB: the Munsell note, the RGB note or nothing.
    void showRangeNote();
    // The boxes show no Munsell notation (hue or Chroma blank).
    [[nodiscard]] bool notationShown() const;
    void applyTint(int s);
    [[nodiscard]] std::string workingFolderLine() const;
    void drawColourSolid();

    services::Services services_;
    std::filesystem::path workFolder_;
    std::string version_;
    ScreenSettings settings_;
    engine::RenotationTable table_;
    std::unique_ptr<services::SerialPort> serial_;
    std::unique_ptr<instruments::Instruments> instruments_;
    std::unique_ptr<WindowSwitchboard> windows_;
    // Palette writer state: shared with the windows that write palettes.
    std::string paletteFileName_;
    std::string paletteTag_;
    // xyz2mun could not place the last colour: the note under the patch says
    // so until the next entry.
    bool munsellOutOfRange_ = false;
    bool settingsWriteReported_ = false;
    // The instrument name the settings file holds (as read or last written).
    std::string storedInstrument_;
    std::function<void()> importAction_;
    std::filesystem::path tableFile_;
};

} // namespace tw::screen
