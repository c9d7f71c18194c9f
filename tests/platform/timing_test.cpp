// Tick timers on the virtual clock and, briefly, on the real one.
#include "platform/platform.h"

#include <gtest/gtest.h>

namespace {
struct VirtualClock : ::testing::Test {
    void SetUp() override { UseVirtualClock(true); }
    void TearDown() override { UseVirtualClock(false); }
};
} // namespace

TEST_F(VirtualClock, EachWaitMovesToTheNextTickExactly) {
    Timer t = NewTickTimer(40);
    const int start = ClockMillis();
    for (int frame = 1; frame <= 10; ++frame) {
        EXPECT_EQ(WaitNextTick(t), 1);
        EXPECT_EQ(ClockMillis() - start, 25 * frame);
        EXPECT_EQ(TickCount(t), frame);
    }
    EXPECT_EQ(ClockMillis() - start, 250) << "the clock stands still between waits";
}

TEST_F(VirtualClock, OverlongFrameReturnsAtOnceWithTheMissedTicks) {
    Timer t = NewTickTimer(40);
    WaitNextTick(t);
    const int before = ClockMillis();
    AdvanceVirtualClock(110); // a slow frame: 4 ticks and a bit
    EXPECT_EQ(WaitNextTick(t), 4);
    EXPECT_EQ(ClockMillis(), before + 110) << "no sleeping, no extra movement";
    EXPECT_EQ(WaitNextTick(t), 1) << "missed ticks are not delivered one by one";
    EXPECT_EQ(ClockMillis(), before + 125);
}

TEST_F(VirtualClock, SlowTimersCountWholeSeconds) {
    Timer frames = NewTickTimer(40);
    Timer seconds = NewTickTimer(1);
    for (int i = 0; i < 39; ++i) WaitNextTick(frames);
    EXPECT_EQ(TickCount(seconds), 0);
    WaitNextTick(frames);
    EXPECT_EQ(TickCount(seconds), 1);
    EXPECT_EQ(TickCount(nullptr), 0);
    EXPECT_EQ(WaitNextTick(nullptr), 0);
}

TEST(RealClock, WaitBlocksUntilTheNextTick) {
    Timer t = NewTickTimer(100);
    WaitNextTick(t);
    const int a = ClockMillis();
    for (int i = 0; i < 5; ++i) EXPECT_GE(WaitNextTick(t), 1);
    const int elapsed = ClockMillis() - a;
    EXPECT_GE(elapsed, 40) << "five 10 ms ticks cannot pass in less than four periods";
}
