// Record splitting: where a record is cut short and what a field holds.
#include "batch/record_input.h"

#include <gtest/gtest.h>

namespace tw::batch {
namespace {

TEST(RecordInput, ARecordMustHoldEveryFieldItReads) {
    std::vector<std::string> f;
    EXPECT_TRUE(splitRecord("1,\"dark, skin\",3YR,3.7,3.2", 5, f, nullptr));
    EXPECT_EQ(f[1], "dark, skin");
    EXPECT_EQ(f[4], "3.2");
    // A comma at the very end is one more, empty field; no comma is none.
    EXPECT_TRUE(splitRecord("a,b,", 3, f, nullptr));
    EXPECT_EQ(f[2], "");
    EXPECT_FALSE(splitRecord("a,b", 3, f, nullptr));
    // Only one: a line that ends with a comma does not hold every field a
    // record reads.
    EXPECT_FALSE(splitRecord("a,b,", 6, f, nullptr));
    // A tab does not end a field (the step lists rely on it).
    EXPECT_TRUE(splitRecord("5R\t4\t6", 1, f, nullptr));
    EXPECT_EQ(f[0], "5R\t4\t6");
    // Further fields are the rest of the line when it is asked for, and
    // nothing when the last field ended the line.
    std::string rest = "old";
    EXPECT_TRUE(splitRecord("x,y,z, more, text", 3, f, &rest));
    EXPECT_EQ(rest, " more, text");
    EXPECT_TRUE(splitRecord("x,y,z", 3, f, &rest));
    EXPECT_EQ(rest, "");
}

} // namespace
} // namespace tw::batch
