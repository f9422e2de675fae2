// buttonwise-reader [--wait SECONDS] then any of the actions, done in their order
//   --command ID             a menu command of the main window (ui/win32/control_ids.h)
//   --action-type N          choose the action type 1 to 4 of the open Add Action dialog
//   --click-in TITLE ID      click a button of the dialog with that title
//   --cancel-countdown       press Cancel of a running exit countdown
//   --tray-menu | --close-menu   open the tray icon's menu, or close an open menu
//   --type TEXT              type the text and Enter into the window in front
//   --menu LETTER            open the main window's menu with Alt and that letter
//   --escape                 press Escape twice (an open menu closes)
//   --dialog TITLE           wait up to 10 s for a dialog with that title in front (exit 3)
// prints what the Buttonwise main window shows and then acts, posting the messages a user's
// clicks would produce. Exits 1 when no main window appears within the wait.
#include <algorithm>
#include <cstdio>
#include <exception>

#include "reader.h"

// A click on a dialog's control as the dialog hears of it; nothing without the dialog.
static void ClickIn(HWND dialog, int id, int notification = BN_CLICKED) {
    if (dialog)
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, notification),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

int wmain(int argc, wchar_t** argv) {
    using namespace bw;
    const std::vector<std::wstring> args(argv, argv + argc);
    const auto number = [&](std::size_t i) { return i < args.size() ? _wtoi(args[i].c_str()) : 0; };
    const auto wait = std::ranges::find(args, L"--wait");
    const auto waitMs = wait < args.end() - 1 ? std::wcstod(wait[1].c_str(), nullptr) * 1000 : 0;
    for (const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(waitMs);
         !reader::FindMainWindow() && GetTickCount64() < deadline;)
        Sleep(50);
    try {
        const auto view = reader::ReadMainWindow();
        if (!view) {
            std::fputs("no Buttonwise main window\n", stderr);
            return 1;
        }
        std::fputs(reader::Format(*view).c_str(), stdout);
        for (std::size_t i = 1; i < args.size(); ++i) {
            HWND addAction = reader::FindDialog(ui::kAddActionTitle);
            if (args[i] == L"--command")
                PostMessageW(reader::FindMainWindow(), WM_COMMAND, MAKEWPARAM(number(i + 1), 0), 0);
            if (args[i] == L"--action-type" && addAction) {
                SendMessageTimeoutW(GetDlgItem(addAction, ui::kIdActionType), CB_SETCURSEL,
                                    number(i + 1) - 1, 0, SMTO_NORMAL, 5000, nullptr);
                ClickIn(addAction, ui::kIdActionType, CBN_SELCHANGE);
            }
            if (args[i] == L"--click-in" && i + 2 < args.size())
                ClickIn(reader::FindDialog(args[i + 1].c_str()), number(i + 2));
            if (args[i] == L"--cancel-countdown")
                ClickIn(reader::FindDialog(ui::kCountdownTitle), IDCANCEL);
            if (args[i] == L"--type" && i + 1 < args.size()) reader::Type(args[i + 1], VK_RETURN);
            if (args[i] == L"--menu" && i + 1 < args.size() && !args[i + 1].empty()) {
                SetForegroundWindow(reader::FindMainWindow());
                reader::Type({}, VK_MENU);
                reader::Type({}, static_cast<WORD>(towupper(args[i + 1][0])));
            }
            if (args[i] == L"--dialog" && i + 1 < args.size()) {
                const ULONGLONG deadline = GetTickCount64() + 10000;
                HWND dialog = nullptr;
                while ((dialog = reader::FindDialog(args[i + 1].c_str())) == nullptr ||
                       GetForegroundWindow() != dialog)
                    if (GetTickCount64() > deadline) return 3;
                    else Sleep(50);
            }
            if (args[i] == L"--escape") reader::Type({}, VK_ESCAPE), reader::Type({}, VK_ESCAPE);
            if (args[i] == L"--tray-menu" || args[i] == L"--close-menu")
                reader::TrayMenu(args[i] == L"--tray-menu");
        }
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "cannot read the main window: %s\n", failure.what());
        return 2;
    }
}
