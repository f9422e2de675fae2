// Turns one button event into actions: walks the action list in order and runs every row
// bound to the button under the repeat rule of its action type.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "actions/action_list.h"
#include "platform/event_log_writer.h"
#include "remote/foreground_watch.h"
#include "remote/line_failure_report.h"

namespace bw {

// The executors of the four action types, as the program wires them.
struct ActionExecutors {
    // A keyboard row: the key's name or the text to type, and the row's numbers.
    std::function<void(const std::string& value, const KeyStroke& stroke)> keyboard;
    std::function<void(const std::string& name, std::int16_t repeat, std::int16_t step)> mouse;
    // False when the pass ends there: an exit that took over the countdown already showing.
    std::function<bool(const std::string& name, std::int16_t repeat)> system;
    std::function<void(const std::string& path)> run;
    // Closes the exit countdown when it shows, naming the button that cancelled it; false
    // when none shows.
    std::function<bool(const std::string& button)> cancelCountdown = {};
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

    // Runs the rows that act on the line (RowsForLine), in list order. A failure ends the
    // pass and is reported; an exit that takes over the countdown already showing ends it
    // silently. The pass may be re-entered from an executor's modal loop, and the
    // list may change under it: the pass goes on with the rows it took at its start. While
    // the exit countdown shows, a press of a button without a row that ends the session
    // cancels it and does nothing else: the countdown may not have the keyboard.
    void RunActions(const std::string& button, std::int16_t repeat,
                    const std::string& remote = {});

  private:
    // False when the pass ends at this row.
    bool RunRow(const ActionRow& row, std::int16_t repeat);

    const ActionList& bindings_;
    ActionExecutors executors_;
    EventLogWriter& log_;
    LineFailureReport& failures_;
    ForegroundWatch& foreground_;
};

}  // namespace bw
