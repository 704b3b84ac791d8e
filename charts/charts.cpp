#include "charts/charts.h"

#include "charts/book.h"
#include "charts/book2.h"
#include "charts/cchecker.h"
#include "charts/ctol.h"

namespace tw::charts {

void attachCharts(screen::ScreenHost &screen) {
    using screen::ScreenWindow;
    screen.windows().attach(
        ScreenWindow::HuePage, [&screen] { return std::make_unique<book>(screen); });
    screen.windows().attach(
        ScreenWindow::ValuePage, [&screen] { return std::make_unique<book2>(screen); });
    screen.windows().attach(
        ScreenWindow::ColorChecker, [&screen] { return std::make_unique<CChecker>(screen); });
    screen.windows().attach(
        ScreenWindow::ToleranceSet, [&screen] { return std::make_unique<CTol>(screen); });
}

} // namespace tw::charts
