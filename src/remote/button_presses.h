// Where button lines become presses: each line goes through the press tracker, whose steps
// go to the dispatch, and one timer wakes it for what time alone decides: a press ended by
// silence, the repeat of a held key.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "emulation/held_input.h"
#include "platform/clock.h"
#include "platform/timer.h"
#include "remote/action_dispatch.h"
#include "remote/press_tracker.h"

namespace bw {

class ButtonPresses {
  public:
    ButtonPresses(ActionDispatch& dispatch, HeldInput& held, Clock& clock, Timer& timer,
                  Millis longPressMs);
    ~ButtonPresses() { timer_.SetTickHandler(nullptr); }
    ButtonPresses(const ButtonPresses&) = delete;
    ButtonPresses& operator=(const ButtonPresses&) = delete;

    // One button line, as the server numbered its repeat.
    void OnLine(const std::string& button, std::int16_t repeat, const std::string& remote);
    // The press under way is cut off and lets go of what it holds: the connection ended,
    // the list changed, the program ends, the screen locked; the computer goes to sleep,
    // after which that press's repeat lines start nothing.
    void DropPress(bool sleeping = false);

  private:
    void Handle(const std::vector<PressEvent>& events);
    void OnTick();
    void Schedule();

    ActionDispatch& dispatch_;
    HeldInput& held_;
    Clock& clock_;
    Timer& timer_;
    PressTracker tracker_;
    std::optional<Millis> armedFor_;  // when the timer is set to wake it
};

}  // namespace bw
