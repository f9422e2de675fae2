// The program's message loop. Tab and the buttons' access keys work in the main window as in
// a dialog, but the menu bar's access keys come first: Alt+R opens "Remote control" and can
// never press "Remove".
#pragma once

#include "platform/win32/win32_config.h"

namespace bw::ui {

// Returns the exit code that came with WM_QUIT.
int RunMessageLoop(HWND mainWindow);

}  // namespace bw::ui
