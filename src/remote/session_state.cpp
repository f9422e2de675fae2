// The wake's grace period and the lock's refusal of input, each said once.
#include "remote/session_state.h"

#include <cstdio>

namespace bw {

bool SendsInput(const ActionRow& row) {
    if (row.type == ActionType::Keyboard || row.type == ActionType::Mouse) return true;
    const SystemAction* action =
        row.type == ActionType::System ? FindSystemAction(row.value) : nullptr;
    return action && SendsKeys(action->command);
}

bool SessionState::Suspended() {
    if (asleep_) return false;
    asleep_ = true;
    return true;
}

bool SessionState::Woke() {
    // Windows says it twice: resumed automatically, and again with a user there. A wake
    // whose sleep went unnoticed (a busy program may miss the suspend's notice) is a wake.
    const Millis now = clock_.Now();
    if (!asleep_ && wokeAt_ && now - *wokeAt_ < kWakeGraceMs) return false;
    asleep_ = false;
    wokeAt_ = now;
    return true;
}

void SessionState::Locked() {
    if (!locked_) lockSaid_ = false;
    locked_ = true;
}

bool SessionState::PassOver(const ActionRow& row, const std::string& button,
                            std::uint64_t press) {
    const SystemAction* action =
        row.type == ActionType::System ? FindSystemAction(row.value) : nullptr;
    if (action && PowersDown(action->command) && wokeAt_ &&
        clock_.Now() - *wokeAt_ < kWakeGraceMs) {
        if (wakeSaidFor_ != press) {
            wakeSaidFor_ = press;
            char ago[32];
            std::snprintf(ago, sizeof ago, "%.1f", static_cast<double>(clock_.Now() - *wokeAt_) / 1000);
            // Said as a cancelled countdown is: what became of a press, no fault.
            log_.LogChange(button + ": '" + row.value +
                                           "' was not run: the computer woke up " + ago +
                                           " s ago.");
        }
        return true;
    }
    // Input on its way out as the computer goes to sleep reaches nothing: a click's yield
    // may have handed out the suspend's notice in the middle of a pass.
    if (asleep_ && SendsInput(row)) return true;
    if (locked_ && SendsInput(row)) {
        if (!lockSaid_) log_.Write(LogKind::Error, "Keys cannot reach the locked screen.");
        lockSaid_ = true;
        return true;
    }
    return false;
}

}  // namespace bw
