#include "viewer_fixture.h"

#include "screen/window_switchboard.h"
#include "text/palette_line.h"
#include "ui/checkbox.h"
#include "viewer/viewer.h"

#include <array>

namespace tw::viewer::testing {

screen::Form1 &ViewerTest::startWithViewer() {
    start();
    attachViewer(*form);
    return *form;
}

Form3 &ViewerTest::tickViewer() {
    form->Check7->setValue(1);
    return viewer();
}

Form3 &ViewerTest::viewer() {
    auto *w = form->windows().open(screen::ScreenWindow::PaletteViewer);
    return dynamic_cast<Form3 &>(*w);
}

std::string ViewerTest::row(const std::string &tag, const std::string &hue,
    const std::string &value, const std::string &chroma) {
    text::PaletteLine line;
    line.date = "12-08-2026";
    line.time = "14:05:09";
    line.tag = tag;
    line.munsell = { hue, value, chroma };
    line.rgb = { "1", "2", "3" };
    return text::paletteLineText(line);
}

std::string ViewerTest::rows(int count) {
    static const std::array<std::array<const char *, 3>, 4> notations { {
        { "5R", "5", "10" },
        { "2.5YR", "6", "4" },
        { "7.5PB", "3", "8" },
        { "10GY", "7", "6" },
    } };
    std::string out;
    for (int i = 0; i < count; ++i) {
        const auto &n = notations[static_cast<std::size_t>(i) % notations.size()];
        out += row(std::to_string(i + 1), n[0], n[1], n[2]);
    }
    return out;
}

} // namespace tw::viewer::testing
