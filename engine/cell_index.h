// Where the cells of the renotation table lie, for a quick search: the
// renotation points of every Value level as single-precision chromaticities,
// how far each hue column reaches from the neutral, and for each cell (and
// each column) a box outside which inquad certainly accepts no point.
//
// The boxes only ever let the cell search skip cells that would have been
// refused anyway, so a search that uses them finds the very cell a full scan
// finds.
#pragma once

#include "engine/renotation_table.h"

namespace tw::engine {

// inquad accepts points this far outside an edge (a distance).
inline constexpr float edgeTolerance = 1e-6f;

class CellIndex {
public:
    static constexpr int levels = cellLevels;
    static constexpr int columns = cellColumns; // hue index 0..39, each with its neighbour h + 1
    static constexpr int rings = cellRings; // chroma index 0..15, each with its outer ring c + 1

    struct Box {
        float xlo, xhi, ylo, yhi;
        // True only when p lies outside the box; a NaN point is never
        // excluded.
        [[nodiscard]] bool excludes(Point p) const {
            return p.x < xlo || p.x > xhi || p.y < ylo || p.y > yhi;
        }
    };

    explicit CellIndex(const RenotationTable &table);

    // Renotation point (v 0..10, h 0..40, c 0..17) as RenotationTable::point
    // gives it; chroma index 0 is the neutral point, 17 is empty.
    [[nodiscard]] Point point(int v, int h, int c) const { return points_[v][h][c]; }

    // How many cells of hue column h at level v are usable counting out from
    // the neutral: the rings before the first whose outer corners are not
    // both present.
    [[nodiscard]] int run(int v, int h) const { return runs_[v][h]; }

    // Boxes of cell (v, h, c), c < run(v, h), and of the whole run of column
    // h. A cell whose shape gives no such box (not convex, a corner too
    // sharp) has a box that excludes nothing, and so has its column.
    [[nodiscard]] const Box &cellBox(int v, int h, int c) const { return cellBoxes_[v][h][c]; }
    [[nodiscard]] const Box &columnBox(int v, int h) const { return columnBoxes_[v][h]; }

private:
    Point points_[levels][columns + 1][rings + 2] {};
    int runs_[levels][columns] {};
    Box cellBoxes_[levels][columns][rings] {};
    Box columnBoxes_[levels][columns] {};
};

} // namespace tw::engine
