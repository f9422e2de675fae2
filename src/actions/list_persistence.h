// Writes the action list to the per-user settings store after every change and rebuilds it
// at start-up. Layout: application "Buttonwise", section "Key", "#ListCount" and six keys per
// row ("RemoteKey1", "ActionType1", ...), so that lists saved by earlier installations load,
// then the values earlier installations never read: "Program1", "Remote1", "Press1",
// "Check1", a fingerprint of the row's six older values, and "PressCheck1", one of the six and
// the press value. An earlier installation shares the key and rewrites rows without writing
// a check (the oldest ones without the newer values at all), or, the one before press
// values, with Check but no PressCheck; the checks tell which newer values still belong to
// their row, and that installation still finds its own check right.
#pragma once

#include <cstddef>
#include <string>

#include "actions/action_list.h"
#include "platform/event_log_writer.h"
#include "platform/settings_store.h"

namespace bw {

inline constexpr const char* kSettingsApplication = "Buttonwise";
inline constexpr const char* kSettingsSection = "Key";
// The program's own options, beside the list: LongPressMs, ShowPresses.
inline constexpr const char* kOptionsSection = "Settings";

// The six values a row has had in every installation's layout, as stored.
struct OlderRowValues {
    std::string button, type, name, keyCode, keyShift, keyType;
};

// "Check<n>" and "PressCheck<n>": 16 hexadecimal digits that change with any of the six
// values, and with the press value.
std::string RowCheck(const OlderRowValues& values, const std::string& press = {});

class ListPersistence {
  public:
    ListPersistence(SettingsStore& store, ActionList& list, EventLogWriter& log)
        : store_(store), list_(list), log_(log) {}

    // Rows 1 to n, then the count; rows above n from a longer list stay in the store unread.
    // A store that refuses is reported in the log and then throws that Failure on to the
    // caller, which decides whether the user must be told at once; the list in memory stays.
    void SaveList();
    // Only the rows first to last (1-based), as after a move, and the count when it changed;
    // the whole list while the store does not hold the list row for row with its checks (a
    // row skipped at loading, a list saved before rows had checks, a save that failed).
    // Fails as SaveList does.
    void SaveRows(std::size_t first, std::size_t last);

    // Appends the saved rows through the add procedures, so each logs its binding. An
    // unreadable count loads nothing and says so; a row of unknown type is skipped. A row's
    // newer values are taken only when their check vouches for them: program and remote
    // when Check matches the six values (or in a list saved before rows had a check, when
    // no row has one), the press value when PressCheck matches the six and it.
    void LoadList();

  private:
    std::string Read(const std::string& key) const;
    void Write(const std::string& key, const std::string& value);
    void WriteRow(std::size_t position);
    void WriteCount();

    SettingsStore& store_;
    ActionList& list_;
    EventLogWriter& log_;
    // Whether the store holds the list as it was before the change at hand, row for row,
    // each with its check, and how many rows it counts then.
    bool storeHoldsList_ = false;
    std::size_t storedCount_ = 0;
};

}  // namespace bw
