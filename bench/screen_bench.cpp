// The conversion screen on real offscreen widgets: the Munsell entry cycle
// (boxes in, every other form out), start-up to the first converted colour,
// and "Make Table" writing the whole conversion table.
#include "screen/form1.h"
#include "testing/fake_services.h"
#include "testing/scripted_serial_port.h"
#include "ui/textbox.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using tw::screen::Form1;

// A working folder holding the shipped renotation data.
std::filesystem::path workFolder() {
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / "tw_screen_bench";
        std::filesystem::create_directories(path);
        std::filesystem::copy_file(std::filesystem::path(TW_DATA_DIR) / "Muncie.dat",
            path / "Muncie.dat", std::filesystem::copy_options::overwrite_existing);
        return path;
    }();
    return folder;
}

std::unique_ptr<Form1> makeForm(tw::services::FakeServices &fakes) {
    return std::make_unique<Form1>(fakes.services(),
        std::make_unique<tw::services::ScriptedSerialPort>(fakes.clock), workFolder(), "bench");
}

void BM_MuncieEntryCycle(benchmark::State &state) {
    tw::services::FakeServices fakes;
    auto form = makeForm(fakes);
    if (!form->Form_Load()) {
        state.SkipWithError("renotation data did not load");
        return;
    }
    struct Entry {
        const char *hue, *value, *chroma;
    };
    const std::array<Entry, 4> entries { { { "5R", "5", "10" }, { "2.5YR", "6.3", "4" },
        { "7.5PB", "3.2", "8.5" }, { "10GY", "7", "6" } } };
    std::size_t i = 0;
    for (auto _ : state) {
        const Entry &e = entries[i++ % entries.size()];
        form->Text12[0]->setText(e.hue);
        form->Text12[1]->setText(e.value);
        form->Text12[2]->setText(e.chroma);
        form->muncie();
        benchmark::DoNotOptimize(form->Text11[0]->text());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_MuncieEntryCycle);

void BM_StartupToFirstColour(benchmark::State &state) {
    for (auto _ : state) {
        tw::services::FakeServices fakes;
        auto form = makeForm(fakes);
        if (!form->Form_Load()) {
            state.SkipWithError("renotation data did not load");
            return;
        }
        benchmark::DoNotOptimize(form->Text11[0]->text());
    }
}
BENCHMARK(BM_StartupToFirstColour)->Unit(benchmark::kMillisecond);

void BM_MakeTable(benchmark::State &state) {
    tw::services::FakeServices fakes;
    auto form = makeForm(fakes);
    if (!form->Form_Load()) {
        state.SkipWithError("renotation data did not load");
        return;
    }
    for (auto _ : state) {
        form->Command3_Click();
    }
}
BENCHMARK(BM_MakeTable)->Unit(benchmark::kMillisecond);

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
