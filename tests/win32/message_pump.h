// Runs the thread's message loop until a condition holds or the deadline passes, the way
// the program's own loop delivers socket events and timer ticks.
#pragma once

#include <functional>

namespace bw::test {

// Returns whether the condition became true in time.
bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// Waits, without handling anything, until a message in [first, last] is queued.
bool WaitUntilQueued(unsigned first, unsigned last, int timeoutMs = 5000);

}  // namespace bw::test
