// The quiet-time timer and the posted message that still comes under a steady stream.
#include "platform/win32/paced_call.h"

#include <algorithm>
#include <cstdint>

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
              // Posted at the longest wait; a late one of a burst already answered is no ask.
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
      }),
      longestWaitTimer_(CreateThreadpoolTimer(
          [](PTP_CALLBACK_INSTANCE, void* window, PTP_TIMER) {
              PostMessageW(static_cast<HWND>(window), kRunMessage, 0, 0);
          },
          window_.Handle(), nullptr)) {}

PacedCall::~PacedCall() {
    longestWaitTimer_.reset();
    KillTimer(window_.Handle(), kTimerId);
}

void PacedCall::Ask() {
    lastAsk_ = Clock::now();
    if (asked_) return;
    asked_ = true;
    SetTimerFor(quiet_);
    // Due in 100 ns units, negative for a time from now.
    const auto due =
        -std::chrono::duration_cast<std::chrono::nanoseconds>(longestWait_).count() / 100;
    FILETIME dueTime{static_cast<DWORD>(due),
                     static_cast<DWORD>(static_cast<std::uint64_t>(due) >> 32)};
    if (longestWaitTimer_) SetThreadpoolTimer(longestWaitTimer_.get(), &dueTime, 0, 0);
}

void PacedCall::SetTimerFor(Clock::duration wait) {
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
    SetTimer(window_.Handle(), kTimerId, static_cast<UINT>(std::max<long long>(ms, 1)), nullptr);
}

void PacedCall::Run() {
    KillTimer(window_.Handle(), kTimerId);
    if (longestWaitTimer_) SetThreadpoolTimer(longestWaitTimer_.get(), nullptr, 0, 0);
    asked_ = false;
    // Asked again from inside the call, it is owed once more.
    call_();
}

}  // namespace bw::win32
