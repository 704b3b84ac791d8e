// CIE X, Y, Z (illuminant C, 1931 observer, white Y about 100) to Munsell
// hue, Value and Chroma. The Value comes from Y; hue and Chroma from locating
// the chromaticity in the quadrilateral cells that the renotation points form
// at the integer Values just below and above, blended by the Value's
// fraction.
#pragma once

#include "engine/cell_index.h"
#include "engine/renotation_table.h"

namespace tw::engine {

// True when P lies inside the quadrilateral A, B, C, D (corners in
// clockwise order) or within 1e-6 of one of its edges. A zero-length edge
// excludes nothing; a NaN point is inside nothing.
[[nodiscard]] bool inquad(Point P, Point A, Point B, Point C, Point D);

// The first usable cell at integer Value level v that holds (x, y), trying
// hue indices 0..39 and, within a hue, chroma rings from the neutral
// outward. Returns false (h = CellIndex::columns, c = 0) when no cell holds
// the point.
[[nodiscard]] bool findcell(const RenotationTable &table, float x, float y, int v, int &h, int &c);

// Hue number and Chroma of (x, y) inside the cell (v, h, c), by bisection
// along hue and along chroma, 50 steps each.
void cellsolve(
    const RenotationTable &table, float x, float y, int v, int h, int c, float &H, float &C);

// X, Y and Z this close to those of a colour of the renotation data are
// taken for that colour. X, Y, Z written with four decimals (as the
// converter writes them) lie within half of it.
inline constexpr float tristimulusTolerance = 1e-4f;
// And the nearest colour's chromaticity this close to the colour's: for a
// colour next to black every chromaticity lies within the tristimulus
// tolerance, yet one far outside the data names no colour of it.
inline constexpr float chromaticityTolerance = 1e-3f;

// Whether a Value level may take the nearest colour of its data for a
// chromaticity it does not hold (see xyz2mun).
enum class NearData { Taken, Refused };

enum class Xyz2MunStatus {
    Ok,
    // The chromaticity lies outside the renotation data, and beyond the
    // tolerance, at a Value level that counts, X + Y + Z is not positive, or
    // X, Z or the sum is not finite. H and C then have no meaning (they are
    // set to 0); V is still the Value of Y.
    OutOfRange,
};

// H in [0, 100), V, C. Y is raised to 0 in the caller's variable when
// negative. Rules at the edges of the data:
//  - a level whose weight is below 1e-4 does not count;
//  - a level that counts and holds no cell with the chromaticity takes the
//    nearest colour of its data instead, when that colour, at the same
//    X + Y + Z, has X, Y and Z within tristimulusTolerance of the colour's
//    and a chromaticity within chromaticityTolerance (a colour at the
//    outermost Chroma of its hue, given to four decimals, can lie a few
//    millionths beyond the data in chromaticity), unless nearData is
//    Refused;
//  - below Value 1 a colour the lower level does not hold takes its hue and
//    Chroma from the upper level alone;
//  - a Y at or above the Value-10 level gives Value 10, with hue and Chroma
//    from level 10 alone.
[[nodiscard]] Xyz2MunStatus xyz2mun(const RenotationTable &table, bool pwd, float &H, float &V,
    float &C, float X, float &Y, float Z, NearData nearData = NearData::Taken);

} // namespace tw::engine
