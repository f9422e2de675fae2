// What a mouse message over the tray icon does: a left double click restores the window,
// releasing the right button opens the tray menu, everything else is ignored.
#pragma once

namespace bw {

enum class TrayAction { None, RestoreWindow, ShowMenu };

// mouseMessage: the window message the shell reports for the icon (WM_LBUTTONDBLCLK, ...).
constexpr TrayAction ActOnTrayMouse(unsigned mouseMessage) {
    switch (mouseMessage) {
        case 0x0203:  // WM_LBUTTONDBLCLK
            return TrayAction::RestoreWindow;
        case 0x0205:  // WM_RBUTTONUP
            return TrayAction::ShowMenu;
        default:
            return TrayAction::None;
    }
}

}  // namespace bw
