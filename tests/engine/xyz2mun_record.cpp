// Writes the xyz2mun reference file: today's xyz2mun answers beside their
// inputs. Given the previous file, it converts that file's inputs again
// (the inputs never change once recorded) and says how many answers differ
// from it, so that a deliberate change of results can be recorded with its
// count; without one, it draws the inputs from the seed.
//
//   xyz2mun_record Muncie.dat OUT.bin [PREVIOUS.bin]
#include "xyz2mun_reference.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

using namespace tw::engine;
using namespace tw::engine::testing;

namespace {

bool readAll(const char *path, std::string &out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3 && argc != 4) {
        std::cerr << "usage: xyz2mun_record Muncie.dat OUT.bin [PREVIOUS.bin]\n";
        return 2;
    }
    RenotationTable table;
    std::string error;
    if (!table.loadFile(argv[1], error)) {
        std::cerr << error << "\n";
        return 1;
    }
    std::vector<ReferenceInput> inputs;
    std::vector<ReferenceOutput> previous;
    if (argc == 4) {
        std::string previousBytes;
        if (!readAll(argv[3], previousBytes)
            || !decodeReference(previousBytes, inputs, previous, error)) {
            std::cerr << "cannot read " << argv[3] << ": " << error << "\n";
            return 1;
        }
    } else {
        inputs = referenceInputs(table);
    }
    const std::vector<ReferenceOutput> outputs = convertAll(table, inputs);
    const std::string bytes = encodeReference(inputs, outputs);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::cerr << "cannot write " << argv[2] << "\n";
        return 1;
    }
    if (argc == 4) {
        std::size_t changed = 0, nowOk = 0, beyondHundredth = 0;
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            if (sameAnswer(outputs[i], previous[i])) {
                continue;
            }
            ++changed;
            if (previous[i].status != Xyz2MunStatus::Ok && outputs[i].status == Xyz2MunStatus::Ok) {
                ++nowOk;
            } else if (std::fabs(outputs[i].H - previous[i].H) > 0.01f
                || std::fabs(outputs[i].V - previous[i].V) > 0.01f
                || std::fabs(outputs[i].C - previous[i].C) > 0.01f
                || outputs[i].status != previous[i].status) {
                ++beyondHundredth;
            }
            if (changed <= 20) {
                std::printf("%zu: %.9g %.9g %.9g%s: %s H %.9g V %.9g C %.9g -> %s H %.9g V %.9g C "
                            "%.9g\n",
                    i, inputs[i].X, inputs[i].Y, inputs[i].Z, inputs[i].pwd ? " pwd" : "",
                    previous[i].status == Xyz2MunStatus::Ok ? "ok" : "out", previous[i].H,
                    previous[i].V, previous[i].C,
                    outputs[i].status == Xyz2MunStatus::Ok ? "ok" : "out", outputs[i].H,
                    outputs[i].V, outputs[i].C);
            }
        }
        std::printf("%zu of %zu answers changed: %zu out of range before and converted now, %zu "
                    "others by more than 0.01 or in status\n",
            changed, outputs.size(), nowOk, beyondHundredth);
    }
    return 0;
}
