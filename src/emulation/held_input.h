// What a held binding keeps down: keys (modifiers first) and mouse buttons, let up in
// reverse order when the press ends and on every other way out, the last key repeating
// meanwhile as a key of a real keyboard does.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "actions/action_list.h"
#include "emulation/keyboard.h"
#include "emulation/mouse.h"
#include "platform/clock.h"

namespace bw {

class HeldInput {
  public:
    HeldInput(Keyboard& keyboard, Mouse& mouse, Clock& clock,
              std::function<KeyRepeat()> keyRepeat)
        : keyboard_(keyboard), mouse_(mouse), clock_(clock), keyRepeat_(std::move(keyRepeat)) {}
    // Whatever ends the program lets go of what it holds.
    ~HeldInput() { ReleaseAll(); }
    HeldInput(const HeldInput&) = delete;
    HeldInput& operator=(const HeldInput&) = delete;

    // Puts the row's keys or mouse button down and keeps them down; a row that cannot be
    // held (CanHold) puts nothing down.
    void Hold(const ActionRow& row);
    // Everything held goes up, the last down first. What the system did not take (the
    // secure desktop of a lock or of an elevation prompt takes no input) stays to be let up
    // again at the next press and the next release.
    void ReleaseAll();

    // Sends the held key's repeat when it is due.
    void OnTime();
    std::optional<Millis> NextDeadline() const;

  private:
    struct Down {
        std::uint8_t key = 0;       // a key, or
        std::uint32_t upFlags = 0;  // the mouse event that lets its button up
    };
    bool LetUp(const Down& held);

    Keyboard& keyboard_;
    Mouse& mouse_;
    Clock& clock_;
    std::function<KeyRepeat()> keyRepeat_;
    std::vector<Down> down_;
    std::vector<Down> stuck_;  // down still, as far as the system is concerned
    KeyRepeat repeat_;
    Millis nextRepeat_ = 0;
    bool repeating_ = false;
};

}  // namespace bw
