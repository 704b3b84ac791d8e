// Drawing surface: a QWidget painted from a backing QImage (RGB32).
//
// Drawing goes through one QPainter kept open on the image between
// operations (opening a painter per point would dominate the cost of a
// redraw of ten thousand dots); it is closed before the image is read,
// resized or painted on the screen. Antialiasing stays off, so a pixel is
// either the colour drawn or untouched.
//
// Pixel geometry: a user point maps to the pixel that holds it
// (UserScale::toPixelIndex). Shapes are drawn around pixel centres
// (column + 0.5, row + 0.5), so a dot or circle centred on a point is centred
// on that point's pixel and a box from corner pixel to corner pixel covers both.
#include "ui/drawing_surface.h"

#include "ui/mouse.h"
#include "ui/shape.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tw::ui {

namespace {

enum MouseKind { kDown, kUp, kMove };

// The widget paints the backing image and passes the mouse on.
class SurfaceWidget : public QWidget {
public:
    explicit SurfaceWidget(QWidget *parent)
        : QWidget(parent) {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    std::function<const QImage &()> imageFor;
    std::function<void(int kind, int button, QPoint pixel)> mouse;

protected:
    void paintEvent(QPaintEvent *event) override {
        if (imageFor) {
            QPainter p(this);
            p.drawImage(event->rect(), imageFor(), event->rect());
        }
    }
    void mousePressEvent(QMouseEvent *e) override { pass(kDown, buttonCode(e->button()), e); }
    void mouseReleaseEvent(QMouseEvent *e) override { pass(kUp, buttonCode(e->button()), e); }
    void mouseMoveEvent(QMouseEvent *e) override { pass(kMove, buttonsCode(e->buttons()), e); }

private:
    void pass(int kind, int button, QMouseEvent *e) {
        if (mouse) {
            const QPointF p = e->position();
            mouse(kind, button,
                QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))));
        }
    }
};

QColor colourOf(Rgb24 c) {
    return toQColor(c);
}

struct DiscRow {
    int row; // from the centre pixel's row
    int first, last; // columns from the centre pixel's column, both included
};

} // namespace

DrawingSurface::DrawingSurface(QWidget *container, const TwipRect &where)
    : Control(new SurfaceWidget(container), where, QPalette::Window, QPalette::WindowText) {
    auto *w = static_cast<SurfaceWidget *>(widget());
    w->imageFor = [this]() -> const QImage & { return image(); };
    w->mouse = [this](int kind, int button, QPoint pixel) { handleMouse(kind, button, pixel); };
    ensureImage();
}

DrawingSurface::~DrawingSurface() {
    flush();
    auto *w = static_cast<SurfaceWidget *>(widget());
    if (w) {
        w->imageFor = nullptr;
        w->mouse = nullptr;
    }
}

void DrawingSurface::ensureImage() const {
    const QSize size = widget()->size().expandedTo(QSize(1, 1));
    if (image_.size() == size) {
        return;
    }
    flush();
    QImage fresh(size, QImage::Format_RGB32);
    fresh.fill(colourOf(back_));
    {
        QPainter p(&fresh);
        if (!image_.isNull()) {
            p.drawImage(0, 0, image_);
        } else if (!picture_.isNull()) {
            p.drawImage(0, 0, picture_);
        }
    }
    image_ = std::move(fresh);
    scale_.setPixelSize(size);
}

QPainter &DrawingSurface::painter() const {
    ensureImage();
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
        painter_->setBackgroundMode(Qt::TransparentMode);
    }
    return *painter_;
}

void DrawingSurface::flush() const {
    painter_.reset();
}

void DrawingSurface::changed() {
    widget()->update();
}

QSize DrawingSurface::pixelSize() const {
    ensureImage();
    return image_.size();
}

const QImage &DrawingSurface::image() const {
    ensureImage();
    flush();
    return image_;
}

const UserScale &DrawingSurface::scale() const {
    ensureImage();
    return scale_;
}

double DrawingSurface::scaleWidth() const {
    return scale().width();
}

double DrawingSurface::scaleHeight() const {
    return scale().height();
}

bool DrawingSurface::setScale(double left, double top, double width, double height) {
    ensureImage();
    return scale_.setUser(left, top, width, height);
}

void DrawingSurface::setScalePixels() {
    scale_.setPixels();
}

void DrawingSurface::setBackColor(Rgb24 colour) {
    back_ = colour;
    QPalette p = widget()->palette();
    p.setColor(QPalette::Window, colourOf(colour));
    widget()->setPalette(p);
    cls();
}

