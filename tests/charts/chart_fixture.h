// A started conversion screen with the four charts attached, in a fresh
// folder holding Muncie.dat and ccnames.csv.
#pragma once

#include "charts/charts.h"
#include "engine/display_colour.h"
#include "screen_fixture.h"
#include "ui/form.h"

#include <QApplication>
#include <QMouseEvent>

namespace tw::charts::testing {

class ChartTest : public screen::testing::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        std::filesystem::copy_file(
            std::filesystem::path(TW_DATA_DIR) / "ccnames.csv", folder / "ccnames.csv");
    }

    screen::Form1 &startWithCharts() {
        screen::Form1 &f = start();
        attachCharts(f);
        return f;
    }

    // Ticks a chart's check box and returns its window.
    template<class Window> Window &tick(screen::ScreenWindow which) {
        form->windows().setTicked(which, true);
        auto *w = dynamic_cast<Window *>(form->windows().window(which));
        EXPECT_NE(w, nullptr);
        return *w;
    }

    // The display colour the engine gives a notation under the screen's
    // settings now.
    [[nodiscard]] ui::Rgb24 engineColour(float H, float V, float C) const {
        const engine::DisplayColour c
            = engine::munsellToDisplay(form->cycle().table(), form->cycle().state().illuminant,
                form->cycle().state().pwd, form->cycle().state().display, H, V, C);
        return ui::rgb(c.rgb.R, c.rgb.G, c.rgb.B);
    }

    // A mouse event at a point of a window's client area, given in twips.
    static void mouse(ui::Form &window, QEvent::Type type, double xTwips, double yTwips) {
        const QPointF at(xTwips / 15.0 + 0.5, yTwips / 15.0 + 0.5);
        QMouseEvent event(type, at, window.client()->mapToGlobal(at),
            type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
            type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.client(), &event);
    }
    static void click(ui::Form &window, double xTwips, double yTwips) {
        mouse(window, QEvent::MouseButtonPress, xTwips, yTwips);
        mouse(window, QEvent::MouseButtonRelease, xTwips, yTwips);
    }
};

} // namespace tw::charts::testing
