// CIELAB (CIE 1976) and sRGB.
//
// CIELAB: f(t) = t^0.333333 above 0.008856, else 7.787 t + 16/116;
// L* = 116 f(Y/Yn) - 16, a* = 500 (f(X/Xn) - f(Y/Yn)),
// b* = 200 (f(Y/Yn) - f(Z/Zn)); ratios in double precision. The exponent is
// the six-digit 0.333333, as the conversion tables of the program were made
// with it. CIELAB to XYZ inverts exactly that, both branches, against the
// same white, so that a colour's CIELAB converts back to its X, Y, Z.
//
// sRGB: the IEC 61966-2-1 matrix (and its inverse) on XYZ scaled to white
// Y = 1, after the illuminant's white is carried to D65 by a plain scaling
// of X and Z. The transfer curve is a pure power 1/gamma per channel with a
// per-channel scale (the viewing-light tint).
#include "engine/colour_spaces.h"

#include <cmath>

namespace tw::engine {

WhiteScale whiteScale(Illuminant ill) {
    switch (ill) {
    case Illuminant::D5000:
        return { 0.98574f, 1.319458f };
    case Illuminant::D65_10:
        return { 1.002489f, 1.014715f };
    case Illuminant::C_1931:
        break;
    }
    return { 0.969136f, 0.920927f };
}

namespace {

constexpr double labKnee = 0.008856;
constexpr double labExponent = 0.333333;

double labf(double t) {
    return t > labKnee ? std::pow(t, labExponent) : 7.787 * t + 16.0 / 116.0;
}

// The inverse of labf, both branches: the power above the knee, the line
// below it.
double labfInverse(double f) {
    static const double knee = std::pow(labKnee, labExponent);
    return f > knee ? std::pow(f, 1.0 / labExponent) : (f - 16.0 / 116.0) / 7.787;
}

int displayValue(float scale, float linear, float exponent) {
    const double v = std::floor(static_cast<double>(scale * 255.0f * std::pow(linear, exponent)));
    // Anything beyond the 16-bit range is clipped like any value above 255.
    if (!(v > -32768.0)) {
        return -1;
    }
    return v > 32767.0 ? 32767 : static_cast<int>(v);
}

} // namespace

void xyzlab(Illuminant ill, float &X, float &Y, float &Z, float &L, float &a, float &b) {
    const WhitePoint w = whitePoint(ill);
    if (X < 0.01f) {
        X = 0.01f;
    }
    if (Y < 0.01f) {
        Y = 0.01f;
    }
    if (Z < 0.01f) {
        Z = 0.01f;
    }
    const double fx = labf(static_cast<double>(X) / w.X);
    const double fy = labf(static_cast<double>(Y) / w.Y);
    const double fz = labf(static_cast<double>(Z) / w.Z);
    L = static_cast<float>(116.0 * fy - 16.0);
    a = static_cast<float>(500.0 * (fx - fy));
    b = static_cast<float>(200.0 * (fy - fz));
}

void labxyz(Illuminant ill, float &X, float &Y, float &Z, float L, float a, float b) {
    const WhitePoint w = whitePoint(ill);
    const double fy = (static_cast<double>(L) + 16.0) / 116.0;
    const double fx = fy + static_cast<double>(a) / 500.0;
    const double fz = fy - static_cast<double>(b) / 200.0;
    X = static_cast<float>(labfInverse(fx) * w.X);
    Y = static_cast<float>(labfInverse(fy) * w.Y);
    Z = static_cast<float>(labfInverse(fz) * w.Z);
}

RgbResult xyzrgb(Illuminant ill, const DisplaySettings &display, float &X, float &Y, float &Z) {
    const WhiteScale s = whiteScale(ill);
    X /= 100.0f;
    Y /= 100.0f;
    Z /= 100.0f;
    X *= s.x;
    Z *= s.z;

    RgbResult out;
    out.r = 3.240479f * X - 1.53715f * Y - 0.498535f * Z;
    out.g = -0.969256f * X + 1.875992f * Y + 0.041556f * Z;
    out.b = 0.055648f * X - 0.204043f * Y + 1.057311f * Z;
    for (float *channel : { &out.r, &out.g, &out.b }) {
        if (*channel < 0.0f) {
            *channel = 0.0f;
            out.outofgamut = true;
        }
    }
    out.R = displayValue(display.rgbscale[0], out.r, display.rgbexponent[0]);
    out.G = displayValue(display.rgbscale[1], out.g, display.rgbexponent[1]);
    out.B = displayValue(display.rgbscale[2], out.b, display.rgbexponent[2]);
    for (int *channel : { &out.R, &out.G, &out.B }) {
        if (*channel > 255) {
            *channel = 255;
            out.outofgamut = true;
        } else if (*channel < 0) {
            *channel = 0;
            out.outofgamut = true;
        }
    }
    if (!(X > 0.0f) || !(Y > 0.0f) || !(Z > 0.0f)) {
        out.outofgamut = true;
    }
    return out;
}

void rgbxyz(Illuminant ill, float r, float g, float b, float &X, float &Y, float &Z) {
    const WhiteScale s = whiteScale(ill);
    X = 0.412453f * r + 0.35758f * g + 0.180423f * b;
    Y = 0.212671f * r + 0.71516f * g + 0.072169f * b;
    Z = 0.019334f * r + 0.119193f * g + 0.950227f * b;
    X /= s.x;
    Z /= s.z;
}

} // namespace tw::engine