void DrawingSurface::setForeColor(Rgb24 colour) {
    fore_ = colour;
}

void DrawingSurface::setDrawWidth(int pixels) {
    drawWidth_ = std::max(1, pixels);
}

QPoint DrawingSurface::pixelOf(double x, double y) const {
    ensureImage();
    return scale_.toPixelIndex(x, y);
}

void DrawingSurface::cls() {
    ensureImage();
    flush();
    image_.fill(colourOf(back_));
    if (!picture_.isNull()) {
        QPainter p(&image_);
        p.drawImage(0, 0, picture_);
    }
    currentX_ = scale_.left();
    currentY_ = scale_.top();
    changed();
}

namespace {

// The rows of a disc exactly `width` pixels across, relative to the pixel it
// is centred on: rows of pixels whose centres lie within the radius of the
// disc's centre. An odd width is centred on the pixel's centre, an even one on
// its top-left corner, so that the widest row holds exactly `width` pixels.
std::vector<DiscRow> discRowsOf(int width) {
    std::vector<DiscRow> rows;
    const double r = width / 2.0;
    const double offset = (width % 2) ? 0.5 : 0.0;
    const int top = static_cast<int>(std::floor(offset - r));
    const int bottom = static_cast<int>(std::ceil(offset + r));
    for (int row = top; row <= bottom; ++row) {
        const double dy = row + 0.5 - offset;
        if (std::abs(dy) > r) {
            continue;
        }
        const double half = std::sqrt(r * r - dy * dy);
        const int first = static_cast<int>(std::ceil(offset - half - 0.5));
        const int last = static_cast<int>(std::floor(offset + half - 0.5));
        if (last >= first) {
            rows.push_back({ row, first, last });
        }
    }
    return rows;
}

// The viewer redraws ten thousand dots a frame in a handful of widths: the
// rows of each usual width are worked out once.
constexpr int kCachedWidths = 256;

const std::vector<DiscRow> &discRows(int width, std::vector<DiscRow> &scratch) {
    if (width >= kCachedWidths) {
        scratch = discRowsOf(width);
        return scratch;
    }
    static std::vector<std::vector<DiscRow>> cache(kCachedWidths);
    std::vector<DiscRow> &rows = cache[static_cast<std::size_t>(width)];
    if (rows.empty()) {
        rows = discRowsOf(width);
    }
    return rows;
}

} // namespace

void DrawingSurface::dot(QPoint at, Rgb24 colour) {
    ensureImage();
    // The pixels are written straight into the backing image: the raster
    // painter, when one is open, draws into the same memory at once, so the
    // two kinds of drawing keep their order. A shared image is unshared
    // first, with its painter closed.
    if (!image_.isDetached()) {
        flush();
    }
    const QRgb c = colourOf(colour).rgb();
    const int w = image_.width();
    const int h = image_.height();
    uchar *const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    if (drawWidth_ <= 1) {
        if (image_.rect().contains(at)) {
            reinterpret_cast<QRgb *>(bits + at.y() * stride)[at.x()] = c;
        }
        return;
    }
    std::vector<DiscRow> scratch;
    for (const DiscRow &d : discRows(drawWidth_, scratch)) {
        const int y = at.y() + d.row;
        if (y < 0 || y >= h) {
            continue;
        }
        const int first = std::max(0, at.x() + d.first);
        const int last = std::min(w - 1, at.x() + d.last);
        if (last >= first) {
            QRgb *line = reinterpret_cast<QRgb *>(bits + y * stride);
            std::fill(line + first, line + last + 1, c);
        }
    }
}

void DrawingSurface::pset(double x, double y, std::optional<Rgb24> colour) {
    dot(pixelOf(x, y), colour.value_or(fore_));
    currentX_ = x;
    currentY_ = y;
    changed();
}

void DrawingSurface::line(double x1, double y1, double x2, double y2, std::optional<Rgb24> colour) {
    const QPoint a = pixelOf(x1, y1);
    const QPoint b = pixelOf(x2, y2);
    QPainter &p = painter();
    QPen pen(colourOf(colour.value_or(fore_)));
    pen.setWidth(drawWidth_);
    pen.setCapStyle(drawWidth_ > 1 ? Qt::RoundCap : Qt::SquareCap);
    p.setPen(pen);
    p.drawLine(a, b);
    currentX_ = x2;
    currentY_ = y2;
    changed();
}

void DrawingSurface::lineTo(double x, double y, std::optional<Rgb24> colour) {
    line(currentX_, currentY_, x, y, colour);
}

