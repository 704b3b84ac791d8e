#include "charts/charts.h"

#include "charts/book.h"
#include "charts/book2.h"

namespace tw::charts {

void attachCharts(screen::ScreenHost &screen) {
    using screen::ScreenWindow;
    screen.windows().attach(
        ScreenWindow::HuePage, [&screen] { return std::make_unique<book>(screen); });
    screen.windows().attach(
        ScreenWindow::ValuePage, [&screen] { return std::make_unique<book2>(screen); });
}

} // namespace tw::charts
