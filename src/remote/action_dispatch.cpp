// One pass over the list for one button event, under each type's repeat rule.
#include "remote/action_dispatch.h"

#include <cmath>

#include "platform/failure.h"
#include "platform/failure_guard.h"
#include "remote/row_filter.h"

namespace bw {

std::int16_t MoveStep(std::int16_t repeat) {
    const double repeats = repeat > 0 ? repeat : 0;
    return static_cast<std::int16_t>(std::lround(2.0 * std::sqrt(repeats) + 2.0));
}

void ActionDispatch::RunActions(const std::string& button, std::int16_t repeat,
                                const std::string& remote) {
    RunGuarded(
        [&] {
            if (repeat == 0 && !ButtonEndsSession(bindings_, button, remote) &&
                executors_.cancelCountdown && executors_.cancelCountdown(button))
                return;
            foreground_.BeginLine();
            for (const ActionRow& row :
                 RowsForLine(bindings_, button, remote, foreground_))
                if (!RunRow(row, repeat)) return;
        },
        [this](const std::string& description) { failures_.Report(description); });
}

bool ActionDispatch::RunRow(const ActionRow& row, std::int16_t repeat) {
    switch (row.type) {
        case ActionType::Keyboard: {
            if (repeat >= 1 && repeat < kKeyboardRepeatFrom) return false;
            log_.LogChange(row.action);
            foreground_.WarnIfUnreachable();
            if (!row.stroke.failure.empty()) throw Failure(row.stroke.failure);
            executors_.keyboard(row.value, row.stroke);
            return true;
        }
        case ActionType::Mouse:
            log_.LogChange(row.action);
            foreground_.WarnIfUnreachable();
            executors_.mouse(row.value, repeat, MoveStep(repeat));
            return true;
        case ActionType::System:
            // Alt+F4, Alt+Tab and the Windows key are keys too.
            if (const SystemAction* action = FindSystemAction(row.value);
                repeat < 1 && action && SendsKeys(action->command))
                foreground_.WarnIfUnreachable();
            return executors_.system(row.value, repeat);
        case ActionType::Run:
            if (repeat >= 1) return false;
            log_.LogChange(row.action);
            executors_.run(row.value);
            return true;
    }
    return true;  // an unknown type is passed over
}

}  // namespace bw
