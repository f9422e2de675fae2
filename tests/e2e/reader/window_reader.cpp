// Finds the main window by its class and reads its parts by their control ids.
#include "window_reader.h"

#include "platform/event_log_writer.h"
#include "platform/win32/utf16.h"
#include "remote_list_view.h"
#include "ui/event_log.h"
#include "ui/win32/control_ids.h"

namespace bw::reader {

namespace {

std::string TextOf(HWND window) {
    wchar_t text[2048] = {};
    // WM_GETTEXT is marshalled across processes; GetWindowText would not ask the window.
    Ask(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return win32::Narrow(text);
}

std::string KindOfIcon(int image) {
    const std::pair<LogKind, const char*> kinds[] = {{LogKind::OK, "ok"},
                                                     {LogKind::Error, "error"},
                                                     {LogKind::Change, "change"},
                                                     {LogKind::Data, "data"}};
    for (const auto& [kind, name] : kinds)
        if (LogIconNumber(kind) - 1 == image) return name;
    return "icon " + std::to_string(image);
}

std::string TypeOfIcon(int image) {
    const char* types[] = {"keyboard", "mouse", "system", "run"};
    if (image >= 0 && image < 4) return types[image];
    return "icon " + std::to_string(image);
}

}  // namespace

HWND FindMainWindow() {
    return FindWindowW(ui::kMainWindowClass, nullptr);
}

HWND FindCountdown() {
    return FindWindowW(L"#32770", ui::kCountdownTitle);
}

namespace {

MainWindowView ReadOnce(HWND window) {
    MainWindowView view;
    for (const ListRow& row : ReadListView(GetDlgItem(window, ui::kIdActionList), 3))
        view.actions.push_back(
            {TypeOfIcon(row.image), row.columns.at(1), row.columns.at(2), row.selected});
    for (const ListRow& row : ReadListView(GetDlgItem(window, ui::kIdEventLog), 1))
        view.log.push_back({KindOfIcon(row.image), row.columns.at(0)});
    view.title = TextOf(window);
    view.visible = IsWindowVisible(window) != FALSE;
    view.status = TextOf(GetDlgItem(window, ui::kIdStatusText));
    view.statusPicture = TextOf(GetDlgItem(window, ui::kIdStatusPicture));
    view.serverPicture = TextOf(GetDlgItem(window, ui::kIdServerPicture));
    if (HWND countdown = FindCountdown())
        if (HWND label = GetDlgItem(countdown, ui::kIdCountdownText)) view.countdown = TextOf(label);
    return view;
}

std::size_t ItemCount(HWND window, int list) {
    return static_cast<std::size_t>(Ask(GetDlgItem(window, list), LVM_GETITEMCOUNT, 0, 0));
}

}  // namespace

std::optional<MainWindowView> ReadMainWindow() {
    HWND window = FindMainWindow();
    if (!window) return std::nullopt;
    // Each part is a message of its own, and the program may handle an event between two of
    // them: a reading whose lists changed meanwhile is taken again, so that a log line and
    // the status that came with it are seen together.
    MainWindowView view;
    for (int attempt = 0; attempt < 10; ++attempt) {
        view = ReadOnce(window);
        if (ItemCount(window, ui::kIdEventLog) == view.log.size() &&
            ItemCount(window, ui::kIdActionList) == view.actions.size())
            break;
    }
    return view;
}

std::string Format(const MainWindowView& view) {
    std::string out;
    out += "title: " + view.title + "\n";
    out += std::string("visible: ") + (view.visible ? "yes" : "no") + "\n";
    out += "status: " + view.status + "\n";
    out += "status picture: " + view.statusPicture + "\n";
    out += "server picture: " + view.serverPicture + "\n";
    for (const ActionRowView& a : view.actions) {
        out += "action: " + a.type + " | " + a.button + " | " + a.action;
        out += a.selected ? " (selected)\n" : "\n";
    }
    for (const LogRow& row : view.log) out += "log: " + row.kind + ": " + row.text + "\n";
    if (view.countdown) out += "countdown: " + *view.countdown + "\n";
    return out;
}

}  // namespace bw::reader