void DrawingSurface::box(
    double x1, double y1, double x2, double y2, std::optional<Rgb24> colour, bool filled) {
    const QPoint a = pixelOf(x1, y1);
    const QPoint b = pixelOf(x2, y2);
    // QRect::normalized() would drop a row and a column of a rectangle given
    // bottom-up, so the corners are ordered by hand.
    const QRect r(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
        QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    const QColor c = colourOf(colour.value_or(fore_));
    QPainter &p = painter();
    if (filled) {
        p.fillRect(r, c);
    } else {
        if (fillStyle_ != FillStyle::Transparent) {
            p.fillRect(r, QBrush(colourOf(fill_), brushStyle(fillStyle_)));
        }
        QPen pen(c);
        pen.setWidth(drawWidth_);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        // An aliased rectangle of width w and height h covers w + 1 by h + 1
        // pixels, so this outline lies on the corner pixels themselves.
        p.drawRect(QRect(r.topLeft(), QSize(r.width() - 1, r.height() - 1)));
    }
    currentX_ = x2;
    currentY_ = y2;
    changed();
}

void DrawingSurface::circle(
    double cx, double cy, double radius, std::optional<Rgb24> colour, double aspect) {
    const QPoint at = pixelOf(cx, cy);
    const Rgb24 c = colour.value_or(fore_);
    const double a = std::abs(aspect);
    const double r = std::abs(radius * scale_.xScale());
    const double rx = a > 1 ? r / a : r;
    const double ry = a > 1 ? r : r * a;
    currentX_ = cx;
    currentY_ = cy;
    if (rx < 0.5 && ry < 0.5) {
        dot(at, c);
        changed();
        return;
    }
    QPainter &p = painter();
    QPen pen(colourOf(c));
    pen.setWidth(drawWidth_);
    p.setPen(pen);
    if (fillStyle_ == FillStyle::Transparent) {
        p.setBrush(Qt::NoBrush);
    } else {
        p.setBrush(QBrush(colourOf(fill_), brushStyle(fillStyle_)));
    }
    p.drawEllipse(QPointF(at.x() + 0.5, at.y() + 0.5), rx, ry);
    changed();
}

void DrawingSurface::print(const std::string &text, bool newLine) {
    const QPoint at = pixelOf(currentX_, currentY_);
    const QString q = QString::fromStdString(text);
    // Text without antialiasing too: every pixel of a letter is the fore colour.
    QFont font = widget()->font();
    font.setStyleStrategy(QFont::NoAntialias);
    QPainter &p = painter();
    p.setFont(font);
    p.setPen(colourOf(fore_));
    const QFontMetricsF fm(font, &image_);
    p.drawText(QPointF(at.x(), at.y() + fm.ascent()), q);
    if (newLine) {
        currentX_ = scale_.left();
        currentY_ += fm.height() / scale_.yScale();
    } else {
        currentX_ += fm.horizontalAdvance(q) / scale_.xScale();
    }
    changed();
}

double DrawingSurface::textWidth(const std::string &text) const {
    ensureImage();
    const QFontMetricsF fm(widget()->font(), &image_);
    return std::abs(fm.horizontalAdvance(QString::fromStdString(text)) / scale_.xScale());
}

double DrawingSurface::textHeight(const std::string &text) const {
    ensureImage();
    const QFontMetricsF fm(widget()->font(), &image_);
    const auto lines = std::max<qsizetype>(1, QString::fromStdString(text).count('\n') + 1);
    return std::abs(fm.height() * static_cast<double>(lines) / scale_.yScale());
}

Rgb24 DrawingSurface::point(double x, double y) const {
    const QPoint at = pixelOf(x, y);
    flush();
    if (!image_.rect().contains(at)) {
        return back_;
    }
    return fromQRgb(image_.pixel(at));
}

void DrawingSurface::setPicture(const QImage &picture) {
    flush();
    picture_ = picture.isNull() ? QImage() : picture.convertToFormat(QImage::Format_RGB32);
    if (!picture_.isNull()) {
        widget()->resize(picture_.size());
    }
    image_ = QImage(); // rebuilt from the background and the picture
    ensureImage();
    cls();
}

void DrawingSurface::handleMouse(int kind, int button, QPoint pixel) {
    ensureImage();
    const QPointF at = scale_.toUser(pixel);
    std::function<void(int, double, double)> handler;
    switch (kind) {
    case kDown:
        handler = onMouseDown;
        break;
    case kUp:
        handler = onMouseUp;
        break;
    default:
        handler = onMouseMove;
        break;
    }
    if (handler) {
        (void)runGuarded("DrawingSurface mouse", [&] { handler(button, at.x(), at.y()); });
    }
}

} // namespace tw::ui
