// Grid: Values 1..8 in steps of 1 then 8.25, 8.5, 8.75, 9; hues 0..97.5 in
// steps of 2.5 (converted at H + 0.001 so that a hue on a family boundary
// falls inside the family the table names); Chromas 0..8 in steps of 1 then
// 10..30 in steps of 2. Order: Value, then hue, then Chroma.
#include "screen/conversion_table.h"

#include "cycle/conversion_cycle.h"
#include "engine/mun2xyz.h"
#include "engine/notation.h"
#include "text/numbers.h"
#include "text/patterns.h"

namespace tw::screen {

std::string conversionTable(const engine::RenotationTable &table, const TableOptions &options) {
    std::string out;
    out.reserve(9600 * 90);
    out += "Tintwise Munsell to CIE conversion table: X Y Z, CIELAB and display RGB of the "
           "Munsell renotation colours\r\n";
    out += "If R G B value is 0 or 255 the color is out of the gamut of a CRT and is for "
           "approximation only  "
        + cycle::illuminantText(options.illuminant) + "  -  Tintwise version " + options.version
        + "\r\n";
    out += "Angle\tHue\tValue\tChroma\tX\tY\tZ\tL*\ta*\tb*\tR\tG\tB\r\n";

    for (float V = 1.0f; V <= 9.0f; V += (V < 8.0f ? 1.0f : 0.25f)) {
        for (float H = 0.0f; H <= 99.0f; H += 2.5f) {
            for (float C = 0.0f; C <= 30.0f; C += (C < 8.0f ? 1.0f : 2.0f)) {
                float value = V;
                float X = 0.0f, Y = 0.0f, Z = 0.0f, x = 0.0f, y = 0.0f;
                if (engine::mun2xyz(
                        table, options.illuminant, options.pwd, H + 0.001f, value, C, X, Y, Z, x, y)
                    != engine::Mun2XyzStatus::Ok) {
                    continue;
                }
                if (X <= 0.01f || Y <= 0.01f || Z <= 0.01f) {
                    continue;
                }
                float L = 0.0f, a = 0.0f, b = 0.0f;
                engine::xyzlab(options.illuminant, X, Y, Z, L, a, b);
                out += text::printNumber(H);
                out += '\t';
                out += engine::hconvert(H);
                out += '\t';
                out += text::printNumber(V);
                out += '\t';
                out += text::printNumber(C);
                for (float v : { X, Y, Z, L, a, b }) {
                    out += '\t';
                    out += text::formatPattern(v, text::patterns::twoDecimals);
                }
                const engine::RgbResult rgb
                    = engine::xyzrgb(options.illuminant, options.display, X, Y, Z);
                for (int v : { rgb.R, rgb.G, rgb.B }) {
                    out += '\t';
                    out += text::formatPattern(v, text::patterns::wholeNumber);
                }
                out += "\r\n";
            }
        }
    }
    return out;
}

} // namespace tw::screen
