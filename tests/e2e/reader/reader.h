// What a user sees of the running Buttonwise, read from outside: the main window by its class,
// its parts by their control ids. Every message to it has a deadline, so no reading hangs: one
// without an answer within 5 s throws bw::Failure.
#pragma once

#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"
#include "platform/win32/windows_api.h"
#include "ui/event_log.h"
#include "ui/win32/control_ids.h"

namespace bw::reader {

struct LogRow {
    std::string kind, text;  // the kind by the row's icon: ok, error, change, data
    bool operator==(const LogRow&) const = default;
};
// A row of the action list as it shows: its type by its icon (keyboard, mouse, system, run),
// the button and the action.
struct ActionRowView {
    std::string type, button, action;
    bool selected = false;
    bool operator==(const ActionRowView&) const = default;
};
struct MainWindowView {
    std::string title, status, statusPicture, serverPicture;  // the pictures by their texts
    bool visible = false;
    std::vector<ActionRowView> actions;
    std::vector<LogRow> log;
    std::optional<std::string> countdown;  // the text of the exit countdown while it shows
};

inline LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 5000, &answer))
        throw Failure(ERROR_TIMEOUT, "the Buttonwise window did not answer within 5 s");
    return static_cast<LRESULT>(answer);
}

// Each row of another process's list view, fetched into memory there, where a list view writes.
using ListRow = std::function<void(const std::vector<std::string>&, int image, bool selected)>;
inline void ReadList(HWND list, int columnCount, const ListRow& row) {
    if (!list) return;  // a window still being built has no list yet
    DWORD id = 0;
    GetWindowThreadProcessId(list, &id);
    const win32::UniqueKernelHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id));
    struct Item {
        LVITEMW item;
        wchar_t text[1024];
    } local{};
    const auto free = [&](Item* item) { VirtualFreeEx(process.get(), item, 0, MEM_RELEASE); };
    const std::unique_ptr<Item, decltype(free)> remote(
        static_cast<Item*>(process ? VirtualAllocEx(process.get(), nullptr, sizeof local,
                                                    MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                                   : nullptr),
        free);
    if (!remote) throw win32::LastErrorFailure();
    for (int i = 0, count = static_cast<int>(Ask(list, LVM_GETITEMCOUNT, 0, 0)); i < count; ++i) {
        std::vector<std::string> columns;
        LVITEMW first{};
        for (int column = 0; column < columnCount; ++column) {
            local.item = LVITEMW{};
            local.item.mask = LVIF_TEXT | (column == 0 ? LVIF_IMAGE | LVIF_STATE : 0u);
            local.item.iItem = i;
            local.item.iSubItem = column;
            local.item.stateMask = LVIS_SELECTED;
            local.item.pszText = remote->text;
            local.item.cchTextMax = static_cast<int>(std::size(local.text));
            if (!WriteProcessMemory(process.get(), remote.get(), &local.item, sizeof local.item,
                                    nullptr))
                throw win32::LastErrorFailure();
            Ask(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.get()));
            if (!ReadProcessMemory(process.get(), remote.get(), &local, sizeof local, nullptr))
                throw win32::LastErrorFailure();
            local.text[std::size(local.text) - 1] = L'\0';
            columns.push_back(win32::Narrow(local.text));
            if (column == 0) first = local.item;
        }
        row(columns, first.iImage, (first.state & LVIS_SELECTED) != 0);
    }
}

inline std::string KindOfIcon(int image) {
    for (const auto& [kind, name] :
         {std::pair{LogKind::OK, "ok"}, std::pair{LogKind::Error, "error"},
          std::pair{LogKind::Change, "change"}, std::pair{LogKind::Data, "data"}})
        if (LogIconNumber(kind) - 1 == image) return name;
    return "icon " + std::to_string(image);
}

inline std::string TypeOfIcon(int image) {
    const char* types[] = {"keyboard", "mouse", "system", "run"};
    return image >= 0 && image < 4 ? types[image] : "icon " + std::to_string(image);
}

inline std::size_t ItemCount(HWND window, int list) {
    return static_cast<std::size_t>(Ask(GetDlgItem(window, list), LVM_GETITEMCOUNT, 0, 0));
}

