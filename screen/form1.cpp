// The conversion screen: start-up, the settings file, the event wiring, and
// the instrument host the spectrophotometer dialogues talk to.
#include "screen/form1.h"

#include "engine/notation.h"
#include "engine/spectral.h"
#include "screen/settings_file.h"
#include "text/numbers.h"
#include "ui/button.h"
#include "ui/checkbox.h"
#include "ui/combobox.h"
#include "ui/drawing_surface.h"
#include "ui/frame.h"
#include "ui/keys.h"
#include "ui/label.h"
#include "ui/optionarray.h"
#include "ui/scrollbar.h"
#include "ui/shape.h"
#include "ui/textbox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace tw::screen {

Form1::Form1(services::Services services, std::unique_ptr<services::SerialPort> serial,
    std::filesystem::path workFolder, std::string version)
    : services_(services)
    , workFolder_(std::move(workFolder))
    , version_(std::move(version)) {
    buildControls();
    windows_ = std::make_unique<WindowSwitchboard>(std::array<ui::CheckBox *, screenWindowCount> {
        Check2, Check3, Check4, Check5, Check6, Check7 });
    connectEvents();
    serial_ = std::move(serial);
    instruments_ = std::make_unique<instruments::Instruments>(*this);
}

Form1::~Form1() = default;

std::filesystem::path Form1::filePath(const std::string &bareName) const {
    return workFolder_ / bareName;
}

std::vector<ui::TextBox *> Form1::boxes(Boxes group) const {
    switch (group) {
    case Boxes::Munsell:
        return { Text12.begin(), Text12.end() };
    case Boxes::Xyz:
        return { Text11.begin(), Text11.end() };
    case Boxes::Chromaticity:
        return { Text18.begin(), Text18.end() };
    case Boxes::Lab:
        return { Text15.begin(), Text15.end() };
    case Boxes::Rgb:
        return { Text1.begin(), Text1.end() };
    case Boxes::Cmyk:
        return { Text2.begin(), Text2.end() };
    }
    return {};
}

void Form1::enter(Boxes group) {
    switch (group) {
    case Boxes::Munsell:
        muncie();
        break;
    case Boxes::Xyz:
        xyzenter();
        break;
    case Boxes::Chromaticity:
        chromaticityEnter();
        break;
    case Boxes::Lab:
        labenter();
        break;
    case Boxes::Rgb:
        Command6_Click();
        break;
    case Boxes::Cmyk:
        cmyk();
        break;
    }
}

void Form1::connectEvents() {
    // Enter in any box of a group runs the group's entry operation; focus
    // entering a box selects its whole text, so typing replaces it.
    for (Boxes group :
        { Boxes::Munsell, Boxes::Xyz, Boxes::Chromaticity, Boxes::Lab, Boxes::Rgb, Boxes::Cmyk }) {
        for (ui::TextBox *box : boxes(group)) {
            box->onKeyDown = [this, group](int key) {
                if (key == ui::kKeyReturn) {
                    enter(group);
                }
            };
            box->setSelectAllOnFocus(true);
        }
    }
    Text3->onChange = [this] { Text3_Change(); };
    Text4->onChange = [this] { Text4_Change(); };
    Text5->onChange = [this] { Text5_Change(); };
    VScroll1->onChange = [this] { VScroll1_Change(); };
    VScroll2->onChange = [this] { VScroll2_Change(); };
    VScroll3->onChange = [this] { VScroll3_Change(); };
    VScroll4->onChange = [this] { VScrollRgb_Change(0); };
    VScroll5->onChange = [this] { VScrollRgb_Change(1); };
    VScroll6->onChange = [this] { VScrollRgb_Change(2); };
    VScroll7->onChange = [this] { VScroll7_Change(); };
    VScroll8->onChange = [this] { VScroll8_Change(); };
    Picture1->onMouseDown = [this](int, double x, double y) { Picture1_MouseDown(x, y); };
    Option1->onClick = [this](int index) { Option1_Click(index); };
    Combo1->onClick = [this] { Combo1_Click(); };
    Command1->onClick = [this] { Command1_Click(); };
    Command2->onClick = [this] { endProgram(); };
    Command3->onClick = [this] { Command3_Click(); };
    Command7->onClick = [this] { instruments_->Command7_Click(); };
    Command8->onClick = [this] { instruments_->Command8_Click(); };
    Command7->setToolTip("Esc abandons a wait for the instrument");
    Command8->setToolTip("Esc abandons a wait for the instrument");
    Command9->onClick = [this] { Command9_Click(); };
    Command11->onClick = [this] { Command11_Click(); };
    printB->onClick = [this] { printB_Click(); };
    import->onClick = [this] { if (importAction_) { importAction_();
}
}; // namespace tw::screen
ui::CheckBox *const windowBoxes[] = { Check2, Check3, Check4, Check5, Check6, Check7 };
for (int i = 0; i < screenWindowCount; ++i) {
    windowBoxes[i]->onClick
        = [this, which = static_cast<ScreenWindow>(i)] { windows_->checkClicked(which); };
}
// Closing the main window ends the whole program; nothing is saved.
onUnload = [this] { endProgram(); };
onEnd = [] { QApplication::quit(); };
}

