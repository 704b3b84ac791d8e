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
#include "ui/scoped_flag.h"
#include "ui/scrollbar.h"
#include "ui/shape.h"
#include "ui/textbox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <utility>

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

std::vector<ui::TextBox *> Form1::boxes(cycle::Boxes group) const {
    switch (group) {
    case cycle::Boxes::Munsell:
        return { Text12.begin(), Text12.end() };
    case cycle::Boxes::Xyz:
        return { Text11.begin(), Text11.end() };
    case cycle::Boxes::Chromaticity:
        return { Text18.begin(), Text18.end() };
    case cycle::Boxes::Lab:
        return { Text15.begin(), Text15.end() };
    case cycle::Boxes::Rgb:
        return { Text1.begin(), Text1.end() };
    case cycle::Boxes::Cmyk:
        return { Text2.begin(), Text2.end() };
    }
    return {};
}

void Form1::connectEvents() {
    cycle_.setObserver([this](const cycle::Outcome *outcome) { cycleChanged(outcome); });
    // An edit goes into the cycle's state as it is typed; Enter in any box
    // of a group runs the group's entry operation; focus entering a box
    // selects its whole text, so typing replaces it.
    for (cycle::Boxes group : cycle::allBoxes) {
        const std::vector<ui::TextBox *> groupBoxes = boxes(group);
        for (std::size_t i = 0; i < groupBoxes.size(); ++i) {
            ui::TextBox *box = groupBoxes[i];
            box->onChange = [this, group, i, box] {
                if (!rendering_) {
                    (void)cycle_.state().setText(group, static_cast<int>(i), box->text());
                }
            };
            box->onKeyDown = [this, group](int key) {
                if (key == ui::kKeyReturn) {
                    (void)enter(group);
                }
            };
            box->setSelectAllOnFocus(true);
        }
    }
    Text3->onChange = [this] { Text3_Change(); };
    Text4->onChange = [this] { Text4_Change(); };
    Text5->onChange = [this] { Text5_Change(); };
    ui::ScrollBar *const munsellBars[3] = { VScroll1, VScroll2, VScroll3 };
    ui::ScrollBar *const rgbBars[3] = { VScroll4, VScroll5, VScroll6 };
    for (int i = 0; i < 3; ++i) {
        ui::ScrollBar *bar = munsellBars[i];
        bar->onChange = [this, i, bar] {
            if (settings_.updating) {
                return;
            }
            switch (i) {
            case 0:
                (void)cycle_.hueScroll(bar->value());
                break;
            case 1:
                (void)cycle_.valueScroll(bar->value());
                break;
            default:
                (void)cycle_.chromaScroll(bar->value());
                break;
            }
        };
        ui::ScrollBar *rgbBar = rgbBars[i];
        rgbBar->onChange = [this, i, rgbBar] {
            if (!settings_.updating) {
                (void)cycle_.rgbScroll(i, rgbBar->value());
            }
        };
    }
    VScroll7->onChange = [this] { VScroll7_Change(); };
    VScroll8->onChange = [this] { VScroll8_Change(); };
    Check1->onClick = [this] {
        if (!rendering_) {
            cycle_.setPwd(Check1->value() == 1);
        }
    };
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

// --- The view of the cycle -------------------------------------------------

namespace {

const char *illuminantCaption(engine::Illuminant illuminant) {
    switch (illuminant) {
    case engine::Illuminant::D5000:
        return "illuminant D5000 2\xC2\xB0 Observer ";
    case engine::Illuminant::D65_10:
        return "Illuminant D65  10\xC2\xB0 Observer ";
    case engine::Illuminant::C_1931:
        break;
    }
    return "illuminant C  2\xC2\xB0 Observer ";
}

int illuminantIndex(engine::Illuminant illuminant) {
    switch (illuminant) {
    case engine::Illuminant::D5000:
        return 1;
    case engine::Illuminant::D65_10:
        return 2;
    case engine::Illuminant::C_1931:
        break;
    }
    return 0;
}

void showText(ui::TextBox *box, const std::string &text) {
    if (box->text() != text) {
        box->setText(text);
    }
}

void showAt(ui::ScrollBar *bar, int value) {
    if (bar->value() != value) {
        (void)bar->setValue(value);
    }
}

} // namespace

void Form1::render() {
    ui::ScopedFlag updating(settings_.updating);
    ui::ScopedFlag rendering(rendering_);
    const cycle::ScreenState &s = cycle_.state();
    for (cycle::Boxes group : cycle::allBoxes) {
        const std::vector<ui::TextBox *> groupBoxes = boxes(group);
        for (std::size_t i = 0; i < groupBoxes.size(); ++i) {
            showText(groupBoxes[i], s.text(group, static_cast<int>(i)));
        }
    }
    showAt(VScroll1, s.munsellScroll[0]);
    showAt(VScroll2, s.munsellScroll[1]);
    showAt(VScroll3, s.munsellScroll[2]);
    showAt(VScroll4, s.rgbScroll[0]);
    showAt(VScroll5, s.rgbScroll[1]);
    showAt(VScroll6, s.rgbScroll[2]);
    if (Label19->caption() != s.rangeNote) {
        Label19->setCaption(s.rangeNote);
    }
    const ui::Rgb24 patch = ui::rgb(s.patch.R, s.patch.G, s.patch.B);
    if (Picture1->backColor() != patch) {
        Picture1->setBackColor(patch);
    }
    showText(Text5, s.gammaText);
    showAt(VScroll8, s.gammaScroll);
    if (Check1->value() != (s.pwd ? 1 : 0)) {
        Check1->setValue(s.pwd ? 1 : 0);
    }
    const int option = illuminantIndex(s.illuminant);
    if (Option1->index() != option) {
        (void)Option1->select(option);
    }
    if (Label1->caption() != illuminantCaption(s.illuminant)) {
        Label1->setCaption(illuminantCaption(s.illuminant));
    }
}

void Form1::cycleChanged(const cycle::Outcome *outcome) {
    render();
    // Within a run of many colours the screen only shows them; the run
    // reports its failures itself, and the charts follow once at its end.
    if (outcome == nullptr || cycle_.inRun()) {
        return;
    }
    for (const std::string &message : outcome->messages) {
        services_.dialogs.messageBox(message, services::Buttons::Ok);
    }
    if (outcome->labShown) {
        const cycle::ColourNumbers &n = cycle_.state().numbers;
        windows_->labChanged(n.L, n.a, n.b);
    }
    if (outcome->notationChanged) {
        windows_->notationChanged();
    }
    if (outcome->gammaChanged) {
        windows_->gammaChanged();
    }
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

    cycle_.state().display = engine::DisplaySettings {};

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
    (void)muncie();

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

// --- Events ------------------------------------------------------------------

void Form1::Picture1_MouseDown(double x, double y) {
    const ui::Rgb24 c = Picture1->point(x, y);
    const int R = ui::redOf(c), G = ui::greenOf(c), B = ui::blueOf(c);
    cycle_.setTexts(cycle::Boxes::Rgb, { std::to_string(R), std::to_string(G), std::to_string(B) });
    // A channel at either end may be a clipped colour: show the numbers but
    // convert nothing.
    for (int v : { R, G, B }) {
        if (v == 0 || v == 255) {
            return;
        }
    }
    services_.dialogs.yield();
    (void)Command6_Click();
}

void Form1::Option1_Click(int index) {
    if (rendering_) {
        return;
    }
    static constexpr engine::Illuminant illuminants[3]
        = { engine::Illuminant::C_1931, engine::Illuminant::D5000, engine::Illuminant::D65_10 };
    (void)cycle_.setIlluminant(illuminants[index >= 1 && index <= 2 ? index : 0]);
}

void Form1::Text5_Change() {
    if (!rendering_) {
        (void)cycle_.gammaTextChanged(Text5->text());
    }
}

void Form1::VScroll8_Change() {
    if (!rendering_) {
        (void)cycle_.gammaScroll(VScroll8->value());
    }
}

void Form1::Command11_Click() {
    float mode = 0.0f;
    // A save that wrote no row leaves nothing new for the viewer to show.
    if (palette_.SaveData(mode)) {
        windows_->paletteSaved();
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

// --- The face the other windows use ------------------------------------------

std::string Form1::caption() const {
    return ui::Form::caption();
}

void Form1::setScreenVisible(bool visible) {
    setVisible(visible);
}

bool Form1::takeStopRequest() {
    return std::exchange(stopRequested_, false);
}

// --- Instrument host --------------------------------------------------------

void Form1::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        if (instruments_->busy()) {
            instruments_->abandon();
        } else {
            stopRequested_ = true;
        }
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
    float XYZ[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        double v = 0.0;
        if (!text::parseNumber(xyz[i], v)) {
            return;
        }
        XYZ[i] = static_cast<float>(v);
    }
    (void)cycle_.enterIlluminantC(XYZ[0], XYZ[1], XYZ[2], cycle::XyzText::TwoDecimals);
}

} // namespace tw::screen
