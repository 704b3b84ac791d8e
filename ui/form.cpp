// Form: a QWidget with a vertical layout holding the menu bar (when there is
// one) over the client area. Controls are placed by hand on the client area,
// 15 twips to the pixel. A fixed-size window fixes the client area and lets
// the layout fix the window around it.
#include "ui/form.h"

#include "ui/control.h"
#include "ui/drawing_surface.h"
#include "ui/menuitem.h"
#include "ui/mouse.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

namespace tw::ui {

namespace {
// The system's window colour: light grey.
constexpr Rgb24 kFormGrey = rgb(192, 192, 192);
} // namespace

Form::Form(QWidget *parent)
    : QWidget(parent)
    , hook_(std::make_unique<detail::Hook>())
    , layout_(new QVBoxLayout(this))
    , client_(new QWidget(this))
    , back_(kFormGrey) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(8);
    setFont(f);

    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->addWidget(client_);
    layout_->setSizeConstraint(QLayout::SetFixedSize);

    client_->setMouseTracking(true);
    client_->setAutoFillBackground(true);
    QPalette p = client_->palette();
    p.setColor(QPalette::Window, toQColor(back_));
    client_->setPalette(p);

    hook_->filter = [this](QObject *, QEvent *event) { return filterClient(event); };
    client_->installEventFilter(hook_.get());
    setClientSize(4800, 3600);
}

Form::~Form() {
    hook_.reset();
    surface_ = nullptr;
    while (!owned_.empty()) {
        owned_.pop_back();
    }
}

std::string Form::caption() const {
    return windowTitle().toStdString();
}

void Form::setCaption(const std::string &caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void Form::setClientSize(int widthTwips, int heightTwips) {
    const QSize px(std::max(1, twipsToPixels(widthTwips)), std::max(1, twipsToPixels(heightTwips)));
    client_->setFixedSize(px);
    adjustSize();
}

int Form::clientWidth() const {
    return pixelsToTwips(client_->width());
}

int Form::clientHeight() const {
    return pixelsToTwips(client_->height());
}

void Form::setBackColor(Rgb24 colour) {
    back_ = colour;
    QPalette p = client_->palette();
    p.setColor(QPalette::Window, toQColor(colour));
    client_->setPalette(p);
    if (surface_) {
        surface_->setBackColor(colour);
    }
}

QMenuBar *Form::menuBar() {
    if (!menuBar_) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        layout_->setMenuBar(menuBar_);
    }
    return menuBar_;
}

MenuItem &Form::addMenu(const std::string &caption) {
    return own<MenuItem>(menuBar(), caption, true);
}

MenuItem &Form::addMenuCommand(const std::string &caption) {
    return own<MenuItem>(menuBar(), caption, false);
}

MenuItem &Form::addMenuItem(MenuItem &menu, const std::string &caption) {
    return own<MenuItem>(menu, caption, false);
}

MenuItem &Form::addSubMenu(MenuItem &menu, const std::string &caption) {
    return own<MenuItem>(menu, caption, true);
}

void Form::addMenuSeparator(MenuItem &menu) {
    if (menu.menu()) {
        menu.menu()->addSeparator();
    }
}

DrawingSurface &Form::surface() {
    if (!surface_) {
        surface_ = &add<DrawingSurface>(
            TwipRect { 0, 0, pixelsToTwips(client_->width()), pixelsToTwips(client_->height()) });
        surface_->widget()->resize(client_->size());
        surface_->widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
        surface_->widget()->lower();
        surface_->setBackColor(back_);
    }
    return *surface_;
}

QImage Form::snapshot() const {
    QImage img(client_->size(), QImage::Format_RGB32);
    img.fill(toQColor(back_));
    client_->render(&img);
    return img;
}

Rgb24 Form::point(double xTwips, double yTwips) const {
    const int x = static_cast<int>(std::floor(xTwips / kTwipsPerPixel + 1e-6));
    const int y = static_cast<int>(std::floor(yTwips / kTwipsPerPixel + 1e-6));
    if (!client_->rect().contains(x, y)) {
        return back_;
    }
    // Only the one pixel is painted, which keeps a read per mouse move cheap;
    // the target keeps the client's own size and origin, because dotted
    // lines would restart their pattern in a target that begins at the pixel.
    QImage img(client_->size(), QImage::Format_RGB32);
    img.fill(toQColor(back_));
    client_->render(&img, QPoint(x, y), QRegion(x, y, 1, 1));
    return fromQRgb(img.pixel(x, y));
}

double Form::textWidth(const std::string &text) const {
    const QFontMetricsF fm(client_->font());
    return fm.horizontalAdvance(QString::fromStdString(text)) * kTwipsPerPixel;
}

double Form::textHeight(const std::string &text) const {
    const QFontMetricsF fm(client_->font());
    const auto lines = QString::fromStdString(text).count('\n') + 1;
    return fm.height() * static_cast<double>(lines) * kTwipsPerPixel;
}

void Form::activate() {
    show();
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

bool Form::filterClient(QEvent *event) {
    switch (event->type()) {
    case QEvent::Resize:
        if (surface_) {
            surface_->widget()->resize(client_->size());
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
        const auto *e = static_cast<QMouseEvent *>(event);
        const QPointF p = e->position();
        const double x = std::floor(p.x()) * kTwipsPerPixel;
        const double y = std::floor(p.y()) * kTwipsPerPixel;
        if (event->type() == QEvent::MouseMove) {
            if (const auto h = onMouseMove) {
                const int b = buttonsCode(e->buttons());
                (void)runGuarded("Form mouse move", [&] { h(b, x, y); });
            }
        } else {
            const auto h = event->type() == QEvent::MouseButtonPress ? onMouseDown : onMouseUp;
            if (h) {
                const int b = buttonCode(e->button());
                (void)runGuarded("Form mouse button", [&] { h(b, x, y); });
            }
        }
        return false;
    }
    default:
        return false;
    }
}

void Form::closeEvent(QCloseEvent *event) {
    if (const auto h = onUnload) {
        (void)runGuarded("Form unload", h);
    }
    event->accept();
}

} // namespace tw::ui
