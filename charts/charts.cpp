#include "charts/charts.h"

#include "charts/book.h"

namespace tw::charts {

void attachCharts(screen::ScreenHost &screen) {
    using screen::ScreenWindow;
    screen.windows().attach(
        ScreenWindow::HuePage, [&screen] { return std::make_unique<book>(screen); });
}

} // namespace tw::charts
