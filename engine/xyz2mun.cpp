// Inverse of the renotation interpolation.
//
// Cells: at Value v, hue index h and chroma index c the corners are
// P00 = (v, h, c), P10 = (v, h+1, c), P11 = (v, h+1, c+1), P01 = (v, h, c+1),
// clockwise in the x, y plane; at c = 0 both inner corners are the neutral
// point, so the cell is a triangle. A cell is usable when both outer corners
// are present (non-zero).
//
// Inside the found cell the hue line through the point is found by bisecting
// the inner and outer edges together (50 steps), and the chroma line by
// bisecting the two hue edges together (50 steps). The hue fraction is
// measured along the outer edge, the chroma fraction along the hue-h edge.
//
// The point-in-cell test accepts points within 1e-6 of an edge, so that a
// chromaticity computed from a renotation point lands in a cell even when the
// last-place rounding of X / (X + Y + Z) puts it a hair outside. A point the
// search admitted stays admitted in the bisection: a step that finds it in
// neither half keeps the half on its side of the splitting line. (Each half
// is tested whole, and its stretches of the cell's own edges end at rounded
// midpoints that tilt them; a point within the tolerance outside the cell
// can fall outside both halves, and was once carried to the far side of the
// cell, a whole hue or chroma step off.)
//
// The cell search skips columns and cells whose box (CellIndex) shows that
// inquad would refuse the point; it still tries the remaining cells in the
// same order, so it finds the cell a full scan finds.
//
// The edge tolerance stands for the rounding of the chromaticity alone. X,
// Y, Z given with a few decimals move it further: four decimals put a dark
// colour at the outermost Chroma of its hue (10G 1/8, 7.5G 2/16) a few
// millionths beyond its ring, where the hue's column ends and no cell lies.
// Only for a chromaticity that no cell of a level holds, the level takes the
// nearest colour of its data when that colour is within tristimulusTolerance
// in X, Y and Z; every colour the cells hold keeps its answer.
#include "engine/xyz2mun.h"

#include "engine/notation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tw::engine {

