// Drives the running Buttonwise from outside as a user's clicks would: menu commands, and
// the choices of the Add Action dialog. Each posts its message and returns at once.
#pragma once

#include <string>

#include "platform/win32/win32_config.h"

namespace bw::reader {

// A menu item or button of the main window, by its identifier.
void PostCommand(int id);

HWND FindAddAction();
HWND FindAbout();

// Chooses an item of a drop-down list of a dialog, by its text, and tells the dialog so.
// False when the list has no such item.
bool ChooseListItem(HWND dialog, int listId, const std::string& text);
// Chooses the action type 1 to 4 of the Add Action dialog.
void ChooseActionType(HWND dialog, int type);
// Clicks a button of a dialog.
void ClickButton(HWND dialog, int buttonId);
// Opens the tray icon's menu as releasing the right button over the icon does, or closes
// an open menu.
void TrayMenu(bool open);

}  // namespace bw::reader
