// The invariant check is on in the trees the tests run in: a broken invariant ends the program
// there and names the condition.
#include "platform/win/pm_assert.h"

#include <gtest/gtest.h>

namespace {

int checkedHalf(int even) {
    PM_ASSERT(even % 2 == 0);
    return even / 2;
}

TEST(PmAssert, AKeptInvariantPassesThrough) {
    EXPECT_EQ(checkedHalf(8), 4);
}

TEST(PmAssertDeathTest, ABrokenInvariantAbortsNamingIt) {
    EXPECT_DEATH(checkedHalf(7), "invariant broken: even % 2 == 0");
}

} // namespace
