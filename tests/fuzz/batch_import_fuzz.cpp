// The batch import over any input file, run on a real conversion screen
// (offscreen). The first byte picks the type, the rest is the file. Whatever
// the file holds, the run ends, quietrgb is cleared, a run that stops leaves
// no output, every output line ends with CR LF, the output holds its header
// and one line per record (converted, or saying ERR), the spectrum changes
// only with a spectrum record read, and a counted type always says how it
// ended.
#include "batch/batch_import.h"
#include "batch/record_input.h"
#include "fuzz_check.h"
#include "screen/form1.h"
#include "testing/fake_services.h"
#include "testing/scripted_serial_port.h"
#include "text/textfile.h"

#include <QApplication>

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

struct Screen {
    Screen() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "batch_import_fuzz";
        static char *argv[] = { name, nullptr };
        app = std::make_unique<QApplication>(argc, argv);
        folder = std::filesystem::temp_directory_path()
            / ("tw_batch_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(std::filesystem::path(TW_DATA_DIR) / "Muncie.dat",
            folder / "Muncie.dat", std::filesystem::copy_options::overwrite_existing);
        form = std::make_unique<tw::screen::Form1>(fakes.services(),
            std::make_unique<tw::services::ScriptedSerialPort>(fakes.clock), folder, "1.0.0");
        FUZZ_CHECK(form->Form_Load());
    }
    ~Screen() {
        form.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    std::unique_ptr<QApplication> app;
    tw::services::FakeServices fakes;
    std::filesystem::path folder;
    std::unique_ptr<tw::screen::Form1> form;
};

struct Type {
    const char *code;
    int headerLines; // lines the output holds before its records
};
// Types "0" and "xyz" read a chosen file; the palette of "xyz" only grows.
constexpr std::array<Type, 6> types { { { "1", 1 }, { "2", 2 }, { "3", 1 }, { "4", 3 }, { "0", 0 },
    { "6", 1 } } };
constexpr std::array<const char *, 6> inputs { "munfile1.txt", "RHScolors.txt", "steps.txt",
    "ccnames.csv", "chosen.csv", "lab_sRGB.csv" };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static Screen screen;
    if (size == 0) {
        return 0;
    }
    const std::size_t pick = data[0] % types.size();
    const Type &type = types[pick];
    const std::string contents(reinterpret_cast<const char *>(data) + 1, size - 1);
    const std::filesystem::path input = screen.folder / inputs[pick];
    std::string error;
    FUZZ_CHECK(tw::text::writeFile(input.string(), contents, error));
    const std::filesystem::path output = screen.folder / "out.txt";
    std::error_code ec;
    std::filesystem::remove(output, ec);

    const tw::engine::Spectrum before = screen.form->spectrum();
    const tw::batch::ImportResult r
        = tw::batch::runImport(*screen.form, type.code, { input, output });
    FUZZ_CHECK(!screen.form->cycle().state().quietrgb);
    FUZZ_CHECK(r.outcome != tw::batch::ImportResult::Outcome::NotRun);
    if (std::string(type.code) == "1" && r.records == 0 && r.failed == 0) {
        FUZZ_CHECK(screen.form->spectrum() == before);
    }
    const bool counted = pick >= 1 && pick <= 3;
    if (counted) {
        FUZZ_CHECK(!r.message.empty());
    }
    FUZZ_CHECK(!std::filesystem::exists(screen.folder / "out.txt.part"));
    // A run that did not read its whole input leaves the output as it was:
    // none.
    FUZZ_CHECK(
        std::filesystem::exists(output) == (r.outcome == tw::batch::ImportResult::Outcome::Done));
    if (!std::filesystem::exists(output)) {
        return 0;
    }
    std::string written;
    FUZZ_CHECK(tw::text::readFile(output.string(), written, error));
    std::size_t lines = 0;
    for (std::size_t at = 0; at < written.size(); ++lines) {
        const std::size_t end = written.find("\r\n", at);
        FUZZ_CHECK(end != std::string::npos);
        FUZZ_CHECK(written.find_first_of("\r\n", at) == end);
        at = end + 2;
    }
    // The header lines, then one line per record.
    FUZZ_CHECK(lines == static_cast<std::size_t>(type.headerLines) + r.records + r.failed);
    // A record not converted says so; one converted never does.
    std::size_t errors = 0;
    for (std::size_t at = written.find("ERR "); at != std::string::npos;
         at = written.find("ERR ", at + 1)) {
        ++errors;
    }
    FUZZ_CHECK(errors >= r.failed);
    return 0;
}
