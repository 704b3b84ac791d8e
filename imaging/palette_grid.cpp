#include "imaging/palette_grid.h"

#include <algorithm>

namespace tw::imaging {

PaletteGrid paletteGrid(int width, int height, int n) {
    PaletteGrid g;
    g.n = std::max(1, n);
    g.W = std::max(0, width) / g.n * g.n;
    g.H = std::max(0, height) / g.n * g.n;
    return g;
}

} // namespace tw::imaging
