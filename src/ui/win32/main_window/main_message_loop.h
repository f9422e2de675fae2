// The program's message loop. Tab and the buttons' access keys work in the main window as in
// a dialog, but the menu bar's access keys come first: Alt+R opens "Remote control" and can
// never press "Remove".
#pragma once

#include <functional>

#include "platform/win32/windows_api.h"

namespace bw::ui {

// Returns the exit code that came with WM_QUIT. ownKeys sees every message first and says
// whether it took it, for keys a control would otherwise keep (Enter, Alt+Up in a list).
int RunMessageLoop(HWND mainWindow, const std::function<bool(const MSG&)>& ownKeys);

}  // namespace bw::ui
