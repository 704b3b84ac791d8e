// The 3D viewer on real offscreen widgets: one redraw of the whole view
// (poles, axes, rings and the dots) at 100, 1000 and 10000 dots, which has to
// fit well inside the 10 ms between redraws; the same with the sample numbers
// shown; and loading a 10000-row palette end to end, one Munsell entry of
// the conversion screen per row.
#include "peak_memory.h"
#include "screen/form1.h"
#include "testing/fake_services.h"
#include "testing/scripted_serial_port.h"
#include "text/palette_line.h"
#include "text/textfile.h"
#include "ui/checkbox.h"
#include "ui/drawing_surface.h"
#include "ui/scrollbar.h"
#include "viewer/form3.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

namespace {

using tw::screen::Form1;
using tw::viewer::Form3;

std::filesystem::path workFolder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / "tw_viewer_bench";
        std::filesystem::create_directories(path);
        std::filesystem::copy_file(std::filesystem::path(TW_DATA_DIR) / "Muncie.dat",
            path / "Muncie.dat", std::filesystem::copy_options::overwrite_existing);
        return path;
    }();
    return folder;
}

// A palette of `count` rows spread over the Munsell solid.
std::string paletteFile(int count) {
    static const std::array<const char *, 10> families { "R", "YR", "Y", "GY", "G", "BG", "B", "PB",
        "P", "RP" };
    std::mt19937 random(7);
    std::uniform_int_distribution<int> family(0, 9), step(1, 4), value(1, 9), chroma(0, 7);
    std::string out;
    for (int i = 0; i < count; ++i) {
        tw::text::PaletteLine line;
        line.date = "12-08-2026";
        line.time = "14:05:09";
        line.tag = std::to_string(i + 1);
        line.munsell = { std::to_string(step(random) * 2.5).substr(0, 3) + families[family(random)],
            std::to_string(value(random)), std::to_string(chroma(random) * 2) };
        out += tw::text::paletteLineText(line);
    }
    return out;
}

struct Viewer {
    tw::services::FakeServices fakes;
    std::unique_ptr<Form1> screen;
    std::unique_ptr<Form3> viewer;

    bool start(int rows) {
        screen = std::make_unique<Form1>(fakes.services(),
            std::make_unique<tw::services::ScriptedSerialPort>(fakes.clock), workFolder(), "bench");
        if (!screen->Form_Load()) {
            return false;
        }
        std::string error;
        const std::string name = "bench" + std::to_string(rows) + ".csv";
        if (!tw::text::writeFile((workFolder() / name).string(), paletteFile(rows), error)) {
            return false;
        }
        screen->palette().setFileName(name);
        viewer = std::make_unique<Form3>(*screen);
        viewer->GetData(2);
        viewer->Command2_Click();
        return viewer->dotCount() == rows;
    }
};

void BM_DrawPalette(benchmark::State &state) {
    Viewer v;
    if (!v.start(static_cast<int>(state.range(0)))) {
        state.SkipWithError("the palette did not load");
        return;
    }
    v.viewer->Check1->setValue(static_cast<int>(state.range(1)));
    for (auto _ : state) {
        v.viewer->DrawPalette();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawPalette)
    ->ArgNames({ "dots", "numbers" })
    ->Args({ 100, 0 })
    ->Args({ 1000, 0 })
    ->Args({ 10000, 0 })
    ->Args({ 10000, 1 })
    ->Unit(benchmark::kMillisecond);

// One frame of a turn as the user sees it, in the window shown: the
// rotation steps by the time of one redraw period, the view is drawn and
// the window paints it. At the viewer's 100 redraws a second, a frame of
// 2.5 ms is a quarter of one core.
void BM_TurnFrame(benchmark::State &state) {
    Viewer v;
    if (!v.start(static_cast<int>(state.range(0)))) {
        state.SkipWithError("the palette did not load");
        return;
    }
    v.viewer->Check1->setValue(static_cast<int>(state.range(1)));
    v.viewer->show();
    QApplication::processEvents();
    int angle = -180;
    for (auto _ : state) {
        angle = angle >= 180 ? -180 : angle + 1;
        (void)v.viewer->HScroll1->setValue(angle);
        v.viewer->Timer2_Timer();
        v.viewer->Picture1->widget()->repaint();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_TurnFrame)
    ->ArgNames({ "dots", "numbers" })
    ->Args({ 10000, 0 })
    ->Args({ 10000, 1 })
    ->Unit(benchmark::kMillisecond);

void BM_LoadPalette10000(benchmark::State &state) {
    Viewer v;
    if (!v.start(10000)) {
        state.SkipWithError("the palette did not load");
        return;
    }
    for (auto _ : state) {
        v.fakes.dialogs.reset();
        v.viewer->GetData(2);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_LoadPalette10000)->Unit(benchmark::kMillisecond);

// The same load at 1,000 and 10,000 rows with the process's memory: run
// each in a process of its own to compare the peaks (bench/load.sh).
void BM_LoadPaletteMemory(benchmark::State &state) {
    const int rows = static_cast<int>(state.range(0));
    static const double before = tw::bench::rssMiB(); // at the first run
    Viewer v;
    if (!v.start(rows)) {
        state.SkipWithError("the palette did not load");
        return;
    }
    for (auto _ : state) {
        v.fakes.dialogs.reset();
        v.viewer->GetData(2);
    }
    state.SetItemsProcessed(state.iterations() * rows);
    tw::bench::reportMemory(state, before);
}
BENCHMARK(BM_LoadPaletteMemory)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(workFolder());
    return 0;
}
