// The coordinate system of a drawing surface: which user coordinates lie at
// its left, top, right and bottom edges.
//
// The surface is `left` at its left edge and `left + width` at its right edge,
// `top` at its top edge and `top + height` at its bottom edge. A negative
// height makes y grow upwards (a negative width, x grow leftwards). Two
// systems follow the surface's size: twips (15 per pixel, origin top-left,
// the default) and pixels (one unit per pixel); a user system keeps its four
// numbers and stretches with the surface.
//
// A user point belongs to the pixel whose area holds it (column =
// floor((x - left) / width * pixelWidth), and likewise the row); the mouse
// reports a pixel by the user point of its top-left corner, so that a point
// read back where the mouse went down finds the pixel under the pointer.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>

namespace tw::ui {

class UserScale {
public:
    enum class Mode { Twips, Pixels, User };

    void setPixelSize(QSize size);
    [[nodiscard]] QSize pixelSize() const { return pixels_; }

    void setPixels();
    // False (and no change) for a zero width or height.
    bool setUser(double left, double top, double width, double height);
    [[nodiscard]] Mode mode() const { return mode_; }

    [[nodiscard]] double left() const;
    [[nodiscard]] double top() const;
    [[nodiscard]] double width() const;
    [[nodiscard]] double height() const;

    // Continuous pixel position of a user point (0,0 = top-left corner of the
    // top-left pixel).
    [[nodiscard]] QPointF toPixel(double x, double y) const;
    // The pixel (column, row) a user point falls in.
    [[nodiscard]] QPoint toPixelIndex(double x, double y) const;
    // The user point at the top-left corner of a pixel.
    [[nodiscard]] QPointF toUser(QPoint pixel) const;

    // Pixels per user unit along x and y (negative for reversed axes).
    [[nodiscard]] double xScale() const;
    [[nodiscard]] double yScale() const;

private:
    QSize pixels_ { 1, 1 };
    Mode mode_ = Mode::Twips;
    double left_ = 0;
    double top_ = 0;
    double width_ = 1;
    double height_ = 1;
};

} // namespace tw::ui
