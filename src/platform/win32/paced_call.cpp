// The quiet-time timer and the posted message that still comes under a steady stream.
#include "platform/win32/paced_call.h"

#include <algorithm>

namespace bw::win32 {

namespace {
constexpr UINT kRunMessage = WM_APP + 1;
constexpr UINT_PTR kTimerId = 1;
}  // namespace

PacedCall::PacedCall(std::function<void()> call, Duration quiet, Duration longestWait)
    : call_(std::move(call)),
      quiet_(quiet),
      longestWait_(longestWait),
      window_([this](UINT message, WPARAM wParam, LPARAM) {
          if (message == kRunMessage) {
              posted_ = false;
              if (asked_) Run();
              return true;
          }
          if (message != WM_TIMER || wParam != kTimerId) return false;
          // A tick already queued when the call ran is not an ask.
          if (!asked_) return true;
          const Clock::duration quietFor = Clock::now() - lastAsk_;
          if (quietFor >= quiet_)
              Run();
          else
              SetTimerFor(quiet_ - quietFor);
          return true;
      }) {}

PacedCall::~PacedCall() {
    KillTimer(window_.Handle(), kTimerId);
}

void PacedCall::Ask() {
    lastAsk_ = Clock::now();
    if (!asked_) {
        asked_ = true;
        firstAsk_ = lastAsk_;
        SetTimerFor(quiet_);
        return;
    }
    // A timer message only comes when nothing else is queued: under a steady stream of
    // socket messages it never would. The call then joins the queue behind them.
    if (!posted_ && lastAsk_ - firstAsk_ >= longestWait_)
        posted_ = PostMessageW(window_.Handle(), kRunMessage, 0, 0) != FALSE;
}

void PacedCall::SetTimerFor(Clock::duration wait) {
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
    SetTimer(window_.Handle(), kTimerId, static_cast<UINT>(std::max<long long>(ms, 1)), nullptr);
}

void PacedCall::Run() {
    KillTimer(window_.Handle(), kTimerId);
    asked_ = false;
    // Asked again from inside the call, it is owed once more.
    call_();
}

}  // namespace bw::win32
