#include "app/convert_cgats.h"

#include "engine/adaptation.h"
#include "engine/illuminant.h"
#include "engine/spectral.h"
#include "text/cgats.h"
#include "text/numbers.h"
#include "text/separated.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>

namespace tw::app {

namespace {

using cycle::Boxes;

constexpr double absurd = 1000.0;

std::string upper(std::string_view s) {
    std::string out(s);
    for (char &c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

// The wavelength a spectral field names, or nothing.
std::optional<double> wavelength(std::string_view name) {
    const std::string n = upper(name);
    for (const std::string_view prefix :
        { "SPECTRAL_NM_", "SPECTRAL_NM", "SPECTRAL_", "SPEC_", "NM_", "NM" }) {
        if (n.size() > prefix.size() && n.compare(0, prefix.size(), prefix) == 0) {
            double w = 0.0;
            if (text::parseNumber(std::string_view(n).substr(prefix.size()), w)
                && std::isdigit(static_cast<unsigned char>(n[prefix.size()])) != 0) {
                return w;
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool number(const std::string &text, float &out) {
    double v = 0.0;
    if (!text::parseNumber(text, v) || !(std::fabs(v) <= absurd)) {
        return false;
    }
    out = static_cast<float>(v);
    return true;
}

// The white the table states.
struct White {
    enum class Kind { None, Named, Own } kind = Kind::None;
    engine::Illuminant illuminant = engine::Illuminant::C_1931;
    // Own (and stated) white, on the scale of the file's numbers.
    float X = 0.0f, Y = 0.0f, Z = 0.0f;
};

bool namedIlluminant(std::string_view text, engine::Illuminant &out) {
    const std::string n = upper(text);
    if (n == "C") {
        out = engine::Illuminant::C_1931;
    } else if (n == "D50" || n == "D5000") {
        out = engine::Illuminant::D5000;
    } else if (n == "D65" || n == "D65/10") {
        out = engine::Illuminant::D65_10;
    } else {
        return false;
    }
    return true;
}

bool whiteOf(const text::CgatsTable &table, White &white, std::string &why) {
    const std::string *point = table.keyword("WHITE_POINT");
    for (const auto &[name, value] : table.keywords) {
        const std::string n = upper(name);
        if (n.size() > 15 && n.compare(n.size() - 15, 15, "WHITE_POINT_XYZ") == 0) {
            point = &value;
        }
    }
    if (point != nullptr) {
        text::SeparatedLine parts;
        parts.split(*point, text::Separator::Blanks);
        float w[3] = {};
        if (parts.size() != 3 || !number(std::string(parts[0]), w[0])
            || !number(std::string(parts[1]), w[1]) || !number(std::string(parts[2]), w[2])
            || !(w[1] > 0.0f) || !(w[0] + w[1] + w[2] > 0.0f)) {
            why = "the white point \"" + *point + "\" is no X Y Z";
            return false;
        }
        white.X = w[0];
        white.Y = w[1];
        white.Z = w[2];
        white.kind = White::Kind::Own;
        const float sum = w[0] + w[1] + w[2];
        for (const engine::Illuminant ill :
            { engine::Illuminant::C_1931, engine::Illuminant::D5000, engine::Illuminant::D65_10 }) {
            const engine::WhitePoint p = engine::whitePoint(ill);
            const float s = p.X + p.Y + p.Z;
            if (std::fabs(w[0] / sum - p.X / s) <= 0.0005f
                && std::fabs(w[1] / sum - p.Y / s) <= 0.0005f) {
                white.kind = White::Kind::Named;
                white.illuminant = ill;
            }
        }
        return true;
    }
    if (const std::string *name = table.keyword("ILLUMINANT")) {
        if (!namedIlluminant(*name, white.illuminant)) {
            why = "illuminant \"" + *name
                + "\" is none of C, D50, D65 (a WHITE_POINT keyword would say its white)";
            return false;
        }
        white.kind = White::Kind::Named;
        white.Y = 100.0f;
    }
    return true;
}

// L* a* b* to X Y Z (white Y = 100) against a white of its own.
void labToXyz(float L, float a, float b, const White &w, float &X, float &Y, float &Z) {
    const double fy = (L + 16.0) / 116.0;
    const double fx = fy + a / 500.0;
    const double fz = fy - b / 200.0;
    const auto inverse = [](double f) {
        constexpr double delta = 6.0 / 29.0;
        return f > delta ? f * f * f : 3.0 * delta * delta * (f - 4.0 / 29.0);
    };
    const double scale = 100.0 / w.Y;
    X = static_cast<float>(inverse(fx) * w.X * scale);
    Y = static_cast<float>(inverse(fy) * 100.0);
    Z = static_cast<float>(inverse(fz) * w.Z * scale);
}

std::string shortest(float v) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, r.ptr);
}

enum class Source { Spectral, Xyz, Lab };

struct Spectral {
    // The file's field of each weight's wavelength (slots 1 to 40).
    std::array<int, 41> field {};
    bool fractions = false;
};

bool spectralPlan(const text::CgatsTable &table, Spectral &plan, std::string &why) {
    std::vector<std::pair<double, int>> bands;
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        if (const std::optional<double> w = wavelength(table.fields[i])) {
            bands.emplace_back(*w, static_cast<int>(i));
        }
    }
    std::sort(bands.begin(), bands.end());
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const double w = bands[i].first;
        if (w != std::floor(w / 10.0) * 10.0) {
            why = "the spectra must lie on whole tens of nm; this file has "
                + text::plainText(static_cast<float>(w)) + " nm";
            return false;
        }
        if (i > 0 && bands[i].first - bands[i - 1].first != 10.0) {
            why = "the spectra must be 10 nm apart; this file's are "
                + text::plainText(static_cast<float>(bands[i].first - bands[i - 1].first))
                + " nm apart at " + text::plainText(static_cast<float>(bands[i - 1].first)) + " nm";
            return false;
        }
    }
    const double first = bands.front().first;
    const double last = bands.back().first;
    if (first > 400.0 || last < 700.0) {
        why = "the spectra must cover 400 to 700 nm at least; this file's cover "
            + text::plainText(static_cast<float>(first)) + " to "
            + text::plainText(static_cast<float>(last)) + " nm";
        return false;
    }
    for (int slot = 1; slot <= 40; ++slot) {
        const double w = std::clamp(350.0 + 10.0 * slot, first, last);
        const auto it = std::find_if(
            bands.begin(), bands.end(), [&](const auto &band) { return band.first == w; });
        plan.field[static_cast<std::size_t>(slot)] = it->second;
    }
    // Reflectance factors (0 to 1) or percent: no factor exceeds 2.
    float most = 0.0f;
    for (const text::CgatsSet &set : table.sets) {
        for (const auto &band : bands) {
            float v = 0.0f;
            if (number(set.values[static_cast<std::size_t>(band.second)], v)) {
                most = std::max(most, v);
            }
        }
    }
    plan.fractions = most <= 2.0f;
    return true;
}

} // namespace

bool convertCgats(std::string_view text, LineConverter &converter, CgatsRows &rows,
    std::string &why, std::size_t &line) {
    std::vector<text::CgatsTable> tables;
    if (!text::readCgats(text, tables, why, line)) {
        why = "CGATS: " + why;
        return false;
    }
    cycle::ConversionCycle &cycle = converter.cycle();
    const engine::Illuminant chosen = cycle.state().illuminant;
    bool anyColour = false;
    for (const text::CgatsTable &table : tables) {
        line = table.sets.empty() ? 0 : table.sets.front().line;
        std::vector<int> idFields;
        std::vector<std::string> idNames;
        for (std::size_t i = 0; i < table.fields.size(); ++i) {
            const std::string n = upper(table.fields[i]);
            if (n == "SAMPLE_ID" || n == "SAMPLE_NAME") {
                idFields.push_back(static_cast<int>(i));
                idNames.push_back(table.fields[i]);
            }
        }
        const bool spectral = std::any_of(table.fields.begin(), table.fields.end(),
            [](const std::string &f) { return wavelength(f).has_value(); });
        const int xyz[3] = { table.field("XYZ_X"), table.field("XYZ_Y"), table.field("XYZ_Z") };
        const int lab[3] = { table.field("LAB_L"), table.field("LAB_A"), table.field("LAB_B") };
        const bool hasXyz = xyz[0] >= 0 && xyz[1] >= 0 && xyz[2] >= 0;
        const bool hasLab = lab[0] >= 0 && lab[1] >= 0 && lab[2] >= 0;
        if (!spectral && !hasXyz && !hasLab) {
            continue; // a table of something else (device values, a calibration)
        }
        anyColour = true;
        const Source source = spectral ? Source::Spectral : hasXyz ? Source::Xyz : Source::Lab;
        Spectral plan;
        if (source == Source::Spectral && !spectralPlan(table, plan, why)) {
            return false;
        }
        White white;
        if (source != Source::Spectral && !whiteOf(table, white, why)) {
            return false;
        }
        if (idNames.empty()) {
            idNames.emplace_back("SAMPLE");
        }
        rows.table(idNames);
        std::vector<std::string> ids;
        Columns columns;
        std::string reason;
        std::size_t index = 0;
        for (const text::CgatsSet &set : table.sets) {
            ++index;
            ids.clear();
            for (const int f : idFields) {
                ids.push_back(set.values[static_cast<std::size_t>(f)]);
            }
            if (idFields.empty()) {
                ids.push_back(std::to_string(index));
            }
            const auto refuse = [&](std::string r) {
                columns.count = 0;
                rows.sample(ids, false, columns, r, set.line);
            };
            cycle.state().illuminant = chosen;
            cycle::Outcome done;
            if (source == Source::Spectral) {
                engine::Spectrum curve {};
                bool ok = true;
                for (std::size_t slot = 1; slot <= 40 && ok; ++slot) {
                    ok = number(
                        set.values[static_cast<std::size_t>(plan.field[slot])], curve[slot]);
                    curve[slot] *= plan.fractions ? 100.0f : 1.0f;
                }
                if (!ok) {
                    refuse("a reflectance is no number within -1000 to 1000");
                    continue;
                }
                float X = 0.0f, Y = 0.0f, Z = 0.0f;
                engine::tris(curve, X, Y, Z);
                done = cycle.enterIlluminantC(X, Y, Z, cycle::XyzText::Plain);
            } else {
                const int *f = source == Source::Xyz ? xyz : lab;
                float v[3];
                bool ok = true;
                for (std::size_t k = 0; k < 3 && ok; ++k) {
                    ok = number(set.values[static_cast<std::size_t>(f[k])], v[k]);
                }
                if (!ok) {
                    refuse(source == Source::Xyz
                            ? "X, Y and Z must be numbers within -1000 to 1000"
                            : "L*, a* and b* must be numbers within -1000 to 1000");
                    continue;
                }
                const float scale = white.kind == White::Kind::None ? 1.0f : 100.0f / white.Y;
                if (white.kind != White::Kind::Own) {
                    if (white.kind == White::Kind::Named) {
                        cycle.state().illuminant = white.illuminant;
                    }
                    if (source == Source::Lab) {
                        cycle.setTexts(Boxes::Lab,
                            { set.values[static_cast<std::size_t>(f[0])],
                                set.values[static_cast<std::size_t>(f[1])],
                                set.values[static_cast<std::size_t>(f[2])] });
                        done = cycle.labenter();
                    } else if (scale == 1.0f) {
                        cycle.setTexts(Boxes::Xyz,
                            { set.values[static_cast<std::size_t>(f[0])],
                                set.values[static_cast<std::size_t>(f[1])],
                                set.values[static_cast<std::size_t>(f[2])] });
                        done = cycle.xyzenter();
                    } else {
                        cycle.setTexts(Boxes::Xyz,
                            { shortest(v[0] * scale), shortest(v[1] * scale),
                                shortest(v[2] * scale) });
                        done = cycle.xyzenter();
                    }
                } else {
                    // A white of its own: X Y Z against it, adapted to C.
                    float X = v[0] * scale, Y = v[1] * scale, Z = v[2] * scale;
                    if (source == Source::Lab) {
                        labToXyz(v[0], v[1], v[2], white, X, Y, Z);
                    }
                    float Xc = 0.0f, Yc = 0.0f, Zc = 0.0f;
                    if (!engine::xyzconv(X, Y, Z, white.X * scale, 100.0f, white.Z * scale, Xc, Yc,
                            Zc, engine::whiteC.X, engine::whiteC.Y, engine::whiteC.Z)) {
                        refuse("no light: a colour without luminance cannot be adapted");
                        continue;
                    }
                    cycle.state().illuminant = engine::Illuminant::C_1931;
                    cycle.setTexts(Boxes::Xyz, { shortest(Xc), shortest(Yc), shortest(Zc) });
                    done = cycle.xyzenter();
                }
            }
            const bool converted = converter.notationColumns(done, columns, reason);
            rows.sample(ids, converted, columns, reason, set.line);
        }
    }
    cycle.state().illuminant = chosen;
    if (!anyColour) {
        why = "CGATS: no table holds XYZ_X XYZ_Y XYZ_Z, LAB_L LAB_A LAB_B or spectral fields";
        line = 1;
        return false;
    }
    return true;
}

} // namespace tw::app
