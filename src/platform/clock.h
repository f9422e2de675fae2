// The time presses are measured in: milliseconds from any fixed start, never going back; and
// the user's keyboard settings for a key that is held.
#pragma once

#include <cstdint>

namespace bw {

using Millis = std::int64_t;

class Clock {
  public:
    virtual ~Clock() = default;
    virtual Millis Now() = 0;
};

// The wait before a held key repeats, and the time between repeats.
struct KeyRepeat {
    Millis delay = 500, period = 33;
};

}  // namespace bw
