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
#include <atomic>
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
    // Set when an update has been asked for and not painted yet: drawing
    // asks once, however many points it sets before the next paint.
    bool updatePending = false;

protected:
    void paintEvent(QPaintEvent *event) override {
        updatePending = false;
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
    auto *w = static_cast<SurfaceWidget *>(widget());
    if (!w->updatePending || !w->isVisible()) {
        w->updatePending = w->isVisible();
        w->update();
    }
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

namespace {

// The outline of a dot of this width: the pixels just outside its disc
// that touch it side by side, in order round the dot, every other one kept
// (a dotted ring one pixel wide).
std::vector<QPoint> dottedRingOf(int width) {
    std::vector<DiscRow> scratch;
    const std::vector<DiscRow> &rows = discRows(std::max(width, 1), scratch);
    const auto inside = [&rows](int x, int y) {
        for (const DiscRow &d : rows) {
            if (d.row == y) {
                return x >= d.first && x <= d.last;
            }
        }
        return false;
    };
    std::vector<QPoint> ring;
    const int reach = width / 2 + 2;
    for (int y = -reach; y <= reach; ++y) {
        for (int x = -reach; x <= reach; ++x) {
            if (!inside(x, y)
                && (inside(x - 1, y) || inside(x + 1, y) || inside(x, y - 1) || inside(x, y + 1))) {
                ring.emplace_back(x, y);
            }
        }
    }
    const double mid = (width % 2) ? 0.0 : -0.5;
    std::sort(ring.begin(), ring.end(), [mid](QPoint a, QPoint b) {
        return std::atan2(a.y() - mid, a.x() - mid) < std::atan2(b.y() - mid, b.x() - mid);
    });
    std::vector<QPoint> dotted;
    for (std::size_t i = 0; i < ring.size(); i += 2) {
        dotted.push_back(ring[i]);
    }
    return dotted;
}

const std::vector<QPoint> &ringPixels(int width) {
    static std::vector<std::vector<QPoint>> cache(kCachedWidths);
    if (width >= kCachedWidths) {
        static std::vector<QPoint> scratch;
        scratch = dottedRingOf(width);
        return scratch;
    }
    std::vector<QPoint> &ring = cache[static_cast<std::size_t>(std::max(width, 0))];
    if (ring.empty()) {
        ring = dottedRingOf(width);
    }
    return ring;
}

} // namespace

void DrawingSurface::dottedRing(double x, double y, Rgb24 colour) {
    ensureImage();
    if (!image_.isDetached()) {
        flush();
    }
    const QPoint at = pixelOf(x, y);
    const QRgb c = colourOf(colour).rgb();
    const int w = image_.width();
    const int h = image_.height();
    uchar *const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    for (const QPoint &p : ringPixels(drawWidth_)) {
        const int px = at.x() + p.x();
        const int py = at.y() + p.y();
        if (px >= 0 && px < w && py >= 0 && py < h) {
            reinterpret_cast<QRgb *>(bits + py * stride)[px] = c;
        }
    }
    changed();
}

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
    if (drawStyle_ == BorderStyle::Dotted) {
        pen.setStyle(Qt::DotLine);
    } else if (drawStyle_ == BorderStyle::Transparent) {
        pen.setStyle(Qt::NoPen);
    }
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
    // Text without antialiasing too: every pixel of a letter is the fore
    // colour. A text is rendered once into the runs of pixels it sets, and
    // later prints of it in the same font set those pixels straight into the
    // image, as dots are: a view that numbers ten thousand dots a frame
    // cannot lay out ten thousand texts a frame.
    const std::uint32_t index = stampOf(text);
    printStamp(stamps_[index], newLine);
}

void DrawingSurface::print(const std::string &text, TextHandle &handle, bool newLine) {
    // stampOf() first: a change of font renews the generation.
    if (handle.generation != stampGeneration_ || !stampMetrics_ || widget()->font() != stampFont_) {
        handle.index = stampOf(text);
        handle.generation = stampGeneration_;
    }
    printStamp(stamps_[handle.index], newLine);
}

