// The add procedures with their log lines, the removal of selected rows, the row limit.
#include "actions/action_list.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/decimal_text.h"
#include "platform/failure.h"
#include "platform/plain_text.h"

namespace bw {

namespace {

// What a run row shows: the path after its last backslash.
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

bool IsDigits(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty()) return false;
    if (text.front() == '+' || text.front() == '-') text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The number, or the failure a press reports: text that is no number is a type mismatch, a
// number out of range an overflow.
template <typename Number>
std::optional<Number> ReadNumber(const std::string& text, long long low, long long high,
                                 std::string& failure) {
    if (!failure.empty()) return std::nullopt;  // the first failure is the one reported
    if (const std::optional<long long> value = ParseWholeNumber(text, low, high))
        return static_cast<Number>(*value);
    failure = IsDigits(text) ? "Overflow" : "Type mismatch";
    return std::nullopt;
}

}  // namespace

KeyStroke ReadKeyStroke(const std::string& keyType, const std::string& keyShift,
                        const std::string& keyCode) {
    KeyStroke stroke;
    stroke.kind = ReadNumber<std::int16_t>(keyType, -32768, 32767, stroke.failure).value_or(0);
    stroke.modifiers = ReadNumber<std::uint8_t>(keyShift, 0, 255, stroke.failure).value_or(0);
    stroke.key = ReadNumber<std::uint8_t>(keyCode, 0, 255, stroke.failure).value_or(0);
    return stroke;
}

std::string StoredWhen(When when) {
    return when == When::Held ? "hold" : when == When::Long ? "long" : "";
}

When ReadWhen(const std::string& stored) {
    return stored == "hold" ? When::Held : stored == "long" ? When::Long : When::Pressed;
}

std::string WhenSuffix(When when) {
    return when == When::Held ? " (held)" : when == When::Long ? " (long press)" : "";
}

bool CanHold(ActionType type, std::int16_t keyKind, std::string_view mouseAction) {
    if (type == ActionType::Keyboard)
        return keyKind == kPredefinedKey || keyKind == kKeyWithModifiers;
    const MouseAction* action =
        type == ActionType::Mouse ? FindMouseAction(mouseAction) : nullptr;
    return action && action->clicks == 1;
}

bool CanHold(const ActionRow& row) {
    return row.stroke.failure.empty() && CanHold(row.type, row.stroke.kind, row.value);
}

std::string ButtonText(const ActionRow& row) {
    return row.remote.empty() ? row.button : row.button + " on " + row.remote;
}

std::string RunItemName(std::string_view item) {
    if (item.starts_with('"')) item = item.substr(1, item.find('"', 1) - 1);
    while (item.ends_with('\\') || item.ends_with('/')) item.remove_suffix(1);
    const std::string_view name = FileNameOf(item);
    return std::string(name.empty() ? item : name);
}

std::string ActionText(const ActionRow& row) {
    const std::string action = row.action + WhenSuffix(row.when);
    return row.program.empty() ? action : action + " (" + row.program + ")";
}

void ActionList::AddKey(const std::string& keyType, const std::string& button,
                        const std::string& keyName, const std::string& keyCode,
                        const std::string& keyShift, const RowPlacement& placement) {
    Place({ActionType::Keyboard, button, "Simulating Keyboard: " + keyName, keyName, keyCode,
           keyShift, keyType, {}, {}, ReadKeyStroke(keyType, keyShift, keyCode)},
          placement, [&](const std::string& shown) {
              return "Keyboard shortcut '" + keyName + "' is assigned to '" + shown + "'";
          });
}

void ActionList::AddMouse(const std::string& button, const std::string& name,
                          const RowPlacement& placement) {
    Place({ActionType::Mouse, button, "Simulating Mouse: " + name, name, "", "", ""}, placement,
          [&](const std::string& shown) {
              return "Mouse event '" + name + "' is assigned to '" + shown + "'";
          });
}

void ActionList::AddSys(const std::string& button, const std::string& name,
                        const RowPlacement& placement) {
    Place({ActionType::System, button, "System Event: " + name, name, "", "", ""}, placement,
          [&](const std::string& shown) {
              return "System event '" + name + "' is assigned to '" + shown + "'";
          });
}

void ActionList::AddRun(const std::string& button, const std::string& path,
                        const RowPlacement& placement) {
    if (path.empty()) return;
    const std::string shortName = RunShortName(path);
    Place({ActionType::Run, button, "Running: " + shortName, path, "", "", ""}, placement,
          [&](const std::string& shown) {
              return "'" + shortName + "' will run upon pressing '" + shown + "'";
          });
}

void ActionList::Place(ActionRow row, const RowPlacement& placement,
                       const std::function<std::string(const std::string& button)>& changeLine) {
    row.program = placement.program;
    row.remote = placement.remote;
    row.when = placement.when;
    // A stored list may say "hold" for any row; a row that cannot be held acts on the press.
    if (row.when == When::Held && !CanHold(row)) row.when = When::Pressed;
    std::string line = changeLine(ButtonText(row));
    if (!row.program.empty()) line += " while " + row.program + " is in front";
    if (placement.replaces != 0) {
        Row(placement.replaces);  // throws when the edited row has gone
        rows_[placement.replaces - 1] = std::move(row);
    } else {
        if (rows_.size() >= kMaxRows)
            throw Failure(
                "The action list is full: it holds at most 32767 actions. Remove some before "
                "adding more.");
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

void ActionList::Replace(std::vector<ActionRow> rows) {
    if (rows.size() > kMaxRows)
        throw Failure("The action list can hold at most 32767 actions; these are " +
                      std::to_string(rows.size()) + ".");
    rows_ = std::move(rows);
    Changed();
}

const ActionRow& ActionList::Row(std::size_t position) const {
    if (position < 1 || position > rows_.size())
        throw Failure("Subscript out of range: there is no action row " +
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
