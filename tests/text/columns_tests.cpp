#include "text/columns.h"

#include <gtest/gtest.h>

#include <limits>

namespace tw::text {
namespace {

TEST(Column, ReadsOneBasedColumnsInsideTheText) {
    EXPECT_EQ(column("abcdef", 1, 3), "abc");
    EXPECT_EQ(column("abcdef", 4, 3), "def");
    EXPECT_EQ(column("abcdef", 6, 1), "f");
    EXPECT_EQ(column("abcdef", 7, 0), "") << "an empty column just past the end";
}

TEST(Column, RefusesColumnsThatLeaveTheText) {
    EXPECT_FALSE(column("abcdef", 0, 1)) << "positions count from 1";
    EXPECT_FALSE(column("abcdef", 5, 3));
    EXPECT_FALSE(column("abcdef", 8, 0));
    EXPECT_FALSE(column("", 1, 1));
}

TEST(Column, HugePositionsAndLengthsDoNotWrapRound) {
    constexpr std::size_t top = std::numeric_limits<std::size_t>::max();
    // position - 1 + length wraps to 1 or 2 here.
    EXPECT_FALSE(column("abcdef", 3, top));
    EXPECT_FALSE(column("abcdef", top, 3));
    EXPECT_FALSE(column("abcdef", top, top));
    EXPECT_FALSE(column("abcdef", top / 2 + 2, top / 2 + 1));
}

} // namespace
} // namespace tw::text
