// Shared fixtures of the engine tests: the project's renotation table and
// its source samples.
#pragma once

#include "engine/renotation_table.h"

#include <string>
#include <vector>

namespace tw::engine::testing {

// The table loaded from data/Muncie.dat (loaded once; the test fails if the
// file does not load).
const RenotationTable &realTable();

struct Sample {
    std::string hue;
    float hueNumber;
    float value;
    float chroma;
    float x, y;
};

// Every row of data/munsell-renotation-all.csv.
const std::vector<Sample> &renotationSamples();

// Every row of data/munsell-renotation-real.csv: the real colours only.
const std::vector<Sample> &realSamples();

} // namespace tw::engine::testing
