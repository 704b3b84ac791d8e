// The cell search's boxes: a box may exclude only points that inquad would
// refuse for its cell, and a search that uses the boxes finds the very cell
// a full scan finds, on the real table and on one with twisted cells.
#include "engine/cell_index.h"

#include "engine/xyz2mun.h"
#include "engine_test_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace tw::engine {
namespace {

using testing::realTable;

void cellCorners(const CellIndex &cells, int v, int h, int c, Point q[4]) {
    q[0] = cells.point(v, h, c);
    q[1] = cells.point(v, h + 1, c);
    q[2] = cells.point(v, h + 1, c + 1);
    q[3] = cells.point(v, h, c + 1);
}

// Points a hair outside each side of the box: along the side, and level
// with each corner of the cell (where a box without margin would cut off
// what the edge tolerance accepts).
std::vector<Point> justOutside(const CellIndex::Box &b, const Point q[4]) {
    const float inf = std::numeric_limits<float>::infinity();
    const float left = std::nextafter(b.xlo, -inf), right = std::nextafter(b.xhi, inf);
    const float low = std::nextafter(b.ylo, -inf), high = std::nextafter(b.yhi, inf);
    std::vector<Point> out;
    for (int i = 0; i <= 16; ++i) {
        const float tx = b.xlo + (b.xhi - b.xlo) * i / 16.0f;
        const float ty = b.ylo + (b.yhi - b.ylo) * i / 16.0f;
        out.insert(out.end(), { { tx, low }, { tx, high }, { left, ty }, { right, ty } });
    }
    for (int k = 0; k < 4; ++k) {
        out.insert(
            out.end(), { { q[k].x, low }, { q[k].x, high }, { left, q[k].y }, { right, q[k].y } });
    }
    return out;
}

TEST(CellIndex, NoBoxExcludesAPointItsCellAccepts) {
    const CellIndex &cells = realTable().cells();
    int tried = 0;
    for (int v = 0; v < CellIndex::levels; ++v) {
        for (int h = 0; h < CellIndex::columns; ++h) {
            for (int c = 0; c < cells.run(v, h); ++c) {
                Point q[4];
                cellCorners(cells, v, h, c, q);
                const CellIndex::Box &box = cells.cellBox(v, h, c);
                for (const Point &p : justOutside(box, q)) {
                    ASSERT_TRUE(box.excludes(p));
                    ASSERT_TRUE(
                        cells.columnBox(v, h).excludes(p) || !cells.columnBox(v, h).excludes(q[0]));
                    ASSERT_FALSE(inquad(p, q[0], q[1], q[2], q[3]))
                        << "cell " << v << "/" << h << "/" << c << " at " << p.x << ", " << p.y;
                    ++tried;
                }
                // The box is the cell's own extent and a narrow margin, not
                // the whole plane: it is of use to the search.
                float xlo = q[0].x, xhi = q[0].x;
                for (const Point &k : q) {
                    xlo = std::min(xlo, k.x);
                    xhi = std::max(xhi, k.x);
                }
                EXPECT_LT((box.xhi - box.xlo) - (xhi - xlo), 0.002f) << v << "/" << h << "/" << c;
            }
        }
    }
    EXPECT_GT(tried, 3000 * 84);
}

// The first cell holding (x, y) at level v, by trying every cell in order.
bool fullScan(const RenotationTable &table, Point p, int v, int &h, int &c) {
    const Point neutral { neutralX, neutralY };
    for (h = 0; h < 40; ++h) {
        for (c = 0; c < 16; ++c) {
            const auto at
                = [&](int hh, int cc) { return cc == 0 ? neutral : table.point(v, hh, cc); };
            const Point p01 = at(h, c + 1), p11 = at(h + 1, c + 1);
            if (p01.x == 0 || p01.y == 0 || p11.x == 0 || p11.y == 0) {
                break;
            }
            if (inquad(p, at(h, c), at(h + 1, c), p11, p01)) {
                return true;
            }
        }
    }
    return false;
}

void expectSearchMatchesFullScan(const RenotationTable &table, int v) {
    std::mt19937 rng(16);
    std::uniform_real_distribution<float> along(0.0f, 1.0f);
    std::uniform_real_distribution<float> hair(-2e-6f, 2e-6f);
    std::uniform_real_distribution<float> anywhere(0.05f, 0.7f);
    int found = 0;
    for (int i = 0; i < 20000; ++i) {
        Point p { anywhere(rng), anywhere(rng) };
        if (i % 2 == 1) {
            // On or a hair off an edge between two renotation points.
            const int h = static_cast<int>(rng() % 40), c = 1 + static_cast<int>(rng() % 8);
            const Point a = table.cells().point(v, h, c), b = table.cells().point(v, h + 1, c);
            const float t = along(rng);
            p = { a.x + (b.x - a.x) * t + hair(rng), a.y + (b.y - a.y) * t + hair(rng) };
        }
        int h1 = 0, c1 = 0, h2 = 0, c2 = 0;
        const bool scanned = fullScan(table, p, v, h1, c1);
        const bool searched = findcell(table, p.x, p.y, v, h2, c2);
        ASSERT_EQ(searched, scanned) << p.x << ", " << p.y;
        if (scanned) {
            ++found;
            ASSERT_EQ(h2, h1) << p.x << ", " << p.y;
            ASSERT_EQ(c2, c1) << p.x << ", " << p.y;
        }
    }
    EXPECT_GT(found, 5000);
}

TEST(CellIndex, SearchFindsTheCellAFullScanFinds) {
    for (int v : { 1, 5, 9 }) {
        expectSearchMatchesFullScan(realTable(), v);
    }
}

TEST(CellIndex, TwistedCellsAreSearchedWithoutBoxes) {
    // The real table with two neighbouring points of Value 5 swapped: the
    // cells around them turn into bow-ties.
    std::string text;
    for (int v = 0; v <= 10; ++v) {
        for (int h = 0; h < 40; ++h) {
            for (int c = 0; c <= 16; ++c) {
                int hh = h;
                if (v == 5 && c == 4 && (h == 10 || h == 11)) {
                    hh = 21 - h;
                }
                text += std::to_string(realTable().at(v, hh, c, 0)) + ","
                    + std::to_string(realTable().at(v, hh, c, 1)) + ",";
            }
        }
    }
    RenotationTable twisted;
    std::string error;
    ASSERT_TRUE(twisted.loadText(text, "twisted", error)) << error;
    const CellIndex &cells = twisted.cells();
    EXPECT_FALSE(cells.cellBox(5, 10, 3).excludes({ 50.0f, 50.0f }));
    EXPECT_FALSE(cells.cellBox(5, 10, 4).excludes({ -50.0f, -50.0f }));
    EXPECT_FALSE(cells.columnBox(5, 10).excludes({ 50.0f, -50.0f }));
    EXPECT_TRUE(cells.cellBox(5, 20, 3).excludes({ 50.0f, 50.0f })) << "other cells keep theirs";
    expectSearchMatchesFullScan(twisted, 5);
}

TEST(CellIndex, AnEmptyTableHasNoUsableCell) {
    const RenotationTable empty;
    int h = 0, c = 0;
    EXPECT_FALSE(findcell(empty, 0.3101f, 0.3163f, 5, h, c));
    EXPECT_EQ(h, 40);
    EXPECT_EQ(empty.cells().run(5, 2), 0);
}

} // namespace
} // namespace tw::engine
