// The renotation table a harness converts with: the file named by TW_MUNCIE,
// or the project's own data file, loaded once. A table that will not load
// stops the run, since every later input would be judged against nothing.
#pragma once

#include "engine/renotation_table.h"
#include "fuzz_check.h"

#include <cstdlib>
#include <string>

#ifndef TW_MUNCIE_DAT
#error "TW_MUNCIE_DAT names the data file a harness loads"
#endif

namespace tw::fuzz {

inline const engine::RenotationTable &table() {
    static const engine::RenotationTable t = [] {
        engine::RenotationTable loaded;
        std::string error;
        const char *path = std::getenv("TW_MUNCIE");
        FUZZ_CHECK(loaded.loadFile(path != nullptr ? path : TW_MUNCIE_DAT, error));
        return loaded;
    }();
    return t;
}

} // namespace tw::fuzz
