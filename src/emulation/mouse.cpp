// The ten mouse actions: clicks once per press, moves with a pause and then faster.
#include "emulation/mouse.h"

#include "actions/action_catalogue.h"

namespace bw {

namespace {

// Repeats 1 to 5 of a held move button do nothing: the pause tells a press from a hold.
constexpr std::int16_t kLastPausedRepeat = 5;

}  // namespace

void Mouse::Click(std::uint32_t flags) {
    input_.MouseEvent(flags, 0, 0);
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
        input_.MouseEvent(kMouseMove, action->dx * step, action->dy * step);
}

}  // namespace bw
