// The entry and update cycle: each entry operation reads its inputs from the
// boxes of the state, converts with the engine and writes every other form
// back.
//
// Number forms: XYZ from Munsell entry "##0.00", x y "0.0000" there and
// ".0000" from the XYZ side, CIELAB "###.00", Munsell Value and Chroma
// "##0.00", RGB and CMYK plain integers; XYZ from RGB or CMYK entry is rounded
// to two decimals and shown in its plain form (41.2, not 41.20).
//
// Illuminants: mun2xyz adapts from C to the selected illuminant ("F");
// ciemun adapts the X, Y, Z of the boxes back to C ("B") before the Munsell
// search; CIELAB both ways uses the selected illuminant's white; the display
// step scales the selected white to D65 both ways. A colour given under C
// from outside (tris) is adapted "F" before it reaches the boxes.
#include "cycle/conversion_cycle.h"

#include "engine/adaptation.h"
#include "engine/cmyk.h"
#include "engine/mun2xyz.h"
#include "engine/notation.h"
#include "engine/notation_text.h"
#include "engine/xyz2mun.h"
#include "engine/xyz2mun_exact.h"
#include "text/numbers.h"
#include "text/patterns.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <optional>

namespace tw::cycle {

namespace {

namespace patterns = text::patterns;

constexpr const char *formatErrorMessage = "Format Error";
constexpr const char *outOfRangeMessage = "Out of Munsell Range";

// The notes under the patch.
constexpr const char *outOfRangeNote = "Out of Munsell Range";
constexpr const char *outsideDataNote = "Outside Munsell Data";
constexpr const char *noLightNote = "No Light";
constexpr const char *outOfRgbNote = "Out of RGB Range";
constexpr const char *outOfBothNote = "Out of Munsell & RGB Range";

// Beyond this no number in an X, Y, Z, x, y or CIELAB box is a colour.
constexpr double absurd = 1000.0;

// The number a box holds, or nothing when it holds no number a colour can
// hold.
std::optional<float> boxNumber(const std::string &text, double limit) {
    double v = 0.0;
    if (!text::parseNumber(text, v) || !(std::fabs(v) <= limit)
        || !std::isfinite(static_cast<float>(v))) {
        return std::nullopt;
    }
    return static_cast<float>(v);
}

// The three numbers of an X, Y, Z or CIELAB group; false when a box holds
// none a colour can hold.
bool readColourBoxes(const std::array<std::string, 3> &boxes, float (&out)[3]) {
    for (std::size_t i = 0; i < 3; ++i) {
        const std::optional<float> v = boxNumber(boxes[i], absurd);
        if (!v) {
            return false;
        }
        out[i] = *v;
    }
    return true;
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
    (void)text::parseNumber(text::formatPattern(v, patterns::twoDecimals), out);
    return static_cast<float>(out);
}

std::string pattern(float v, std::string_view p) {
    return text::formatPattern(v, p);
}

// The length of the family name at the end of a hue text, as converth
// finds it: the two-letter families first; 0 for none.
std::size_t familyLength(std::string_view hue) {
    std::string upper(hue);
    for (char &c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const auto endsWith = [&](std::string_view name) {
        return !name.empty() && upper.size() >= name.size()
            && upper.compare(upper.size() - name.size(), name.size(), name) == 0;
    };
    for (std::size_t i = 1; i <= 9; i += 2) {
        if (endsWith(engine::huenames[i])) {
            return 2;
        }
    }
    for (std::size_t i = 0; i <= 8; i += 2) {
        if (endsWith(engine::huenames[i])) {
            return 1;
        }
    }
    return 0;
}

Outcome formatError(std::string reason) {
    Outcome o;
    o.result = Result::FormatError;
    o.reason = std::move(reason);
    return o;
}

} // namespace

std::optional<float> boxNumber(const std::string &text) {
    return boxNumber(text, std::numeric_limits<double>::max());
}

std::string_view resultText(Result result) {
    switch (result) {
    case Result::Converted:
        return {};
    case Result::OutsideData:
        return "outside the Munsell data";
    case Result::OutOfRange:
        return "out of the Munsell range";
    case Result::FormatError:
        return "format error";
    case Result::NoLight:
        return "no light";
    }
    return {};
}

std::string illuminantText(engine::Illuminant illuminant) {
    switch (illuminant) {
    case engine::Illuminant::D5000:
        return "Illuminant D50 2 degree observer";
    case engine::Illuminant::D65_10:
        return "Illuminant D65 10 degree observer";
    case engine::Illuminant::C_1931:
        break;
    }
    return "Illuminant C 2 degree observer";
}

// --- The cycle -------------------------------------------------------------------

ConversionCycle::ConversionCycle(const engine::RenotationTable &table)
    : table_(table) { }

const std::string &ConversionCycle::text(Boxes group, int index) const {
    return state_.text(group, index);
}

std::vector<std::string> ConversionCycle::texts(Boxes group) const {
    std::vector<std::string> out;
    for (int i = 0; i < boxCount(group); ++i) {
        out.push_back(state_.text(group, i));
    }
    return out;
}

void ConversionCycle::setText(Boxes group, int index, const std::string &text) {
    if (state_.setText(group, index, text)) {
        tell();
    }
}

void ConversionCycle::setTexts(Boxes group, std::initializer_list<std::string> texts) {
    int i = 0;
    for (const std::string &t : texts) {
        (void)state_.setText(group, i++, t);
    }
    tell();
}

void ConversionCycle::tell() {
    if (depth_ == 0 && observer_) {
        observer_(nullptr);
    }
}

Outcome ConversionCycle::told(Outcome outcome) {
    if (depth_ > 0) {
        return outcome;
    }
    // A conversion that leaves the RGB boxes alone (a quiet run) leaves
    // them on another colour: the boxes then hold no one colour to save.
    state_.holdsColour = outcome.converted() && !state_.quietrgb;
    if (runs_ > 0) {
        last_ = outcome;
        last_.messages.clear();
        ranInRun_ = true;
    }
    if (observer_) {
        observer_(&outcome);
    }
    return outcome;
}

ColourRun::ColourRun(ConversionCycle &cycle)
    : cycle_(cycle) {
    if (cycle_.runs_++ == 0) {
        cycle_.ranInRun_ = false;
    }
}

ColourRun::~ColourRun() {
    if (--cycle_.runs_ > 0 || !cycle_.observer_) {
        return;
    }
    // The view follows the last colour once, as after any operation; its
    // messages were the run's to report.
    if (cycle_.ranInRun_) {
        const Outcome last = cycle_.last_;
        cycle_.observer_(&last);
    } else {
        cycle_.observer_(nullptr);
    }
}

namespace {

// Operations that run inside another tell the view once, at the end of the
// outermost.
class Nested {
public:
    explicit Nested(int &depth)
        : depth_(depth) {
        ++depth_;
    }
    ~Nested() { --depth_; }
    Nested(const Nested &) = delete;
    Nested &operator=(const Nested &) = delete;

private:
    int &depth_;
};

} // namespace

template<class Operation> Outcome ConversionCycle::run(Operation operation) {
    Outcome o;
    {
        Nested nested(depth_);
        o = operation();
    }
    return told(std::move(o));
}

Outcome ConversionCycle::enter(Boxes group) {
    switch (group) {
    case Boxes::Munsell:
        return muncie();
    case Boxes::Xyz:
        return xyzenter();
    case Boxes::Chromaticity:
        return chromaticityEnter();
    case Boxes::Lab:
        return labenter();
    case Boxes::Rgb:
        return Command6_Click();
    case Boxes::Cmyk:
        return cmyk();
    }
    return formatError("no such group of boxes");
}

Outcome ConversionCycle::muncie() {
    return run([this] { return doMuncie(); });
}
Outcome ConversionCycle::xyzenter() {
    return run([this] { return doXyzenter(); });
}
Outcome ConversionCycle::chromaticityEnter() {
    return run([this] { return doChromaticityEnter(); });
}
Outcome ConversionCycle::labenter() {
    return run([this] { return doLabenter(); });
}
Outcome ConversionCycle::Command6_Click() {
    return run([this] { return doCommand6(); });
}
Outcome ConversionCycle::cmyk() {
    return run([this] { return doCmyk(); });
}

Outcome ConversionCycle::doMuncie() {
    const std::string hueText = state_.munsell[0];
    // A neutral is written N (with its Value, or with the Value box): Chroma
    // 0 at any hue; the boxes then say so.
    std::optional<float> neutralValue;
    const bool neutral = engine::readNeutral(hueText, neutralValue);
    float H = 0.0f;
    std::string stepText;
    double step = 0.0;
    if (neutral) {
        if (neutralValue) {
            state_.munsell[1] = text::plainText(*neutralValue);
        }
        state_.munsell[2] = "0";
    } else {
        // A hue text that is no notation ("qq", "R", "5.0.0R") stops the
        // entry before anything changes: converting it as some hue would
        // show a colour beside a text that does not name it.
        bool noFamily = false;
        H = engine::converth(hueText, noFamily);
        const std::size_t family = familyLength(hueText);
        if (noFamily || family == 0) {
            Outcome o = formatError(
                "hue \"" + hueText + "\" has no hue family (R YR Y GY G BG B PB P RP)");
            o.messages.emplace_back(formatErrorMessage);
            return o;
        }
        stepText = hueText.substr(0, hueText.size() - family);
        if (!text::parseNumber(stepText, step)) {
            Outcome o = formatError("hue \"" + hueText + "\" needs a number before its family");
            o.messages.emplace_back(formatErrorMessage);
            return o;
        }
    }
    munsellNote_ = nullptr;
    Outcome o;
    o.notationChanged = true;
    const auto fail = [&](const std::string &why) {
        showNoColour(outOfRangeNote);
        // No chart follows a notation that names no colour.
        o.notationChanged = false;
        o.result = Result::OutOfRange;
        o.reason = std::string(resultText(Result::OutOfRange)) + (why.empty() ? "" : ": " + why);
        o.messages.emplace_back(outOfRangeMessage);
        return o;
    };
    // A step outside 0 to 10 names no hue ("15R" is not 5YR).
    if (!(step >= 0.0 && step <= 10.0)) {
        std::string shown = stepText;
        shown.erase(0, shown.find_first_not_of(" \t"));
        shown.erase(shown.find_last_not_of(" \t") + 1);
        return fail("hue step " + shown + " is outside 0 to 10");
    }
    const std::optional<float> value = boxNumber(state_.munsell[1]);
    const std::optional<float> chroma = boxNumber(state_.munsell[2]);
    if (!value || !chroma) {
        return fail("Value and Chroma must be numbers");
    }
    float V = *value;
    const float C = *chroma;
    if (V > 10.0f) {
        return fail("Value above 10");
    }
    // The scroll bars follow the notation as typed (10RP moves the hue bar
    // to 200); a position beyond a bar's travel is a failure, and the bars
    // moved before it keep their new places.
    const int positions[3] = { roundToInt(H * 2.0f), roundToInt(V * 2.0f), roundToInt(C) };
    static const char *const beyond[3]
        = { "hue beyond the hue circle", "Value below the scale", "Chroma outside 0 to 40" };
    for (std::size_t i = 0; i < 3; ++i) {
        if (!munsellTravel[i].holds(positions[i])) {
            return fail(beyond[i]);
        }
        state_.munsellScroll[i] = positions[i];
    }
    H = engine::wrapHue(H); // 10RP is 0
    ColourNumbers n;
    n.H = H;
    n.V = V;
    n.C = C;
    switch (
        engine::mun2xyz(table_, state_.illuminant, state_.pwd, H, V, C, n.X, n.Y, n.Z, n.x, n.y)) {
    case engine::Mun2XyzStatus::Ok:
        break;
    case engine::Mun2XyzStatus::OutsideData:
        // The table has no colour for it: none is shown (the zeros it gives
        // are no black of this notation).
        showNoColour(outsideDataNote);
        state_.numbers.H = H;
        state_.numbers.V = V;
        state_.numbers.C = C;
        o.result = Result::OutsideData;
        o.reason = "outside the renotation data";
        if (C > engine::tableChromaLimit) {
            o.reason += ": beyond Chroma 32 of the table";
        }
        return o;
    case engine::Mun2XyzStatus::OutOfRange:
        return fail({});
    }
    state_.numbers = n;
    const float shown[3] = { n.X, n.Y, n.Z };
    for (std::size_t i = 0; i < 3; ++i) {
        state_.xyz[i] = pattern(shown[i], patterns::twoDecimalsLeadingZero);
    }
    state_.xy[0] = pattern(n.x, patterns::fourDecimalsLeadingZero);
    state_.xy[1] = pattern(n.y, patterns::fourDecimalsLeadingZero);
    float X = n.X, Y = n.Y, Z = n.Z;
    showLab(o, X, Y, Z);
    showRgb(o, X, Y, Z);
    return o;
}

void ConversionCycle::showLab(Outcome &o, float &X, float &Y, float &Z) {
    float L = 0.0f, a = 0.0f, b = 0.0f;
    engine::xyzlab(state_.illuminant, X, Y, Z, L, a, b);
    state_.lab[0] = pattern(L, patterns::twoDecimals);
    state_.lab[1] = pattern(a, patterns::twoDecimals);
    state_.lab[2] = pattern(b, patterns::twoDecimals);
    state_.numbers.L = L;
    state_.numbers.a = a;
    state_.numbers.b = b;
    o.labShown = true;
}

Outcome ConversionCycle::doXyzenter() {
    munsellNote_ = nullptr;
    float in[3];
    if (!readColourBoxes(state_.xyz, in)) {
        // Every field stays as it was.
        return formatError("X, Y and Z must be numbers within -1000 to 1000");
    }
    return fromXyz(in[0], in[1], in[2], true);
}

Outcome ConversionCycle::fromXyz(float X, float Y, float Z, bool boxesHoldThese) {
    Outcome o;
    state_.numbers.X = X;
    state_.numbers.Y = Y;
    state_.numbers.Z = Z;
    const float shown[3] = { X, Y, Z };
    // CIELAB raises X, Y, Z below 0.01 to 0.01; the RGB step works on the
    // raised values.
    showLab(o, X, Y, Z);
    ciemun(o, boxesHoldThese ? shown : nullptr);
    showRgb(o, X, Y, Z);
    return o;
}

Outcome ConversionCycle::doChromaticityEnter() {
    munsellNote_ = nullptr;
    const std::optional<float> x = boxNumber(state_.xy[0], absurd);
    const std::optional<float> y = boxNumber(state_.xy[1], absurd);
    const std::optional<float> luminance = boxNumber(state_.xyz[1], absurd);
    if (!x || !y || !luminance || *y == 0.0f) {
        return formatError("x, y and Y must be numbers, y not 0");
    }
    const float z = 1.0f - *x - *y;
    float Y = *luminance;
    float X = *x * Y / *y;
    float Z = z * Y / *y;
    if (!allFinite({ X, Z, X + Y + Z })) {
        return formatError("x, y and Y give no X and Z a number can hold");
    }
    state_.xyz[0] = pattern(X, patterns::twoDecimals);
    state_.xyz[2] = pattern(Z, patterns::twoDecimals);
    return fromXyz(X, Y, Z, false);
}

Outcome ConversionCycle::doLabenter() {
    munsellNote_ = nullptr;
    float in[3];
    if (!readColourBoxes(state_.lab, in)) {
        return formatError("L*, a* and b* must be numbers within -1000 to 1000");
    }
    float X = 0.0f, Y = 0.0f, Z = 0.0f;
    engine::labxyz(state_.illuminant, X, Y, Z, in[0], in[1], in[2]);
    if (!allFinite({ X, Y, Z, X + Y + Z })) {
        return formatError("L*, a* and b* give no X, Y, Z a number can hold");
    }
    Outcome o;
    state_.xyz[0] = pattern(X, patterns::twoDecimals);
    state_.xyz[1] = pattern(Y, patterns::twoDecimals);
    state_.xyz[2] = pattern(Z, patterns::twoDecimals);
    state_.numbers.X = X;
    state_.numbers.Y = Y;
    state_.numbers.Z = Z;
    state_.numbers.L = in[0];
    state_.numbers.a = in[1];
    state_.numbers.b = in[2];
    // The tolerance set follows a CIELAB entry too.
    o.labShown = true;
    showRgb(o, X, Y, Z);
    ciemun(o);
    return o;
}

Outcome ConversionCycle::doCommand6() {
    munsellNote_ = nullptr;
    int channel[3];
    for (std::size_t i = 0; i < 3; ++i) {
        // The leading number of the text, rounded; anything outside 0..255
        // (negative, or beyond any integer) is taken to the nearest end.
        const double v = text::leadingNumber(state_.rgb[i]);
        channel[i] = !(v > 0.0) ? 0 : v >= 255.0 ? 255 : static_cast<int>(text::roundHalfEven(v));
    }
    float linear[3];
    for (std::size_t i = 0; i < 3; ++i) {
        state_.rgb[i] = std::to_string(channel[i]);
        state_.rgbScroll[i] = channel[i];
        linear[i] = engine::displayToLinear(channel[i], state_.display, static_cast<int>(i));
    }
    state_.patch = { channel[0], channel[1], channel[2] };
    state_.clippedPatch = state_.patch;
    // A colour given in display values is shown as it is.
    state_.outofgamut = false;
    Outcome o;
    rgbcmyk(linear[0], linear[1], linear[2]);
    rgbTail(o, linear[0], linear[1], linear[2]);
    return o;
}

void ConversionCycle::rgbTail(Outcome &o, float r, float g, float b) {
    float X = 0.0f, Y = 0.0f, Z = 0.0f;
    engine::rgbxyz(state_.illuminant, r, g, b, X, Y, Z);
    X = twoDecimals(X * 100.0f);
    Y = twoDecimals(Y * 100.0f);
    Z = twoDecimals(Z * 100.0f);
    state_.xyz[0] = text::plainText(X);
    state_.xyz[1] = text::plainText(Y);
    state_.xyz[2] = text::plainText(Z);
    state_.numbers.X = X;
    state_.numbers.Y = Y;
    state_.numbers.Z = Z;
    showLab(o, X, Y, Z);
    ciemun(o);
    // RGB and CMYK entry end with a colour the display shows: a note left
    // by an earlier colour goes (the Munsell one stays when it applies).
    state_.rangeNote = munsellNote_ != nullptr ? munsellNote_ : "";
    o.outOfRgb = state_.outofgamut;
}

Outcome ConversionCycle::doCmyk() {
    munsellNote_ = nullptr;
    float ink[4];
    for (std::size_t i = 0; i < 4; ++i) {
        const std::optional<float> v = boxNumber(state_.cmyk[i]);
        if (!v) {
            return formatError("C, M, Y and K must be numbers");
        }
        ink[i] = std::clamp(*v / 100.0f, 0.0f, 1.0f);
    }
    Outcome o;
    cmykrgb(o, ink[0], ink[1], ink[2], ink[3]);
    return o;
}

void ConversionCycle::cmykrgb(Outcome &o, float C, float M, float Y, float K) {
    const engine::CmykToRgb out = engine::cmykrgb(state_.display, C, M, Y, K);
    state_.outofgamut = out.clamped;
    state_.patch = { out.R, out.G, out.B };
    state_.clippedPatch = state_.patch;
    const int channel[3] = { out.R, out.G, out.B };
    for (std::size_t i = 0; i < 3; ++i) {
        state_.rgb[i] = std::to_string(channel[i]);
        state_.rgbScroll[i] = rgbTravel.clamp(channel[i]);
    }
    rgbTail(o, out.r, out.g, out.b);
}

void ConversionCycle::rgbcmyk(float r, float g, float b) {
    const engine::CmykPercent p = engine::rgbcmyk(state_.display, r, g, b);
    state_.cmyk
        = { std::to_string(p.C), std::to_string(p.M), std::to_string(p.Y), std::to_string(p.K) };
}

void ConversionCycle::showRgb(Outcome &o, float &X, float &Y, float &Z) {
    const engine::RgbResult out = engine::xyzrgb(state_.illuminant, state_.display, X, Y, Z);
    state_.outofgamut = out.outofgamut;
    o.outOfRgb = out.outofgamut;
    int R = out.R, G = out.G, B = out.B;
    if (!state_.quietrgb) {
        if (out.outofgamut) {
            R = G = B = 0;
        }
        const int channel[3] = { R, G, B };
        for (std::size_t i = 0; i < 3; ++i) {
            state_.rgb[i] = std::to_string(channel[i]);
            state_.rgbScroll[i] = rgbTravel.clamp(channel[i]);
        }
        showRangeNote();
        float r = out.r, g = out.g, b = out.b;
        rgbcmyk(r, g, b);
    }
    state_.patch = { R, G, B };
    state_.clippedPatch = { out.R, out.G, out.B };
}

void ConversionCycle::showRangeNote() {
    // Both notes when both apply; a colour without light or outside the
    // data has no display colour to speak of.
    if (munsellNote_ == nullptr) {
        state_.rangeNote = state_.outofgamut ? outOfRgbNote : "";
    } else if (munsellNote_ == outOfRangeNote && state_.outofgamut) {
        state_.rangeNote = outOfBothNote;
    } else {
        state_.rangeNote = munsellNote_;
    }
}

void ConversionCycle::showNoColour(const char *note) {
    state_.xyz.fill({});
    state_.xy.fill({});
    state_.lab.fill({});
    state_.numbers = {};
    state_.outofgamut = false;
    state_.patch = {};
    state_.clippedPatch = {};
    munsellNote_ = note;
    // A quiet run leaves the RGB side as it is.
    if (!state_.quietrgb) {
        state_.rgb.fill({});
        state_.cmyk.fill({});
        state_.rangeNote = note;
    }
}

bool ConversionCycle::notationShown() const {
    return !state_.munsell[0].empty() && !state_.munsell[2].empty();
}

void ConversionCycle::ciemun(Outcome &o, const float *boxes) {
    // The X, Y, Z boxes as they stand (rounded to the digits shown), read
    // again unless the caller has just read them.
    float in[3];
    if (boxes != nullptr) {
        std::copy(boxes, boxes + 3, in);
    } else {
        for (std::size_t i = 0; i < 3; ++i) {
            const std::optional<float> v = boxNumber(state_.xyz[i]);
            if (!v) {
                o.result = Result::FormatError;
                o.reason = "X, Y and Z must be numbers";
                return;
            }
            in[i] = *v;
        }
    }
    float X = in[0], Y = in[1], Z = in[2];
    if (!(X + Y + Z > 0.0f)) {
        // No chromaticity and no notation: the boxes say so rather than
        // keep another colour's.
        munsellNote_ = noLightNote;
        state_.munsell = {};
        state_.xy = {};
        state_.rangeNote = noLightNote;
        o.result = Result::NoLight;
        o.reason = "no light: X + Y + Z must be positive";
        return;
    }
    state_.xy[0] = pattern(X / (X + Y + Z), patterns::fourDecimals);
    state_.xy[1] = pattern(Y / (Y + X + Z), patterns::fourDecimals);
    state_.numbers.x = X / (X + Y + Z);
    state_.numbers.y = Y / (Y + X + Z);

    // The notation belongs to illuminant C.
    bool placed = true;
    if (state_.illuminant != engine::Illuminant::C_1931) {
        float x = 0.0f, y = 0.0f;
        placed = engine::xyzconvert(engine::Direction::Back, state_.illuminant, X, Y, Z, x, y);
    }
    float H = 0.0f, V = 0.0f, C = 0.0f;
    if (placed) {
        if (exact_) {
            // The exact inverse leaves H, V, C alone when it fails: V of Y
            // still names the level the colour would stand at.
            float Yv = Y;
            V = engine::y2value(Yv, state_.pwd);
            placed = engine::xyz2munExact(table_, state_.pwd, X, Y, Z, H, V, C)
                == engine::ExactStatus::Ok;
        } else {
            placed = engine::xyz2mun(table_, state_.pwd, H, V, C, X, Y, Z)
                == engine::Xyz2MunStatus::Ok;
        }
    } else {
        V = engine::y2value(Y, state_.pwd);
    }
    state_.numbers.H = H;
    state_.numbers.V = V;
    state_.numbers.C = C;
    const float shownV = V < 0.5f ? 0.5f : V;
    if (!placed) {
        // No notation has a meaning here: say so under the patch and leave
        // the hue and Chroma boxes empty rather than show a made-up one.
        munsellNote_ = outOfRangeNote;
        state_.munsell[0].clear();
        state_.munsell[1] = pattern(shownV, patterns::twoDecimalsLeadingZero);
        state_.munsell[2].clear();
        state_.rangeNote = outOfRangeNote;
        o.result = Result::OutOfRange;
        o.reason = exact_ ? "no colour inside the renotation data converts to this X Y Z"
                          : std::string(resultText(Result::OutOfRange));
        return;
    }
    H = twoDecimals(H);
    state_.munsell[0] = engine::hconvert(H);
    state_.munsell[1] = pattern(shownV, patterns::twoDecimalsLeadingZero);
    state_.munsell[2] = pattern(C, patterns::twoDecimalsLeadingZero);
    state_.munsellScroll[0] = munsellTravel[0].clamp(roundToInt(H * 2.0f));
    state_.munsellScroll[1] = munsellTravel[1].clamp(roundToInt(shownV * 2.0f));
    state_.munsellScroll[2] = munsellTravel[2].clamp(roundToInt(C));
    o.notationChanged = true;
}

Outcome ConversionCycle::enterIlluminantC(float X, float Y, float Z, XyzText form) {
    return run([&]() -> Outcome {
        // A reading without luminance cannot be adapted: it is entered as it
        // is, and fails on the screen as it does under C ("No Light"), rather
        // than leaving the colour before in the boxes without a word.
        float x = 0.0f, y = 0.0f;
        float aX = X, aY = Y, aZ = Z;
        if (state_.illuminant == engine::Illuminant::C_1931
            || engine::xyzconvert(
                engine::Direction::Forward, state_.illuminant, aX, aY, aZ, x, y)) {
            X = aX;
            Y = aY;
            Z = aZ;
        }
        const auto shown = [form](float v) {
            return form == XyzText::Plain ? text::plainText(v) : pattern(v, patterns::twoDecimals);
        };
        state_.xyz = { shown(X), shown(Y), shown(Z) };
        return doXyzenter();
    });
}

// --- Scroll bars -------------------------------------------------------------

Outcome ConversionCycle::hueScroll(int value) {
    state_.munsellScroll[0] = value;
    float hue = static_cast<float>(value) / 2.0f;
    if (hue == 0.0f) {
        hue = 100.0f;
    } else if (hue > 100.0f) {
        hue = 1.0f;
    }
    state_.munsell[0] = engine::hconvert(hue);
    return muncie();
}

Outcome ConversionCycle::valueScroll(int value) {
    state_.munsellScroll[1] = value;
    if (value < 20) {
        state_.munsell[1] = text::plainText(static_cast<float>(value) / 2.0f);
    }
    return muncie();
}

Outcome ConversionCycle::chromaScroll(int value) {
    state_.munsellScroll[2] = value;
    state_.munsell[2] = text::plainText(static_cast<float>(value));
    return muncie();
}

Outcome ConversionCycle::rgbScroll(int channel, int value) {
    if (channel < 0 || channel > 2) {
        return formatError("no such channel");
    }
    state_.rgbScroll[static_cast<std::size_t>(channel)] = value;
    state_.rgb[static_cast<std::size_t>(channel)] = text::plainText(static_cast<float>(value));
    return Command6_Click();
}

void ConversionCycle::showRgbOnScrolls(int R, int G, int B) {
    state_.rgbScroll = { rgbTravel.clamp(R), rgbTravel.clamp(G), rgbTravel.clamp(B) };
    tell();
}

// --- Settings ----------------------------------------------------------------

Outcome ConversionCycle::reconvert() {
    return notationShown() ? doMuncie() : doXyzenter();
}

Outcome ConversionCycle::setIlluminant(engine::Illuminant illuminant) {
    state_.illuminant = illuminant;
    return run([this] { return reconvert(); });
}

void ConversionCycle::setPwd(bool on) {
    state_.pwd = on;
    tell();
}

std::optional<Outcome> ConversionCycle::gammaTextChanged(const std::string &text) {
    state_.gammaText = text;
    // The leading number of the text, as every box reads it ("2.5x" is
    // 2.5).
    const double gamma = text::leadingNumber(text);
    if (gamma >= 1.0 && gamma <= 3.0) {
        const int position = static_cast<int>(text::roundHalfEven(gamma * 10.0));
        if (position != state_.gammaScroll) {
            return gammaScroll(position);
        }
    }
    // Nothing converts: a gamma outside 1 to 3, or one the bar already shows.
    tell();
    return std::nullopt;
}

Outcome ConversionCycle::gammaScroll(int value) {
    state_.gammaScroll = value;
    state_.gammaText = text::plainText(static_cast<float>(value) / 10.0f);
    double gamma = 0.0;
    if (text::parseNumber(state_.gammaText, gamma) && gamma != 0.0) {
        const float exponent = static_cast<float>(1.0 / gamma);
        state_.display.rgbexponent = { exponent, exponent, exponent };
    }
    return run([this] {
        Outcome o = reconvert();
        o.gammaChanged = true;
        return o;
    });
}

void ConversionCycle::setRgbScale(const std::array<float, 3> &scale) {
    state_.display.rgbscale = scale;
    tell();
}

void ConversionCycle::setQuietRgb(bool quiet) {
    state_.quietrgb = quiet;
}

// --- Without the state ---------------------------------------------------------

engine::DisplayColour ConversionCycle::munsellColour(float H, float V, float C) const {
    return engine::munsellToDisplay(table_, state_.illuminant, state_.pwd, state_.display, H, V, C);
}

LabColour ConversionCycle::labColour(float L, float a, float b) const {
    LabColour out;
    engine::labxyz(state_.illuminant, out.X, out.Y, out.Z, L, a, b);
    float X = out.X, Y = out.Y, Z = out.Z;
    out.rgb = engine::xyzrgb(state_.illuminant, state_.display, X, Y, Z);
    X = out.X;
    Y = out.Y;
    Z = out.Z;
    float x = 0.0f, y = 0.0f;
    if (state_.illuminant != engine::Illuminant::C_1931
        && !engine::xyzconvert(engine::Direction::Back, state_.illuminant, X, Y, Z, x, y)) {
        return out;
    }
    out.hasNotation = engine::xyz2mun(table_, state_.pwd, out.H, out.V, out.C, X, Y, Z)
        == engine::Xyz2MunStatus::Ok;
    return out;
}

} // namespace tw::cycle
