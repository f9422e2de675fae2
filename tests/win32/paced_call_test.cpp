// Drawing after button lines: one call for a whole burst of asks, and a call that comes
// even while socket messages keep the queue from ever being empty (timers never fire then).
#include "platform/win32/paced_call.h"

#include <gtest/gtest.h>

#include "message_pump.h"

namespace bw::test {
namespace {

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
    const ULONGLONG deadline = GetTickCount64() + 3000;
    while (calls == 0 && GetTickCount64() < deadline) {
        PostMessageW(stream.Handle(), kStreamMessage, 0, 0);
        call.Ask();
        MSG message;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    EXPECT_EQ(calls, 1) << "no call in 3 s of a steady stream";
}

}  // namespace
}  // namespace bw::test
