// A drawing surface: a picture box, or the drawing area of a window.
//
// Everything drawn goes into a backing image first and the screen is painted
// from it, so point() reads back exactly what was drawn, whether the surface
// is on screen, covered or never shown. Nothing is antialiased: a pixel is
// the colour it was given.
//
// Coordinates are the surface's user coordinates (ui/user_scale.h): twips
// from the top-left corner until setScale() or setScalePixels() says
// otherwise. Pen widths are in pixels.
//
// Drawing state, as the drawing operations use it:
//  - foreColor: the colour of points, lines, outlines and text when no colour
//    is given; black at first.
//  - fillColor and fillStyle: the inside of boxes drawn as outlines and of
//    circles; transparent at first.
//  - drawWidth: pen width in pixels; 1 at first.
//  - backColor: the colour cls() clears to; white at first. Setting it
//    clears the surface, as it would clear a window being repainted.
//  - currentX, currentY: where text is printed. pset() and circle() leave it
//    at their centre, line() and box() at their second point.
//
// Operations:
//  - pset: one pixel in the colour (a round dot drawWidth pixels across when
//    drawWidth > 1).
//  - line: from (x1, y1) to (x2, y2); lineTo from the current position.
//  - box: the rectangle with corners (x1, y1) and (x2, y2), both included;
//    filled solid in the colour, or outlined in it with the inside filled by
//    fillColor/fillStyle.
//  - circle: centre, radius and aspect = vertical radius / horizontal radius.
//    The radius is the horizontal one for aspect <= 1 and the vertical one
//    for aspect > 1, measured in units of the x axis; a circle stays round on
//    the screen whatever the two axes' scales. Radius 0 draws a dot of
//    drawWidth pixels, like pset.
//  - print: text with its top-left corner at the current position, in the
//    fore colour, the background left as it is. Then either the next line
//    (currentX back to the left edge, currentY one line down the screen) or,
//    with newLine false, currentX just after the text.
//  - textWidth / textHeight: the size of a text in user units (positive).
//  - point: the colour of the pixel at (x, y); outside the surface the
//    background colour.
//
// Mouse: onMouseDown(button, x, y) and onMouseUp with the button's code
// (ui/mouse.h), onMouseMove(buttons held, x, y); positions in user units.
#pragma once

#include "ui/control.h"
#include "ui/styles.h"
#include "ui/text_handle.h"
#include "ui/user_scale.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class QPainter;

namespace tw::ui {

class DrawingSurface : public Control {
public:
    explicit DrawingSurface(QWidget *container, const TwipRect &where = {});
    ~DrawingSurface() override;

    // Coordinate system. setScale returns false (no change) for a zero width
    // or height.
    bool setScale(double left, double top, double width, double height);
    void setScalePixels();
    [[nodiscard]] double scaleLeft() const { return scale_.left(); }
    [[nodiscard]] double scaleTop() const { return scale_.top(); }
    [[nodiscard]] double scaleWidth() const;
    [[nodiscard]] double scaleHeight() const;
    [[nodiscard]] const UserScale &scale() const;

    // Drawing state.
    [[nodiscard]] Rgb24 backColor() const override { return back_; }
    void setBackColor(Rgb24 colour) override;
    [[nodiscard]] Rgb24 foreColor() const override { return fore_; }
    void setForeColor(Rgb24 colour) override;
    [[nodiscard]] Rgb24 fillColor() const { return fill_; }
    void setFillColor(Rgb24 colour) { fill_ = colour; }
    [[nodiscard]] FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle style) { fillStyle_ = style; }
    [[nodiscard]] int drawWidth() const { return drawWidth_; }
    void setDrawWidth(int pixels);
    // Lines and outlines solid (the default) or dotted.
    void setDrawStyle(BorderStyle style) { drawStyle_ = style; }
    [[nodiscard]] double currentX() const { return currentX_; }
    [[nodiscard]] double currentY() const { return currentY_; }
    void setCurrentX(double x) { currentX_ = x; }
    void setCurrentY(double y) { currentY_ = y; }

