// The image palette end to end on real offscreen widgets: a 1000 x 1000
// picture at granularity 10, 10,000 blocks each converted by the screen's
// RGB entry and appended through its palette writer, then the grid drawn.
// Beside it the two halves of a block's cost: the conversion alone and the
// append alone.
#include "imaging/form2.h"
#include "peak_memory.h"
#include "screen/form1.h"
#include "testing/fake_services.h"
#include "testing/scripted_serial_port.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

using tw::cycle::Boxes;
using tw::screen::Form1;

std::filesystem::path workFolder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / "tw_imaging_bench";
        std::filesystem::create_directories(path);
        std::filesystem::copy_file(std::filesystem::path(TW_DATA_DIR) / "Muncie.dat",
            path / "Muncie.dat", std::filesystem::copy_options::overwrite_existing);
        return path;
    }();
    return folder;
}

// The shipped test picture stretched to 1000 x 1000: chart colours, the
// hue/value sweep and its out-of-data corners, as a user's picture would mix them.
QImage benchPicture() {
    QImage picture(QString::fromStdString(std::string(TW_DATA_DIR) + "/TestImage.jpg"));
    if (picture.isNull()) {
        picture = QImage(800, 600, QImage::Format_RGB32);
        picture.fill(qRgb(120, 90, 60));
    }
    return picture.scaled(1000, 1000).convertToFormat(QImage::Format_RGB32);
}

struct Bench {
    tw::services::FakeServices fakes;
    std::unique_ptr<Form1> screen;
    std::unique_ptr<tw::imaging::Form2> window;

    bool start() {
        screen = std::make_unique<Form1>(fakes.services(),
            std::make_unique<tw::services::ScriptedSerialPort>(fakes.clock), workFolder(), "bench");
        if (!screen->Form_Load()) {
            return false;
        }
        fakes.pictures.addFile(screen->filePath("TestImage.jpg").string(), benchPicture());
        window = std::make_unique<tw::imaging::Form2>(*screen);
        window->Form_Load();
        return true;
    }
};

void BM_ImagePalette10000Blocks(benchmark::State &state) {
    Bench b;
    if (!b.start()) {
        state.SkipWithError("renotation data did not load");
        return;
    }
    b.fakes.pictures.setClipboard(benchPicture());
    for (auto _ : state) {
        state.PauseTiming();
        b.window->mnuGetClip_Click(); // a fresh picture, so a palette can be made again
        b.fakes.dialogs.reset();
        b.fakes.dialogs.queueInput("bench");
        b.fakes.dialogs.queueInput("10");
        b.fakes.dialogs.queueAnswer(tw::services::Answer::Yes);
        state.ResumeTiming();
        b.window->mnuMakePalette_Click();
    }
    state.counters["blocks without row"] = static_cast<double>(b.window->blocksWithoutRow());
}
BENCHMARK(BM_ImagePalette10000Blocks)->Unit(benchmark::kSecond)->Iterations(3);

// One build at granularity 32 (961 blocks) and 10 (10,000 blocks) with the
// process's memory: run each in a process of its own to compare the peaks
// (bench/load.sh). The picture itself (1000 x 1000, 4 MB) is there in both.
void BM_ImagePaletteMemory(benchmark::State &state) {
    static const double before = tw::bench::rssMiB(); // at the first run
    Bench b;
    if (!b.start()) {
        state.SkipWithError("renotation data did not load");
        return;
    }
    b.fakes.pictures.setClipboard(benchPicture());
    for (auto _ : state) {
        state.PauseTiming();
        b.window->mnuGetClip_Click();
        b.fakes.dialogs.reset();
        b.fakes.dialogs.queueInput("bench");
        b.fakes.dialogs.queueInput(std::to_string(state.range(0)));
        b.fakes.dialogs.queueAnswer(tw::services::Answer::Yes);
        state.ResumeTiming();
        b.window->mnuMakePalette_Click();
    }
    const int n = static_cast<int>(state.range(0));
    state.counters["blocks"] = static_cast<double>((1000 / n) * (1000 / n));
    tw::bench::reportMemory(state, before);
}
BENCHMARK(BM_ImagePaletteMemory)->Arg(32)->Arg(10)->Unit(benchmark::kSecond)->Iterations(1);

void BM_BlockConversion(benchmark::State &state) {
    Bench b;
    if (!b.start()) {
        state.SkipWithError("renotation data did not load");
        return;
    }
    int i = 0;
    for (auto _ : state) {
        ++i;
        b.screen->cycle().setTexts(Boxes::Rgb,
            { std::to_string(20 + i % 200), std::to_string(40 + i % 150), std::to_string(90) });
        b.screen->Command6_Click();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_BlockConversion);

void BM_PaletteAppend(benchmark::State &state) {
    Bench b;
    if (!b.start()) {
        state.SkipWithError("renotation data did not load");
        return;
    }
    b.screen->palette().setFileName("APPEND.CSV");
    b.screen->palette().setTag(" 0 0");
    for (auto _ : state) {
        float mode = 1.0f;
        benchmark::DoNotOptimize(b.screen->palette().SaveData(mode));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_PaletteAppend);

// Offscreen windows cannot be raised; the build asks once per column.
void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(workFolder());
    return 0;
}