inline HWND FindMainWindow() {
    return FindWindowW(ui::kMainWindowClass, nullptr);
}

inline HWND FindDialog(const wchar_t* title) {
    return FindWindowW(L"#32770", title);
}

inline std::string TextOf(HWND window) {
    wchar_t text[2048] = {};
    Ask(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return win32::Narrow(text);
}

// Empty when no Buttonwise main window exists.
inline std::optional<MainWindowView> ReadMainWindow() {
    HWND window = FindMainWindow();
    if (!window) return std::nullopt;
    // The program may handle an event between two of the messages: a reading whose lists changed
    // meanwhile is taken again, so that a log line and the status that came with it go together.
    MainWindowView view;
    for (int attempt = 0; attempt < 10; ++attempt) {
        view = MainWindowView{};
        view.title = TextOf(window);
        view.status = TextOf(GetDlgItem(window, ui::kIdStatusText));
        view.statusPicture = TextOf(GetDlgItem(window, ui::kIdStatusPicture));
        view.serverPicture = TextOf(GetDlgItem(window, ui::kIdServerPicture));
        view.visible = IsWindowVisible(window) != FALSE;
        ReadList(GetDlgItem(window, ui::kIdActionList), 3, [&](auto& columns, int image, bool on) {
            view.actions.push_back({TypeOfIcon(image), columns.at(1), columns.at(2), on});
        });
        ReadList(GetDlgItem(window, ui::kIdEventLog), 1, [&](auto& columns, int image, bool) {
            view.log.push_back({KindOfIcon(image), columns.at(0)});
        });
        if (HWND label = GetDlgItem(FindDialog(ui::kCountdownTitle), ui::kIdCountdownText))
            view.countdown = TextOf(label);
        if (ItemCount(window, ui::kIdEventLog) == view.log.size() &&
            ItemCount(window, ui::kIdActionList) == view.actions.size())
            break;
    }
    return view;
}

inline std::ostream& operator<<(std::ostream& out, const LogRow& row) {
    return out << row.kind << ": " << row.text;
}

inline std::ostream& operator<<(std::ostream& out, const ActionRowView& a) {
    return out << a.type << " | " << a.button << " | " << a.action
               << (a.selected ? " (selected)" : "");
}

// One "name: value" line per item, one per row, for people and scripts.
inline std::string Format(const MainWindowView& view) {
    std::ostringstream out;
    out << "title: " << view.title << "\nvisible: " << (view.visible ? "yes" : "no")
        << "\nstatus: " << view.status << "\nstatus picture: " << view.statusPicture
        << "\nserver picture: " << view.serverPicture << "\n";
    for (const ActionRowView& a : view.actions) out << "action: " << a << "\n";
    for (const LogRow& row : view.log) out << "log: " << row << "\n";
    if (view.countdown) out << "countdown: " << *view.countdown << "\n";
    return out.str();
}

// Opens the tray icon's menu as the shell of current Windows reports a right-click on the icon
// (the event and the icon in lParam, the point for the menu in wParam), or closes an open menu.
inline void TrayMenu(bool open) {
    HWND tray = FindWindowW(ui::kTrayWindowClass, nullptr);
    PostMessageW(tray, open ? ui::kTrayCallbackMessage : WM_CANCELMODE,
                 open ? MAKEWPARAM(100, 100) : 0,
                 open ? MAKELPARAM(WM_CONTEXTMENU, ui::kTrayIconId) : 0);
}

// Characters as a keyboard's input method sends them, into whatever has the focus; a key
// given as well (VK_RETURN) goes down and up after them.
inline void Type(const std::wstring& text, WORD key = 0) {
    std::vector<INPUT> keys;
    for (const wchar_t c : text)
        for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{INPUT_KEYBOARD, {}};
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | up;
            keys.push_back(input);
        }
    for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}})
        if (key) {
            INPUT input{INPUT_KEYBOARD, {}};
            input.ki.wVk = key;
            input.ki.dwFlags = up;
            keys.push_back(input);
        }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

}  // namespace bw::reader
