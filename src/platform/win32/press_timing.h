// The system's side of press timing: the tick count as the clock, and the user's keyboard
// repeat settings.
#pragma once

#include "platform/clock.h"

namespace bw::win32 {

class TickClock final : public Clock {
  public:
    Millis Now() override;
};

// From the Keyboard control panel's "Repeat delay" and "Repeat rate".
KeyRepeat SystemKeyRepeat();

}  // namespace bw::win32
