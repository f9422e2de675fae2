// SetTimer on the hidden message window; a tick queued before a stop is not a tick.
#include "platform/win32/window_timer.h"

#include <algorithm>

namespace bw::win32 {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

WindowTimer::WindowTimer()
    : window_([this](UINT message, WPARAM wParam, LPARAM) {
          if (message != WM_TIMER || wParam != kTimerId) return false;
          // A tick already queued when the timer was stopped is not a tick.
          if (enabled_ && onTick_) onTick_();
          return true;
      }) {}

WindowTimer::~WindowTimer() {
    KillTimer(window_.Handle(), kTimerId);
}

void WindowTimer::Start() {
    SetTimer(window_.Handle(), kTimerId, static_cast<UINT>(std::max(interval_, 1)), nullptr);
}

void WindowTimer::SetInterval(int milliseconds) {
    interval_ = milliseconds;
    if (enabled_) Start();
}

void WindowTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled)
        Start();
    else
        KillTimer(window_.Handle(), kTimerId);
}

}  // namespace bw::win32
