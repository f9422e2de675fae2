// The bindings: an ordered list of action rows, each binding one remote button name to one
// action. Rows come in only through the four add procedures, which also log the binding.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "actions/action_catalogue.h"
#include "platform/event_log_writer.h"

namespace bw {

// The seven columns of a row, all text; the type stands in for column 0.
struct ActionRow {
    ActionType type;
    std::string RemKey;    // column 1: the button
    std::string Action;    // column 2: what the user sees
    std::string KeyName;   // column 3: key name, text, action name or path
    std::string KeyCode;   // column 4: keyboard rows only
    std::string KeyShift;  // column 5: keyboard rows only
    std::string KeyType;   // column 6: keyboard rows only
    // Empty for any: the executable's file name in front (any letter case), and the remote
    // as the fourth field of a button line names it.
    std::string Program = {};
    std::string Remote = {};
    bool operator==(const ActionRow&) const = default;
};

// What a binding is limited to, and where the new row goes: appended, or in place of the
// row at a 1-based position when a binding is edited.
struct RowPlacement {
    std::string Program = {};
    std::string Remote = {};
    std::size_t Replaces = 0;
};

// The button as a row shows and logs it: "PLAY", or "PLAY on tv" for one remote only.
std::string ButtonText(const ActionRow& row);
// The action as a row shows and logs it, with its program in brackets where it has one.
std::string ActionText(const ActionRow& row);

// What a row shows in column 2 for a run row: the path after its last backslash.
std::string RunShortName(const std::string& path);

class ActionList {
  public:
    // Row numbers are 16-bit in the settings store; more rows could not be loaded back.
    static constexpr std::size_t kMaxRows = 32767;

    explicit ActionList(EventLogWriter& log) : log_(log) {}

    // Told the new row count after every change, so that a view over the rows can follow.
    void SetChangedHandler(std::function<void(std::size_t count)> changed) {
        changed_ = std::move(changed);
    }

    // Each throws Failure when the list is full, or when the row to replace is not there.
    void AddKey(const std::string& KeyType, const std::string& button,
                const std::string& SendKeyName, const std::string& SendKeyCode,
                const std::string& SendKeyShift, const RowPlacement& placement = {});
    void AddMouse(const std::string& button, const std::string& ActionMouse,
                  const RowPlacement& placement = {});
    void AddSys(const std::string& button, const std::string& ActionSys,
                const RowPlacement& placement = {});
    // An empty path adds nothing and logs nothing.
    void AddRun(const std::string& button, const std::string& ActionRun,
                const RowPlacement& placement = {});

    std::size_t Count() const { return rows_.size(); }
    // position counts from 1. A row that is not there (the list may shrink while a dispatch
    // pass runs) throws Failure instead of reading past the end.
    const ActionRow& Row(std::size_t position) const;

    // Removes the rows at the given 1-based positions and returns the position to select
    // afterwards: the row now where the topmost removed one stood, else the new last row.
    std::optional<std::size_t> RemoveRows(const std::vector<std::size_t>& selected);
    void Clear();
    // Moves the row one place up (-1) or down (+1) and returns where it is now; a row at
    // the edge, or one that is not there, stays and returns nothing.
    std::optional<std::size_t> Move(std::size_t position, int step);

  private:
    // changeLine: what the log says, given the row's button text.
    void Place(ActionRow row, const RowPlacement& placement,
               const std::function<std::string(const std::string& button)>& changeLine);
    void Changed() const {
        if (changed_) changed_(rows_.size());
    }

    EventLogWriter& log_;
    std::vector<ActionRow> rows_;
    std::function<void(std::size_t)> changed_;
};

}  // namespace bw
