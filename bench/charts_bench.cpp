// The chart windows on real offscreen widgets: one hue page fill (135
// conversions, 150 patches), one value page drawing (up to 840 conversions
// and dots), one tolerance set rebuild, one ColorChecker fill, and the
// conversion screen's Munsell entry cycle with no chart and with all four
// charts switched on.
#include "charts/book.h"
#include "charts/book2.h"
#include "charts/cchecker.h"
#include "charts/charts.h"
#include "charts/ctol.h"
#include "screen/form1.h"
#include "testing/fake_services.h"
#include "testing/scripted_serial_port.h"
#include "ui/textbox.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <memory>

namespace {

using tw::screen::Form1;
using tw::screen::ScreenWindow;

std::filesystem::path workFolder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / "tw_charts_bench";
        std::filesystem::create_directories(path);
        for (const char *name : { "Muncie.dat", "ccnames.csv" }) {
            std::filesystem::copy_file(std::filesystem::path(TW_DATA_DIR) / name, path / name,
                std::filesystem::copy_options::overwrite_existing);
        }
        return path;
    }();
    return folder;
}

struct Screen {
    tw::services::FakeServices fakes;
    std::unique_ptr<Form1> form;

    bool start() {
        form = std::make_unique<Form1>(fakes.services(),
            std::make_unique<tw::services::ScriptedSerialPort>(fakes.clock), workFolder(), "bench");
        if (!form->Form_Load()) {
            return false;
        }
        tw::charts::attachCharts(*form);
        return true;
    }
    template<class Window> Window &open(ScreenWindow which) {
        form->windows().setTicked(which, true);
        return *dynamic_cast<Window *>(form->windows().window(which));
    }
};

void BM_HuePageFill(benchmark::State &state) {
    Screen s;
    if (!s.start()) {
        state.SkipWithError("renotation data did not load");
        return;
    }
    auto &page = s.open<tw::charts::book>(ScreenWindow::HuePage);
    for (auto _ : state) {
        page.fillbook();
    }
}
BENCHMARK(BM_HuePageFill)->Unit(benchmark::kMicrosecond);

void BM_ValuePageDraw(benchmark::State &state) {
    Screen s;
    if (!s.start()) {
        state.SkipWithError("renotation data did not load");
        return;
    }
    auto &page = s.open<tw::charts::book2>(ScreenWindow::ValuePage);
    const float value = static_cast<float>(state.range(0));
    for (auto _ : state) {
        page.plotvalue(value);
        benchmark::DoNotOptimize(page.point(4448, 4148));
    }
}
BENCHMARK(BM_ValuePageDraw)->Arg(2)->Arg(5)->Arg(8)->Unit(benchmark::kMicrosecond);

void BM_ToleranceSetRebuild(benchmark::State &state) {
    Screen s;
    if (!s.start()) {
        state.SkipWithError("renotation data did not load");
        return;
    }
    auto &set = s.open<tw::charts::CTol>(ScreenWindow::ToleranceSet);
    for (auto _ : state) {
        set.MakeCTol(50.0f, 10.0f, -10.0f);
    }
}
BENCHMARK(BM_ToleranceSetRebuild)->Unit(benchmark::kMicrosecond);

void BM_ColorCheckerFill(benchmark::State &state) {
    Screen s;
    if (!s.start()) {
        state.SkipWithError("renotation data did not load");
        return;
    }
    auto &chart = s.open<tw::charts::CChecker>(ScreenWindow::ColorChecker);
    for (auto _ : state) {
        chart.fillCC(false);
    }
}
BENCHMARK(BM_ColorCheckerFill)->Unit(benchmark::kMicrosecond);

// Argument 0: no chart on; 1: all four charts on.
void BM_MuncieEntryWithCharts(benchmark::State &state) {
    Screen s;
    if (!s.start()) {
        state.SkipWithError("renotation data did not load");
        return;
    }
    if (state.range(0) == 1) {
        for (ScreenWindow w : { ScreenWindow::HuePage, ScreenWindow::ValuePage,
                 ScreenWindow::ToleranceSet, ScreenWindow::ColorChecker }) {
            s.form->windows().setTicked(w, true);
        }
    }
    struct Entry {
        const char *hue, *value, *chroma;
    };
    const std::array<Entry, 4> entries { { { "5R", "5", "10" }, { "2.5YR", "6.3", "4" },
        { "7.5PB", "3.2", "8.5" }, { "10GY", "7", "6" } } };
    std::size_t i = 0;
    for (auto _ : state) {
        const Entry &e = entries[i++ % entries.size()];
        s.form->Text12[0]->setText(e.hue);
        s.form->Text12[1]->setText(e.value);
        s.form->Text12[2]->setText(e.chroma);
        s.form->muncie();
        // Let the windows paint what changed, as the event loop would.
        QApplication::processEvents();
    }
}
BENCHMARK(BM_MuncieEntryWithCharts)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