bool Form1::Form_Load() {
    setCaption("Tintwise  - Version  " + version_);
    settings_.instrument = "CE7000";

    StoredSettings stored;
    if (readSettingsFile(filePath(settingsFileName).string(), stored)) {
        if (stored.instrument) {
            settings_.instrument = *stored.instrument;
            storedInstrument_ = *stored.instrument;
        }
        if (stored.port) {
            settings_.port = *stored.port;
        }
        // Writing the box runs the port-change handling when the text
        // changes: a port outside 1 to 4 becomes 1 and is written back.
        Text4->setText(text::plainText(static_cast<float>(settings_.port)));
    }

    for (ui::CheckBox *box : { Check2, Check3, Check4, Check5, Check6, Check7 }) {
        box->setVisible(true);
    }
    Frame1->setVisible(true);
    Label5->setCaption("TWZ18");
    Combo1->setText(settings_.instrument);
    Command3->setVisible(false);

    const bool instrumentConfigured = !settings_.instrument.empty();
    if (instrumentConfigured) {
        (void)engine::getweights();
    }
    Command7->setVisible(instrumentConfigured);
    Command8->setVisible(instrumentConfigured);
    Text4->setVisible(instrumentConfigured);
    VScroll7->setVisible(false);

    settings_.display = engine::DisplaySettings {};

    const std::filesystem::path dataFile = tableFile_.empty() ? filePath("Muncie.dat") : tableFile_;
    std::string error;
    if (!table_.loadFile(dataFile.string(), error)) {
        std::error_code ec;
        const std::filesystem::path folder = std::filesystem::absolute(workFolder_, ec);
        services_.dialogs.messageBox(error
                + "\r\rTintwise needs \"Muncie.dat\" in its working folder " + folder.string()
                + " and cannot start without it.",
            services::Buttons::Ok, "Tintwise", services::Icon::Critical);
        return false;
    }
    services_.dialogs.beep();
    drawColourSolid();

    for (const char *name : instrumentNames) {
        Combo1->addItem(name);
    }
    (void)Option1->select(0);
    muncie();

    Command3->setVisible(false);
    import->setVisible(false);
    VScroll7->setVisible(false);
    Text3->setText("Messages");
    // The user starts typing a hue: the focus waits in the hue box with its
    // text selected.
    Text12[0]->lineEdit()->setFocus(Qt::OtherFocusReason);
    return true;
}

// --- Settings file -------------------------------------------------------

void Form1::writeSettings(const std::string &instrument) {
    std::string error;
    if (writeSettingsFile(filePath(settingsFileName).string(), instrument, settings_.port, error)) {
        storedInstrument_ = instrument;
    } else if (!settingsWriteReported_) {
        // Said once per run; the instrument and port stay in force for the
        // rest of the run.
        settingsWriteReported_ = true;
        services_.dialogs.messageBox("The settings cannot be saved: " + error
                + "\r\rThe instrument and port stay in force until the program ends.",
            services::Buttons::Ok, "Tintwise", services::Icon::Warning);
    }
}

// Choosing an instrument saves the list's text; the current instrument itself
// changes only when Measure is pressed.
void Form1::Combo1_Click() {
    // Enter on the name already stored changes nothing.
    if (Combo1->text() != storedInstrument_) {
        writeSettings(Combo1->text());
    }
}

void Form1::Text4_Change() {
    settings_.port = portFromText(Text4->text());
    writeSettings(settings_.instrument);
}

// --- Scroll events ---------------------------------------------------------

void Form1::VScroll1_Change() {
    if (settings_.updating) {
        return;
    }
    float hue = static_cast<float>(VScroll1->value()) / 2.0f;
    if (hue == 0.0f) {
        hue = 100.0f;
    } else if (hue > 100.0f) {
        hue = 1.0f;
    }
    Text12[0]->setText(engine::hconvert(hue));
    muncie();
}

void Form1::VScroll2_Change() {
    if (settings_.updating) {
        return;
    }
    if (VScroll2->value() < 20) {
        Text12[1]->setText(text::plainText(static_cast<float>(VScroll2->value()) / 2.0f));
    }
    muncie();
}

void Form1::VScroll3_Change() {
    if (settings_.updating) {
        return;
    }
    Text12[2]->setText(text::plainText(static_cast<float>(VScroll3->value())));
    muncie();
}

void Form1::VScrollRgb_Change(int channel) {
    if (settings_.updating) {
        return;
    }
    const ui::ScrollBar *bars[3] = { VScroll4, VScroll5, VScroll6 };
    Text1[channel]->setText(text::plainText(static_cast<float>(bars[channel]->value())));
    Command6_Click();
}

