#include "imaging/block_average.h"

#include "text/numbers.h"

#include <algorithm>
#include <cmath>

namespace tw::imaging {

int sampleAverage(long long sum, int count) {
    if (count <= 0) {
        return 0;
    }
    return static_cast<int>(
        std::floor(static_cast<double>(sum) / static_cast<double>(count) + 0.5));
}

int blockAverage(long long sum, int count) {
    if (count <= 0) {
        return 0;
    }
    return static_cast<int>(
        text::roundHalfEven(static_cast<double>(sum) / static_cast<double>(count)));
}

BlockSums blockSums(const QImage &picture, int x0, int y0, int width, int height) {
    BlockSums out;
    const int left = std::max(0, x0);
    const int top = std::max(0, y0);
    const int right = std::min(picture.width(), x0 + width);
    const int bottom = std::min(picture.height(), y0 + height);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const QRgb c = picture.pixel(x, y);
            out.sum[0] += qRed(c);
            out.sum[1] += qGreen(c);
            out.sum[2] += qBlue(c);
            ++out.count;
        }
    }
    return out;
}

} // namespace tw::imaging
