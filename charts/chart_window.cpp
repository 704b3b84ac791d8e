#include "charts/chart_window.h"

namespace tw::charts {

ChartWindow::ChartWindow(screen::ScreenHost &screen, screen::ScreenWindow which)
    : screen_(screen)
    , which_(which) {
    onUnload = [this] { screen_.windows().setTicked(which_, false); };
}

void ChartWindow::setShown(bool shown) {
    if (shown) {
        show();
    } else {
        hide();
    }
}

bool ChartWindow::isShown() const {
    return isVisible();
}

void ChartWindow::printChart() {
    if (!screen_.printer().printImage(snapshot())) {
        screen_.dialogs().messageBox("Printer not Found", services::Buttons::Ok);
    }
}

} // namespace tw::charts
