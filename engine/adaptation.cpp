// Bradford chromatic adaptation.
//
// Cone responses rho = M * (X/Y, 1, Z/Y) of the sample and both whites;
// adapted response rho_a[i] = rho_d[i] / rho_s[i] * rho[i] * Y; result
// M^-1 * rho_a. M is the Bradford matrix (Lam, 1985); M^-1 its inverse as
// published with it, both held in single precision.
#include "engine/adaptation.h"

namespace tw::engine {

namespace {

constexpr float M[3][3] = {
    { 0.8951f, 0.2664f, -0.1614f },
    { -0.7502f, 1.7135f, 0.0367f },
    { 0.0389f, -0.0685f, 1.0296f },
};
constexpr float Minv[3][3] = {
    { 0.9869929f, -0.14705426f, 0.15996265f },
    { 0.43230528f, 0.51836026f, 0.049291227f },
    { -0.008528665f, 0.04004282f, 0.96848667f },
};

void apply(const float m[3][3], const float in[3], float out[3]) {
    for (int i = 0; i < 3; ++i) {
        out[i] = m[i][0] * in[0] + m[i][1] * in[1] + m[i][2] * in[2];
    }
}

} // namespace

bool xyzconv(float X, float Y, float Z, float Xs, float Ys, float Zs, float &Xo, float &Yo,
    float &Zo, float Xd, float Yd, float Zd) {
    if (Y == 0.0f || Ys == 0.0f || Yd == 0.0f) {
        return false;
    }
    const float s[3] = { X / Y, 1.0f, Z / Y };
    const float ws[3] = { Xs / Ys, 1.0f, Zs / Ys };
    const float wd[3] = { Xd / Yd, 1.0f, Zd / Yd };
    float rho[3], rhoS[3], rhoD[3], rhoA[3], out[3];
    apply(M, ws, rhoS);
    apply(M, s, rho);
    apply(M, wd, rhoD);
    for (int i = 0; i < 3; ++i) {
        if (rhoS[i] == 0.0f) {
            return false;
        }
        rhoA[i] = rhoD[i] / rhoS[i] * rho[i] * Y;
    }
    apply(Minv, rhoA, out);
    Xo = out[0];
    Yo = out[1];
    Zo = out[2];
    return true;
}

bool xyzconvert(
    Direction direction, Illuminant selected, float &X, float &Y, float &Z, float &x, float &y) {
    WhitePoint source = whiteC;
    WhitePoint dest = whiteC;
    if (direction == Direction::Forward) {
        if (selected == Illuminant::C_1931) {
            return true;
        }
        dest = whitePoint(selected);
    } else {
        source = whitePoint(selected);
    }
    float Xo = 0.0f, Yo = 0.0f, Zo = 0.0f;
    if (!xyzconv(X, Y, Z, source.X, source.Y, source.Z, Xo, Yo, Zo, dest.X, dest.Y, dest.Z)) {
        return false;
    }
    X = Xo;
    Y = Yo;
    Z = Zo;
    x = X / (X + Y + Z);
    y = Y / (Y + X + Z);
    return true;
}

} // namespace tw::engine
