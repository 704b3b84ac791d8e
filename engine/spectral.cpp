// Weighted-ordinate integration of a reflectance curve.
//
// The weights are the products of the relative spectral power of CIE
// illuminant C and the CIE 1931 2-degree colour-matching functions at 10 nm
// intervals, normalised so that a perfect reflector gives Y = 100, rounded to
// three decimals. Their column sums are X 98.074, Y 100.000, Z 118.230 (Z is
// 0.002 short of the illuminant C white because of that rounding).
#include "engine/spectral.h"

namespace tw::engine {

const WeightTable &getweights() {
    static const WeightTable table = [] {
        WeightTable t {};
        static constexpr float rows[40][3] = {
            { 0.000f, 0.000f, 0.000f },
            { 0.001f, 0.000f, 0.004f },
            { 0.004f, 0.000f, 0.017f },
            { 0.018f, 0.001f, 0.084f },
            { 0.076f, 0.002f, 0.358f },
            { 0.325f, 0.009f, 1.547f },
            { 1.292f, 0.038f, 6.207f },
            { 2.968f, 0.123f, 14.496f },
            { 3.959f, 0.261f, 19.860f },
            { 3.931f, 0.443f, 20.728f },
            { 3.360f, 0.692f, 19.286f },
            { 2.283f, 1.061f, 15.022f },
            { 1.116f, 1.612f, 9.479f },
            { 0.363f, 2.358f, 5.286f },
            { 0.048f, 3.414f, 2.868f },
            { 0.092f, 4.842f, 1.512f },
            { 0.578f, 6.449f, 0.720f },
            { 1.519f, 7.936f, 0.381f },
            { 2.786f, 9.145f, 0.195f },
            { 4.285f, 9.831f, 0.086f },
            { 5.877f, 9.834f, 0.038f },
            { 7.323f, 9.148f, 0.020f },
            { 8.414f, 7.990f, 0.015f },
            { 8.985f, 6.629f, 0.010f },
            { 8.958f, 5.321f, 0.007f },
            { 8.324f, 4.177f, 0.003f },
            { 7.055f, 3.146f, 0.001f },
            { 5.327f, 2.196f, 0.000f },
            { 3.692f, 1.442f, 0.000f },
            { 2.352f, 0.887f, 0.000f },
            { 1.360f, 0.503f, 0.000f },
            { 0.713f, 0.261f, 0.000f },
            { 0.364f, 0.132f, 0.000f },
            { 0.172f, 0.062f, 0.000f },
            { 0.080f, 0.029f, 0.000f },
            { 0.039f, 0.014f, 0.000f },
            { 0.019f, 0.007f, 0.000f },
            { 0.009f, 0.003f, 0.000f },
            { 0.004f, 0.001f, 0.000f },
            { 0.003f, 0.001f, 0.000f },
        };
        for (int i = 1; i <= 40; ++i) {
            t[i] = { rows[i - 1][0], rows[i - 1][1], rows[i - 1][2] };
        }
        t[0] = { 98.074f, 100.0f, 118.232f };
        return t;
    }();
    return table;
}

void tris(const Spectrum &spectrum, float &X, float &Y, float &Z) {
    const WeightTable &w = getweights();
    X = 0.0f;
    Y = 0.0f;
    Z = 0.0f;
    for (int i = 1; i <= 40; ++i) {
        X += spectrum[i] * w[i].x;
        Y += spectrum[i] * w[i].y;
        Z += spectrum[i] * w[i].z;
    }
    X /= 100.0f;
    Y /= 100.0f;
    Z /= 100.0f;
}

} // namespace tw::engine
