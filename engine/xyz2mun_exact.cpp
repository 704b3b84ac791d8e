// Refinement of the defined inverse into an exact one.
//
// The Value is found on its own: mun2xyz takes Y from value2y(V) alone, so
// V is the root of value2y(V) = Y (Newton in double from y2value's answer,
// then the nearest floats tried). With V held, the chromaticity mun2xyz
// gives is piecewise bilinear in hue and Chroma; Newton's method on it, with
// the Jacobian from differences of mun2xyz itself and the step halved until
// the miss shrinks, finds the hue and Chroma. The answer stands only when
// mun2xyz of it lands within exactTolerance of X, Y and Z.
//
// Start: the cell that holds the chromaticity among the renotation points
// carried to the Value (as mun2xyz carries them), and the bilinear
// fractions in it. Should the rounding of mun2xyz keep that from closing,
// the defined answer, each Value level's own answer and a point near the
// neutral are tried, and then the defined answer that takes a colour a hair
// beyond the data for the nearest colour of it. A colour that none of them
// leads to is tried once more at the nearest whole Value, when that Value's
// Y is within the tolerance of the colour's; one that this does not help
// either is reported as outside the data. (Those last tries come after all
// the others, so that every colour the others bring back keeps its answer.)
#include "engine/xyz2mun_exact.h"

#include "engine/mun2xyz.h"
#include "engine/notation.h"
#include "engine/xyz2mun.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tw::engine {

