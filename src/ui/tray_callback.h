// What the shell reports of the tray icon (with the notification protocol of current Windows)
// does: a click on it, or Enter or Space while it has the keyboard focus, restores the
// window; its context menu (a right click, Shift+F10 or the menu key) opens the tray menu at
// the point the shell gives; everything else is ignored.
#pragma once

namespace bw {

enum class TrayAction { None, RestoreWindow, ShowMenu };

// event: the low word of the callback's lParam (NIN_SELECT, NIN_KEYSELECT, WM_CONTEXTMENU, ...).
constexpr TrayAction ActOnTrayEvent(unsigned event) {
    switch (event) {
        case 0x0400:  // NIN_SELECT: a click, or a double click's clicks
        case 0x0401:  // NIN_KEYSELECT: Enter or Space
        case 0x0203:  // WM_LBUTTONDBLCLK, as earlier versions of this program taught users
            return TrayAction::RestoreWindow;
        case 0x007B:  // WM_CONTEXTMENU
            return TrayAction::ShowMenu;
        default:
            return TrayAction::None;
    }
}

}  // namespace bw
