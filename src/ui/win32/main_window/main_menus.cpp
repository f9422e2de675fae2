// Building the menus and showing a pop-up menu at the pointer.
#include "ui/win32/main_window/main_menus.h"

#include "ui/win32/control_ids.h"

namespace bw::ui {

HMENU CreateMainMenu() {
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kIdMenuNewList, L"&New Action list");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kIdMenuExport, L"&Export bindings...");
    AppendMenuW(file, MF_STRING, kIdMenuImport, L"&Import bindings...");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kIdMenuExit, L"E&xit");
    HMENU remote = CreatePopupMenu();
    AppendMenuW(remote, MF_STRING, kIdMenuAddAction, L"&Add New Action...");
    AppendMenuW(remote, MF_STRING, kIdMenuEdit, L"&Edit...");
    AppendMenuW(remote, MF_STRING, kIdMenuRemove, L"&Remove");
    AppendMenuW(remote, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(remote, MF_STRING, kIdMenuMoveUp, L"Move &Up\tAlt+Up");
    AppendMenuW(remote, MF_STRING, kIdMenuMoveDown, L"Move &Down\tAlt+Down");
    AppendMenuW(remote, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(remote, MF_STRING, kIdMenuShowPresses, kShowPressesItem);
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, kIdMenuReadme, L"Open &Readme");
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(help, MF_STRING, kIdMenuAbout, L"&About");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(remote), L"&Remote control");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    return bar;
}

win32::UniqueMenu CreateTrayMenu(bool showingPresses) {
    win32::UniqueMenu tray(CreatePopupMenu());
    AppendMenuW(tray.get(), MF_STRING, kIdMenuOpenWindow, L"&Open main windows...");
    AppendMenuW(tray.get(), MF_STRING, kIdTrayAddAction, L"&Add New Action...");
    AppendMenuW(tray.get(), MF_STRING | (showingPresses ? MF_CHECKED : MF_UNCHECKED),
                kIdMenuShowPresses, kShowPressesItem);
    AppendMenuW(tray.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(tray.get(), MF_STRING, kIdTrayAbout, L"Abou&t");
    AppendMenuW(tray.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(tray.get(), MF_STRING, kIdTrayExit, L"E&xit");
    return tray;
}

POINT CursorPosition() {
    POINT at{};
    GetCursorPos(&at);
    return at;
}

int ShowPopup(HMENU menu, HWND owner, POINT at) {
    // Without the foreground, a menu opened from the tray would not close when the user
    // clicks elsewhere; the null message afterwards is the documented companion. Menus drop
    // to the side the user's settings say (right of the point for right-handed use).
    SetForegroundWindow(owner);
    const UINT side = GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    const BOOL chosen = TrackPopupMenu(menu, side | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y,
                                       0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    return chosen;
}

}  // namespace bw::ui
