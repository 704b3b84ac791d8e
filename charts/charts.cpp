#include "charts/charts.h"

#include "charts/book.h"
#include "charts/book2.h"
#include "charts/cchecker.h"

namespace tw::charts {

void attachCharts(screen::ScreenHost &screen) {
    using screen::ScreenWindow;
    screen.windows().attach(
        ScreenWindow::HuePage, [&screen] { return std::make_unique<book>(screen); });
    screen.windows().attach(
        ScreenWindow::ValuePage, [&screen] { return std::make_unique<book2>(screen); });
    screen.windows().attach(
        ScreenWindow::ColorChecker, [&screen] { return std::make_unique<CChecker>(screen); });
}

} // namespace tw::charts
