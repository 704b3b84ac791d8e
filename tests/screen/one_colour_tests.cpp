// One colour in every form on the real window, under every illuminant: the
// boxes typed into as a user types, and the command-line converter giving
// the same answers as the window for the same input.
#include "app/convert_lines.h"
#include "engine/notation.h"
#include "screen_fixture.h"
#include "text/numbers.h"
#include "text/patterns.h"
#include "ui/checkbox.h"
#include "ui/label.h"
#include "ui/optionarray.h"
#include "ui/textbox.h"

#include <cmath>
#include <random>
#include <sstream>

namespace tw::screen::testing {
namespace {

using OneColourTest = ScreenTest;

struct Setting {
    int option; // Option1 index
    engine::Illuminant illuminant;
    bool pwd;
};

constexpr Setting settings[] = { { 0, engine::Illuminant::C_1931, false },
    { 1, engine::Illuminant::D5000, false }, { 1, engine::Illuminant::D5000, true },
    { 2, engine::Illuminant::D65_10, false }, { 2, engine::Illuminant::D65_10, true } };

struct Notation {
    float H = 0.0f, V = 0.0f, C = 0.0f;
};

Notation notationOf(const std::array<ui::TextBox *, 3> &boxes) {
    Notation n;
    bool formatError = false;
    n.H = engine::converth(boxes[0]->text(), formatError);
    EXPECT_FALSE(formatError) << boxes[0]->text();
    n.H = n.H >= 100.0f ? n.H - 100.0f : n.H;
    double v = 0.0;
    EXPECT_TRUE(text::parseNumber(boxes[1]->text(), v));
    n.V = static_cast<float>(v);
    EXPECT_TRUE(text::parseNumber(boxes[2]->text(), v));
    n.C = static_cast<float>(v);
    return n;
}

// Types a group's texts into its boxes, the last with Enter.
template<std::size_t N>
void enterTexts(const std::array<ui::TextBox *, N> &boxes, const std::vector<std::string> &texts) {
    for (std::size_t i = 0; i + 1 < N; ++i) {
        boxes[i]->setText(texts[i]);
    }
    QLineEdit *edit = boxes[N - 1]->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromStdString(texts[N - 1]));
    QTest::keyClick(edit, Qt::Key_Return);
}

// Apart in the plane of hue and Chroma.
float planeApart(const Notation &a, const Notation &b) {
    const double angle = (a.H - b.H) * 6.283185307179586 / 100.0;
    return static_cast<float>(std::sqrt(std::max(0.0,
        static_cast<double>(a.C) * a.C + static_cast<double>(b.C) * b.C
            - 2.0 * a.C * b.C * std::cos(angle))));
}

// Whole-Value notations typed into the Munsell boxes; each group of boxes
// the window then shows, typed back in and entered, gives the notation back
// within its digits.
TEST_F(OneColourTest, EveryGroupTheWindowShowsGivesBackTheNotationTyped) {
    Form1 &f = start();
    std::mt19937 random(7u);
    for (const Setting &setting : settings) {
        ASSERT_TRUE(f.Option1->select(setting.option));
        f.Check1->setValue(setting.pwd ? 1 : 0);
        int colours = 0;
        while (colours < 8) {
            const float H = static_cast<float>(random() % 400u) / 4.0f;
            const int V = 2 + static_cast<int>(random() % 7u);
            const int C = 2 + 2 * static_cast<int>(random() % 5u);
            f.Text12[0]->setText(engine::hconvert(H));
            f.Text12[1]->setText(std::to_string(V));
            typeAndEnter(f.Text12[2], std::to_string(C));
            if (f.Text11[1]->text() == "0.00" || !f.Label19->caption().empty()) {
                continue; // outside the data or the display's gamut
            }
            ++colours;
            const std::vector<std::string> shown = allBoxes();
            const Notation typed { H, static_cast<float>(V), static_cast<float>(C) };
            const std::pair<std::vector<ui::TextBox *>, float> groups[] = {
                { { f.Text11.begin(), f.Text11.end() }, 0.1f },
                { { f.Text18.begin(), f.Text18.end() }, 0.1f },
                { { f.Text15.begin(), f.Text15.end() }, 0.1f },
                { { f.Text1.begin(), f.Text1.end() }, 0.3f },
                { { f.Text2.begin(), f.Text2.end() }, 0.9f },
            };
            for (const auto &[boxes, allowed] : groups) {
                std::vector<std::string> texts;
                for (ui::TextBox *box : boxes) {
                    texts.push_back(box->text());
                }
                // Back to the notation, then the group typed as shown.
                typeAndEnter(f.Text12[2], std::to_string(C));
                for (std::size_t i = 0; i + 1 < boxes.size(); ++i) {
                    boxes[i]->setText(texts[i]);
                }
                typeAndEnter(boxes.back(), texts.back());
                const Notation back = notationOf(f.Text12);
                EXPECT_LE(planeApart(back, typed), allowed)
                    << f.Label1->caption() << " " << shown[0] << " " << V << "/" << C << " from "
                    << texts[0] << " " << texts[1] << " -> " << f.Text12[0]->text();
                EXPECT_NEAR(back.V, typed.V, allowed / 3.0f) << shown[0] << " " << V << "/" << C;
            }
        }
    }
}

// The converter runs the screen's cycle: for the same input under the same
// settings it prints what the window's boxes show.
TEST_F(OneColourTest, TheConverterAnswersAsTheWindowShows) {
    Form1 &f = start();
    const engine::RenotationTable &table = f.cycle().table();
    std::mt19937 random(11u);
    for (const Setting &setting : settings) {
        for (const char *gamma : { "2.2", "1.8" }) {
            ASSERT_TRUE(f.Option1->select(setting.option));
            f.Check1->setValue(setting.pwd ? 1 : 0);
            f.Text5->setText(gamma);
            app::ConvertOptions options;
            options.illuminant = setting.illuminant;
            options.pwd = setting.pwd;
            options.gammaText = gamma;
            const auto converter = [&](app::ConvertOptions::Mode mode) {
                options.mode = mode;
                return app::LineConverter(table, options);
            };
            app::LineConverter toXyz = converter(app::ConvertOptions::Mode::ToXyz);
            app::LineConverter toLab = converter(app::ConvertOptions::Mode::ToLab);
            app::LineConverter toRgb = converter(app::ConvertOptions::Mode::ToRgb);
            app::LineConverter toMunsell = converter(app::ConvertOptions::Mode::ToMunsell);
            app::LineConverter fromLab = converter(app::ConvertOptions::Mode::FromLab);
            app::LineConverter fromRgb = converter(app::ConvertOptions::Mode::FromRgb);
            for (int k = 0; k < 6; ++k) {
                const std::string hue = engine::hconvert(static_cast<float>(random() % 100u));
                const std::string value = std::to_string(1 + random() % 9u);
                const std::string chroma = std::to_string(2 * (random() % 8u));
                const std::string notation = hue + " " + value + " " + chroma;
                f.Text12[0]->setText(hue);
                f.Text12[1]->setText(value);
                typeAndEnter(f.Text12[2], chroma);
                std::string out;
                if (!toXyz.convert(notation, out)) {
                    // The window shows no colour either, and says why.
                    EXPECT_EQ(f.Text11[0]->text(), "") << notation << ": " << out;
                    EXPECT_FALSE(f.Label19->caption().empty()) << notation;
                    continue;
                }
                // Four decimals there, two in the boxes.
                std::istringstream xyz(out);
                for (ui::TextBox *box : f.Text11) {
                    double v = 0.0, shown = 0.0;
                    xyz >> v;
                    ASSERT_TRUE(text::parseNumber(box->text(), shown));
                    EXPECT_NEAR(v, shown, 0.00501) << notation;
                }
                // The boxes' CIELAB texts, with the zero before the point the
                // converter writes (".04" is "0.04" there).
                const auto leadingZero = [](std::string t) {
                    const std::size_t at = t.rfind('-', 0) == 0 ? 1 : 0;
                    if (t.compare(at, 1, ".") == 0) {
                        t.insert(at, "0");
                    }
                    return t;
                };
                ASSERT_TRUE(toLab.convert(notation, out));
                EXPECT_EQ(out,
                    leadingZero(f.Text15[0]->text()) + " " + leadingZero(f.Text15[1]->text()) + " "
                        + leadingZero(f.Text15[2]->text()));
                const std::string rgb
                    = f.Text1[0]->text() + " " + f.Text1[1]->text() + " " + f.Text1[2]->text();
                if (toRgb.convert(notation, out)) {
                    EXPECT_EQ(out, rgb) << notation;
                } else {
                    EXPECT_EQ(f.Label19->caption(), "Out of RGB Range") << notation << ": " << out;
                }

                // Each form back to the notation, on both.
                const std::vector<std::string> lab { f.Text15[0]->text(), f.Text15[1]->text(),
                    f.Text15[2]->text() };
                const std::vector<std::string> x { f.Text11[0]->text(), f.Text11[1]->text(),
                    f.Text11[2]->text() };
                const bool shown = f.Label19->caption().empty();
                const auto munsellShown = [&f] {
                    return f.Text12[0]->text() + " " + f.Text12[1]->text() + " "
                        + f.Text12[2]->text();
                };
                // At the edge of the data the digits shown can fall outside
                // it: then both refuse.
                const auto sameAnswer = [&](app::LineConverter &c, const std::string &line) {
                    const bool converted = c.convert(line, out);
                    if (!converted) {
                        EXPECT_TRUE(f.Text12[0]->text().empty()) << line << ": " << out;
                        return;
                    }
                    EXPECT_EQ(out.substr(0, out.find(' ')), f.Text12[0]->text()) << line;
                    if (c.mode() != app::ConvertOptions::Mode::ToMunsell) {
                        EXPECT_EQ(out, munsellShown()) << line;
                    }
                };
                enterTexts(f.Text15, lab);
                sameAnswer(fromLab, lab[0] + " " + lab[1] + " " + lab[2]);
                enterTexts(f.Text11, x);
                sameAnswer(toMunsell, x[0] + " " + x[1] + " " + x[2]);
                if (shown) {
                    std::istringstream channels(rgb);
                    std::vector<std::string> r(3);
                    channels >> r[0] >> r[1] >> r[2];
                    enterTexts(f.Text1, r);
                    sameAnswer(fromRgb, rgb);
                }
            }
        }
    }
}

} // namespace
} // namespace tw::screen::testing
