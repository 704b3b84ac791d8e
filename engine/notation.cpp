// Hue notation and the Munsell value function.
//
// Value function (Newhall, Nickerson and Judd, 1943):
//   Y = 1.2219 V - 0.23111 V^2 + 0.23951 V^3 - 0.021009 V^4 + 0.0008404 V^5
// giving Y = 102.568 at V = 10 on the magnesium-oxide scale. Under PWD the
// scale is relative to the perfect white diffuser: Y is multiplied by 0.975.
// The inverse is found by Newton's method, fifteen iterations from sqrt(Y),
// which converges to single precision everywhere in 0..10; its steps use
// the coefficients rounded to single precision. The coefficients and the
// 0.975 are written here only.
#include "engine/notation.h"

#include "text/numbers.h"

#include <array>
#include <cctype>
#include <cmath>
#include <limits>

namespace tw::engine {

namespace {

// One turn of the hue circle.
constexpr int hueTurn = 100;

// fmod is exact, so a hue number from 0 up to 200 comes back either as it
// was or less exactly 100; a negative remainder gains a turn, which may
// round up to a whole turn, and that is hue 0.
template<typename T> float wrapped(T H) {
    H = std::fmod(H, static_cast<T>(hueTurn));
    if (H < static_cast<T>(0)) {
        H += static_cast<T>(hueTurn);
    }
    const float h = static_cast<float>(H);
    return h >= static_cast<float>(hueTurn) ? 0.0f : h;
}

} // namespace

float wrapHue(float H) {
    return wrapped(H);
}

float wrapHue(double H) {
    return wrapped(H);
}

std::string hconvert(float h) {
    // The family index stays a double until it is known to name a family:
    // a hue number beyond about 2e10 has no int of its own.
    double b = std::floor((static_cast<double>(h) - 0.001) / 10.0);
    if (b < 0.0) {
        b = 0.0;
    }
    const float s = h - 10.0f * static_cast<float>(b);
    std::string textOut = text::formatPattern(s, "##.00");
    if (b <= 10.0) {
        textOut += huenames[static_cast<std::size_t>(b)];
    }
    return textOut;
}

float converth(std::string_view textIn, bool &formatError) {
    std::string upper(textIn);
    for (char &ch : upper) {
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    }
    std::size_t suffix = 0;
    int family = 10;
    formatError = false;
    const auto endsWith = [&](std::string_view name) {
        return upper.size() >= name.size()
            && upper.compare(upper.size() - name.size(), name.size(), name) == 0;
    };
    for (int i = 1; i <= 9 && suffix == 0; i += 2) {
        if (endsWith(huenames[i])) {
            suffix = 2;
            family = i;
        }
    }
    for (int i = 0; i <= 8 && suffix == 0; i += 2) {
        if (endsWith(huenames[i])) {
            suffix = 1;
            family = i;
        }
    }
    if (suffix == 0) {
        formatError = true;
    }
    const double step
        = text::leadingNumber(std::string_view(upper).substr(0, upper.size() - suffix));
    const double hue = 10.0 * family + step;
    // A step no single-precision number can hold names no hue.
    if (!(std::fabs(hue) <= std::numeric_limits<float>::max())) {
        formatError = true;
        return 0.0f;
    }
    return static_cast<float>(hue);
}

namespace {

// The value function's coefficients, a1 .. a5 of
// Y = V (a1 + V (a2 + V (a3 + V (a4 + V a5)))).
constexpr std::array<double, 5> valueCoefficients { 1.2219, -0.23111, 0.23951, -0.021009,
    0.0008404 };

// Y of the perfect white diffuser scale per unit of the magnesium-oxide one.
constexpr double pwdScale = 0.975;

// Coefficient i as held in precision K (y2value's Newton steps work with
// the single-precision ones), widened to double for the arithmetic.
template<typename K> constexpr double coefficient(std::size_t i) {
    return static_cast<K>(valueCoefficients[i]);
}

// Y(v) and dY/dv on the coefficients held in precision K.
template<typename K> double polynomial(double v) {
    constexpr double a1 = coefficient<K>(0), a2 = coefficient<K>(1), a3 = coefficient<K>(2),
                     a4 = coefficient<K>(3), a5 = coefficient<K>(4);
    return v * (a1 + v * (a2 + v * (a3 + v * (a4 + v * a5))));
}

template<typename K> double slope(double v) {
    constexpr double a1 = coefficient<K>(0), a2 = coefficient<K>(1), a3 = coefficient<K>(2),
                     a4 = coefficient<K>(3), a5 = coefficient<K>(4);
    return a1 + v * (2.0 * a2 + v * (3.0 * a3 + v * (4.0 * a4 + v * 5.0 * a5)));
}

} // namespace

double valueFunction(double V, bool pwd) {
    const double y = polynomial<double>(V);
    return pwd ? pwdScale * y : y;
}

double valueSlope(double V, bool pwd) {
    const double s = slope<double>(V);
    return pwd ? pwdScale * s : s;
}

float value2y(float V, bool pwd) {
    float Y = static_cast<float>(polynomial<double>(V));
    if (pwd) {
        Y = static_cast<float>(Y * pwdScale);
    }
    return Y;
}

float y2value(float &Y, bool pwd) {
    if (Y < 0.0f) {
        Y = 0.0f;
    }
    float y = Y;
    if (pwd) {
        y = static_cast<float>(y / pwdScale);
    }
    float V = std::sqrt(y);
    for (int i = 0; i < 15; ++i) {
        const double v = V;
        const double f = polynomial<float>(v) - y;
        const double fp = slope<float>(v);
        const float step = static_cast<float>(f / fp);
        V -= step;
    }
    return V;
}

} // namespace tw::engine
