// The bindings: an ordered list of action rows, each binding one remote button name to one
// action. Rows come in only through the four add procedures, which also log the binding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "actions/action_catalogue.h"
#include "platform/event_log_writer.h"

namespace bw {

// The seven columns of a row, all text; the type stands in for column 0.
// A keyboard row's three numbers, read once when the row is made, as the press needs them.
// A stored value that is no number in range is kept as the failure every press of the row
// reports: "Type mismatch", or "Overflow" for a number out of range (the kind is read first,
// then the modifiers, then the key).
struct KeyStroke {
    std::int16_t kind = 0;  // kPredefinedKey, kKeyWithModifiers or kTextToType
    std::uint8_t modifiers = 0;
    std::uint8_t key = 0;
    std::string failure = {};  // empty when the three are numbers
    bool operator==(const KeyStroke&) const = default;
};
KeyStroke ReadKeyStroke(const std::string& keyType, const std::string& keyShift,
                        const std::string& keyCode);

// When a row acts in a press: on the press, under its type's repeat rule; held down for as
// long as the button is; or once, when the button has been held for the long-press time.
enum class When { Pressed, Held, Long };
// As stored: "", "hold", "long". Anything else is read as Pressed.
std::string StoredWhen(When when);
When ReadWhen(const std::string& stored);
// What the action list adds to a row's action text: " (held)", " (long press)".
std::string WhenSuffix(When when);

// One binding, with every value as the store keeps it.
struct ActionRow {
    ActionType type;
    std::string button;  // as the remote's server names it
    std::string action;  // what the list shows: "Simulating Keyboard: F5"
    std::string value;   // the key's name, the text to type, the action's name, or the path
    std::string keyCode, keyShift, keyType;  // keyboard rows only
    // Empty for any: the executable's file name in front (any letter case), and the remote
    // as the fourth field of a button line names it.
    std::string program = {};
    std::string remote = {};
    KeyStroke stroke = {};  // keyboard rows only
    When when = When::Pressed;
    bool operator==(const ActionRow&) const = default;
};

// Only what has a down and an up can be held: a predefined key, a key with modifiers, a
// single click. The row's numbers must also read as numbers.
bool CanHold(ActionType type, std::int16_t keyKind, std::string_view mouseAction);
bool CanHold(const ActionRow& row);

// What a binding is limited to, and where the new row goes: appended, or in place of the
// row at a 1-based position when a binding is edited.
struct RowPlacement {
    std::string program = {};
    std::string remote = {};
    std::size_t replaces = 0;
    When when = When::Pressed;  // Held for a row that cannot be held is Pressed
};

// The button as a row shows and logs it: "PLAY", or "PLAY on tv" for one remote only.
std::string ButtonText(const ActionRow& row);
// The action as a row shows and logs it, with when it acts and its program in brackets where
// it has them: "Simulating Keyboard: Right (held) (player.exe)".
std::string ActionText(const ActionRow& row);

// What a Run row opens, in a word: "notepad.exe" for "C:\Tools\notepad.exe", the quoted
// program of a command line, "example.com" for "https://example.com/", "Music" for a folder.
std::string RunItemName(std::string_view item);

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
    void AddKey(const std::string& keyType, const std::string& button, const std::string& keyName,
                const std::string& keyCode, const std::string& keyShift,
                const RowPlacement& placement = {});
    void AddMouse(const std::string& button, const std::string& name,
                  const RowPlacement& placement = {});
    void AddSys(const std::string& button, const std::string& name,
                const RowPlacement& placement = {});
    // An empty path adds nothing and logs nothing.
    void AddRun(const std::string& button, const std::string& path,
                const RowPlacement& placement = {});

    std::size_t Count() const { return rows_.size(); }
    // position counts from 1. A row that is not there (the list may shrink while a dispatch
    // pass runs) throws Failure instead of reading past the end.
    const ActionRow& Row(std::size_t position) const;

    // Removes the rows at the given 1-based positions and returns the position to select
    // afterwards: the row now where the topmost removed one stood, else the new last row.
    std::optional<std::size_t> RemoveRows(const std::vector<std::size_t>& selected);
    void Clear();
    // Every row at once, one change: rows another list made through its add procedures (an
    // import), or this list's own from before. Throws Failure beyond kMaxRows.
    void Replace(std::vector<ActionRow> rows);
    const std::vector<ActionRow>& Rows() const { return rows_; }
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
