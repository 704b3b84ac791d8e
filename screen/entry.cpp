// The entry and update cycle: each entry operation reads its inputs from the
// boxes, converts with the engine and writes every other form back.
//
// Number forms: XYZ from Munsell entry "##0.00", x y "0.0000" there and
// ".0000" from the XYZ side, CIELAB "###.00", Munsell Value and Chroma
// "##0.00", RGB and CMYK plain integers; XYZ from RGB or CMYK entry is rounded
// to two decimals and shown in its plain form (41.2, not 41.20).
#include "engine/adaptation.h"
#include "engine/cmyk.h"
#include "engine/display_colour.h"
#include "engine/mun2xyz.h"
#include "engine/notation.h"
#include "engine/xyz2mun.h"
#include "screen/form1.h"
#include "text/numbers.h"
#include "text/patterns.h"
#include "ui/checkbox.h"
#include "ui/drawing_surface.h"
#include "ui/label.h"
#include "ui/scoped_flag.h"
#include "ui/scrollbar.h"
#include "ui/textbox.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <optional>

namespace tw::screen {

namespace {

// The number a box holds, or nothing when it holds no number.
std::optional<float> boxNumber(const ui::TextBox *box) {
    double v = 0.0;
    if (!text::parseNumber(box->text(), v) || !std::isfinite(static_cast<float>(v))) {
        return std::nullopt;
    }
    return static_cast<float>(v);
}

bool allFinite(std::initializer_list<float> values) {
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

int roundToInt(float v) {
    return static_cast<int>(text::roundHalfEven(v));
}

// Two decimals as the "###.00" text gives them, read back.
float twoDecimals(float v) {
    double out = 0.0;
    (void)text::parseNumber(text::formatPattern(v, text::patterns::twoDecimals), out);
    return static_cast<float>(out);
}

// A scroll bar that shows a quantity beyond its travel stops at its end.
void showOn(ui::ScrollBar *bar, int value) {
    const int lo = std::min(bar->min(), bar->max());
    const int hi = std::max(bar->min(), bar->max());
    (void)bar->setValue(std::clamp(value, lo, hi));
}

} // namespace

void Form1::muncie() {
    // A hue text that is no notation ("qq", "N") stops the entry before
    // anything changes: converting it as some hue would show a colour beside
    // a text that does not name it.
    bool formatError = false;
    float H = engine::converth(Text12[0]->text(), formatError);
    if (formatError) {
        services_.dialogs.messageBox("Format Error", services::Buttons::Ok);
        return;
    }
    munsellOutOfRange_ = false;
    windows_->notationChanged();
    const auto fail
        = [this] { services_.dialogs.messageBox("Out of Munsell Range", services::Buttons::Ok); };

    const std::optional<float> value = boxNumber(Text12[1]);
    const std::optional<float> chroma = boxNumber(Text12[2]);
    if (!value || !chroma) {
        fail();
        return;
    }
    float V = *value;
    const float C = *chroma;
    {
        // The scroll bars follow the notation as typed (10RP moves the hue
        // bar to 200); a position beyond a bar's travel is a failure.
        ui::ScopedFlag guard(settings_.updating);
        if (!VScroll1->setValue(roundToInt(H * 2.0f)) || !VScroll2->setValue(roundToInt(V * 2.0f))
            || !VScroll3->setValue(roundToInt(C))) {
            fail();
            return;
        }
    }
    if (H >= 100.0f) {
        H -= 100.0f;
    }
    float X = 0.0f, Y = 0.0f, Z = 0.0f, x = 0.0f, y = 0.0f;
    if (engine::mun2xyz(table_, illuminant(), pwd(), H, V, C, X, Y, Z, x, y)
        == engine::Mun2XyzStatus::OutOfRange) {
        fail();
        return;
    }
    for (int i = 0; i < 3; ++i) {
        const float v[3] = { X, Y, Z };
        Text11[i]->setText(text::formatPattern(v[i], text::patterns::twoDecimalsLeadingZero));
    }
    Text18[0]->setText(text::formatPattern(x, text::patterns::fourDecimalsLeadingZero));
    Text18[1]->setText(text::formatPattern(y, text::patterns::fourDecimalsLeadingZero));
    showLab(X, Y, Z);
    showRgb(X, Y, Z);
}

void Form1::showLab(float &X, float &Y, float &Z) {
    float L = 0.0f, a = 0.0f, b = 0.0f;
    engine::xyzlab(illuminant(), X, Y, Z, L, a, b);
    Text15[0]->setText(text::formatPattern(L, text::patterns::twoDecimals));
    Text15[1]->setText(text::formatPattern(a, text::patterns::twoDecimals));
    Text15[2]->setText(text::formatPattern(b, text::patterns::twoDecimals));
    windows_->labChanged(L, a, b);
}

void Form1::xyzenter() {
    munsellOutOfRange_ = false;
    const std::optional<float> in[3]
        = { boxNumber(Text11[0]), boxNumber(Text11[1]), boxNumber(Text11[2]) };
    if (!in[0] || !in[1] || !in[2]) {
        return; // not a number: every field stays as it was
    }
    float X = *in[0], Y = *in[1], Z = *in[2];
    {
        // A colour whose CIELAB or chromaticity no number can hold is
        // refused like a non-number.
        float x = X, y = Y, z = Z, L = 0.0f, a = 0.0f, b = 0.0f;
        engine::xyzlab(illuminant(), x, y, z, L, a, b);
        if (!allFinite({ L, a, b, X + Y + Z })) {
            return;
        }
    }
    // CIELAB raises X, Y, Z below 0.01 to 0.01; the RGB conversion works on
    // the raised values.
    showLab(X, Y, Z);
    ciemun();
    showRgb(X, Y, Z);
}

void Form1::chromaticityEnter() {
    munsellOutOfRange_ = false;
    const std::optional<float> x = boxNumber(Text18[0]);
    const std::optional<float> y = boxNumber(Text18[1]);
    const std::optional<float> luminance = boxNumber(Text11[1]);
    if (!x || !y || !luminance || *y == 0.0f) {
        return; // every field stays as it was
    }
    const float z = 1.0f - *x - *y;
    float Y = *luminance;
    float X = *x * Y / *y;
    float Z = z * Y / *y;
    if (!allFinite({ X, Z, X + Y + Z })) {
        return; // every field stays as it was
    }
    Text11[0]->setText(text::formatPattern(X, text::patterns::twoDecimals));
    Text11[2]->setText(text::formatPattern(Z, text::patterns::twoDecimals));
    showLab(X, Y, Z);
    ciemun();
    showRgb(X, Y, Z);
}

void Form1::labenter() {
    munsellOutOfRange_ = false;
    const std::optional<float> in[3]
        = { boxNumber(Text15[0]), boxNumber(Text15[1]), boxNumber(Text15[2]) };
    if (!in[0] || !in[1] || !in[2]) {
        return; // every field stays as it was
    }
    float X = 0.0f, Y = 0.0f, Z = 0.0f;
    engine::labxyz(X, Y, Z, *in[0], *in[1], *in[2]);
    if (illuminant() != engine::Illuminant::C_1931) {
        float x = 0.0f, y = 0.0f;
        if (!engine::xyzconvert(engine::Direction::Back, illuminant(), X, Y, Z, x, y)) {
            return; // a black with no luminance cannot be adapted
        }
    }
    if (!allFinite({ X, Y, Z, X + Y + Z })) {
        return; // every field stays as it was
    }
    Text11[0]->setText(text::formatPattern(X, text::patterns::twoDecimals));
    Text11[1]->setText(text::formatPattern(Y, text::patterns::twoDecimals));
    Text11[2]->setText(text::formatPattern(Z, text::patterns::twoDecimals));
    showRgb(X, Y, Z);
    ciemun();
}

void Form1::Command6_Click() {
    munsellOutOfRange_ = false;
    int channel[3];
    for (int i = 0; i < 3; ++i) {
        // The leading number of the text, rounded; anything outside 0..255
        // (negative, or beyond any integer) is taken to the nearest end.
        const double v = text::leadingNumber(Text1[i]->text());
        channel[i] = !(v > 0.0) ? 0 : v >= 255.0 ? 255 : static_cast<int>(text::roundHalfEven(v));
    }
    for (int i = 0; i < 3; ++i) {
        Text1[i]->setText(std::to_string(channel[i]));
    }
    setRgbScrolls(channel[0], channel[1], channel[2]);
    float linear[3];
    for (int i = 0; i < 3; ++i) {
        linear[i] = engine::displayToLinear(channel[i], settings_.display, i);
    }
    settings_.R = channel[0];
    settings_.G = channel[1];
    settings_.B = channel[2];
    // A colour given in display values is shown as it is.
    settings_.outofgamut = false;
    fillPatch(channel[0], channel[1], channel[2]);
    rgbcmyk(linear[0], linear[1], linear[2]);
    rgbTail(linear[0], linear[1], linear[2]);
}

void Form1::rgbTail(float r, float g, float b) {
    float X = 0.0f, Y = 0.0f, Z = 0.0f;
    engine::rgbxyz(illuminant(), r, g, b, X, Y, Z);
    X = twoDecimals(X * 100.0f);
    Y = twoDecimals(Y * 100.0f);
    Z = twoDecimals(Z * 100.0f);
    Text11[0]->setText(text::plainText(X));
    Text11[1]->setText(text::plainText(Y));
    Text11[2]->setText(text::plainText(Z));
    showLab(X, Y, Z);
    ciemun();
    // RGB and CMYK entry end with a colour the display shows: a note left
    // by an earlier colour goes (the Munsell one stays when it applies).
    Label19->setCaption(munsellOutOfRange_ ? "Out of Munsell Range" : "");
}

void Form1::cmyk() {
    munsellOutOfRange_ = false;
    float ink[4];
    for (int i = 0; i < 4; ++i) {
        const std::optional<float> v = boxNumber(Text2[i]);
        if (!v) {
            return; // every field stays as it was
        }
        ink[i] = std::clamp(*v / 100.0f, 0.0f, 1.0f);
    }
    cmykrgb(ink[0], ink[1], ink[2], ink[3]);
}

void Form1::cmykrgb(float C, float M, float Y, float K) {
    const engine::CmykToRgb out = engine::cmykrgb(settings_.display, C, M, Y, K);
    settings_.outofgamut = out.clamped;
    settings_.R = out.R;
    settings_.G = out.G;
    settings_.B = out.B;
    Text1[0]->setText(std::to_string(out.R));
    Text1[1]->setText(std::to_string(out.G));
    Text1[2]->setText(std::to_string(out.B));
    setRgbScrolls(out.R, out.G, out.B);
    fillPatch(out.R, out.G, out.B);
    rgbTail(out.r, out.g, out.b);
}

void Form1::rgbcmyk(float r, float g, float b) {
    const engine::CmykPercent p = engine::rgbcmyk(settings_.display, r, g, b);
    Text2[0]->setText(std::to_string(p.C));
    Text2[1]->setText(std::to_string(p.M));
    Text2[2]->setText(std::to_string(p.Y));
    Text2[3]->setText(std::to_string(p.K));
}

void Form1::xyzrgb(int &R, int &G, int &B, float &X, float &Y, float &Z) {
    const engine::RgbResult out = engine::xyzrgb(illuminant(), settings_.display, X, Y, Z);
    settings_.outofgamut = out.outofgamut;
    R = out.R;
    G = out.G;
    B = out.B;
    if (settings_.quietrgb) {
        return;
    }
    if (out.outofgamut) {
        R = G = B = 0;
    }
    Text1[0]->setText(std::to_string(R));
    Text1[1]->setText(std::to_string(G));
    Text1[2]->setText(std::to_string(B));
    setRgbScrolls(R, G, B);
    showRangeNote();
    rgbcmyk(out.r, out.g, out.b);
}

void Form1::showRangeNote() {
    Label19->setCaption(munsellOutOfRange_ ? "Out of Munsell Range"
            : settings_.outofgamut         ? "Out of RGB Range"
                                           : "");
}

bool Form1::notationShown() const {
    return !Text12[0]->text().empty() && !Text12[2]->text().empty();
}

void Form1::showRgb(float &X, float &Y, float &Z) {
    xyzrgb(settings_.R, settings_.G, settings_.B, X, Y, Z);
    fillPatch(settings_.R, settings_.G, settings_.B);
}

void Form1::setRgbScrolls(int R, int G, int B) {
    ui::ScopedFlag guard(settings_.updating);
    showOn(VScroll4, R);
    showOn(VScroll5, G);
    showOn(VScroll6, B);
}

void Form1::fillPatch(int R, int G, int B) {
    Picture1->setBackColor(ui::rgb(R, G, B));
}

void Form1::ciemun() {
    const std::optional<float> in[3]
        = { boxNumber(Text11[0]), boxNumber(Text11[1]), boxNumber(Text11[2]) };
    if (!in[0] || !in[1] || !in[2]) {
        return;
    }
    const float X = *in[0], Z = *in[2];
    float Y = *in[1];
    if (X + Y + Z <= 0.0f) {
        return;
    }
    Text18[0]->setText(text::formatPattern(X / (X + Y + Z), text::patterns::fourDecimals));
    Text18[1]->setText(text::formatPattern(Y / (Y + X + Z), text::patterns::fourDecimals));
    float H = 0.0f, V = 0.0f, C = 0.0f;
    const engine::Xyz2MunStatus status = engine::xyz2mun(table_, pwd(), H, V, C, X, Y, Z);
    if (V < 0.5f) {
        V = 0.5f;
    }
    if (status != engine::Xyz2MunStatus::Ok) {
        // No notation has a meaning here: say so under the patch and leave
        // the hue and Chroma boxes empty rather than show a made-up one.
        munsellOutOfRange_ = true;
        Text12[0]->setText("");
        Text12[1]->setText(text::formatPattern(V, text::patterns::twoDecimalsLeadingZero));
        Text12[2]->setText("");
        Label19->setCaption("Out of Munsell Range");
        return;
    }
    H = twoDecimals(H);
    Text12[0]->setText(engine::hconvert(H));
    Text12[1]->setText(text::formatPattern(V, text::patterns::twoDecimalsLeadingZero));
    Text12[2]->setText(text::formatPattern(C, text::patterns::twoDecimalsLeadingZero));
    {
        ui::ScopedFlag guard(settings_.updating);
        showOn(VScroll1, roundToInt(H * 2.0f));
        showOn(VScroll2, roundToInt(V * 2.0f));
        showOn(VScroll3, roundToInt(C));
    }
    windows_->notationChanged();
}

} // namespace tw::screen
