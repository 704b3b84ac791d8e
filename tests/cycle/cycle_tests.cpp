// The conversion cycle without a window: one colour in every form under
// every illuminant, what each failure leaves, a measured colour under any
// illuminant, and what the view is told.
#include "cycle/conversion_cycle.h"
#include "engine/notation.h"
#include "text/numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace tw::cycle {
namespace {

const engine::RenotationTable &table() {
    static const engine::RenotationTable loaded = [] {
        engine::RenotationTable t;
        std::string error;
        if (!t.loadFile(std::string(TW_DATA_DIR) + "/Muncie.dat", error)) {
            ADD_FAILURE() << error;
        }
        return t;
    }();
    return loaded;
}

struct Notation {
    float H = 0.0f, V = 0.0f, C = 0.0f;
};

// The notation the Munsell boxes show.
Notation shown(const ScreenState &s) {
    Notation n;
    bool formatError = false;
    n.H = engine::converth(s.munsell[0], formatError);
    EXPECT_FALSE(formatError) << s.munsell[0];
    if (n.H >= 100.0f) {
        n.H -= 100.0f;
    }
    double v = 0.0;
    EXPECT_TRUE(text::parseNumber(s.munsell[1], v)) << s.munsell[1];
    n.V = static_cast<float>(v);
    EXPECT_TRUE(text::parseNumber(s.munsell[2], v)) << s.munsell[2];
    n.C = static_cast<float>(v);
    return n;
}

// How far apart two notations are: in the plane of hue and Chroma (a
// near-grey's hue counts for what it is worth there), and in Value.
struct Apart {
    float plane = 0.0f, value = 0.0f;
    void widen(const Apart &o) {
        plane = std::max(plane, o.plane);
        value = std::max(value, o.value);
    }
};

Apart apart(const Notation &a, const Notation &b) {
    const double angle = (a.H - b.H) * 6.283185307179586 / 100.0;
    const double squared = static_cast<double>(a.C) * a.C + static_cast<double>(b.C) * b.C
        - 2.0 * a.C * b.C * std::cos(angle);
    return { static_cast<float>(std::sqrt(std::max(0.0, squared))), std::fabs(a.V - b.V) };
}

struct Setting {
    engine::Illuminant illuminant;
    bool pwd;
};

class EveryForm : public ::testing::TestWithParam<Setting> { };

// For random colours inside the data and the display's gamut: whatever group
// of boxes the screen shows is entered, the notation comes back within what
// the displayed digits allow. At whole Values it is the notation typed; in
// between, the notation XYZ entry finds (Munsell to XYZ and back are not
// inverses there). The tolerances follow the digits: two decimals of X, Y,
// Z and CIELAB, four of x y, whole display steps of R G B, whole percent of
// ink in C M Y K.
TEST_P(EveryForm, EnteringWhatTheScreenShowsGivesBackItsNotation) {
    ConversionCycle cycle(table());
    cycle.state().illuminant = GetParam().illuminant;
    cycle.state().pwd = GetParam().pwd;
    const Boxes groups[] = { Boxes::Xyz, Boxes::Chromaticity, Boxes::Lab, Boxes::Rgb, Boxes::Cmyk };
    const Apart allowed[]
        = { { 0.1f, 0.02f }, { 0.1f, 0.02f }, { 0.1f, 0.02f }, { 0.3f, 0.1f }, { 0.9f, 0.3f } };
    Apart worst[5];
    std::mt19937 random(20261209u);
    int colours = 0;
    for (int k = 0; k < 4000; ++k) {
        const bool whole = k % 2 == 0;
        // Integers only, so that every compiler draws the same colours.
        const float H = static_cast<float>(random() % 10000u) / 100.0f;
        const float V = whole ? static_cast<float>(1u + random() % 9u)
                              : 1.0f + static_cast<float>(random() % 8000u) / 1000.0f;
        const float C = static_cast<float>(random() % 2000u) / 100.0f;
        cycle.setTexts(
            Boxes::Munsell, { engine::hconvert(H), text::plainText(V), text::plainText(C) });
        const Outcome typed = cycle.muncie();
        if (!typed.converted() || typed.outOfRgb) {
            continue;
        }
        ++colours;
        const ScreenState screen = cycle.state();
        Notation expected { H >= 100.0f ? H - 100.0f : H, V, C };
        if (!whole) {
            ASSERT_TRUE(cycle.xyzenter().converted());
            expected = shown(cycle.state());
        }
        for (std::size_t g = 0; g < std::size(groups); ++g) {
            cycle.state() = screen;
            const Outcome entered = cycle.enter(groups[g]);
            ASSERT_TRUE(entered.converted()) << entered.reason;
            const Apart d = apart(shown(cycle.state()), expected);
            worst[g].widen(d);
            EXPECT_LE(d.plane, allowed[g].plane) << screen.munsell[0] << " " << V << "/" << C;
            EXPECT_LE(d.value, allowed[g].value) << screen.munsell[0] << " " << V << "/" << C;
        }
    }
    EXPECT_GT(colours, 1500);
    for (std::size_t g = 0; g < std::size(groups); ++g) {
        std::printf("  group %zu: largest difference in hue and Chroma %.3f, in Value %.3f\n", g,
            worst[g].plane, worst[g].value);
    }
}

INSTANTIATE_TEST_SUITE_P(Illuminants, EveryForm,
    ::testing::Values(Setting { engine::Illuminant::C_1931, false },
        Setting { engine::Illuminant::C_1931, true }, Setting { engine::Illuminant::D5000, false },
        Setting { engine::Illuminant::D5000, true }, Setting { engine::Illuminant::D65_10, false },
        Setting { engine::Illuminant::D65_10, true }));

// A colour given under illuminant C (a measurement) keeps its notation
// whichever illuminant is ticked; its X, Y, Z are shown adapted.
TEST(Measured, KeepsItsNotationUnderEveryIlluminant) {
    ConversionCycle cycle(table());
    ASSERT_TRUE(cycle.enterIlluminantC(30.0f, 20.0f, 10.0f, XyzText::TwoDecimals).converted());
    const Notation underC = shown(cycle.state());
    EXPECT_EQ(cycle.state().xyz[0], "30.00");
    for (engine::Illuminant ill : { engine::Illuminant::D5000, engine::Illuminant::D65_10 }) {
        cycle.state().illuminant = ill;
        ASSERT_TRUE(cycle.enterIlluminantC(30.0f, 20.0f, 10.0f, XyzText::TwoDecimals).converted());
        // Within what the two decimals of the adapted X, Y, Z allow.
        const Apart d = apart(shown(cycle.state()), underC);
        EXPECT_LE(d.plane, 0.02f);
        EXPECT_LE(d.value, 0.011f);
        EXPECT_NE(cycle.state().xyz[0], "30.00") << "X is shown for the illuminant ticked";
    }
}

struct Failing {
    const char *what;
    Boxes group;
    std::vector<std::string> texts;
    Result result;
    const char *message; // the modal message, or ""
    const char *reason; // a part of the reason
};

class Failures : public ::testing::TestWithParam<Failing> { };

// Each failure says what it is; a format error changes nothing at all.
TEST_P(Failures, SayWhatTheyAre) {
    const Failing &row = GetParam();
    ConversionCycle cycle(table());
    ASSERT_TRUE(cycle.muncie().converted());
    int i = 0;
    for (const std::string &t : row.texts) {
        cycle.state().setText(row.group, i++, t);
    }
    const ScreenState before = cycle.state();
    const Outcome o = cycle.enter(row.group);
    EXPECT_EQ(o.result, row.result) << row.what;
    EXPECT_FALSE(o.converted());
    EXPECT_NE(o.reason.find(row.reason), std::string::npos) << row.what << ": " << o.reason;
    if (*row.message != '\0') {
        EXPECT_EQ(o.messages, std::vector<std::string> { row.message }) << row.what;
    } else {
        EXPECT_TRUE(o.messages.empty()) << row.what;
    }
    if (row.result == Result::FormatError) {
        EXPECT_EQ(cycle.state().xyz, before.xyz) << row.what;
        EXPECT_EQ(cycle.state().lab, before.lab) << row.what;
        EXPECT_EQ(cycle.state().rgb, before.rgb) << row.what;
        EXPECT_EQ(cycle.state().munsellScroll, before.munsellScroll) << row.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Failures,
    ::testing::Values(Failing { "no family", Boxes::Munsell, { "5Q", "5", "4" },
                          Result::FormatError, "Format Error", "no hue family" },
        Failing { "no step", Boxes::Munsell, { "R", "5", "4" }, Result::FormatError, "Format Error",
            "needs a number" },
        Failing { "a step beyond the family", Boxes::Munsell, { "15R", "5", "4" },
            Result::OutOfRange, "Out of Munsell Range", "hue step 15 is outside 0 to 10" },
        Failing { "Value above 10", Boxes::Munsell, { "5R", "10.2", "4" }, Result::OutOfRange,
            "Out of Munsell Range", "Value above 10" },
        Failing { "Chroma 60", Boxes::Munsell, { "5R", "5", "60" }, Result::OutOfRange,
            "Out of Munsell Range", "Chroma" },
        Failing { "beyond the data", Boxes::Munsell, { "5R", "5", "40" }, Result::OutsideData, "",
            "outside the renotation data" },
        Failing { "black", Boxes::Xyz, { "0", "0", "0" }, Result::NoLight, "", "no light" },
        Failing { "beyond the spectrum locus", Boxes::Xyz, { "10", "80", "0.5" },
            Result::OutOfRange, "", "out of the Munsell range" },
        Failing { "words", Boxes::Xyz, { "abc", "20", "20" }, Result::FormatError, "",
            "must be numbers" },
        Failing { "absurd", Boxes::Lab, { "1e30", "0", "0" }, Result::FormatError, "",
            "within -1000 to 1000" },
        Failing { "y of 0", Boxes::Chromaticity, { "0.3", "0" }, Result::FormatError, "", "y" },
        Failing { "ink words", Boxes::Cmyk, { "a", "0", "0", "0" }, Result::FormatError, "",
            "must be numbers" }));

// A Munsell entry that fails after the hue bar moved keeps the hue bar where
// it moved: the fields written before a failure keep their new values.
// A refused notation keeps the scroll bars it moved, and shows no colour
// beside it: not the one before, nor a black.
TEST(Failures, ARefusedNotationShowsNoOtherColour) {
    ConversionCycle cycle(table());
    ASSERT_TRUE(cycle.muncie().converted());
    cycle.setTexts(Boxes::Munsell, { "7.5R", "0", "4" });
    const Outcome refused = cycle.muncie();
    EXPECT_EQ(refused.result, Result::OutOfRange);
    EXPECT_FALSE(refused.labShown);
    EXPECT_FALSE(refused.notationChanged) << "no chart follows it";
    EXPECT_EQ(cycle.state().munsellScroll[0], 15);
    for (const auto &box : cycle.state().xyz) {
        EXPECT_EQ(box, "");
    }
    EXPECT_EQ(cycle.state().rgb[0], "");
    EXPECT_EQ(cycle.state().rangeNote, "Out of Munsell Range");
}

// A black reading fails the same way under every illuminant: "No Light",
// and the notation before it is not left standing.
TEST(Failures, ABlackReadingIsNoLightUnderEveryIlluminant) {
    for (engine::Illuminant ill :
        { engine::Illuminant::C_1931, engine::Illuminant::D5000, engine::Illuminant::D65_10 }) {
        ConversionCycle cycle(table());
        cycle.state().illuminant = ill;
        ASSERT_TRUE(cycle.muncie().converted());
        const Outcome black = cycle.enterIlluminantC(0.0f, 0.0f, 0.0f, XyzText::TwoDecimals);
        EXPECT_EQ(black.result, Result::NoLight);
        EXPECT_EQ(cycle.state().rangeNote, "No Light");
        EXPECT_EQ(cycle.state().munsell[0], "");
    }
}

// The view is told once an operation, however many operations run inside
// it, and once for a box written by a caller.
TEST(View, IsToldOnceAnOperation) {
    ConversionCycle cycle(table());
    int told = 0, withOutcome = 0;
    cycle.setObserver([&](const Outcome *o) {
        ++told;
        withOutcome += o != nullptr ? 1 : 0;
    });
    (void)cycle.muncie();
    EXPECT_EQ(told, 1);
    const std::optional<Outcome> gamma = cycle.gammaTextChanged("1.8");
    ASSERT_TRUE(gamma.has_value());
    EXPECT_TRUE(gamma->gammaChanged);
    EXPECT_EQ(cycle.state().gammaText, "1.8");
    EXPECT_EQ(told, 2) << "the gamma's reconversion is told with it";
    EXPECT_FALSE(cycle.gammaTextChanged("1.84").has_value()) << "the bar shows 18 already";
    cycle.setText(Boxes::Munsell, 0, "5Y");
    EXPECT_EQ(told, 4);
    EXPECT_EQ(withOutcome, 2);
}

// The tolerance set's standard: a CIELAB the screen shows, converted as the
// screen converts it, is the screen's own colour under every illuminant.
TEST(LabColour, IsTheScreensColour) {
    for (engine::Illuminant ill :
        { engine::Illuminant::C_1931, engine::Illuminant::D5000, engine::Illuminant::D65_10 }) {
        ConversionCycle cycle(table());
        cycle.state().illuminant = ill;
        ASSERT_TRUE(cycle.muncie().converted());
        const ColourNumbers &n = cycle.state().numbers;
        const LabColour c = cycle.labColour(n.L, n.a, n.b);
        const DisplayRgb patch = cycle.state().patch;
        EXPECT_NEAR(c.rgb.R, patch.R, 1);
        EXPECT_NEAR(c.rgb.G, patch.G, 1);
        EXPECT_NEAR(c.rgb.B, patch.B, 1);
        ASSERT_TRUE(c.hasNotation);
        EXPECT_NEAR(c.H, 5.0f, 0.02f);
        EXPECT_NEAR(c.V, 5.0f, 0.01f);
        EXPECT_NEAR(c.C, 10.0f, 0.02f);
    }
}

} // namespace
} // namespace tw::cycle
