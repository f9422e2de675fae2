// A call that may wait a moment, such as redrawing views: asked for any number of times, it
// runs once, when the asking has paused for a short quiet time (a burst of button lines is
// over), or, under a steady stream of asks, once the first unanswered ask is a longest wait
// old. So a press's key never waits for drawing, and a flood of lines is drawn a few times a
// second instead of once per line. A flood is seen by its asks, so whoever asks must ask for
// every change: no thread watches the clock (under Wine each thread holds about 1 MB).
#pragma once

#include <chrono>
#include <functional>

#include "platform/win32/message_window.h"

namespace bw::win32 {

class PacedCall {
  public:
    using Duration = std::chrono::milliseconds;

    PacedCall(std::function<void()> call, Duration quiet, Duration longestWait);
    ~PacedCall();
    PacedCall(const PacedCall&) = delete;
    PacedCall& operator=(const PacedCall&) = delete;

    // Cheap enough for the path of a press: no drawing, at most a timer or a posted message.
    void Ask();

  private:
    using Clock = std::chrono::steady_clock;

    void SetTimerFor(Clock::duration wait);
    void Run();

    std::function<void()> call_;
    Duration quiet_, longestWait_;
    Clock::time_point firstAsk_{}, lastAsk_{};
    bool asked_ = false;
    bool posted_ = false;
    MessageWindow window_;
};

}  // namespace bw::win32
