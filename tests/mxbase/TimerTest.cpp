#include "platform/mxbase/Mx_Timer.h"

#include <gtest/gtest.h>

namespace {

std::int64_t gFakeNow = 0;
std::int64_t fakeClock() { return gFakeNow; }

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        gFakeNow = 1'000'000;
        Mx_Timer::setClock(&fakeClock);
    }
    void TearDown() override { Mx_Timer::setClock(nullptr); }
};

TEST_F(TimerTest, AddsUpPairsAndCountsThem) {
    Mx_Timer timer(L"gCalcMain");
    timer.start();
    gFakeNow += 2'000'000;
    timer.end();
    timer.start();
    gFakeNow += 500;
    timer.end();
    EXPECT_EQ(timer.count(), 2);
    EXPECT_EQ(timer.nanoseconds(), 2'000'500);
    EXPECT_EQ(timer.toString(), Mx_String(L"gCalcMain: 2 calls, 0.002001 s"));
    timer.reset();
    EXPECT_EQ(timer.toString(), Mx_String(L"gCalcMain: 0 calls, 0.000000 s"));
}

TEST_F(TimerTest, NestedStartsCountTheTimeOnce) {
    // A child standards run restarts the parent's timer before the parent ends it.
    Mx_Timer timer(L"gCalcMain");
    timer.start();
    gFakeNow += 100;
    timer.start();
    gFakeNow += 300;
    timer.end();
    EXPECT_TRUE(timer.isRunning());
    gFakeNow += 100;
    timer.end();
    EXPECT_FALSE(timer.isRunning());
    EXPECT_EQ(timer.count(), 2);
    EXPECT_EQ(timer.nanoseconds(), 500);
}

TEST_F(TimerTest, StrayEndsAndBackwardClocksChangeNothing) {
    Mx_Timer timer;
    timer.end();
    EXPECT_EQ(timer.count(), 0);
    timer.start();
    gFakeNow -= 50;
    timer.end();
    EXPECT_EQ(timer.nanoseconds(), 0);
    EXPECT_EQ(timer.toString(), Mx_String(L"1 call, 0.000000 s"));
}

TEST_F(TimerTest, FunctionTimerEndsOnEveryWayOut) {
    Mx_Timer timer(L"gCalcCellGetVarCoordName");
    auto work = [&](bool early) {
        Mx_FunctionTimer scope(timer);
        gFakeNow += 10;
        if (early) return 1;
        gFakeNow += 10;
        return 2;
    };
    work(true);
    work(false);
    try {
        Mx_FunctionTimer scope(timer);
        throw 1;
    } catch (int) {
    }
    EXPECT_FALSE(timer.isRunning());
    EXPECT_EQ(timer.count(), 3);
    EXPECT_EQ(timer.nanoseconds(), 30);
}

}  // namespace
