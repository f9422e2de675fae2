// The ten-second countdown before a log off, restart, shutdown, sleep or hibernation, which
// the user can cancel.
// One object for the whole run; its window is built at each showing.
#pragma once

#include <cstdint>
#include <string>

#include "platform/event_log_writer.h"
#include "platform/system_services.h"
#include "platform/timer.h"

namespace bw {

// ExitType values: the base flags of ExitWindowsEx; the two suspends are no flags of it.
inline constexpr std::int32_t kExitLogOff = 0, kExitShutdown = 1, kExitRestart = 2,
                              kExitSleep = -1, kExitHibernate = -2;
inline constexpr int kCountdownSeconds = 10;

// The exits with the name a cancel says ("Shutdown was cancelled") and what the countdown
// says is coming ("Shutdown windows in 10 seconds...").
struct ExitKind {
    std::int32_t type;
    const char* name;
    const char* coming;
};
inline constexpr ExitKind kLogOffExit{kExitLogOff, "Log off", "Log off windows"},
    kRestartExit{kExitRestart, "Restart", "Restart windows"},
    kShutdownExit{kExitShutdown, "Shutdown", "Shutdown windows"},
    kSleepExit{kExitSleep, "Sleep", "Sleep"}, kHibernateExit{kExitHibernate, "Hibernate", "Hibernate"};
inline constexpr ExitKind kExitKinds[] = {kLogOffExit, kRestartExit, kShutdownExit, kSleepExit,
                                          kHibernateExit};

// "Shutdown windows in 10 seconds...": what the countdown's window shows.
std::string CountdownText(const ExitKind& kind, int secondsLeft);
// Under it: the window may show without the keyboard, and any button of the remote but one
// bound to an exit cancels it.
inline constexpr const char* kCountdownRemoteHint = "Press any button on the remote to cancel.";

// What the countdown's window tells the logic.
class CountdownEvents {
  public:
    virtual ~CountdownEvents() = default;
    virtual void Opened() = 0;
    virtual void CancelPressed() = 0;  // the button, Enter or Escape
    virtual void Closed() = 0;      // closing by any path, the close box among them
};

// The window countdownWindow: built afresh at every showing.
class CountdownView {
  public:
    virtual ~CountdownView() = default;
    // Builds the window, calls Opened once it exists, and returns once it has closed,
    // after Closed. Events keep being delivered meanwhile.
    virtual void ShowModal(CountdownEvents& events) = 0;
    virtual void SetText(const std::string& text) = 0;  // what it counts down
    // Above every other window, topmost ones included, and in the foreground.
    virtual void BringToTop() = 0;
    virtual void Close() = 0;
};

class ExitCountdown final : private CountdownEvents {
  public:
    ExitCountdown(CountdownView& window, Timer& countdownTimer, ExitSession& session,
                  EventLogWriter& log);
    ~ExitCountdown() override;
    ExitCountdown(const ExitCountdown&) = delete;
    ExitCountdown& operator=(const ExitCountdown&) = delete;

    // Modal: returns true when the countdown was cancelled or has ended. Asked while it
    // shows already, it takes the running countdown over with its kind, from the next tick
    // on, and returns false at once.
    bool Show(const ExitKind& kind);
    // Closes a countdown that shows and has not ended, saying why in the log ("Shutdown was
    // cancelled: ..."); false when there is none to cancel.
    bool Cancel(const std::string& reason);
    // The same for a button of the remote: "PLAY was pressed."
    bool CancelByButton(const std::string& button) { return Cancel(button + " was pressed."); }

  private:
    void OnTick();
    void Opened() override;
    void CancelPressed() override;
    void Closed() override;
    // Forced, and for a shutdown with the power switched off; or the suspend. A refusal is
    // an error line.
    void ForceExitWindows();
    std::string Text() const;

    CountdownView& window_;
    Timer& timer_;
    ExitSession& session_;
    EventLogWriter& log_;
    std::int16_t secondsElapsed_ = 0;
    ExitKind kind_ = kLogOffExit;
    bool shown_ = false;
    bool counting_ = false;  // from the window's load to a cancel or to zero
};

}  // namespace bw
