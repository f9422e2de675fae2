// The passes over the list for the steps of a press, under each type's repeat rule.
#include "remote/action_dispatch.h"

#include <algorithm>
#include <cmath>

#include "platform/failure.h"
#include "platform/failure_guard.h"
#include "remote/row_filter.h"

namespace bw {

std::int16_t MoveStep(std::int16_t repeat) {
    const double repeats = repeat > 0 ? repeat : 0;
    return static_cast<std::int16_t>(std::lround(2.0 * std::sqrt(repeats) + 2.0));
}

void ActionDispatch::OnPress(const PressEvent& event) {
    RunGuarded(
        [&] {
            if (event.kind != PressEvent::Kind::End && event.kind != PressEvent::Kind::Drop)
                outcome_->Line(event.button, event.kind == PressEvent::Kind::Start);
            switch (event.kind) {
                case PressEvent::Kind::Start:
                    return Start(event);
                case PressEvent::Kind::Repeat:
                    return Repeat(event);
                case PressEvent::Kind::Long:
                    return Long(event);
                case PressEvent::Kind::End:
                case PressEvent::Kind::Drop:
                    return End(event);
            }
        },
        [this](const std::string& description) {
            // Before the box: its loop may last, and a key left down would stay down meanwhile.
            Release();
            outcome_->Failed();
            outcome_->StepDone();
            failures_.Report(description);
        });
    outcome_->StepDone();
}

void ActionDispatch::Start(const PressEvent& event) {
    Release();
    press_ = Press{};
    press_->number = ++presses_;
    press_->press = event.press;
    button_ = event.button;
    if (event.repeat == 0 && !ButtonPowersDown(bindings_, event.button, event.remote) &&
        executors_.cancelCountdown && executors_.cancelCountdown(event.button)) {
        if (press_ && press_->number == presses_) press_->cancelledCountdown = true;
        outcome_->CountdownCancelled();
        return;
    }
    foreground_.BeginLine();
    const std::vector<ActionRow> rows =
        RowsForLine(bindings_, event.button, event.remote, foreground_);
    if (rows.empty()) outcome_->NothingBound(foreground_.Current().program);
    const bool hasLong = std::ranges::any_of(rows, [](const ActionRow& r) { return r.when == When::Long; });
    const std::uint64_t number = press_->number;
    press_->hasLong = hasLong;
    bool passGoesOn = true;
    for (const ActionRow& row : rows) {
        // A modal loop of an earlier row may have seen this press end and another begin.
        const bool current = press_ && press_->number == number;
        if (row.when == When::Held && current) {
            HoldRow(row);
        } else if (row.when == When::Long && current) {
            press_->longRows.push_back(row);
        } else if (row.when == When::Pressed && hasLong && current) {
            press_->shortRows.push_back(row);
        } else if (row.when == When::Pressed && !hasLong && passGoesOn) {
            passGoesOn = RunRow(row, event.repeat);
        }
    }
}

void ActionDispatch::Repeat(const PressEvent& event) {
    if (Stale(event) || (press_ && (press_->hasLong || press_->cancelledCountdown))) return;
    foreground_.BeginLine();
    std::vector<ActionRow> rows = RowsForLine(bindings_, event.button, event.remote, foreground_);
    std::erase_if(rows, [](const ActionRow& row) { return row.when != When::Pressed; });
    RunRows(rows, event.repeat);
}

void ActionDispatch::Long(const PressEvent& event) {
    if (!press_ || Stale(event) || press_->cancelledCountdown) return;
    const std::vector<ActionRow> rows = std::move(press_->longRows);
    press_->longRows.clear();
    press_->shortRows.clear();  // a long press is never also a short one
    if (rows.empty()) return;
    foreground_.BeginLine();
    RunRows(rows, 0);
}

void ActionDispatch::End(const PressEvent& event) {
    // What a later press put down is that press's to let go.
    if (Stale(event)) return;
    Release();
    if (!press_) return;
    const bool dropped = event.kind == PressEvent::Kind::Drop;
    const Press press = std::move(*press_);
    press_.reset();
    if (!dropped && press.shortRows.empty() && !press.longRows.empty()) outcome_->TooShort();
    if (dropped || press.shortRows.empty()) return;
    foreground_.BeginLine();
    RunRows(press.shortRows, 0);
}

void ActionDispatch::RunRows(const std::vector<ActionRow>& rows, std::int16_t repeat) {
    for (const ActionRow& row : rows)
        if (!RunRow(row, repeat)) return;
}

void ActionDispatch::HoldRow(const ActionRow& row) {
    if (PassedOver(row)) return;
    log_.LogChange(row.action);
    RanInput(row);
    if (executors_.hold) executors_.hold(row);
}

bool ActionDispatch::RunRow(const ActionRow& row, std::int16_t repeat) {
    if (PassedOver(row)) return true;
    switch (row.type) {
        case ActionType::Keyboard: {
            if (repeat >= 1 && repeat < kKeyboardRepeatFrom) return false;
            log_.LogChange(row.action);
            RanInput(row);
            if (!row.stroke.failure.empty()) throw Failure(row.stroke.failure);
            executors_.keyboard(row.value, row.stroke);
            return true;
        }
        case ActionType::Mouse:
            log_.LogChange(row.action);
            RanInput(row);
            executors_.mouse(row.value, repeat, MoveStep(repeat));
            return true;
        case ActionType::System: {
            const SystemAction* action = repeat < 1 ? FindSystemAction(row.value) : nullptr;
            // Alt+F4, Alt+Tab and the Windows key are keys too.
            if (action && SendsKeys(action->command))
                RanInput(row);
            else
                outcome_->Ran(row, {});
            // The countdown of an exit waits in its own loop: its line shows meanwhile.
            if (action && PowersDown(action->command)) outcome_->StepDone();
            return executors_.system(row.value, repeat);
        }
        case ActionType::Run:
            if (repeat >= 1) return false;
            log_.LogChange(row.action);
            outcome_->Ran(row, {});
            if (!executors_.run(row.value)) outcome_->NotDone(RunItemName(row.value) + " not opened");
            return true;
    }
    return true;  // an unknown type is passed over
}

}  // namespace bw
