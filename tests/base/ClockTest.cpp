#include <gtest/gtest.h>

#include "platform/base/Clock.h"

using namespace zorun;

TEST(Clock, VirtualClockMovesOnlyWhenAdvancedAndNeverBack) {
    VirtualClock clock(1'000'000);
    SetCurrentClock(&clock);
    EXPECT_EQ(CurrentClock().NowMs(), 0u);
    clock.Advance(5000);
    EXPECT_EQ(CurrentClock().NowMs(), 5000u);
    EXPECT_EQ(CurrentClock().WallTimeMs(), 1'005'000);
    clock.AdvanceTo(100);
    EXPECT_EQ(clock.NowMs(), 5000u);
    SetCurrentClock(nullptr);
    EXPECT_FALSE(CurrentClock().IsVirtual());
}
