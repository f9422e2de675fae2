// Posting the messages a user's clicks would produce.
#include "window_driver.h"

#include "remote_list_view.h"
#include "ui/win32/control_ids.h"
#include "window_reader.h"

namespace bw::reader {

void PostCommand(int id) {
    PostMessageW(FindMainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

HWND FindAddAction() {
    return FindWindowW(L"#32770", ui::kAddActionTitle);
}

void ChooseActionType(HWND dialog, int type) {
    HWND list = GetDlgItem(dialog, ui::kIdActionType);
    Ask(list, CB_SETCURSEL, static_cast<WPARAM>(type - 1), 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(ui::kIdActionType, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void ClickButton(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void TrayMenu(bool open) {
    HWND tray = FindWindowW(ui::kTrayWindowClass, nullptr);
    // As the shell of current Windows reports the icon's context menu: the event and the
    // icon in lParam, the point for the menu in wParam.
    if (open)
        PostMessageW(tray, ui::kTrayCallbackMessage, MAKEWPARAM(100, 100),
                     MAKELPARAM(WM_CONTEXTMENU, ui::kTrayIconId));
    else
        PostMessageW(tray, WM_CANCELMODE, 0, 0);
}

}  // namespace bw::reader
