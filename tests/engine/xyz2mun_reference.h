// A fixed set of 100,000 X, Y, Z inputs to xyz2mun with the answers it
// gave them, so that a change made for speed can be held to the very same
// bits. The file holds the inputs themselves beside the answers: the test
// converts exactly the recorded bits, whichever compiler built it. The
// inputs were drawn once from a seed (referenceInputs); xyz2mun_record
// writes the file.
//
// File layout (little-endian): "TWX2", uint32 count, then per input the
// bits of X, Y and Z as three uint32, one byte for PWD (0 or 1), one status
// byte (0 Ok, 1 OutOfRange) and the bits of H, V and C as three uint32.
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

// Draws the inputs: broad and near-neutral chromaticities over Values 0 to
// 11, renotation points themselves, points on and a hair off cell edges, and
// a few odd ones (negative, zero, very bright). Every draw is its own
// statement, so that the order of the draws is the same with any compiler.
[[nodiscard]] std::vector<ReferenceInput> referenceInputs(const RenotationTable &table);

[[nodiscard]] std::vector<ReferenceOutput> convertAll(
    const RenotationTable &table, const std::vector<ReferenceInput> &inputs);

[[nodiscard]] std::string encodeReference(
    const std::vector<ReferenceInput> &inputs, const std::vector<ReferenceOutput> &outputs);

// False with a reason when the bytes are not a reference file.
[[nodiscard]] bool decodeReference(const std::string &bytes, std::vector<ReferenceInput> &inputs,
    std::vector<ReferenceOutput> &outputs, std::string &error);

// Bit for bit the same answer.
[[nodiscard]] bool sameAnswer(const ReferenceOutput &a, const ReferenceOutput &b);

} // namespace tw::engine::testing
