// What the program's windows share beyond their layout: the message font at a DPI, and
// following a DPI change to the place the system suggests.
#pragma once

#include "platform/win32/unique_handle.h"

namespace bw::ui {

// The system's message font at the DPI; height, when asked, gets its height in pixels.
win32::UniqueFont MessageFont(int dpi, bool underlined = false, int* height = nullptr);

// WM_DPICHANGED: takes the rectangle the system suggests (lParam).
void MoveToSuggestedRect(HWND window, LPARAM suggested);

}  // namespace bw::ui
