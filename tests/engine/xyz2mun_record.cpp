// Writes the xyz2mun reference file: the answers of today's xyz2mun to the
// fixed reference inputs. Given the previous file as well, it says how many
// answers differ from it, so that a deliberate change of results can be
// recorded with its count.
//
//   xyz2mun_record Muncie.dat OUT.bin [PREVIOUS.bin]
#include "xyz2mun_reference.h"

#include <bit>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
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

bool same(const ReferenceOutput &a, const ReferenceOutput &b) {
    return a.status == b.status
        && std::bit_cast<std::uint32_t>(a.H) == std::bit_cast<std::uint32_t>(b.H)
        && std::bit_cast<std::uint32_t>(a.V) == std::bit_cast<std::uint32_t>(b.V)
        && std::bit_cast<std::uint32_t>(a.C) == std::bit_cast<std::uint32_t>(b.C);
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
    const std::vector<ReferenceInput> inputs = referenceInputs(table);
    const std::vector<ReferenceOutput> outputs = convertAll(table, inputs);
    const std::string bytes = encodeOutputs(inputHash(inputs), outputs);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::cerr << "cannot write " << argv[2] << "\n";
        return 1;
    }
    if (argc == 4) {
        std::string previousBytes;
        std::uint64_t hash = 0;
        std::vector<ReferenceOutput> previous;
        if (!readAll(argv[3], previousBytes) || !decodeOutputs(previousBytes, hash, previous, error)
            || previous.size() != outputs.size()) {
            std::cerr << "cannot compare with " << argv[3] << "\n";
            return 1;
        }
        std::size_t changed = 0;
        for (std::size_t i = 0; i < outputs.size(); ++i) {
            if (!same(outputs[i], previous[i])) {
                if (++changed <= 20) {
                    std::printf("%zu: %.9g %.9g %.9g%s: H %.9g V %.9g C %.9g -> H %.9g V %.9g C "
                                "%.9g\n",
                        i, inputs[i].X, inputs[i].Y, inputs[i].Z, inputs[i].pwd ? " pwd" : "",
                        previous[i].H, previous[i].V, previous[i].C, outputs[i].H, outputs[i].V,
                        outputs[i].C);
                }
            }
        }
        std::printf("%zu of %zu answers changed\n", changed, outputs.size());
    }
    return 0;
}
