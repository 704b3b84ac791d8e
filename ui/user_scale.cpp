// Linear map between user coordinates and pixels:
//     column = (x - left) * pixelWidth / width,   row = (y - top) * pixelHeight / height.
// Whole pixels are found with floor() after adding a small tolerance (1e-6 of a
// pixel), so that a user point computed back from a pixel corner, with its
// rounding error, lands in that same pixel again.
#include "ui/user_scale.h"

#include "ui/twips.h"

#include <algorithm>
#include <cmath>

namespace tw::ui {

namespace {
constexpr double kTolerance = 1e-6;
}

void UserScale::setPixelSize(QSize size) {
    pixels_ = QSize(std::max(1, size.width()), std::max(1, size.height()));
}

void UserScale::setPixels() {
    mode_ = Mode::Pixels;
}

bool UserScale::setUser(double left, double top, double width, double height) {
    if (width == 0 || height == 0 || !std::isfinite(left) || !std::isfinite(top)
        || !std::isfinite(width) || !std::isfinite(height)) {
        return false;
    }
    mode_ = Mode::User;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    return true;
}

double UserScale::left() const {
    return mode_ == Mode::User ? left_ : 0.0;
}

double UserScale::top() const {
    return mode_ == Mode::User ? top_ : 0.0;
}

double UserScale::width() const {
    switch (mode_) {
    case Mode::Twips:
        return pixelsToTwips(pixels_.width());
    case Mode::Pixels:
        return pixels_.width();
    case Mode::User:
        break;
    }
    return width_;
}

double UserScale::height() const {
    switch (mode_) {
    case Mode::Twips:
        return pixelsToTwips(pixels_.height());
    case Mode::Pixels:
        return pixels_.height();
    case Mode::User:
        break;
    }
    return height_;
}

double UserScale::xScale() const {
    return pixels_.width() / width();
}

double UserScale::yScale() const {
    return pixels_.height() / height();
}

QPointF UserScale::toPixel(double x, double y) const {
    return { (x - left()) * xScale(), (y - top()) * yScale() };
}

QPoint UserScale::toPixelIndex(double x, double y) const {
    const QPointF p = toPixel(x, y);
    // Clamp before converting, so that a far-off point cannot overflow int.
    const auto whole = [](double v) {
        return static_cast<int>(std::floor(std::clamp(v + kTolerance, -1e9, 1e9)));
    };
    return { whole(p.x()), whole(p.y()) };
}

QPointF UserScale::toUser(QPoint pixel) const {
    return { left() + pixel.x() / xScale(), top() + pixel.y() / yScale() };
}

} // namespace tw::ui
