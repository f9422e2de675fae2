// Sleep, wake and lock, each acted on once however often Windows says it.
#include "remote/power_events.h"

namespace bw {

void PowerEvents::Suspending() {
    presses_.DropPress(true);
    if (!state_.Suspended()) return;
    log_.LogChange(kGoingToSleepLine);
    countdown_.Cancel("the computer is going to sleep.");
    connection_.Disconnect();
}

void PowerEvents::Resumed() {
    if (!state_.Woke()) return;
    log_.LogChange(kWokeUpLine);
    connection_.Connect();
}

void PowerEvents::Locked() {
    presses_.DropPress();
    state_.Locked();
}

}  // namespace bw
