// The average colour of a block of picture pixels, the two ways the picture
// window takes it.
//
//  - sampleAverage: the sample under the mouse, the integer part of
//    sum / count + 0.5 (13 / 9 gives 1, 14 / 9 gives 2; a half goes up).
//  - blockAverage: a palette block, sum / count rounded to the nearest
//    integer with halves to even (250 / 100 gives 2, 350 / 100 gives 4).
//  - blockSums: the red, green and blue sums over the pixels of the
//    rectangle [x0, x0 + width) x [y0, y0 + height) that lie inside the
//    picture, and how many those are (0 when none is).
#pragma once

#include <QImage>

#include <array>

namespace tw::imaging {

struct BlockSums {
    std::array<long long, 3> sum {}; // red, green, blue
    int count = 0;
};

[[nodiscard]] int sampleAverage(long long sum, int count);
[[nodiscard]] int blockAverage(long long sum, int count);
[[nodiscard]] BlockSums blockSums(const QImage &picture, int x0, int y0, int width, int height);

} // namespace tw::imaging
