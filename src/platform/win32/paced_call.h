// A call that may wait a moment, such as redrawing views: asked for any number of times, it
// runs once, when the asking has paused for a short quiet time (a burst of button lines is
// over), or, while other messages keep coming, once the first unanswered ask is a longest
// wait old. So a press's key never waits for drawing, and a flood of lines is drawn a few
// times a second instead of once per line.
#pragma once

#include <chrono>
#include <functional>

#include "platform/win32/message_window.h"
#include "platform/win32/unique_handle.h"

namespace bw::win32 {

class PacedCall {
  public:
    using Duration = std::chrono::milliseconds;

    PacedCall(std::function<void()> call, Duration quiet, Duration longestWait);
    ~PacedCall();
    PacedCall(const PacedCall&) = delete;
    PacedCall& operator=(const PacedCall&) = delete;

    // Cheap enough for the path of a press: no drawing; the first ask of a burst sets two
    // timers, later ones only note the time.
    void Ask();

  private:
    using Clock = std::chrono::steady_clock;

    void SetTimerFor(Clock::duration wait);
    void Run();

    std::function<void()> call_;
    Duration quiet_, longestWait_;
    Clock::time_point lastAsk_{};
    bool asked_ = false;
    MessageWindow window_;
    // WM_TIMER comes only when the queue holds nothing else, and a flood of button lines
    // keeps it full: at the longest wait a pool thread posts the call's message instead,
    // which takes its place in the queue behind the flood. Stopped before the window goes.
    UniqueThreadpoolTimer longestWaitTimer_;
};

}  // namespace bw::win32