namespace {

constexpr float levelWeightFloor = 1e-4f;

Point mid(Point a, Point b) {
    return { (a.x + b.x) / 2.0f, (a.y + b.y) / 2.0f };
}

float distance(Point a, Point b) {
    const double dx = static_cast<double>(a.x) - b.x;
    const double dy = static_cast<double>(a.y) - b.y;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

// Cross value of P against the directed edge E1 -> E2: positive means P
// lies on the outer side. Compared against the tolerance scaled by the edge
// length, so the tolerance is a distance.
bool outside(Point P, Point E1, Point E2) {
    const float cross = (E1.y - E2.y) * (P.x - E1.x) + (E2.x - E1.x) * (P.y - E1.y);
    if (cross <= 0.0f) {
        return false;
    }
    // cross > tolerance * |E1 E2|, compared squared to spare the root. A NaN
    // point is outside every edge.
    const float dx = E2.x - E1.x;
    const float dy = E2.y - E1.y;
    return !(cross * cross <= edgeTolerance * edgeTolerance * (dx * dx + dy * dy));
}

struct Cell {
    Point p00, p10, p11, p01;
};

Cell loadCell(const RenotationTable &table, int v, int h, int c) {
    Cell cell;
    if (c == 0) {
        cell.p00 = cell.p10 = { neutralX, neutralY };
    } else {
        cell.p00 = table.point(v, h, c);
        cell.p10 = table.point(v, h + 1, c);
    }
    cell.p01 = table.point(v, h, c + 1);
    cell.p11 = table.point(v, h + 1, c + 1);
    return cell;
}

bool sameCell(const Cell &a, const Cell &b) {
    return a.p00.x == b.p00.x && a.p00.y == b.p00.y && a.p10.x == b.p10.x && a.p10.y == b.p10.y
        && a.p11.x == b.p11.x && a.p11.y == b.p11.y && a.p01.x == b.p01.x && a.p01.y == b.p01.y;
}

struct Quad {
    Point a, b, c, d;
};

bool inside(Point P, const Quad &q) {
    return inquad(P, q.a, q.b, q.c, q.d);
}

// One bisection step: true to keep the near half, false to go to the far
// half. Edge `split` of the near half (1 for b -> c, 2 for c -> d) is the
// line that splits the cell. A point beyond that line goes far. Otherwise
// the half that holds it wins, the near one first; and a point that neither
// half holds (it lies within the tolerance outside the cell, and the halves'
// rounded stretches of the cell's edges leave it out) stays on its side of
// the line, near.
bool keepNear(Point P, const Quad &nearHalf, int split, const Quad &farHalf) {
    const bool beyond
        = split == 1 ? outside(P, nearHalf.b, nearHalf.c) : outside(P, nearHalf.c, nearHalf.d);
    if (beyond) {
        return false;
    }
    return inside(P, nearHalf) || !inside(P, farHalf);
}

struct LevelResult {
    bool found = false;
    float H = 0.0f;
    float C = 0.0f;
};

LevelResult solveLevel(const RenotationTable &table, float x, float y, int v) {
    LevelResult r;
    int h = 0;
    int c = 0;
    if (v < 0 || v >= RenotationTable::values || !findcell(table, x, y, v, h, c)) {
        return r;
    }
    r.found = true;
    cellsolve(table, x, y, v, h, c, r.H, r.C);
    return r;
}

// For a chromaticity (x, y) that no cell of level v holds, of a colour whose
// X + Y + Z is s: the nearest chromaticity of the level's data, taken for
// the colour's own when the colour of that chromaticity and the same sum has
// X, Y and Z within tristimulusTolerance of the colour's (they differ by s
// times the chromaticity's differences dx, dy and -(dx + dy)) and the
// chromaticity itself within chromaticityTolerance. The nearest
// point of the data lies on an edge of one of its cells; the cell is solved
// at that point.
LevelResult solveNearData(const RenotationTable &table, float x, float y, float s, int v) {
    LevelResult r;
    if (v < 0 || v >= CellIndex::levels) {
        return r;
    }
    const CellIndex &cells = table.cells();
    // Only an edge that comes this near the chromaticity in x and in y can
    // hold a colour close enough: the others are passed over at the cost
    // of four comparisons.
    const double reach = std::min(
        static_cast<double>(tristimulusTolerance) / s, static_cast<double>(chromaticityTolerance));
    double closest = std::numeric_limits<double>::infinity();
    int bestH = 0, bestC = 0;
    double qx = 0.0, qy = 0.0;
    for (int h = 0; h < CellIndex::columns; ++h) {
        for (int c = 0; c < cells.run(v, h); ++c) {
            const Point corners[4] = { cells.point(v, h, c), cells.point(v, h + 1, c),
                cells.point(v, h + 1, c + 1), cells.point(v, h, c + 1) };
            for (int k = 0; k < 4; ++k) {
                const Point &a = corners[k];
                const Point &b = corners[(k + 1) % 4];
                if (x < std::min(a.x, b.x) - reach || x > std::max(a.x, b.x) + reach
                    || y < std::min(a.y, b.y) - reach || y > std::max(a.y, b.y) + reach) {
                    continue;
                }
                const double ex = static_cast<double>(b.x) - a.x;
                const double ey = static_cast<double>(b.y) - a.y;
                const double length2 = ex * ex + ey * ey;
                const double t = length2 == 0.0
                    ? 0.0
                    : std::clamp(
                        ((x - static_cast<double>(a.x)) * ex + (y - static_cast<double>(a.y)) * ey)
                            / length2,
                        0.0, 1.0);
                const double px = a.x + t * ex, py = a.y + t * ey;
                const double dx = px - x, dy = py - y;
                const double apart
                    = s * std::max({ std::fabs(dx), std::fabs(dy), std::fabs(dx + dy) });
                if (apart < closest) {
                    closest = apart;
                    bestH = h;
                    bestC = c;
                    qx = px;
                    qy = py;
                }
            }
        }
    }
    if (!(closest <= tristimulusTolerance) || !(closest <= s * chromaticityTolerance)) {
        return r;
    }
    r.found = true;
    cellsolve(table, static_cast<float>(qx), static_cast<float>(qy), v, bestH, bestC, r.H, r.C);
    return r;
}

} // namespace

bool inquad(Point P, Point A, Point B, Point C, Point D) {
    return !outside(P, A, B) && !outside(P, B, C) && !outside(P, C, D) && !outside(P, D, A);
}

bool findcell(const RenotationTable &table, float x, float y, int v, int &h, int &c) {
    const Point P { x, y };
    const CellIndex &cells = table.cells();
    // The boxes hold for points of ordinary size only (see cell_index.cpp);
    // anything else, NaN included, is tried against every cell.
    const bool useBoxes = std::fabs(x) < 1e6f && std::fabs(y) < 1e6f;
    if (v >= 0 && v < CellIndex::levels) {
        for (h = 0; h < CellIndex::columns; ++h) {
            const int run = cells.run(v, h);
            if (run == 0 || (useBoxes && cells.columnBox(v, h).excludes(P))) {
                continue;
            }
            for (c = 0; c < run; ++c) {
                if (useBoxes && cells.cellBox(v, h, c).excludes(P)) {
                    continue;
                }
                if (inquad(P, cells.point(v, h, c), cells.point(v, h + 1, c),
                        cells.point(v, h + 1, c + 1), cells.point(v, h, c + 1))) {
                    return true;
                }
            }
        }
    }
    h = CellIndex::columns;
    c = 0;
    return false;
}

void cellsolve(
    const RenotationTable &table, float x, float y, int v, int h, int c, float &H, float &C) {
    const Point P { x, y };
    // Each bisection step is a function of the four corners alone, and the
    // corners only ever close in (a float midpoint lies between its ends):
    // once a step leaves them as they were, every later step would too, so
    // the remaining steps are skipped without changing the result.
    Cell k = loadCell(table, v, h, c);
    Point mb {}, mt {};
    for (int i = 0; i < 50; ++i) {
        const Cell before = k;
        mb = mid(k.p00, k.p10);
        mt = mid(k.p01, k.p11);
        if (keepNear(P, { k.p00, mb, mt, k.p01 }, 1, { mb, k.p10, k.p11, mt })) {
            k.p10 = mb;
            k.p11 = mt;
        } else {
            k.p00 = mb;
            k.p01 = mt;
        }
        if (sameCell(k, before)) {
            break;
        }
    }
    k = loadCell(table, v, h, c);
    Point ml {}, mr {};
    for (int i = 0; i < 50; ++i) {
        const Cell before = k;
        ml = mid(k.p00, k.p01);
        mr = mid(k.p10, k.p11);
        if (keepNear(P, { k.p00, k.p10, mr, ml }, 2, { ml, mr, k.p11, k.p01 })) {
            k.p01 = ml;
            k.p11 = mr;
        } else {
            k.p00 = ml;
            k.p10 = mr;
        }
        if (sameCell(k, before)) {
            break;
        }
    }
    k = loadCell(table, v, h, c);
    const float outerEdge = distance(k.p01, k.p11);
    const float fh = outerEdge == 0.0f ? 0.0f : distance(k.p01, mt) / outerEdge;
    const float hueEdge = distance(k.p00, k.p01);
    const float fc = hueEdge == 0.0f ? 0.0f : distance(k.p00, ml) / hueEdge;
    H = (static_cast<float>(h) + fh) * hueStep;
    C = (static_cast<float>(c) + fc) * chromaStep;
}

Xyz2MunStatus xyz2mun(const RenotationTable &table, bool pwd, float &H, float &V, float &C, float X,
    float &Y, float Z, NearData nearData) {
    V = y2value(Y, pwd);
    H = 0.0f;
    C = 0.0f;
    const float s = X + Y + Z;
    if (!(s > 0.0f) || !std::isfinite(V)) {
        return Xyz2MunStatus::OutOfRange;
    }
    const float x = X / s;
    const float y = Y / s;
    // An infinite X or Z (or a sum beyond the float range) leaves no
    // chromaticity to look for.
    if (!std::isfinite(X) || !std::isfinite(Z) || !std::isfinite(s) || !std::isfinite(x)
        || !std::isfinite(y)) {
        return Xyz2MunStatus::OutOfRange;
    }

    if (V >= 10.0f || Y >= value2y(10.0f, pwd)) {
        V = 10.0f;
        LevelResult top = solveLevel(table, x, y, 10);
        if (!top.found && nearData == NearData::Taken) {
            top = solveNearData(table, x, y, s, 10);
        }
        if (!top.found) {
            return Xyz2MunStatus::OutOfRange;
        }
        H = wrapHue(top.H);
        C = top.C;
        return Xyz2MunStatus::Ok;
    }

    const int iv = static_cast<int>(std::floor(V));
    const float f = V - static_cast<float>(iv);
    const bool lowerCounts = 1.0f - f >= levelWeightFloor;
    const bool upperCounts = f >= levelWeightFloor;
    LevelResult lower = lowerCounts ? solveLevel(table, x, y, iv) : LevelResult {};
    LevelResult upper = upperCounts ? solveLevel(table, x, y, iv + 1) : LevelResult {};

    // Below Value 1 the data hold few colours at the lower level: the
    // upper level alone gives hue and Chroma.
    const auto upperAloneBelowOne = [&] {
        if (lowerCounts && !lower.found && iv == 0 && upper.found) {
            lower = upper;
        }
    };
    upperAloneBelowOne();
    // A level that counts and does not hold the chromaticity may still hold
    // a colour within the tolerance of X, Y and Z: the upper level first, so
    // that below Value 1 it alone gives the answer, as above.
    if (upperCounts && !upper.found && nearData == NearData::Taken) {
        upper = solveNearData(table, x, y, s, iv + 1);
        upperAloneBelowOne();
    }
    if (lowerCounts && !lower.found && nearData == NearData::Taken) {
        lower = solveNearData(table, x, y, s, iv);
    }
    if ((lowerCounts && !lower.found) || (upperCounts && !upper.found)) {
        return Xyz2MunStatus::OutOfRange;
    }

    float H1 = lower.H;
    float H2 = upper.H;
    float C1 = lower.C;
    float C2 = upper.C;
    float w = f;
    if (!lowerCounts) {
        H1 = H2;
        C1 = C2;
        w = 1.0f;
    } else if (!upperCounts) {
        H2 = H1;
        C2 = C1;
        w = 0.0f;
    }
    C = (1.0f - w) * C1 + w * C2;
    if (std::fabs(H1 - H2) > 20.0f) {
        if (H1 >= 50.0f) {
            H2 += 100.0f;
        } else {
            H1 += 100.0f;
        }
    }
    H = wrapHue((1.0f - w) * H1 + w * H2);
    return Xyz2MunStatus::Ok;
}

} // namespace tw::engine
