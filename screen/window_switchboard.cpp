#include "screen/window_switchboard.h"

#include "ui/checkbox.h"

namespace tw::screen {

WindowSwitchboard::WindowSwitchboard(const std::array<ui::CheckBox *, screenWindowCount> &boxes) {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        slots_[i].box = boxes[i];
    }
}

WindowSwitchboard::~WindowSwitchboard() = default;

std::size_t WindowSwitchboard::index(ScreenWindow which) {
    return static_cast<std::size_t>(which);
}

void WindowSwitchboard::attach(ScreenWindow which, Factory factory) {
    slots_[index(which)].factory = std::move(factory);
}

SwitchedWindow *WindowSwitchboard::window(ScreenWindow which) const {
    return slots_[index(which)].window.get();
}

SwitchedWindow *WindowSwitchboard::open(ScreenWindow which) {
    Slot &slot = slots_[index(which)];
    if (!slot.window && slot.factory) {
        slot.window = slot.factory();
    }
    return slot.window.get();
}

bool WindowSwitchboard::ticked(ScreenWindow which) const {
    const ui::CheckBox *box = slots_[index(which)].box;
    return box != nullptr && box->value() == 1;
}

void WindowSwitchboard::setTicked(ScreenWindow which, bool ticked) {
    if (ui::CheckBox *box = slots_[index(which)].box) {
        box->setValue(ticked ? 1 : 0);
    }
}

void WindowSwitchboard::checkClicked(ScreenWindow which) {
    if (!ticked(which)) {
        if (SwitchedWindow *w = window(which)) {
            w->setShown(false);
        }
        return;
    }
    if (SwitchedWindow *w = open(which)) {
        w->setShown(true);
        w->ticked();
    }
}

void WindowSwitchboard::followIfTicked(ScreenWindow which, const Refresh &refresh) {
    if (!ticked(which)) {
        return;
    }
    if (SwitchedWindow *w = open(which)) {
        w->follow(refresh);
    }
}

void WindowSwitchboard::notationChanged() {
    const Refresh refresh { Refresh::Cause::Notation };
    followIfTicked(ScreenWindow::HuePage, refresh);
    followIfTicked(ScreenWindow::ValuePage, refresh);
}

void WindowSwitchboard::labChanged(float L, float a, float b) {
    followIfTicked(ScreenWindow::ToleranceSet, Refresh { Refresh::Cause::Lab, L, a, b });
}

void WindowSwitchboard::gammaChanged() {
    // The chart follows the gamma while it is on screen, ticked or not.
    SwitchedWindow *w = window(ScreenWindow::ColorChecker);
    if (w != nullptr && w->isShown()) {
        w->follow(Refresh { Refresh::Cause::Gamma });
    }
}

void WindowSwitchboard::paletteSaved() {
    followIfTicked(ScreenWindow::PaletteViewer, Refresh { Refresh::Cause::PaletteSaved });
}

void WindowSwitchboard::viewPalette(int mode) {
    if (auto *viewer = dynamic_cast<PaletteViewer *>(open(ScreenWindow::PaletteViewer))) {
        viewer->GetData(mode);
    }
}

} // namespace tw::screen
