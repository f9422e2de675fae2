// What the program does as the computer goes to sleep and wakes, the screen locks and
// unlocks, and the Windows session ends: nothing stays held down, no countdown outlives the
// sleep, and the remote works again the moment the computer is back.
#pragma once

#include "emulation/exit_countdown.h"
#include "platform/event_log_writer.h"
#include "remote/button_presses.h"
#include "remote/server_connection.h"
#include "remote/session_state.h"

namespace bw {

inline constexpr const char* kGoingToSleepLine = "The computer is going to sleep.";
inline constexpr const char* kWokeUpLine = "The computer woke up.";

class PowerEvents {
  public:
    PowerEvents(SessionState& state, ButtonPresses& presses, ExitCountdown& countdown,
                ServerConnection& connection, EventLogWriter& log)
        : state_(state),
          presses_(presses),
          countdown_(countdown),
          connection_(connection),
          log_(log) {}

    // Everything held goes up, the countdown is cancelled and the connection closed; the
    // press that woke the computer may come once it is back.
    void Suspending();
    // Connects at once rather than at the next retry.
    void Resumed();
    void Locked();
    void Unlocked() { state_.Unlocked(); }
    // The program ends, by whatever way (the session's end, the exit question, the
    // installer): everything held goes up, and the caller ends the process.
    void Exiting() { presses_.DropPress(); }

  private:
    SessionState& state_;
    ButtonPresses& presses_;
    ExitCountdown& countdown_;
    ServerConnection& connection_;
    EventLogWriter& log_;
};

}  // namespace bw
