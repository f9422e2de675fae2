// What the computer's sleep and the screen's lock mean for the rows a press would run: for
// a few seconds after a wake, nothing that would power the computer down again (the press
// that woke it may arrive after the wake); while the screen is locked, no keys or mouse
// input, which would only reach the lock screen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "actions/action_list.h"
#include "platform/clock.h"
#include "platform/event_log_writer.h"

namespace bw {

inline constexpr Millis kWakeGraceMs = 5000;

class SessionState {
  public:
    SessionState(Clock& clock, EventLogWriter& log) : clock_(clock), log_(log) {}

    // Each returns whether it is news: a second message for the same change is not.
    bool Suspended();
    bool Woke();
    // A lock said twice is one lock.
    void Locked();
    void Unlocked() { locked_ = false; }

    // Whether the row is passed over now; says why in the log, once per press after a
    // wake ("POWER: 'Sleep' was not run: the computer woke up 1.2 s ago.") and once per
    // lock ("Keys cannot reach the locked screen.").
    bool PassOver(const ActionRow& row, const std::string& button, std::uint64_t press);

  private:
    Clock& clock_;
    EventLogWriter& log_;
    bool asleep_ = false, locked_ = false, lockSaid_ = false;
    std::optional<Millis> wokeAt_;
    std::uint64_t wakeSaidFor_ = 0;  // the press the wake's refusal was said for
};

// Input that needs the desktop: keys, mouse, and the system actions that are keys.
bool SendsInput(const ActionRow& row);

}  // namespace bw
