// One pass over the list for one button event, under each type's repeat rule.
#include "remote/action_dispatch.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "platform/decimal_text.h"
#include "platform/failure.h"
#include "platform/failure_guard.h"
#include "platform/plain_text.h"
#include "remote/row_filter.h"

namespace bw {

namespace {

constexpr int kOverflow = 6;
constexpr int kTypeMismatch = 13;

bool IsDigits(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) return false;
    if (text.front() == '+' || text.front() == '-') text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Text that is no number is a type mismatch; a number out of range an overflow.
long long ToWholeNumber(const std::string& text, long long low, long long high) {
    if (const std::optional<long long> value = ParseWholeNumber(text, low, high)) return *value;
    if (IsDigits(text)) throw Failure(kOverflow, "Overflow");
    throw Failure(kTypeMismatch, "Type mismatch");
}

}  // namespace

std::uint8_t ToByte(const std::string& text) {
    return static_cast<std::uint8_t>(ToWholeNumber(text, 0, 255));
}

std::int16_t ToInteger(const std::string& text) {
    return static_cast<std::int16_t>(ToWholeNumber(text, -32768, 32767));
}

std::int16_t MoveStep(std::int16_t repeat) {
    const double repeats = repeat > 0 ? repeat : 0;
    return static_cast<std::int16_t>(std::lround(2.0 * std::sqrt(repeats) + 2.0));
}

void ActionDispatch::RunActions(const std::string& button, std::int16_t repeat,
                                const std::string& remote) {
    RunGuarded(
        [&] {
            if (repeat == 0 && !ButtonEndsSession(bindings_, button, remote) &&
                executors_.CancelCountdown && executors_.CancelCountdown(button))
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
            log_.LogChange(row.Action);
            foreground_.WarnIfUnreachable();
            const std::int16_t kind = ToInteger(row.KeyType);
            const std::uint8_t shift = ToByte(row.KeyShift);
            const std::uint8_t code = ToByte(row.KeyCode);
            executors_.SimulateKeyboard(row.KeyName, code, shift, kind);
            return true;
        }
        case ActionType::Mouse:
            log_.LogChange(row.Action);
            foreground_.WarnIfUnreachable();
            executors_.DoMouseAction(row.KeyName, repeat, MoveStep(repeat));
            return true;
        case ActionType::System:
            // Alt+F4, Alt+Tab and the Windows key are keys too.
            if (const SystemAction* action = FindSystemAction(row.KeyName);
                repeat < 1 && action && SendsKeys(action->command))
                foreground_.WarnIfUnreachable();
            executors_.RunSys(row.KeyName, repeat);
            return true;
        case ActionType::Run:
            if (repeat >= 1) return false;
            log_.LogChange(row.Action);
            executors_.RunFile(row.KeyName);
            return true;
    }
    return true;  // an unknown type is passed over
}

}  // namespace bw
