// The conversion screen's entry and update cycle without a window: the
// screen's state (screen_state.h) and the operations that convert the colour
// entered in one group of boxes into every other form. The window shows the
// state and hands its edits and clicks to the cycle; the command-line
// converter, the batch import, the charts, the picture analysis and the 3D
// viewer run the same operations, and every operation says what it came to
// (outcome.h).
//
// One colour in every form under every illuminant: the Munsell notation
// belongs to illuminant C, the renotation's; X Y Z, x y, L* a* b*, R G B and
// C M Y K belong to the illuminant selected. Every conversion between the
// two adapts once (Bradford, from C to the selected illuminant after Munsell
// to XYZ, back to C before XYZ to Munsell), and CIELAB is taken against the
// selected illuminant's white both ways, so that entering any group the
// screen shows gives back the notation it shows.
//
//     cycle.setTexts(Boxes::Munsell, { "5R", "5", "10" });
//     const Outcome done = cycle.muncie();
//     if (done.converted()) { ... cycle.state().lab ... }
#pragma once

#include "cycle/outcome.h"
#include "cycle/screen_state.h"
#include "engine/display_colour.h"
#include "engine/renotation_table.h"

#include <array>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace tw::cycle {

// The form X, Y, Z take in their boxes when a colour enters from outside
// the screen.
enum class XyzText {
    TwoDecimals, // "###.00", as a measurement shows them
    Plain, // the shortest text, as the spectrum import writes them
};

// A colour given in CIELAB, as the screen would show it (no state touched).
struct LabColour {
    // X, Y, Z under the selected illuminant.
    float X = 0.0f, Y = 0.0f, Z = 0.0f;
    // The display colour, clipped where the display must clip it.
    engine::RgbResult rgb;
    // The notation, when one places the colour.
    bool hasNotation = false;
    float H = 0.0f, V = 0.0f, C = 0.0f;
};

class ConversionCycle;

// A caller that runs many colours through the cycle (a batch import, a
// palette load, a picture palette) holds a ColourRun for the length of the
// run. Meanwhile the view is still told of every operation, but knows it is
// within a run (inRun()): it shows the state, and shows no message and
// refreshes no chart. When the run ends the view is told once more with the
// last outcome, without its messages, so that the charts follow the final
// colour once. Runs may nest; the outermost ends the run.
class ColourRun {
public:
    explicit ColourRun(ConversionCycle &cycle);
    ~ColourRun();
    ColourRun(const ColourRun &) = delete;
    ColourRun &operator=(const ColourRun &) = delete;

private:
    ConversionCycle &cycle_;
};

class ConversionCycle {
public:
    explicit ConversionCycle(const engine::RenotationTable &table);

    [[nodiscard]] const engine::RenotationTable &table() const { return table_; }
    [[nodiscard]] ScreenState &state() { return state_; }
    [[nodiscard]] const ScreenState &state() const { return state_; }

    // The view of the state (the window): told after every operation with
    // its outcome, and with none after a caller wrote a box or a setting.
    // Operations that run inside another tell it once, at the end.
    using Observer = std::function<void(const Outcome *)>;
    void setObserver(Observer observer) { observer_ = std::move(observer); }
    // A ColourRun is held.
    [[nodiscard]] bool inRun() const { return runs_ > 0; }

    // --- The boxes -----------------------------------------------------------
    [[nodiscard]] const std::string &text(Boxes group, int index) const;
    [[nodiscard]] std::vector<std::string> texts(Boxes group) const;
    // Writes a box as a user's edit does: it converts nothing by itself.
    void setText(Boxes group, int index, const std::string &text);
    void setTexts(Boxes group, std::initializer_list<std::string> texts);

    // --- Entry (Enter in a group of boxes) -------------------------------------
    Outcome enter(Boxes group);
    Outcome muncie();
    Outcome xyzenter();
    Outcome chromaticityEnter();
    Outcome labenter();
    Outcome Command6_Click(); // RGB entry
    Outcome cmyk();
    // A colour given under illuminant C (a measurement, an imported
    // spectrum): carried to the selected illuminant, written into the XYZ
    // boxes, then XYZ entry.
    Outcome enterIlluminantC(float X, float Y, float Z, XyzText form);

