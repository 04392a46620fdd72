#include "platform/mfc/Clock.h"

#include <gtest/gtest.h>

using ui::Clock;
using ui::FrozenClock;
using ui::LocalTime;

TEST(Clock, FrozenTickAndLocalTimeAdvanceTogether)
{
    FrozenClock frozen(LocalTime{2023, 12, 0, 31, 23, 59, 59, 500}, 5000);
    EXPECT_EQ(Clock::tickCount(), 5000u);
    EXPECT_EQ(GetTickCount(), 5000u);
    frozen.advance(700);
    EXPECT_EQ(Clock::tickCount(), 5700u);
    // Crossing midnight and the year boundary, with the weekday recomputed (2024-01-01 was a Monday).
    EXPECT_EQ(Clock::localTime(), (LocalTime{2024, 1, 1, 1, 0, 0, 0, 200}));
}

TEST(Clock, RealClockIgnoresAdvanceAndNeverGoesBack)
{
    ASSERT_FALSE(Clock::isFrozen());
    const auto before = Clock::tickCount();
    Clock::advance(1000000);
    EXPECT_LT(Clock::tickCount() - before, 1000000u);
    EXPECT_GE(Clock::tickCount(), before);
    EXPECT_GE(Clock::localTime().year, 2024);
}

TEST(Clock, FrozenClocksNestAndRestore)
{
    {
        FrozenClock outer;
        outer.advance(10);
        {
            FrozenClock inner(LocalTime{}, 1);
            EXPECT_EQ(Clock::tickCount(), 1u);
        }
        EXPECT_TRUE(Clock::isFrozen());
        EXPECT_EQ(Clock::tickCount(), 1010u);
        EXPECT_EQ(Clock::localTime(), (LocalTime{2024, 1, 1, 15, 10, 0, 0, 10}));
    }
    EXPECT_FALSE(Clock::isFrozen());
}

TEST(Clock, ObserversSeeEachAdvanceAndMayRemoveThemselves)
{
    FrozenClock frozen;
    std::vector<std::uint64_t> seen;
    int id = 0;
    id = Clock::addAdvanceObserver([&](std::uint64_t tick) {
        seen.push_back(tick);
        if (seen.size() == 2)
            Clock::removeAdvanceObserver(id);
    });
    frozen.advance(50);
    frozen.advance(50);
    frozen.advance(50);
    EXPECT_EQ(seen, (std::vector<std::uint64_t>{1050, 1100}));
}
