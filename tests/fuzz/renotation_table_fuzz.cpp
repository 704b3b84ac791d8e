// The renotation table loader over any text: it loads or says why not, and
// a table it loads answers every cell within the 16-bit range it stores.
#include "engine/renotation_table.h"
#include "fuzz_check.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    tw::engine::RenotationTable table;
    std::string error;
    const bool ok = table.loadText(
        std::string_view(reinterpret_cast<const char *>(data), size), "Muncie.dat", error);
    FUZZ_CHECK(ok == table.loaded());
    if (!ok) {
        FUZZ_CHECK(!error.empty());
        FUZZ_CHECK(error.find("Muncie.dat") != std::string::npos);
    }
    return 0;
}
