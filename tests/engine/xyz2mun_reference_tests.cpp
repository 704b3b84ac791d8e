// xyz2mun gives, bit for bit, the recorded answers to the fixed reference
// inputs: a change made for speed must not move a single result. The
// inputs are read from the file with the answers, so the test converts the
// same bits whichever compiler built it.
#include "engine_test_data.h"
#include "xyz2mun_reference.h"

#include "text/textfile.h"

#include <gtest/gtest.h>

#include <bit>

namespace tw::engine::testing {
namespace {

struct Reference {
    std::vector<ReferenceInput> inputs;
    std::vector<ReferenceOutput> outputs;
};

const Reference &recorded() {
    static const Reference reference = [] {
        Reference r;
        std::string bytes;
        std::string error;
        if (!text::readFile(std::string(TW_TEST_DATA_DIR) + "/xyz2mun_reference.bin", bytes, error)
            || !decodeReference(bytes, r.inputs, r.outputs, error)) {
            ADD_FAILURE() << error;
        }
        return r;
    }();
    return reference;
}

TEST(Xyz2MunReference, EveryAnswerIsBitForBitTheRecordedOne) {
    const Reference &reference = recorded();
    ASSERT_EQ(reference.inputs.size(), referenceCount);
    const std::vector<ReferenceOutput> actual = convertAll(realTable(), reference.inputs);
    int differing = 0;
    for (std::size_t i = 0; i < reference.inputs.size(); ++i) {
        const ReferenceOutput &a = actual[i];
        const ReferenceOutput &e = reference.outputs[i];
        const ReferenceInput &in = reference.inputs[i];
        if (!sameAnswer(a, e) && ++differing <= 10) {
            ADD_FAILURE() << "input " << i << " (" << in.X << " " << in.Y << " " << in.Z
                          << (in.pwd ? " pwd" : "") << "): got H " << a.H << " V " << a.V << " C "
                          << a.C << ", recorded H " << e.H << " V " << e.V << " C " << e.C;
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST(Xyz2MunReference, TheInputsCoverBothAnswersAndBothScales) {
    const Reference &reference = recorded();
    const std::vector<ReferenceInput> &inputs = reference.inputs;
    const std::vector<ReferenceOutput> &outputs = reference.outputs;
    ASSERT_EQ(inputs.size(), referenceCount);
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

// The recorder draws new inputs only when there is no file to take them
// from; drawn again, with this compiler, they are the stored ones. (Draws
// made as the arguments of one call came in a different order under each
// compiler.)
TEST(Xyz2MunReference, TheSeedStillDrawsTheStoredInputs) {
    const std::vector<ReferenceInput> drawn = referenceInputs(realTable());
    const std::vector<ReferenceInput> &stored = recorded().inputs;
    ASSERT_EQ(drawn.size(), stored.size());
    int differing = 0;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const bool same
            = std::bit_cast<std::uint32_t>(drawn[i].X) == std::bit_cast<std::uint32_t>(stored[i].X)
            && std::bit_cast<std::uint32_t>(drawn[i].Y) == std::bit_cast<std::uint32_t>(stored[i].Y)
            && std::bit_cast<std::uint32_t>(drawn[i].Z) == std::bit_cast<std::uint32_t>(stored[i].Z)
            && drawn[i].pwd == stored[i].pwd;
        if (!same && ++differing <= 3) {
            ADD_FAILURE() << "input " << i << " drawn as " << drawn[i].X << " " << drawn[i].Y << " "
                          << drawn[i].Z << ", stored as " << stored[i].X << " " << stored[i].Y
                          << " " << stored[i].Z;
        }
    }
    EXPECT_EQ(differing, 0);
}

} // namespace
} // namespace tw::engine::testing
