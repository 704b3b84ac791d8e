// Interpolation in the renotation table.
//
// Table units: hh = H / 2.5, vv = V, cc = C / 2; the cell is (floor(vv),
// floor(hh), floor(cc)) and those of its seven neighbours that carry weight.
// x and y are interpolated
// linearly, a + (b - a) * f, first along hue, then chroma, then value, in
// single precision. Y = value2y(V); X = Y x / y; Z = Y / y - X - Y.
#include "engine/mun2xyz.h"

#include "engine/adaptation.h"
#include "engine/notation.h"

#include <cmath>

namespace tw::engine {

namespace {

float lerp(float a, float b, float f) {
    return a + (b - a) * f;
}

} // namespace

Mun2XyzStatus mun2xyz(const RenotationTable &table, Illuminant illuminant, bool pwd, float H,
    float &V, float C, float &X, float &Y, float &Z, float &x, float &y) {
    if (V > 9.5f) {
        V = 9.5f;
    }
    if (!std::isfinite(H) || !std::isfinite(V) || !std::isfinite(C)) {
        return Mun2XyzStatus::OutOfRange;
    }
    const float hh = H / hueStep;
    const float vv = V;
    const float cc = C / chromaStep;
    // The indices are taken in float first: a hue, Value or Chroma far
    // beyond the table (1e10) has no int of its own.
    if (!(hh >= 0.0f && hh < RenotationTable::hues) || !(vv >= 0.0f && vv < RenotationTable::values)
        || !(cc >= 0.0f && cc < RenotationTable::chromas)) {
        return Mun2XyzStatus::OutOfRange;
    }
    const int ih = static_cast<int>(std::floor(hh));
    const int iv = static_cast<int>(std::floor(vv));
    const int ic = static_cast<int>(std::floor(cc));
    if (!RenotationTable::inside(iv, ih, ic) || !RenotationTable::inside(iv + 1, ih + 1, ic + 1)) {
        return Mun2XyzStatus::OutOfRange;
    }
    const float fh = hh - static_cast<float>(ih);
    const float fv = vv - static_cast<float>(iv);
    const float fc = cc - static_cast<float>(ic);

    // corner[dv][dc][dh][component]. A neighbour whose fraction is 0 has no
    // weight: it stands in for itself at the lower index, so that a colour
    // at the last Chroma of its row (or on the last hue or Value of the
    // data) needs no sample beyond it. a + (b - a) * 0 is a either way.
    const int reach[3] = { fv != 0.0f ? 1 : 0, fc != 0.0f ? 1 : 0, fh != 0.0f ? 1 : 0 };
    float corner[2][2][2][2];
    for (int dv = 0; dv < 2; ++dv) {
        for (int dc = 0; dc < 2; ++dc) {
            for (int dh = 0; dh < 2; ++dh) {
                const int v = iv + dv * reach[0], c = ic + dc * reach[1], h = ih + dh * reach[2];
                const Point p = table.point(v, h, c);
                corner[dv][dc][dh][0] = p.x;
                corner[dv][dc][dh][1] = p.y;
                if (p.x == 0.0f) {
                    X = Y = Z = 0.0f;
                    return Mun2XyzStatus::OutsideData;
                }
            }
        }
    }
    float chromaticity[2];
    for (int k = 0; k < 2; ++k) {
        float alongValue[2];
        for (int dv = 0; dv < 2; ++dv) {
            const float inner = lerp(corner[dv][0][0][k], corner[dv][0][1][k], fh);
            const float outer = lerp(corner[dv][1][0][k], corner[dv][1][1][k], fh);
            alongValue[dv] = lerp(inner, outer, fc);
        }
        chromaticity[k] = lerp(alongValue[0], alongValue[1], fv);
    }

    float Xn = 0.0f;
    float Yn = value2y(V, pwd);
    float Zn = 0.0f;
    float xn = chromaticity[0];
    float yn = chromaticity[1];
    Xn = Yn * xn / yn;
    Zn = Yn / yn - Xn - Yn;
    if (illuminant != Illuminant::C_1931
        && !xyzconvert(Direction::Forward, illuminant, Xn, Yn, Zn, xn, yn)) {
        return Mun2XyzStatus::OutOfRange;
    }
    X = Xn;
    Y = Yn;
    Z = Zn;
    x = xn;
    y = yn;
    return Mun2XyzStatus::Ok;
}

} // namespace tw::engine
