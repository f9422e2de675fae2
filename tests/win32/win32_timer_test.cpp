// The timer ticks through the message loop while enabled and falls silent when disabled,
// also for a tick already queued at that moment.
#include "platform/win32/win32_timer.h"

#include <gtest/gtest.h>

#include "message_pump.h"

namespace bw::test {
namespace {

TEST(Win32TimerTest, TicksWhileEnabledAndNotAfterBeingDisabledInsideATick) {
    win32::Win32Timer timer;
    int ticks = 0;
    timer.SetTickHandler([&] {
        if (++ticks == 3) timer.SetEnabled(false);
    });
    timer.SetInterval(10);
    EXPECT_FALSE(timer.Enabled());
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    EXPECT_FALSE(timer.Enabled());
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(ticks, 3);
}

TEST(Win32TimerTest, QueuedTickOfAStoppedTimerIsDropped) {
    win32::Win32Timer timer;
    int ticks = 0;
    timer.SetTickHandler([&] { ++ticks; });
    timer.SetInterval(1);
    timer.SetEnabled(true);
    // Let a WM_TIMER become due without handling it, then stop the timer.
    ASSERT_TRUE(WaitUntilQueued(WM_TIMER, WM_TIMER));
    timer.SetEnabled(false);
    PumpUntil([] { return false; }, 50);
    EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace bw::test
