// How a picture is cut into the blocks of an image palette: squares of n x n
// pixels from the top-left corner, as many whole blocks as fit. The pixels
// beyond the last whole block (right and bottom) are not sampled: a picture
// 25 pixels wide at n = 10 gives the columns x0 = 0 and 10.
//
// Blocks are visited a column at a time, top to bottom, so the palette's
// rows run (0, 0), (0, n), (0, 2n) ... before the next column starts.
#pragma once

namespace tw::imaging {

// The most rows the 3D viewer takes from a palette.
inline constexpr long long maxPaletteBlocks = 10000;

struct PaletteGrid {
    int n = 0;
    int W = 0; // the width covered by whole blocks: (width / n) * n
    int H = 0; // likewise the height
    [[nodiscard]] int columns() const { return n > 0 ? W / n : 0; }
    [[nodiscard]] int rows() const { return n > 0 ? H / n : 0; }
    [[nodiscard]] long long total() const { return static_cast<long long>(columns()) * rows(); }
};

// n must be at least 1.
[[nodiscard]] PaletteGrid paletteGrid(int width, int height, int n);

} // namespace tw::imaging
