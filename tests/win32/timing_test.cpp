// Ticks and paced calls through the message loop: a tick queued as the timer stops is no tick;
// the drawing after button lines is one call for a burst, and comes even under a stream that
// never empties the queue (timers never fire then).
#include "platform/win32/paced_call.h"
#include "platform/win32/window_timer.h"

#include <gtest/gtest.h>

#include "message_pump.h"

namespace bw::test {
namespace {

TEST(Win32TimerTest, QueuedTickOfAStoppedTimerIsDropped) {
    win32::WindowTimer timer;
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

using std::chrono::milliseconds;

TEST(PacedCallTest, ABurstOfAsksIsAnsweredOnceWhenItIsOver) {
    int calls = 0;
    win32::PacedCall call([&] { ++calls; }, milliseconds(20), milliseconds(10000));
    for (int i = 0; i < 100; ++i) call.Ask();
    EXPECT_EQ(calls, 0) << "called on the way";
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(calls, 1);
}

TEST(PacedCallTest, AStreamThatNeverEmptiesTheQueueIsStillAnswered) {
    int calls = 0;
    win32::PacedCall call([&] { ++calls; }, milliseconds(20), milliseconds(50));
    constexpr UINT kStreamMessage = WM_APP + 7;
    win32::MessageWindow stream(
        [](UINT message, WPARAM, LPARAM) { return message == kStreamMessage; });
    // As the program asks: once for a burst of button lines (the log tells its view once
    // until it is drawn), and the flood goes on without asking again.
    call.Ask();
    const ULONGLONG deadline = GetTickCount64() + 3000;
    while (calls == 0 && GetTickCount64() < deadline) {
        PostMessageW(stream.Handle(), kStreamMessage, 0, 0);
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    EXPECT_EQ(calls, 1) << "no call in 3 s of a steady stream";
}

}  // namespace
}  // namespace bw::test
