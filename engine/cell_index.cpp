// The boxes of the cell search.
//
// inquad refuses a point when, for some edge, the single-precision cross
// value puts it more than edgeTolerance outside. For a convex cell K with
// corners taken as exact numbers, a point at distance D from K lies at least
// D sin(a / 2) outside one edge line, a being the sharpest interior angle
// (the point faces either an edge, or a corner between two edges whose
// outward normals are at most pi - a apart). The float cross value of that
// edge is off by at most about 4 u (|ab| + |cd|) <= 6 u |P - E1| |E1 E2|
// (u = 2^-24), that is 3.6e-7 (D + diameter of K) in units of distance. A
// margin of m = 10 (tolerance + 1e-6 diameter) / sin(a / 2) + 1e-6 around
// the cell's bounding box therefore leaves every point beyond it refused,
// with room to spare, as long as sin(a / 2) >= 0.01 and the point's
// coordinates stay far below the float range (the search uses the boxes only
// for |x|, |y| < 1e6). Cells that are not convex or have a sharper corner
// get a box that excludes nothing.
#include "engine/cell_index.h"

#include "engine/renotation_table.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tw::engine {

namespace {

constexpr float inf = std::numeric_limits<float>::infinity();
constexpr CellIndex::Box everywhere { -inf, inf, -inf, inf };

bool present(Point p) {
    return p.x != 0.0f && p.y != 0.0f;
}

float below(double v) {
    float f = static_cast<float>(v);
    if (static_cast<double>(f) > v) {
        f = std::nextafter(f, -inf);
    }
    return f;
}

float above(double v) {
    float f = static_cast<float>(v);
    if (static_cast<double>(f) < v) {
        f = std::nextafter(f, inf);
    }
    return f;
}

// The box of a cell given by its distinct corners in clockwise order, or
// `everywhere` when the cell is not convex or has a corner too sharp.
CellIndex::Box safeBox(const std::vector<Point> &corners) {
    const std::size_t n = corners.size();
    double minHalfSine = 1.0;
    double xlo = inf, xhi = -inf, ylo = inf, yhi = -inf;
    double diameter = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const Point &prev = corners[(i + n - 1) % n];
        const Point &here = corners[i];
        const Point &next = corners[(i + 1) % n];
        const double ax = static_cast<double>(prev.x) - here.x;
        const double ay = static_cast<double>(prev.y) - here.y;
        const double bx = static_cast<double>(next.x) - here.x;
        const double by = static_cast<double>(next.y) - here.y;
        // Clockwise corners turn right: the incoming edge (-a) crossed
        // with the outgoing edge (b) is negative.
        const double turn = -ax * by + ay * bx;
        if (!(turn < 0.0)) {
            return everywhere;
        }
        const double angle = std::atan2(std::fabs(ax * by - ay * bx), ax * bx + ay * by);
        minHalfSine = std::min(minHalfSine, std::sin(angle / 2.0));
        xlo = std::min(xlo, static_cast<double>(here.x));
        xhi = std::max(xhi, static_cast<double>(here.x));
        ylo = std::min(ylo, static_cast<double>(here.y));
        yhi = std::max(yhi, static_cast<double>(here.y));
        for (const Point &other : corners) {
            diameter = std::max(diameter,
                std::hypot(
                    static_cast<double>(other.x) - here.x, static_cast<double>(other.y) - here.y));
        }
    }
    if (minHalfSine < 0.01) {
        return everywhere;
    }
    const double margin = 10.0 * (edgeTolerance + 1e-6 * diameter) / minHalfSine + 1e-6;
    return { below(xlo - margin), above(xhi + margin), below(ylo - margin), above(yhi + margin) };
}

CellIndex::Box unite(const CellIndex::Box &a, const CellIndex::Box &b) {
    return { std::min(a.xlo, b.xlo), std::max(a.xhi, b.xhi), std::min(a.ylo, b.ylo),
        std::max(a.yhi, b.yhi) };
}

} // namespace

CellIndex::CellIndex(const RenotationTable &table) {
    for (int v = 0; v < levels; ++v) {
        for (int h = 0; h <= columns; ++h) {
            points_[v][h][0] = { neutralX, neutralY };
            for (int c = 1; c <= rings + 1; ++c) {
                points_[v][h][c] = table.point(v, h, c);
            }
        }
        for (int h = 0; h < columns; ++h) {
            int run = 0;
            while (run < rings && present(points_[v][h][run + 1])
                && present(points_[v][h + 1][run + 1])) {
                ++run;
            }
            runs_[v][h] = run;
            Box column { inf, -inf, inf, -inf };
            for (int c = 0; c < rings; ++c) {
                const Point p00 = points_[v][h][c], p10 = points_[v][h + 1][c];
                const Point p11 = points_[v][h + 1][c + 1], p01 = points_[v][h][c + 1];
                // At the neutral both inner corners are one point: a triangle.
                const Box box
                    = c == 0 ? safeBox({ p00, p11, p01 }) : safeBox({ p00, p10, p11, p01 });
                cellBoxes_[v][h][c] = c < run ? box : everywhere;
                if (c < run) {
                    column = unite(column, box);
                }
            }
            columnBoxes_[v][h] = column;
        }
    }
}

} // namespace tw::engine
