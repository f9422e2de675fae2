// Drives the running Buttonwise from outside as a user's clicks would: menu commands, and
// the choices of the Add Action dialog. Each posts its message and returns at once.
#pragma once

#include "platform/win32/windows_api.h"

namespace bw::reader {

// A menu item or button of the main window, by its identifier.
void PostCommand(int id);

HWND FindAddAction();

// Chooses the action type 1 to 4 of the Add Action dialog.
void ChooseActionType(HWND dialog, int type);
// Clicks a button of a dialog.
void ClickButton(HWND dialog, int buttonId);
// Opens the tray icon's menu as releasing the right button over the icon does, or closes
// an open menu.
void TrayMenu(bool open);

}  // namespace bw::reader
