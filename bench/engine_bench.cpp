// Conversions per second on one core: Munsell to XYZ, XYZ to Munsell and its
// exact inverse over a spread of real colours.
#include "engine/mun2xyz.h"
#include "engine/notation.h"
#include "engine/xyz2mun.h"
#include "engine/xyz2mun_exact.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <vector>

namespace {

using namespace tw::engine;

const RenotationTable &table() {
    static const RenotationTable t = [] {
        RenotationTable r;
        std::string error;
        if (!r.loadFile(std::string(TW_DATA_DIR) + "/Muncie.dat", error)) {
            std::cerr << error << "\n";
            std::exit(1);
        }
        return r;
    }();
    return t;
}

struct Munsell {
    float H, V, C;
};

std::vector<Munsell> colours() {
    std::vector<Munsell> out;
    for (float h = 0; h < 100; h += 3.7f) {
        for (float v = 1.5f; v < 9.5f; v += 1.3f) {
            for (float c = 2; c <= 10; c += 2.5f) {
                out.push_back({ h, v, c });
            }
        }
    }
    return out;
}

void BM_mun2xyz(benchmark::State &state) {
    const auto cs = colours();
    std::size_t i = 0;
    for (auto _ : state) {
        const Munsell &m = cs[i++ % cs.size()];
        float V = m.V, X, Y, Z, x = 0, y = 0;
        benchmark::DoNotOptimize(
            mun2xyz(table(), Illuminant::C_1931, false, m.H, V, m.C, X, Y, Z, x, y));
        benchmark::DoNotOptimize(X);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_mun2xyz);

struct Xyz {
    float X, Y, Z;
};

// The spread of colours as X, Y, Z.
std::vector<Xyz> xyzColours() {
    std::vector<Xyz> xyz;
    for (const Munsell &m : colours()) {
        float V = m.V, X, Y, Z, x = 0, y = 0;
        if (mun2xyz(table(), Illuminant::C_1931, false, m.H, V, m.C, X, Y, Z, x, y)
            == Mun2XyzStatus::Ok) {
            xyz.push_back({ X, Y, Z });
        }
    }
    return xyz;
}

void BM_xyz2mun(benchmark::State &state) {
    const std::vector<Xyz> xyz = xyzColours();
    std::size_t i = 0;
    for (auto _ : state) {
        const Xyz &c = xyz[i++ % xyz.size()];
        float H, V, C, Y = c.Y;
        benchmark::DoNotOptimize(xyz2mun(table(), false, H, V, C, c.X, Y, c.Z));
        benchmark::DoNotOptimize(H);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_xyz2mun);

void BM_xyz2munExact(benchmark::State &state) {
    const std::vector<Xyz> xyz = xyzColours();
    std::size_t i = 0;
    for (auto _ : state) {
        const Xyz &c = xyz[i++ % xyz.size()];
        float H, V, C;
        benchmark::DoNotOptimize(xyz2munExact(table(), false, c.X, c.Y, c.Z, H, V, C));
        benchmark::DoNotOptimize(H);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_xyz2munExact);

} // namespace