namespace {

constexpr int maxSteps = 40;

struct Target {
    float X, Y, Z;
    double x, y;
};

struct Forward {
    bool ok = false;
    float X = 0, Y = 0, Z = 0, x = 0, y = 0;
};

Forward forward(const RenotationTable &table, bool pwd, float H, float V, float C) {
    Forward f;
    float v = V;
    f.ok = mun2xyz(table, Illuminant::C_1931, pwd, H, v, C, f.X, f.Y, f.Z, f.x, f.y)
            == Mun2XyzStatus::Ok
        && v == V;
    return f;
}

bool close(const Forward &f, const Target &t) {
    return f.ok && std::fabs(f.X - t.X) <= exactTolerance && std::fabs(f.Y - t.Y) <= exactTolerance
        && std::fabs(f.Z - t.Z) <= exactTolerance;
}

double miss(const Forward &f, const Target &t) {
    if (!f.ok) {
        return std::numeric_limits<double>::infinity();
    }
    const double dx = f.x - t.x, dy = f.y - t.y;
    return dx * dx + dy * dy; // squared: only ever compared
}

// The float V whose value2y is nearest Y, or a negative number when Y is
// beyond Value 9.5.
float valueOf(float Y, bool pwd) {
    if (Y > value2y(9.5f, pwd)) {
        return -1.0f;
    }
    float y = Y;
    double v = y2value(y, pwd);
    for (int i = 0; i < 8; ++i) {
        const double f = valueFunction(v, pwd) - Y;
        const double fp = valueSlope(v, pwd);
        if (fp == 0.0) {
            break;
        }
        v -= f / fp;
    }
    float best = std::clamp(static_cast<float>(v), 0.0f, 9.5f);
    float bestMiss = std::fabs(value2y(best, pwd) - Y);
    float probe = best;
    for (int i = 0; i < 4; ++i) {
        for (const float dir : { -1.0f, 1.0f }) {
            probe = std::nextafter(best, dir * 10.0f);
            if (probe < 0.0f || probe > 9.5f) {
                continue;
            }
            const float m = std::fabs(value2y(probe, pwd) - Y);
            if (m < bestMiss) {
                best = probe;
                bestMiss = m;
            }
        }
    }
    return best;
}

// Hue and Chroma as a point of the plane, Chroma the radius and hue the
// angle: the chromaticity is smooth in it through the neutral, where hue
// alone has no grip.
struct Polar {
    double a, b;
};

constexpr double turnPerHue = 2.0 * 3.14159265358979323846 / 100.0;

Polar toPlane(float H, float C) {
    return { C * std::cos(H * turnPerHue), C * std::sin(H * turnPerHue) };
}

void fromPlane(Polar p, float &H, float &C) {
    C = static_cast<float>(std::hypot(p.a, p.b));
    H = C == 0.0f ? 0.0f : wrapHue(std::atan2(p.b, p.a) / turnPerHue);
}

Forward forwardAt(const RenotationTable &table, bool pwd, Polar p, float V) {
    float H = 0, C = 0;
    fromPlane(p, H, C);
    return forward(table, pwd, H, V, C);
}

// Newton's method at Value V from (H, C). A start beyond the data at V is
// first drawn in towards the neutral until it converts. Once the answer is
// within the tolerance two more steps take it as close as single precision
// allows.
bool refine(const RenotationTable &table, bool pwd, const Target &t, float V, float &H, float &C) {
    Polar p = toPlane(H, C);
    Forward at = forwardAt(table, pwd, p, V);
    if (!at.ok) {
        double inside = 0.0, beyond = 1.0;
        for (int i = 0; i < 20; ++i) {
            const double f = (inside + beyond) / 2.0;
            if (forwardAt(table, pwd, { p.a * f, p.b * f }, V).ok) {
                inside = f;
            } else {
                beyond = f;
            }
        }
        p = { p.a * inside, p.b * inside };
        at = forwardAt(table, pwd, p, V);
    }
    // Steps go on while they shrink the miss, at most maxSteps and at most
    // two past the first that lands within the tolerance.
    int polish = 2;
    for (int step = 0; step < maxSteps && at.ok && !(close(at, t) && polish-- == 0); ++step) {
        // Differences over a small step, taken to whichever side converts.
        constexpr double d = 0.01;
        double J[2][2];
        bool differenced = true;
        for (int k = 0; k < 2 && differenced; ++k) {
            double sign = 1.0;
            Forward moved;
            for (int attempt = 0; attempt < 2 && !moved.ok; ++attempt) {
                const Polar q
                    = k == 0 ? Polar { p.a + sign * d, p.b } : Polar { p.a, p.b + sign * d };
                moved = forwardAt(table, pwd, q, V);
                if (!moved.ok) {
                    sign = -sign;
                }
            }
            differenced = moved.ok;
            J[0][k] = (moved.x - at.x) / (sign * d);
            J[1][k] = (moved.y - at.y) / (sign * d);
        }
        const double det = J[0][0] * J[1][1] - J[0][1] * J[1][0];
        if (!differenced || !(std::fabs(det) > 0.0)) {
            break; // a corner of the data: what we have must do
        }
        const double rx = t.x - at.x, ry = t.y - at.y;
        double sa = (J[1][1] * rx - J[0][1] * ry) / det;
        double sb = (J[0][0] * ry - J[1][0] * rx) / det;
        // At most about a cell at a time, then halved until the miss shrinks.
        const double largest = std::hypot(sa, sb) / 2.0;
        if (largest > 1.0) {
            sa /= largest;
            sb /= largest;
        }
        const double before = miss(at, t);
        bool moved = false;
        for (int half = 0; half < 20 && !moved; ++half) {
            const Polar q { p.a + sa, p.b + sb };
            const Forward next = forwardAt(table, pwd, q, V);
            if (miss(next, t) < before) {
                p = q;
                at = next;
                moved = true;
            }
            sa /= 2.0;
            sb /= 2.0;
        }
        if (!moved) {
            break;
        }
    }
    if (close(at, t)) {
        fromPlane(p, H, C);
        return true;
    }
    return false;
}

struct Vec {
    double x, y;
};

// The renotation point (h, c) carried to Value V as mun2xyz carries it:
// between the levels just below and above, by V's fraction f. False when
// a level it needs has no sample there.
bool pointAtValue(const RenotationTable &table, int iv, float f, int h, int c, Vec &out) {
    if (c == 0) {
        out = { neutralX, neutralY };
        return true;
    }
    const Point p0 = table.point(iv, h, c);
    const double x0 = p0.x, y0 = p0.y;
    if (x0 == 0.0) {
        return false;
    }
    if (f == 0.0f) {
        out = { x0, y0 };
        return true;
    }
    const Point p1 = table.point(iv + 1, h, c);
    const double x1 = p1.x, y1 = p1.y;
    if (x1 == 0.0) {
        return false;
    }
    out = { x0 + (x1 - x0) * f, y0 + (y1 - y0) * f };
    return true;
}

double crossOf(Vec e1, Vec e2, Vec p) {
    return (e2.x - e1.x) * (p.y - e1.y) - (e2.y - e1.y) * (p.x - e1.x);
}

// Hue and Chroma of chromaticity P at Value V, found in the cells that the
// renotation points form once carried to V: the first cell that holds P
// (within a hair), and in it the fractions whose bilinear blend of the four
// corners is P. This is what mun2xyz inverts to, up to its rounding.
bool startAtValue(const RenotationTable &table, float V, Vec P, float &H, float &C) {
    const int iv = static_cast<int>(std::floor(V));
    const float f = V - static_cast<float>(iv);
    for (int h = 0; h < cellColumns; ++h) {
        Vec a {}, b {}, c {}, d {};
        if (!pointAtValue(table, iv, f, h, 0, a) || !pointAtValue(table, iv, f, h + 1, 0, b)) {
            continue;
        }
        for (int ring = 0; ring < cellRings; ++ring) {
            if (!pointAtValue(table, iv, f, h + 1, ring + 1, c)
                || !pointAtValue(table, iv, f, h, ring + 1, d)) {
                break;
            }
            constexpr double hair = 1e-7;
            const auto outside = [&](Vec e1, Vec e2) {
                const double cross = crossOf(e1, e2, P);
                const double dx = e2.x - e1.x, dy = e2.y - e1.y;
                return cross > 0.0 && cross * cross > hair * hair * (dx * dx + dy * dy);
            };
            if (!outside(a, b) && !outside(b, c) && !outside(c, d) && !outside(d, a)) {
                // P = a + u (b - a) + w (d - a) + u w (a - b + c - d).
                double u = 0.5, w = 0.5;
                const Vec e { a.x - b.x + c.x - d.x, a.y - b.y + c.y - d.y };
                for (int i = 0; i < 30; ++i) {
                    const Vec F { a.x + u * (b.x - a.x) + w * (d.x - a.x) + u * w * e.x - P.x,
                        a.y + u * (b.y - a.y) + w * (d.y - a.y) + u * w * e.y - P.y };
                    const Vec Ju { b.x - a.x + w * e.x, b.y - a.y + w * e.y };
                    const Vec Jw { d.x - a.x + u * e.x, d.y - a.y + u * e.y };
                    const double det = Ju.x * Jw.y - Ju.y * Jw.x;
                    if (det == 0.0) {
                        break;
                    }
                    u = std::clamp(u - (F.x * Jw.y - F.y * Jw.x) / det, -0.1, 1.1);
                    w = std::clamp(w - (Ju.x * F.y - Ju.y * F.x) / det, -0.1, 1.1);
                }
                H = wrapHue((h + std::clamp(u, 0.0, 1.0)) * hueStep);
                C = static_cast<float>((ring + std::clamp(w, 0.0, 1.0)) * chromaStep);
                return true;
            }
            a = d;
            b = c;
        }
    }
    return false;
}

} // namespace

