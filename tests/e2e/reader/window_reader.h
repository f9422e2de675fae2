// What a user sees of the running Buttonwise main window, read from outside.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/windows_api.h"

namespace bw::reader {

struct LogRow {
    std::string kind;  // ok, error, change, data (by the row's icon)
    std::string text;
    bool operator==(const LogRow&) const = default;
};

// One row of the action list as it shows: its type by its icon, the button and the action.
struct ActionRowView {
    std::string type;  // keyboard, mouse, system, run
    std::string button, action;
    bool selected = false;
    bool operator==(const ActionRowView&) const = default;
};

struct MainWindowView {
    std::string title;
    bool visible = false;
    std::string status;         // the status text
    std::string statusPicture;  // what the small status picture shows
    std::string serverPicture;  // what the large status picture shows
    std::vector<ActionRowView> actions;
    std::vector<LogRow> log;
    std::optional<std::string> countdown;  // the text of the exit countdown while it shows
};

HWND FindMainWindow();
// Empty when no Buttonwise main window exists. Throws bw::Failure when it does not answer.
std::optional<MainWindowView> ReadMainWindow();
// One "name: value" line per item, one per log row.
std::string Format(const MainWindowView& view);

// The exit countdown of Buttonwise while it shows.
HWND FindCountdown();

}  // namespace bw::reader
