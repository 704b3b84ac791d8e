// A shape: a rectangle, square, oval or circle with a fill colour and style
// and a border colour and style (solid or dotted). It takes no mouse input:
// clicks on a shape go to the window beneath it, which can read the shape's
// colour as a pixel of the window.
//
// Squares and circles use the shorter side of the placement, centred. The
// border is drawn on the outermost pixels; a border in the fill colour makes
// the border invisible.
#pragma once

#include "ui/control.h"
#include "ui/styles.h"

class QPainter;

namespace tw::ui {

enum class ShapeKind { Rectangle, Square, Oval, Circle };

class Shape : public Control {
public:
    Shape(QWidget *container, const TwipRect &where, ShapeKind kind = ShapeKind::Rectangle);

    [[nodiscard]] ShapeKind kind() const { return kind_; }
    void setKind(ShapeKind kind);

    // Solid white fill and a solid black border of one pixel to start with.
    [[nodiscard]] Rgb24 fillColor() const { return fillColor_; }
    void setFillColor(Rgb24 colour);
    [[nodiscard]] FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle style);
    [[nodiscard]] Rgb24 borderColor() const { return borderColor_; }
    void setBorderColor(Rgb24 colour);
    [[nodiscard]] BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style);
    [[nodiscard]] int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int pixels);

    // Paints the shape into `painter` over the rectangle `area` (pixels); the
    // widget uses it, and so can anything that wants the same picture.
    void paint(QPainter &painter, const QRect &area) const;

private:
    ShapeKind kind_;
    Rgb24 fillColor_ = kWhite;
    FillStyle fillStyle_ = FillStyle::Solid;
    Rgb24 borderColor_ = kBlack;
    BorderStyle borderStyle_ = BorderStyle::Solid;
    int borderWidth_ = 1;
};

// Qt's brush style for a fill style.
[[nodiscard]] Qt::BrushStyle brushStyle(FillStyle style);

} // namespace tw::ui
