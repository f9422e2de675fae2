// Writes the action list to the per-user settings store after every change and rebuilds it
// at start-up. Layout: application "Buttonwise", section "Key", "#ListCount" and six keys per
// row ("RemoteKey1", "ActionType1", ...), so that lists saved by earlier installations load,
// then "Program1" and "Remote1", which earlier installations never read.
#pragma once

#include "actions/action_list.h"
#include "platform/event_log_writer.h"
#include "platform/settings_store.h"

namespace bw {

inline constexpr const char* kSettingsApplication = "Buttonwise";
inline constexpr const char* kSettingsSection = "Key";

class ListPersistence {
  public:
    ListPersistence(SettingsStore& store, ActionList& list, EventLogWriter& log)
        : store_(store), list_(list), log_(log) {}

    // Rows 1 to n, then the count; rows above n from a longer list stay in the store unread.
    // A store that refuses is reported in the log and then throws that Failure on to the
    // caller, which decides whether the user must be told at once; the list in memory stays.
    void SaveList();

    // Appends the saved rows through the add procedures, so each logs its binding. An
    // unreadable count loads nothing and says so; a row of unknown type is skipped.
    void LoadList();

  private:
    std::string Read(const std::string& key, const std::string& fallback = "") const;
    void Write(const std::string& key, const std::string& value);

    SettingsStore& store_;
    ActionList& list_;
    EventLogWriter& log_;
};

}  // namespace bw
