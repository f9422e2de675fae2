// The ten mouse actions: clicks once per press, moves with a pause and then faster.
#include "emulation/mouse.h"

namespace bw {

namespace {

struct ClickAction {
    const char* name;
    std::uint32_t flags;
    int clicks;
};

constexpr ClickAction kClicks[] = {
    {"Left Mouse Click", kMouseLeftDown | kMouseLeftUp, 1},
    {"Right Mouse Click", kMouseRightDown | kMouseRightUp, 1},
    {"Middle Mouse Click", kMouseMiddleDown | kMouseMiddleUp, 1},
    {"Left Mouse Double Click", kMouseLeftDown | kMouseLeftUp, 2},
    {"Right Mouse Double Click", kMouseRightDown | kMouseRightUp, 2},
    {"Middle Mouse Double Click", kMouseMiddleDown | kMouseMiddleUp, 2},
};

struct MoveAction {
    const char* name;
    int dx, dy;  // the direction; the step scales it
};

// "UP" in capitals beside "Down": the names are stored in bindings as they are.
constexpr MoveAction kMoves[] = {
    {"Mouse Move UP", 0, -1},
    {"Mouse Move Down", 0, 1},
    {"Mouse Move Left", -1, 0},
    {"Mouse Move Right", 1, 0},
};

// Repeats 1 to 5 of a held move button do nothing: the pause tells a press from a hold.
constexpr std::int16_t kLastPausedRepeat = 5;

}  // namespace

void Mouse::Click(std::uint32_t flags) {
    input_.MouseEvent(flags, 0, 0);
    // Lets the target take the click before anything else happens, which also keeps the
    // two halves of a double click apart.
    pump_.DoEvents();
}

void Mouse::DoMouseAction(const std::string& ActionMouse, std::int16_t NumRpt,
                          std::int16_t MoveStep) {
    if (NumRpt < 1) {
        for (const ClickAction& click : kClicks) {
            if (ActionMouse != click.name) continue;
            for (int i = 0; i < click.clicks; ++i) Click(click.flags);
            break;
        }
    }
    if (NumRpt < 1 || NumRpt > kLastPausedRepeat) {
        for (const MoveAction& move : kMoves) {
            if (ActionMouse != move.name) continue;
            input_.MouseEvent(kMouseMove, move.dx * MoveStep, move.dy * MoveStep);
            break;
        }
    }
}

}  // namespace bw
