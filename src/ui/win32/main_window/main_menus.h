// The main window's menus: the menu bar (File, Remote control, Help), and the tray icon's
// pop-up menu. The list's pop-up menu is the bar's Remote control menu.
#pragma once

#include "platform/win32/unique_handle.h"

namespace bw::ui {

// For SetMenu: the window takes it over and destroys it with itself.
HMENU CreateMainMenu();
win32::UniqueMenu CreateTrayMenu();

// Shows a pop-up menu at the pointer, left-aligned, tracking the left button, and returns
// the chosen item's identifier, 0 for none.
int ShowPopupAtPointer(HMENU menu, HWND owner);

}  // namespace bw::ui
