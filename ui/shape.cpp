// Shape: a plain QWidget that paints itself without antialiasing, so that every
// pixel is either the fill colour or the border colour (or, for hatched
// fills, what lies beneath) and a pixel read of the window gives back exactly
// the colour that was set.
#include "ui/shape.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <functional>

namespace tw::ui {

namespace {

// Paints through a function the Shape sets, which the widget calls back.
class ShapeWidget : public QWidget {
public:
    explicit ShapeWidget(QWidget *parent)
        : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    std::function<void(QPainter &, const QRect &)> paintWith;

protected:
    void paintEvent(QPaintEvent *) override {
        if (paintWith) {
            QPainter p(this);
            paintWith(p, rect());
        }
    }
};

} // namespace

Qt::BrushStyle brushStyle(FillStyle style) {
    switch (style) {
    case FillStyle::Transparent:
        return Qt::NoBrush;
    case FillStyle::Solid:
        return Qt::SolidPattern;
    case FillStyle::HorizontalLine:
        return Qt::HorPattern;
    case FillStyle::VerticalLine:
        return Qt::VerPattern;
    case FillStyle::UpwardDiagonal:
        return Qt::BDiagPattern;
    case FillStyle::DownwardDiagonal:
        return Qt::FDiagPattern;
    case FillStyle::Cross:
        return Qt::CrossPattern;
    case FillStyle::DiagonalCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::NoBrush;
}

Shape::Shape(QWidget *container, const TwipRect &where, ShapeKind kind)
    : Control(new ShapeWidget(container), where, QPalette::Window, QPalette::WindowText)
    , kind_(kind) {
    static_cast<ShapeWidget *>(widget())->paintWith
        = [this](QPainter &p, const QRect &area) { paint(p, area); };
}

void Shape::paint(QPainter &painter, const QRect &area) const {
    QRect r = area;
    if (kind_ == ShapeKind::Square || kind_ == ShapeKind::Circle) {
        const int side = std::min(r.width(), r.height());
        r = QRect(r.x() + (r.width() - side) / 2, r.y() + (r.height() - side) / 2, side, side);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);

    const bool round = kind_ == ShapeKind::Oval || kind_ == ShapeKind::Circle;
    if (fillStyle_ != FillStyle::Transparent) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QBrush(toQColor(fillColor_), brushStyle(fillStyle_)));
        if (round) {
            painter.drawEllipse(r);
        } else {
            painter.fillRect(r, painter.brush());
        }
    }
    if (borderStyle_ != BorderStyle::Transparent && borderWidth_ > 0) {
        QPen pen(toQColor(borderColor_));
        pen.setWidth(borderWidth_);
        pen.setStyle(borderStyle_ == BorderStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        // Keep a wide border inside the area: the pen is centred on the path.
        const int inset = borderWidth_ / 2;
        const QRect path = r.adjusted(inset, inset, -inset - 1, -inset - 1);
        if (round) {
            painter.drawEllipse(path);
        } else {
            painter.drawRect(path);
        }
    }
}

void Shape::setKind(ShapeKind kind) {
    kind_ = kind;
    widget()->update();
}

void Shape::setFillColor(Rgb24 colour) {
    fillColor_ = colour;
    widget()->update();
}

void Shape::setFillStyle(FillStyle style) {
    fillStyle_ = style;
    widget()->update();
}

void Shape::setBorderColor(Rgb24 colour) {
    borderColor_ = colour;
    widget()->update();
}

void Shape::setBorderStyle(BorderStyle style) {
    borderStyle_ = style;
    widget()->update();
}

void Shape::setBorderWidth(int pixels) {
    borderWidth_ = std::max(0, pixels);
    widget()->update();
}

} // namespace tw::ui
