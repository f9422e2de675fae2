// The main window's menus: the menu bar (File, Remote control, Help), and the tray icon's
// pop-up menu. The list's pop-up menu is the bar's Remote control menu.
#pragma once

#include "platform/win32/unique_handle.h"

namespace bw::ui {

// For SetMenu: the window takes it over and destroys it with itself.
HMENU CreateMainMenu();
// The item that turns the press display on and off, in the Remote control and tray menus.
inline constexpr wchar_t kShowPressesItem[] = L"&Show presses on screen";
win32::UniqueMenu CreateTrayMenu(bool showingPresses);

// Shows a pop-up menu at a point on the screen, on the side the user's settings give it, and
// returns the chosen item's identifier, 0 for none.
int ShowPopup(HMENU menu, HWND owner, POINT at);
// Where the pointer is now, for a menu opened by a click.
POINT CursorPosition();

}  // namespace bw::ui