void Form1::Picture1_MouseDown(double x, double y) {
    const ui::Rgb24 c = Picture1->point(x, y);
    const int R = ui::redOf(c), G = ui::greenOf(c), B = ui::blueOf(c);
    Text1[0]->setText(std::to_string(R));
    Text1[1]->setText(std::to_string(G));
    Text1[2]->setText(std::to_string(B));
    // A channel at either end may be a clipped colour: show the numbers but
    // convert nothing.
    for (int v : { R, G, B }) {
        if (v == 0 || v == 255) {
            return;
        }
    }
    services_.dialogs.yield();
    Command6_Click();
}

void Form1::Option1_Click(int index) {
    static const char *captions[3] = { "illuminant C  2\xC2\xB0 Observer ",
        "illuminant D5000 2\xC2\xB0 Observer ", "Illuminant D65  10\xC2\xB0 Observer " };
    if (index >= 0 && index < 3) {
        Label1->setCaption(captions[index]);
    }
    reconvert();
}

void Form1::Text5_Change() {
    // The leading number of the text, as every box reads it ("2.5x" is 2.5).
    const double gamma = text::leadingNumber(Text5->text());
    if (!(gamma >= 1.0 && gamma <= 3.0)) {
        return;
    }
    (void)VScroll8->setValue(static_cast<int>(text::roundHalfEven(gamma * 10.0)));
}

void Form1::VScroll8_Change() {
    Text5->setText(text::plainText(static_cast<float>(VScroll8->value()) / 10.0f));
    double gamma = 0.0;
    if (text::parseNumber(Text5->text(), gamma) && gamma != 0.0) {
        const float exponent = static_cast<float>(1.0 / gamma);
        settings_.display.rgbexponent = { exponent, exponent, exponent };
    }
    reconvert();
    windows_->gammaChanged();
}

void Form1::reconvert() {
    if (notationShown()) {
        muncie();
    } else {
        xyzenter();
    }
}

void Form1::endProgram() {
    // A dialogue waiting for the instrument gives up at once and the port
    // is closed before the program goes.
    instruments_->abandon();
    if (serial_ && serial_->portOpen()) {
        (void)serial_->setPortOpen(false);
    }
    if (onEnd) {
        onEnd();
    }
}

// --- Illuminant and flags ----------------------------------------------------

engine::Illuminant Form1::illuminant() const {
    switch (Option1->index()) {
    case 1:
        return engine::Illuminant::D5000;
    case 2:
        return engine::Illuminant::D65_10;
    default:
        return engine::Illuminant::C_1931;
    }
}

bool Form1::pwd() const {
    return Check1->value() == 1;
}

// --- The face the other windows use ------------------------------------------

std::string Form1::text(Boxes group, int index) const {
    const std::vector<ui::TextBox *> group_ = boxes(group);
    return index >= 0 && index < static_cast<int>(group_.size())
        ? group_[static_cast<std::size_t>(index)]->text()
        : std::string();
}

void Form1::setText(Boxes group, int index, const std::string &text) {
    const std::vector<ui::TextBox *> group_ = boxes(group);
    if (index >= 0 && index < static_cast<int>(group_.size())) {
        group_[static_cast<std::size_t>(index)]->setText(text);
    }
}

DisplayRgb Form1::currentRgb() const {
    return { settings_.R, settings_.G, settings_.B };
}

bool Form1::outOfGamut() const {
    return settings_.outofgamut;
}

std::string Form1::rangeNote() const {
    return Label19->caption();
}

void Form1::setRangeNote(const std::string &text) {
    Label19->setCaption(text);
}

bool Form1::quietRgb() const {
    return settings_.quietrgb;
}

void Form1::setQuietRgb(bool quiet) {
    settings_.quietrgb = quiet;
}

std::string Form1::gammaText() const {
    return Text5->text();
}

const engine::DisplaySettings &Form1::display() const {
    return settings_.display;
}

std::string Form1::caption() const {
    return ui::Form::caption();
}

void Form1::setScreenVisible(bool visible) {
    setVisible(visible);
}

// --- Instrument host --------------------------------------------------------

void Form1::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape && instruments_->busy()) {
        instruments_->abandon();
        event->accept();
        return;
    }
    ui::Form::keyPressEvent(event);
}

std::string Form1::instrumentText() const {
    return Combo1->text();
}

int Form1::commPort() const {
    return settings_.port;
}

void Form1::setCurrentInstrument(const std::string &name) {
    settings_.instrument = name;
}

void Form1::showMessage(const std::string &message) {
    Text3->setText(message);
}

services::Dialogs &Form1::dialogs() {
    return services_.dialogs;
}

const services::Clock &Form1::clock() const {
    return services_.clock;
}

services::SerialPort &Form1::serialPort() {
    return *serial_;
}

void Form1::handoff(const std::array<std::string, 3> &xyz) {
    for (int i = 0; i < 3; ++i) {
        Text11[i]->setText(xyz[i]);
    }
    xyzenter();
}

} // namespace tw::screen
