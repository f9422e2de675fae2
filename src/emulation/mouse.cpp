// The ten mouse actions: clicks once per press, moves with a pause and then faster.
#include "emulation/mouse.h"

#include "actions/action_catalogue.h"

namespace bw {

namespace {

// Repeats 1 to 5 of a held move button do nothing: the pause tells a press from a hold.
constexpr std::int16_t kLastPausedRepeat = 5;

// "The left mouse button's release", as a failed event is said.
std::string MouseEventName(std::uint32_t flags) {
    if (flags == kMouseMove) return "A pointer move";
    const std::string button = flags & (kMouseLeftDown | kMouseLeftUp)     ? "left"
                               : flags & (kMouseRightDown | kMouseRightUp) ? "right"
                                                                           : "middle";
    const bool down = flags & (kMouseLeftDown | kMouseRightDown | kMouseMiddleDown);
    const bool up = flags & (kMouseLeftUp | kMouseRightUp | kMouseMiddleUp);
    return "The " + button + " mouse button's " + (down && up ? "click" : down ? "press" : "release");
}

}  // namespace

bool Mouse::Send(std::uint32_t flags, int dx, int dy) {
    if (input_.MouseEvent(flags, dx, dy) || input_.MouseEvent(flags, dx, dy)) return true;
    log_.Write(LogKind::Error, MouseEventName(flags) + " could not be sent: Windows did not take it.");
    return false;
}

void Mouse::Click(std::uint32_t flags) {
    Send(flags);
    // Lets the target take the click before anything else happens, which also keeps the
    // two halves of a double click apart.
    pump_.DoEvents();
}

void Mouse::Act(const std::string& name, std::int16_t repeat, std::int16_t step) {
    const MouseAction* action = FindMouseAction(name);
    if (!action) return;
    if (repeat < 1)
        for (int i = 0; i < action->clicks; ++i) Click(action->buttonFlags);
    if (action->clicks == 0 && (repeat < 1 || repeat > kLastPausedRepeat))
        Send(kMouseMove, action->dx * step, action->dy * step);
}

}  // namespace bw