ExactStatus xyz2munExact(const RenotationTable &table, bool pwd, float X, float Y, float Z,
    float &H, float &V, float &C) {
    const float s = X + Y + Z;
    if (!std::isfinite(X) || !std::isfinite(Y) || !std::isfinite(Z) || !std::isfinite(s) || Y < 0.0f
        || !(s > 0.0f)) {
        return ExactStatus::OutOfRange;
    }
    const float value = valueOf(Y, pwd);
    if (value < 0.0f) {
        return ExactStatus::NoColour;
    }
    // Refines (h, c) at Value `atValue` towards chromaticity (tx, ty); on
    // success the answer is written.
    const auto answer = [&](float atValue, double tx, double ty, float h, float c) {
        const Target t { X, Y, Z, tx, ty };
        if (!refine(table, pwd, t, atValue, h, c)) {
            return false;
        }
        H = h;
        V = atValue;
        C = c;
        return true;
    };
    // The tries at Value `atValue` towards chromaticity (tx, ty).
    const auto solveAt = [&](float atValue, double tx, double ty) {
        // The cell that holds the colour once the table is carried to its
        // Value: usually the answer itself, but for the rounding of mun2xyz.
        float hv = 0, cv = 0;
        if (startAtValue(table, atValue, { tx, ty }, hv, cv) && answer(atValue, tx, ty, hv, cv)) {
            return true;
        }
        // Else from the defined answer where the data hold the colour, from
        // each level's own answer, and from near the neutral.
        std::vector<std::pair<float, float>> starts;
        float h0 = 0, v0 = 0, c0 = 0, y0 = Y;
        if (xyz2mun(table, pwd, h0, v0, c0, X, y0, Z, NearData::Refused) == Xyz2MunStatus::Ok) {
            starts.emplace_back(h0, c0);
        }
        const float x = X / s, y = Y / s;
        const int iv = static_cast<int>(std::floor(atValue));
        for (int level : { iv, iv + 1 }) {
            int h = 0, c = 0;
            if (level < cellLevels && findcell(table, x, y, level, h, c)) {
                float hl = 0, cl = 0;
                cellsolve(table, x, y, level, h, c, hl, cl);
                starts.emplace_back(wrapHue(hl), cl);
            }
        }
        starts.emplace_back(starts.empty() ? hv : starts.front().first, 1.0f);
        for (const auto &[h, c] : starts) {
            if (answer(atValue, tx, ty, h, c)) {
                return true;
            }
        }
        return false;
    };
    const double tx = static_cast<double>(X) / s, ty = static_cast<double>(Y) / s;
    if (solveAt(value, tx, ty)) {
        return ExactStatus::Ok;
    }
    // A colour a hair beyond the data (X, Y, Z given to a few decimals) has
    // a defined answer only through the nearest colour of the data: it is
    // one more start.
    float hn = 0, vn = 0, cn = 0, yn = Y;
    const bool nearAnswer = xyz2mun(table, pwd, hn, vn, cn, X, yn, Z) == Xyz2MunStatus::Ok;
    if (nearAnswer && answer(value, tx, ty, hn, cn)) {
        return ExactStatus::Ok;
    }
    // Y given to a few decimals can also put the Value a hair below a whole
    // Value (or above it), where mun2xyz blends in the level beyond, and a
    // colour at the outermost Chroma of a hue that the other level does not
    // reach so far lies outside the data there. At the whole Value itself
    // only its own level counts. When that Value's Y is within the tolerance
    // of the colour's, it is tried as well, towards the chromaticity that X
    // and Z have beside that Y.
    const float whole = std::round(value);
    const float wholeY = value2y(whole, pwd);
    if (whole != value && whole <= 9.5f && std::fabs(wholeY - Y) <= exactTolerance) {
        const double sum = static_cast<double>(X) + wholeY + Z;
        if (solveAt(whole, X / sum, wholeY / sum)
            || (nearAnswer && answer(whole, X / sum, wholeY / sum, hn, cn))) {
            return ExactStatus::Ok;
        }
    }
    return ExactStatus::NoColour;
}

} // namespace tw::engine
