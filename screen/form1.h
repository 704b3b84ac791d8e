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
#include "screen/screen_settings.h"
#include "services/services.h"
#include "ui/form.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

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

// Where the chart, picture and 3D windows plug into the screen. Each is
// called only while its check box is ticked (or, for the viewer, on save).
struct ChartHooks {
    std::function<void(const std::string &hueText)> huePage; // Check2
    std::function<void(float L, float a, float b)> toleranceSet; // Check3
    std::function<void(const std::string &valueText)> valuePage; // Check4
    std::function<void()> colorChecker; // Check5 (gamma change)
    std::function<void(int checkNumber, bool show)> showWindow; // Check2 to Check7
    std::function<void()> reloadViewer; // Check7, after a save
};

class Form1 : public ui::Form, public instruments::InstrumentHost {
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
    // XYZ boxes to x, y and the Munsell boxes.
    void ciemun();

    // Palette writer and the screen's other buttons.
    void SaveData(float &mode);
    void Command1_Click(); // Help
    void Command9_Click(); // About
    void printB_Click();
    void Command3_Click(); // Make Table

    [[nodiscard]] ScreenSettings &settings() { return settings_; }
    [[nodiscard]] const engine::RenotationTable &table() const { return table_; }
    [[nodiscard]] engine::Illuminant illuminant() const;
    [[nodiscard]] bool pwd() const;
    [[nodiscard]] std::filesystem::path filePath(const std::string &bareName) const;
    [[nodiscard]] instruments::Instruments &instrumentDialogues() { return *instruments_; }

    // Palette writer state: shared with the windows that write palettes.
    std::string paletteFileName;
    std::string paletteTag;

    ChartHooks charts;

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

    // InstrumentHost.
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

    // Event handlers.
    void Text12_KeyDown(int key);
    void Text11_KeyDown(int key);
    void Text18_KeyDown(int key);
    void Text15_KeyDown(int key);
    void Text1_KeyDown(int key);
    void Text2_KeyDown(int key);
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
    void chartCheck_Click(int number);

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
    void setRgbScrolls(int R, int G, int B);
    // X, Y, Z to the CIELAB boxes (and the tolerance set when ticked); X, Y,
    // Z below 0.01 are raised to 0.01 in place.
    void showLab(float &X, float &Y, float &Z);
    void writeSettings(const std::string &instrument);
    void applyTint(int s);
    void drawColourSolid();

    services::Services services_;
    std::filesystem::path workFolder_;
    std::string version_;
    ScreenSettings settings_;
    engine::RenotationTable table_;
    std::unique_ptr<services::SerialPort> serial_;
    std::unique_ptr<instruments::Instruments> instruments_;
    // xyz2mun could not place the last colour: the note under the patch says
    // so until the next entry.
    bool munsellOutOfRange_ = false;
    bool settingsWriteReported_ = false;
};

} // namespace tw::screen
