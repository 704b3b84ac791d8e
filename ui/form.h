// A window: a caption, a client area of a fixed size in twips, an optional
// menu bar above it, and the controls on it.
//
// Controls are made with add<Kind>(place, ...) on the client area and with
// addIn<Kind>(frame, place, ...) inside a frame (placed relative to the
// frame); the form keeps them and returns a reference that stays valid as long
// as the form:
//     auto &box = add<TextBox>(TwipRect{1560, 720, 852, 255}, "5R");
//     auto &opts = addIn<OptionArray>(frame);
// Menus: addMenu (a drop-down title), addMenuCommand (a command directly in
// the bar), addMenuItem / addSubMenu inside a menu.
//
// The client area can be drawn on like a picture box through surface(), which
// lies beneath every control. Mouse events on the client area (also through a
// shape or a label) reach onMouseDown / onMouseUp / onMouseMove with the
// position in twips. point() reads a pixel of the client area as shown,
// controls included.
//
// Closing the window from its title bar runs onUnload and hides it; what else
// a close means (ending the program, clearing a check box) is the window's
// business.
#pragma once

#include "ui/colour.h"
#include "ui/frame.h"
#include "ui/twips.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QMenuBar;
class QVBoxLayout;

namespace tw::ui {

class DrawingSurface;
class MenuItem;

namespace detail {
class Hook;
}

class Form : public QWidget {
public:
    explicit Form(QWidget *parent = nullptr);
    ~Form() override;

    [[nodiscard]] std::string caption() const;
    void setCaption(const std::string &caption);

    // Client area size in twips. The window has a fixed size: the user
    // cannot resize it.
    void setClientSize(int widthTwips, int heightTwips);
    [[nodiscard]] int clientWidth() const;
    [[nodiscard]] int clientHeight() const;

    [[nodiscard]] QWidget *client() const { return client_; }

    [[nodiscard]] Rgb24 backColor() const { return back_; }
    // Also clears the drawing surface, if the window has one.
    void setBackColor(Rgb24 colour);

    template<class C, class... Args> C &add(Args &&...args) {
        return own<C>(client_, std::forward<Args>(args)...);
    }

    template<class C, class... Args> C &addIn(Frame &frame, Args &&...args) {
        return own<C>(frame.container(), std::forward<Args>(args)...);
    }

    // Keeps any object for the form's lifetime; the objects go before the
    // form's widgets, in the reverse order of their making.
    template<class C, class... Args> C &own(Args &&...args) {
        auto p = std::make_shared<C>(std::forward<Args>(args)...);
        owned_.push_back(p);
        return *p;
    }

    MenuItem &addMenu(const std::string &caption);
    MenuItem &addMenuCommand(const std::string &caption);
    MenuItem &addMenuItem(MenuItem &menu, const std::string &caption);
    MenuItem &addSubMenu(MenuItem &menu, const std::string &caption);
    void addMenuSeparator(MenuItem &menu);
    [[nodiscard]] QMenuBar *menuBar();

    // The client area's own drawing surface (made on first use; twips scale).
    DrawingSurface &surface();
    [[nodiscard]] bool hasSurface() const { return surface_ != nullptr; }

    // The colour of the client-area pixel at (x, y) twips as the window shows
    // it, controls included; the background colour outside the client area.
    [[nodiscard]] Rgb24 point(double xTwips, double yTwips) const;
    // The client area as the window shows it.
    [[nodiscard]] QImage snapshot() const;

    // Size of a text in the window's font, in twips.
    [[nodiscard]] double textWidth(const std::string &text) const;
    [[nodiscard]] double textHeight(const std::string &text = "Ag") const;

    // Shows the window, brings it to the front and gives it the focus.
    void activate();

    std::function<void(int button, double x, double y)> onMouseDown;
    std::function<void(int button, double x, double y)> onMouseUp;
    std::function<void(int buttons, double x, double y)> onMouseMove;
    std::function<void()> onUnload;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool filterClient(QEvent *event);

    std::unique_ptr<detail::Hook> hook_;
    QVBoxLayout *layout_;
    QWidget *client_;
    QMenuBar *menuBar_ = nullptr;
    DrawingSurface *surface_ = nullptr;
    Rgb24 back_;
    std::vector<std::shared_ptr<void>> owned_;
};

} // namespace tw::ui