    // --- The scroll bars -------------------------------------------------------
    Outcome hueScroll(int value); // VScroll1
    Outcome valueScroll(int value); // VScroll2
    Outcome chromaScroll(int value); // VScroll3
    Outcome rgbScroll(int channel, int value); // VScroll4 to VScroll6
    // Moves VScroll4 to VScroll6 without converting (the palette writer
    // shows the R, G, B it saves).
    void showRgbOnScrolls(int R, int G, int B);

    // --- Settings --------------------------------------------------------------
    // The illuminant option: converts the colour again.
    Outcome setIlluminant(engine::Illuminant illuminant);
    // PWD: converts nothing until the next entry.
    void setPwd(bool on);
    // The gamma box changed: a number from 1 to 3 moves the gamma bar to ten
    // times it, which converts again; anything else is ignored.
    // Nothing when no conversion ran.
    std::optional<Outcome> gammaTextChanged(const std::string &text);
    // The gamma bar moved: the box shows a tenth of it, rgbexponent becomes
    // 1 / gamma, and the colour is converted again.
    Outcome gammaScroll(int value);
    // rgbscale, the viewing-light tint; converts nothing.
    void setRgbScale(const std::array<float, 3> &scale);
    void setQuietRgb(bool quiet);
    // XYZ to Munsell by the exact inverse of Munsell to XYZ instead of the
    // level-by-level search (the command line's choice; the window never
    // sets it).
    void setExactInverse(bool exact) { exact_ = exact; }

    // --- What the screen would show, without touching the state ---------------
    // A notation (hue number, Value, Chroma) as the display shows it under
    // the state's illuminant, PWD and display settings.
    [[nodiscard]] engine::DisplayColour munsellColour(float H, float V, float C) const;
    // A CIELAB colour as CIELAB entry would show it.
    [[nodiscard]] LabColour labColour(float L, float a, float b) const;

private:
    Outcome doMuncie();
    Outcome doXyzenter();
    Outcome doChromaticityEnter();
    Outcome doLabenter();
    Outcome doCommand6();
    Outcome doCmyk();
    Outcome reconvert();
    // Runs an operation and tells the view its outcome, unless it runs
    // inside another operation (which tells it once, at its end).
    template<class Operation> Outcome run(Operation operation);
    Outcome told(Outcome outcome);
    void tell();

    // X, Y, Z to CIELAB, Munsell and RGB: the rest of XYZ and chromaticity
    // entry.
    // `boxesHoldThese`: the X, Y, Z boxes hold exactly these numbers.
    Outcome fromXyz(float X, float Y, float Z, bool boxesHoldThese);
    // The steps the entries share; each writes its boxes.
    void showLab(Outcome &o, float &X, float &Y, float &Z);
    void showRgb(Outcome &o, float &X, float &Y, float &Z);
    void rgbcmyk(float r, float g, float b);
    void rgbTail(Outcome &o, float r, float g, float b);
    void cmykrgb(Outcome &o, float C, float M, float Y, float K);
    // XYZ to Munsell from the X, Y, Z boxes (`boxes`: the numbers they hold,
    // when the caller has just read them).
    void ciemun(Outcome &o, const float *boxes = nullptr);
    void showRangeNote();
    // A Munsell entry that gives no colour: the other forms emptied, the
    // patch black, the note saying why.
    void showNoColour(const char *note);
    [[nodiscard]] bool notationShown() const;

    const engine::RenotationTable &table_;
    ScreenState state_;
    Observer observer_;
    // What the note under the patch says of the notation until the next
    // entry: nothing, "Out of Munsell Range", "Outside Munsell Data" or "No
    // Light".
    const char *munsellNote_ = nullptr;
    bool exact_ = false;
    int depth_ = 0;
    // ColourRuns held, and the last outcome told within them.
    int runs_ = 0;
    bool ranInRun_ = false;
    Outcome last_;

    friend class ColourRun;
};

// The number a box's text holds (a whole text that is one finite number),
// or nothing.
[[nodiscard]] std::optional<float> boxNumber(const std::string &text);

// "Illuminant C 2 degree observer", "Illuminant D50 2 degree observer",
// "Illuminant D65 10 degree observer": the files' notes.
[[nodiscard]] std::string illuminantText(engine::Illuminant illuminant);

} // namespace tw::cycle
