// Ink model: coverage = 1 - linear ^ 0.4545 per channel; grey component
// replacement above a black threshold of 0.2 (compared in single precision,
// subtracted in double); percentages are floored.
#include "engine/cmyk.h"

#include <algorithm>
#include <cmath>

namespace tw::engine {

namespace {

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

} // namespace

CmykPercent rgbcmyk(const DisplaySettings &display, float &r, float &g, float &b) {
    for (float *channel : { &r, &g, &b }) {
        if (*channel < 0.0f) {
            *channel = 0.0f;
        }
    }
    float C = static_cast<float>(1.0 - std::pow(r, display.cmykexponent[0]));
    float M = static_cast<float>(1.0 - std::pow(g, display.cmykexponent[1]));
    float Y = static_cast<float>(1.0 - std::pow(b, display.cmykexponent[2]));
    float K = std::min({ 1.0f, C, M, Y });
    if (K < 0.2f) {
        K = 0.0f;
    } else {
        K = static_cast<float>(K - 0.2);
        C -= K;
        M -= K;
        Y -= K;
    }
    const auto percent = [](float v) { return static_cast<int>(std::floor(clamp01(v) * 100.0)); };
    return { percent(C), percent(M), percent(Y), percent(K) };
}

CmykToRgb cmykrgb(const DisplaySettings &display, float C, float M, float Y, float K) {
    CmykToRgb out;
    float lin[3] = { clamp01(1.0f - C - K), clamp01(1.0f - M - K), clamp01(1.0f - Y - K) };
    int disp[3] = {};
    for (int i = 0; i < 3; ++i) {
        lin[i] = clamp01(static_cast<float>(std::pow(lin[i], 1.0 / display.cmykexponent[i])));
        double v = std::floor(
            display.rgbscale[i] * 255.0 * std::pow(lin[i], display.rgbexponent[i]) + 0.5);
        if (v < 0.0 || v > 255.0 || std::isnan(v)) {
            out.clamped = true;
            v = v > 255.0 ? 255.0 : 0.0;
        }
        disp[i] = static_cast<int>(v);
    }
    out.r = lin[0];
    out.g = lin[1];
    out.b = lin[2];
    out.R = disp[0];
    out.G = disp[1];
    out.B = disp[2];
    return out;
}

} // namespace tw::engine
