// Turns the presses of a button into actions: walks the action list in order and runs every
// row bound to the button, each as its "When" says: a Pressed row under the repeat rule of
// its action type, a Held row down for the whole press, a Long row once the press is long.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "actions/action_list.h"
#include "emulation/press_outcome.h"
#include "platform/event_log_writer.h"
#include "remote/foreground_watch.h"
#include "remote/line_failure_report.h"
#include "remote/press_tracker.h"

namespace bw {

// The executors of the four action types, as the program wires them.
struct ActionExecutors {
    // A keyboard row: the key's name or the text to type, and the row's numbers.
    std::function<void(const std::string& value, const KeyStroke& stroke)> keyboard;
    std::function<void(const std::string& name, std::int16_t repeat, std::int16_t step)> mouse;
    // False when the pass ends there: an exit that took over the countdown already showing.
    std::function<bool(const std::string& name, std::int16_t repeat)> system;
    std::function<bool(const std::string& path)> run;  // false when it could not be opened
    // Closes the exit countdown when it shows, naming the button that cancelled it; false
    // when none shows.
    std::function<bool(const std::string& button)> cancelCountdown = {};
    // Puts a held row's keys or button down, and lets everything held go up.
    std::function<void(const ActionRow& row)> hold = {};
    std::function<void()> release = {};
    // Whether a row of that button's press (numbered from 1) is passed over: after a wake,
    // while the screen is locked.
    std::function<bool(const ActionRow& row, const std::string& button, std::uint64_t press)>
        passOver = {};
};

// Repeats from which a held keyboard button fires again: the pause before it tells a held
// button from a single press.
inline constexpr std::int16_t kKeyboardRepeatFrom = 5;

// The pointer step of a mouse move: grows with the square root of the repeat count.
std::int16_t MoveStep(std::int16_t repeat);

class ActionDispatch {
  public:
    ActionDispatch(const ActionList& bindings, ActionExecutors executors, EventLogWriter& log,
                   LineFailureReport& failures, ForegroundWatch& foreground)
        : bindings_(bindings),
          executors_(std::move(executors)),
          log_(log),
          failures_(failures),
          foreground_(foreground) {}

    // One step of a press. Its start takes the rows that act on it (RowsForLine), in list
    // order, and runs them: Pressed rows at once, unless a Long row applies to the press,
    // in which case they wait for its end and run only if it was short; Held rows go down.
    // A repeat runs the Pressed rows for that line under their repeat rule; the long-press
    // moment runs the Long rows once; the end lets everything held go up. Dropped, a press
    // lets go and does nothing more. A failure ends the pass, lets go of what is held and
    // is reported; an exit that takes over the countdown already showing ends the pass
    // silently. A pass may be re-entered from an executor's modal loop, and the list may
    // change under it: it goes on with the rows it took at its start. While the exit
    // countdown shows, a press of a button without a row that ends the session cancels it
    // and does nothing else: the countdown may not have the keyboard.
    void OnPress(const PressEvent& event);
    // Who is told what each press did; nobody until set.
    void SetOutcome(PressOutcome& outcome) { outcome_ = &outcome; }

  private:
    // What a press took at its start and still has to do.
    struct Press {
        std::vector<ActionRow> longRows, shortRows;  // shortRows: Pressed rows waiting for a short end
        bool hasLong = false, cancelledCountdown = false;
        std::uint64_t number = 0;  // counted here, for the rows a pass passes over
        std::uint64_t press = 0;   // the tracker's number, which later steps name
    };

    void Start(const PressEvent& event);
    void Repeat(const PressEvent& event);
    void Long(const PressEvent& event);
    void End(const PressEvent& event);
    // A step of a press that is over or was never started here: a modal loop of an
    // earlier step handled what came after it.
    bool Stale(const PressEvent& event) const { return press_ && press_->press != event.press; }
    // Runs rows as on the first line, until one ends the pass.
    void RunRows(const std::vector<ActionRow>& rows, std::int16_t repeat);
    // False when the pass ends at this row.
    bool RunRow(const ActionRow& row, std::int16_t repeat);
    void HoldRow(const ActionRow& row);
    bool PassedOver(const ActionRow& row) const {
        if (!executors_.passOver || !executors_.passOver(row, button_, presses_)) return false;
        outcome_->NotRun(row);
        return true;
    }
    // Warns once per window when input may not arrive, and tells the outcome every time.
    void RanInput(const ActionRow& row) { outcome_->Ran(row, foreground_.WarnIfUnreachable()); }
    void Release() {
        if (executors_.release) executors_.release();
    }

    const ActionList& bindings_;
    ActionExecutors executors_;
    EventLogWriter& log_;
    LineFailureReport& failures_;
    ForegroundWatch& foreground_;
    PressOutcome noOutcome_;
    PressOutcome* outcome_ = &noOutcome_;
    std::optional<Press> press_;
    std::uint64_t presses_ = 0;  // numbers each press, so a pass can tell it is over
    std::string button_;         // the button of the latest press
};

}  // namespace bw
