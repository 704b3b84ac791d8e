// The batch import through the conversion screen on real offscreen widgets,
// shown as a user sees it: type "3" step lists of 10,000 and 40,000 records
// (events processed between records, as the window does), with the peak
// memory of the process after each size, which must not grow with the
// input: records are read and written as they go.
#include "batch/batch_import.h"
#include "screen/form1.h"
#include "testing/fake_services.h"
#include "testing/scripted_serial_port.h"
#include "text/textfile.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include <sys/resource.h>

namespace {

std::filesystem::path workFolder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / "tw_batch_bench";
        std::filesystem::create_directories(path);
        std::filesystem::copy_file(std::filesystem::path(TW_DATA_DIR) / "Muncie.dat",
            path / "Muncie.dat", std::filesystem::copy_options::overwrite_existing);
        return path;
    }();
    return folder;
}

// A step list over the whole hue circle, Values 1 to 9 and Chromas 2 to 14,
// some of them beyond the data or the display.
std::string stepList(int records) {
    static const char *const hues[] = { "R", "YR", "Y", "GY", "G", "BG", "B", "PB", "P", "RP" };
    std::string out;
    for (int i = 0; i < records; ++i) {
        out += std::to_string(2.5 * (1 + i % 4)) + hues[(i / 4) % 10] + "\t"
            + std::to_string(1 + (i / 40) % 9) + "\t" + std::to_string(2 + 2 * ((i / 360) % 7))
            + "\r\n";
    }
    return out;
}

long peakKilobytes() {
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_ImportSteps(benchmark::State &state) {
    const int records = static_cast<int>(state.range(0));
    tw::services::FakeServices fakes;
    fakes.dialogs.setOnYield([] { QCoreApplication::processEvents(); });
    tw::screen::Form1 screen(fakes.services(),
        std::make_unique<tw::services::ScriptedSerialPort>(fakes.clock), workFolder(), "bench");
    if (!screen.Form_Load()) {
        state.SkipWithError("Muncie.dat did not load");
        return;
    }
    screen.show();
    std::string error;
    if (!tw::text::writeFile((workFolder() / "steps.txt").string(), stepList(records), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        const tw::batch::ImportResult r = tw::batch::runImport(screen, "3");
        if (r.records != static_cast<std::size_t>(records)) {
            state.SkipWithError("not every record was converted");
            break;
        }
    }
    state.counters["records/s"]
        = benchmark::Counter(static_cast<double>(records) * static_cast<double>(state.iterations()),
            benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = static_cast<double>(peakKilobytes()) / 1024.0;
}
BENCHMARK(BM_ImportSteps)->Arg(10000)->Arg(40000)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char **argv) {
    // Offscreen unless a platform is named (QT_QPA_PLATFORM=xcb with a
    // display measures a real window).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
