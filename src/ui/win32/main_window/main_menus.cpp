// Building the menus and showing a pop-up menu at the pointer.
#include "ui/win32/main_window/main_menus.h"

#include "ui/win32/control_ids.h"

namespace bw::ui {

HMENU CreateMainMenu() {
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kIdMiNewActionList, L"&New Action list");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kIdMiExit, L"E&xit");
    HMENU remote = CreatePopupMenu();
    AppendMenuW(remote, MF_STRING, kIdMiAddNewAction, L"&Add New Action...");
    AppendMenuW(remote, MF_STRING, kIdMiEdit, L"&Edit...");
    AppendMenuW(remote, MF_STRING, kIdMiRemove, L"&Remove");
    AppendMenuW(remote, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(remote, MF_STRING, kIdMiMoveUp, L"Move &Up\tAlt+Up");
    AppendMenuW(remote, MF_STRING, kIdMiMoveDown, L"Move &Down\tAlt+Down");
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, kIdMiOpenReadme, L"Open &Readme");
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(help, MF_STRING, kIdMiAbout, L"&About");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(remote), L"&Remote control");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    return bar;
}

win32::UniqueMenu CreateTrayMenu() {
    win32::UniqueMenu tray(CreatePopupMenu());
    AppendMenuW(tray.get(), MF_STRING, kIdMiOpenMainWindows, L"&Open main windows...");
    AppendMenuW(tray.get(), MF_STRING, kIdMiAddNewActionTray, L"&Add New Action...");
    AppendMenuW(tray.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(tray.get(), MF_STRING, kIdMiAboutTray, L"Abou&t");
    AppendMenuW(tray.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(tray.get(), MF_STRING, kIdMiExitTray, L"E&xit");
    return tray;
}

int ShowPopupAtPointer(HMENU menu, HWND owner) {
    POINT at{};
    GetCursorPos(&at);
    // Without the foreground, a menu opened from the tray would not close when the user
    // clicks elsewhere; the null message afterwards is the documented companion.
    SetForegroundWindow(owner);
    const BOOL chosen = TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, at.x,
                                       at.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    return chosen;
}

}  // namespace bw::ui
