#include "core/util/later_work.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Work is done in the order given, never while a save holds it back; what it
// captured is let go of once it is done.
TEST(LaterWorkTest, DoneInOrderOnceNothingHoldsItBack)
{
    std::vector<int> done;
    auto token = std::make_shared<int>(0);
    const std::weak_ptr<int> watch = token;
    {
        const LaterWorkHeld held;
        for (int k = 1; k <= 3; ++k)
            DoLater([&done, token, k] { done.push_back(k); });
        token.reset();
        WaitForLaterWork(); // returns at once while held
        EXPECT_TRUE(done.empty());
        EXPECT_FALSE(watch.expired());
    }
    WaitForLaterWork();
    EXPECT_EQ(done, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(watch.expired());
}