void DrawingSurface::printStamp(Stamp &stamp, bool newLine) {
    const QPoint at = pixelOf(currentX_, currentY_);
    const QRgb c = colourOf(fore_).rgb();
    if (!image_.isDetached()) {
        flush();
    }
    const int w = image_.width();
    const int h = image_.height();
    uchar *const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    const auto fill = [&](int y, int first, int last) {
        QRgb *const line = reinterpret_cast<QRgb *>(bits + y * stride);
        for (int x = first; x <= last; ++x) {
            line[x] = c;
        }
    };
    if (at.y() + stamp.top >= 0 && at.y() + stamp.bottom < h && at.x() + stamp.left >= 0
        && at.x() + stamp.right < w) {
        // Wholly inside, as nearly every text is: pixel by pixel from the
        // pen's pixel.
        const qsizetype pixelsPerRow = stride / static_cast<qsizetype>(sizeof(QRgb));
        if (stamp.pixelsPerRow != pixelsPerRow) {
            stamp.offsets.clear();
            for (const StampRun &run : stamp.runs) {
                for (int x = run.first; x <= run.last; ++x) {
                    stamp.offsets.push_back(static_cast<std::int32_t>(run.row * pixelsPerRow + x));
                }
            }
            stamp.pixelsPerRow = pixelsPerRow;
        }
        QRgb *const pen = reinterpret_cast<QRgb *>(bits + at.y() * stride) + at.x();
        for (const std::int32_t offset : stamp.offsets) {
            pen[offset] = c;
        }
    } else {
        for (const StampRun &run : stamp.runs) {
            const int y = at.y() + run.row;
            if (y >= 0 && y < h) {
                fill(y, std::max(0, at.x() + run.first), std::min(w - 1, at.x() + run.last));
            }
        }
    }
    if (newLine) {
        currentX_ = scale_.left();
        currentY_ += stampLineHeight_ / scale_.yScale();
    } else {
        currentX_ += stamp.advance / scale_.xScale();
    }
    changed();
}

std::uint64_t DrawingSurface::newStampGeneration() {
    static std::atomic<std::uint64_t> last { 0 };
    return ++last;
}

std::uint32_t DrawingSurface::stampOf(const std::string &text) {
    // The stamps are the widget's font's: a new font starts them afresh.
    if (!stampMetrics_ || widget()->font() != stampFont_) {
        stampFont_ = widget()->font();
        stamps_.clear();
        stampIndex_.clear();
        stampGeneration_ = newStampGeneration();
        QFont font = stampFont_;
        font.setStyleStrategy(QFont::NoAntialias);
        stampMetrics_ = std::make_unique<QFontMetricsF>(font, &image_);
        stampLineHeight_ = stampMetrics_->height();
    }
    if (const auto found = stampIndex_.find(text); found != stampIndex_.end()) {
        return found->second;
    }
    // A view that keeps changing its texts does not keep every one.
    if (stamps_.size() >= 20000) {
        stamps_.clear();
        stampIndex_.clear();
        stampGeneration_ = newStampGeneration();
    }
    QFont font = stampFont_;
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetricsF &fm = *stampMetrics_;
    const QString q = QString::fromStdString(text);
    Stamp stamp;
    stamp.advance = fm.horizontalAdvance(q);
    // Room for overhangs on both sides; the pen stands at (margin, 0).
    const int margin = static_cast<int>(std::ceil(fm.height()));
    const int width = static_cast<int>(std::ceil(stamp.advance)) + 2 * margin;
    const int height = static_cast<int>(std::ceil(fm.height())) + 2 * margin;
    QImage glyphs(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32);
    glyphs.fill(Qt::transparent);
    {
        QPainter p(&glyphs);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QPointF(margin, margin + fm.ascent()), q);
    }
    for (int y = 0; y < glyphs.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(glyphs.constScanLine(y));
        for (int x = 0; x < glyphs.width();) {
            if (qAlpha(row[x]) < 128) {
                ++x;
                continue;
            }
            const int first = x;
            while (x < glyphs.width() && qAlpha(row[x]) >= 128) {
                ++x;
            }
            const StampRun run { y - margin, first - margin, x - 1 - margin };
            if (stamp.runs.empty()) {
                stamp.top = stamp.bottom = run.row;
                stamp.left = run.first;
                stamp.right = run.last;
            }
            stamp.top = std::min(stamp.top, run.row);
            stamp.bottom = std::max(stamp.bottom, run.row);
            stamp.left = std::min(stamp.left, run.first);
            stamp.right = std::max(stamp.right, run.last);
            stamp.runs.push_back(run);
        }
    }
    stamps_.push_back(std::move(stamp));
    stampIndex_.emplace(text, static_cast<std::uint32_t>(stamps_.size() - 1));
    return static_cast<std::uint32_t>(stamps_.size() - 1);
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