    // Drawing.
    void cls();
    void pset(double x, double y, std::optional<Rgb24> colour = {});
    // A dotted ring one pixel wide round the dot pset() draws at (x, y) in
    // the current draw width.
    void dottedRing(double x, double y, Rgb24 colour);
    void line(double x1, double y1, double x2, double y2, std::optional<Rgb24> colour = {});
    void lineTo(double x, double y, std::optional<Rgb24> colour = {});
    void box(double x1, double y1, double x2, double y2, std::optional<Rgb24> colour = {},
        bool filled = false);
    void circle(
        double cx, double cy, double radius, std::optional<Rgb24> colour = {}, double aspect = 1.0);
    void print(const std::string &text, bool newLine = true);
    // The same, the caller keeping the text's handle between prints.
    void print(const std::string &text, TextHandle &handle, bool newLine = true);
    [[nodiscard]] double textWidth(const std::string &text) const;
    [[nodiscard]] double textHeight(const std::string &text = "Ag") const;
    [[nodiscard]] Rgb24 point(double x, double y) const;

    // Pictures: the surface takes the picture's size and shows it beneath the
    // drawing; cls() goes back to the picture. A null image removes it.
    void setPicture(const QImage &picture);
    [[nodiscard]] bool hasPicture() const { return !picture_.isNull(); }

    // The surface in pixels, and the backing image (for printing and tests).
    [[nodiscard]] QSize pixelSize() const;
    [[nodiscard]] const QImage &image() const;

    std::function<void(int button, double x, double y)> onMouseDown;
    std::function<void(int button, double x, double y)> onMouseUp;
    std::function<void(int buttons, double x, double y)> onMouseMove;

private:
    // Keeps the backing image the size of the widget (the widget may be
    // resized before it ever receives a resize event).
    void ensureImage() const;
    QPainter &painter() const;
    void flush() const;
    void changed();
    [[nodiscard]] QPoint pixelOf(double x, double y) const;
    void dot(QPoint at, Rgb24 colour);
    void handleMouse(int kind, int button, QPoint pixel);

    // A text as the pixels it sets: runs of a row, from the pen's place at
    // the top of the text line, and the pen's advance.
    struct StampRun {
        int row, first, last;
    };
    struct Stamp {
        std::vector<StampRun> runs;
        int top = 0, bottom = -1, left = 0, right = -1; // the runs' bounds
        double advance = 0.0;
        // The same pixels as offsets from the pen's pixel in an image whose
        // rows are `pixelsPerRow` apart, made when first printed wholly
        // inside one.
        std::vector<std::int32_t> offsets;
        qsizetype pixelsPerRow = 0;
    };
    std::uint32_t stampOf(const std::string &text);
    void printStamp(Stamp &stamp, bool newLine);
    std::vector<Stamp> stamps_;
    std::unordered_map<std::string, std::uint32_t> stampIndex_;
    // Unique among all surfaces, so that no handle passes for another's.
    std::uint64_t stampGeneration_ = newStampGeneration();
    double stampLineHeight_ = 0.0; // of the stamps' font, in pixels
    static std::uint64_t newStampGeneration();
    QFont stampFont_;
    std::unique_ptr<QFontMetricsF> stampMetrics_;

    mutable UserScale scale_;
    mutable QImage image_;
    mutable std::unique_ptr<QPainter> painter_;
    QImage picture_;
    Rgb24 back_ = kWhite;
    Rgb24 fore_ = kBlack;
    Rgb24 fill_ = kBlack;
    FillStyle fillStyle_ = FillStyle::Transparent;
    int drawWidth_ = 1;
    BorderStyle drawStyle_ = BorderStyle::Solid;
    double currentX_ = 0;
    double currentY_ = 0;
};

} // namespace tw::ui
