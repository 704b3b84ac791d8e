// xyz2mun gives, bit for bit, the recorded answers to the fixed reference
// inputs: a change made for speed must not move a single result.
#include "engine_test_data.h"
#include "xyz2mun_reference.h"

#include "text/textfile.h"

#include <gtest/gtest.h>

#include <bit>

namespace tw::engine::testing {
namespace {

TEST(Xyz2MunReference, EveryAnswerIsBitForBitTheRecordedOne) {
    std::string bytes;
    std::string error;
    ASSERT_TRUE(
        text::readFile(std::string(TW_TEST_DATA_DIR) + "/xyz2mun_reference.bin", bytes, error))
        << error;
    std::uint64_t recordedHash = 0;
    std::vector<ReferenceOutput> expected;
    ASSERT_TRUE(decodeOutputs(bytes, recordedHash, expected, error)) << error;

    const std::vector<ReferenceInput> inputs = referenceInputs(realTable());
    ASSERT_EQ(inputs.size(), referenceCount);
    ASSERT_EQ(inputHash(inputs), recordedHash) << "the generated inputs are not those recorded";
    ASSERT_EQ(expected.size(), inputs.size());

    const std::vector<ReferenceOutput> actual = convertAll(realTable(), inputs);
    int differing = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const ReferenceOutput &a = actual[i];
        const ReferenceOutput &e = expected[i];
        const bool same = a.status == e.status
            && std::bit_cast<std::uint32_t>(a.H) == std::bit_cast<std::uint32_t>(e.H)
            && std::bit_cast<std::uint32_t>(a.V) == std::bit_cast<std::uint32_t>(e.V)
            && std::bit_cast<std::uint32_t>(a.C) == std::bit_cast<std::uint32_t>(e.C);
        if (!same && ++differing <= 10) {
            ADD_FAILURE() << "input " << i << " (" << inputs[i].X << " " << inputs[i].Y << " "
                          << inputs[i].Z << (inputs[i].pwd ? " pwd" : "") << "): got H " << a.H
                          << " V " << a.V << " C " << a.C << ", recorded H " << e.H << " V " << e.V
                          << " C " << e.C;
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST(Xyz2MunReference, TheInputsCoverBothAnswersAndBothScales) {
    const std::vector<ReferenceInput> inputs = referenceInputs(realTable());
    const std::vector<ReferenceOutput> outputs = convertAll(realTable(), inputs);
    std::size_t ok = 0, pwd = 0, aboveTen = 0, belowOne = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        ok += outputs[i].status == Xyz2MunStatus::Ok;
        pwd += inputs[i].pwd;
        aboveTen += outputs[i].status == Xyz2MunStatus::Ok && outputs[i].V == 10.0f;
        belowOne += outputs[i].status == Xyz2MunStatus::Ok && outputs[i].V < 1.0f;
    }
    EXPECT_GT(ok, inputs.size() / 2);
    EXPECT_GT(inputs.size() - ok, inputs.size() / 10);
    EXPECT_GT(pwd, inputs.size() / 5);
    EXPECT_GT(aboveTen, 100u);
    EXPECT_GT(belowOne, 100u);
}

} // namespace
} // namespace tw::engine::testing
