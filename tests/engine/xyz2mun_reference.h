// A fixed set of 100,000 X, Y, Z inputs to xyz2mun and the encoding of its
// answers, so that a change made for speed can be held to the very same
// bits. The inputs are generated from a seed with integer arithmetic and
// single-precision steps that round the same on every IEEE machine; the
// answers are recorded in a binary file by xyz2mun_record.
//
// File layout (little-endian): "TWXM", uint32 count, uint64 hash of the
// inputs' bits, then per input one status byte (0 Ok, 1 OutOfRange) and the
// bits of H, V and C as three uint32.
#pragma once

#include "engine/renotation_table.h"
#include "engine/xyz2mun.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tw::engine::testing {

struct ReferenceInput {
    float X, Y, Z;
    bool pwd;
};

struct ReferenceOutput {
    Xyz2MunStatus status;
    float H, V, C;
};

inline constexpr std::uint64_t referenceSeed = 0x7457'1616'5eedULL;
inline constexpr std::size_t referenceCount = 100'000;

// The inputs: broad and near-neutral chromaticities over Values 0 to 11,
// renotation points themselves, points on and a hair off cell edges, and a
// few odd ones (negative, zero, very bright).
[[nodiscard]] std::vector<ReferenceInput> referenceInputs(const RenotationTable &table);

[[nodiscard]] std::uint64_t inputHash(const std::vector<ReferenceInput> &inputs);

[[nodiscard]] std::vector<ReferenceOutput> convertAll(
    const RenotationTable &table, const std::vector<ReferenceInput> &inputs);

[[nodiscard]] std::string encodeOutputs(
    std::uint64_t hash, const std::vector<ReferenceOutput> &outputs);

// False with a reason when the bytes are not a reference file.
[[nodiscard]] bool decodeOutputs(const std::string &bytes, std::uint64_t &hash,
    std::vector<ReferenceOutput> &outputs, std::string &error);

} // namespace tw::engine::testing
