// Posting the messages a user's clicks would produce.
#include "window_driver.h"

#include "platform/win32/utf16.h"
#include "ui/win32/control_ids.h"
#include "window_reader.h"

namespace bw::reader {

void PostCommand(int id) {
    PostMessageW(FindMainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

HWND FindAddAction() {
    return FindWindowW(L"#32770", ui::kAddActionTitle);
}

HWND FindAbout() {
    return FindWindowW(L"#32770", L"About Buttonwise");
}

bool ChooseListItem(HWND dialog, int listId, const std::string& text) {
    HWND list = GetDlgItem(dialog, listId);
    const LRESULT index = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(win32::Widen(text).c_str()));
    if (index == CB_ERR) return false;
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    return true;
}

void ChooseActionType(HWND dialog, int type) {
    HWND list = GetDlgItem(dialog, ui::kIdImgcboActions);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(type - 1), 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(ui::kIdImgcboActions, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void ClickButton(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void TrayMenu(bool open) {
    HWND tray = FindWindowW(ui::kTrayWindowClass, nullptr);
    if (open)
        PostMessageW(tray, WM_LBUTTONDOWN, 1, WM_RBUTTONUP);
    else
        PostMessageW(tray, WM_CANCELMODE, 0, 0);
}

}  // namespace bw::reader
