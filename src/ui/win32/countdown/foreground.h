// Taking the foreground for a window of ours while the program acts on a press of the
// remote, which Windows does not count as the user's input to this program.
#pragma once

#include "platform/win32/windows_api.h"

namespace bw::ui {

// Puts the window above every other, topmost ones included, and makes it the foreground
// window, so that the keys of the next press go to it.
void TakeForeground(HWND window);

}  // namespace bw::ui
