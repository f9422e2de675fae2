// The add procedures with their log lines, the removal of selected rows, the row limit.
#include "actions/action_list.h"

#include <algorithm>

#include "platform/failure.h"

namespace bw {

namespace {
// The classic run-time error numbers, for the guards that show them.
constexpr int kListFull = 7;   // out of memory
constexpr int kNoSuchRow = 9;  // subscript out of range
}  // namespace

std::string RunShortName(const std::string& path) {
    const std::size_t last = path.rfind('\\');
    if (last == std::string::npos) return path;
    if (last + 1 < path.size()) return path.substr(last + 1);
    // A folder path ends in a backslash: it keeps its whole text, less a leading "\\".
    if (path.size() <= 1) return path;
    if (path[1] == '\\') return path.substr(2);
    if (path[0] == '\\') return path.substr(1);
    return path;
}

std::string ButtonText(const ActionRow& row) {
    return row.Remote.empty() ? row.RemKey : row.RemKey + " on " + row.Remote;
}

std::string ActionText(const ActionRow& row) {
    return row.Program.empty() ? row.Action : row.Action + " (" + row.Program + ")";
}

void ActionList::AddKey(const std::string& KeyType, const std::string& button,
                        const std::string& SendKeyName, const std::string& SendKeyCode,
                        const std::string& SendKeyShift, const RowPlacement& placement) {
    Place({ActionType::Keyboard, button, "Simulating Keyboard: " + SendKeyName, SendKeyName,
           SendKeyCode, SendKeyShift, KeyType},
          placement, [&](const std::string& button) {
              return "Keyboard shortcut '" + SendKeyName + "' is assigned to '" + button + "'";
          });
}

void ActionList::AddMouse(const std::string& button, const std::string& ActionMouse,
                          const RowPlacement& placement) {
    Place({ActionType::Mouse, button, "Simulating Mouse: " + ActionMouse, ActionMouse, "", "",
           ""},
          placement, [&](const std::string& button) {
              return "Mouse event '" + ActionMouse + "' is assigned to '" + button + "'";
          });
}

void ActionList::AddSys(const std::string& button, const std::string& ActionSys,
                        const RowPlacement& placement) {
    Place({ActionType::System, button, "System Event: " + ActionSys, ActionSys, "", "", ""},
          placement, [&](const std::string& button) {
              return "System event '" + ActionSys + "' is assigned to '" + button + "'";
          });
}

void ActionList::AddRun(const std::string& button, const std::string& ActionRun,
                        const RowPlacement& placement) {
    if (ActionRun.empty()) return;
    const std::string shortName = RunShortName(ActionRun);
    Place({ActionType::Run, button, "Running: " + shortName, ActionRun, "", "", ""}, placement,
          [&](const std::string& button) {
              return "'" + shortName + "' will run upon pressing '" + button + "'";
          });
}

void ActionList::Place(ActionRow row, const RowPlacement& placement,
                       const std::function<std::string(const std::string& button)>& changeLine) {
    row.Program = placement.Program;
    row.Remote = placement.Remote;
    std::string line = changeLine(ButtonText(row));
    if (!row.Program.empty()) line += " while " + row.Program + " is in front";
    if (placement.Replaces != 0) {
        Row(placement.Replaces);  // throws when the edited row has gone
        rows_[placement.Replaces - 1] = std::move(row);
    } else {
        if (rows_.size() >= kMaxRows)
            throw Failure(kListFull,
                          "The action list is full: it holds at most 32767 actions. "
                          "Remove some before adding more.");
        rows_.push_back(std::move(row));
    }
    Changed();
    log_.LogChange(line);
}

std::optional<std::size_t> ActionList::Move(std::size_t position, int step) {
    if (position < 1 || position > rows_.size()) return std::nullopt;
    const std::size_t target = step < 0 ? position - 1 : position + 1;
    if (target < 1 || target > rows_.size()) return std::nullopt;
    std::swap(rows_[position - 1], rows_[target - 1]);
    Changed();
    return target;
}

void ActionList::Clear() {
    rows_.clear();
    Changed();
}

const ActionRow& ActionList::Row(std::size_t position) const {
    if (position < 1 || position > rows_.size())
        throw Failure(kNoSuchRow, "Subscript out of range: there is no action row " +
                                      std::to_string(position) + ".");
    return rows_[position - 1];
}

std::optional<std::size_t> ActionList::RemoveRows(const std::vector<std::size_t>& selected) {
    std::vector<bool> remove(rows_.size() + 1, false);
    for (std::size_t position : selected)
        if (position >= 1 && position <= rows_.size()) remove[position] = true;
    // The topmost removed position decides the selection afterwards.
    std::size_t topRemoved = 0;
    std::size_t kept = 0;
    for (std::size_t position = 1; position <= rows_.size(); ++position) {
        if (remove[position]) {
            if (topRemoved == 0) topRemoved = position;
        } else {
            // A row moved onto itself would lose its texts.
            if (kept != position - 1) rows_[kept] = std::move(rows_[position - 1]);
            ++kept;
        }
    }
    rows_.resize(kept);
    Changed();
    if (topRemoved == 0) return std::nullopt;
    if (topRemoved <= rows_.size()) return topRemoved;
    if (!rows_.empty()) return topRemoved - 1;
    return std::nullopt;
}

}  // namespace bw
