// Keys and clicks as a keyboard and a mouse make them: SendInput into whatever window has the
// foreground, so that they pass the dialog manager, the access keys and the menus as a
// user's do.
#pragma once

#include <initializer_list>

#include "platform/win32/win32_config.h"

namespace bw::test {

// Presses the keys in order and releases them in reverse: {VK_MENU, 'R'} is Alt+R.
void PressKeys(std::initializer_list<WORD> keys);
// Moves the pointer to the middle of the window, or to a point of the screen, and clicks the
// left button there.
void Click(HWND window);
void ClickAt(POINT screen);
// Brings a top-level window to the front, as a click on it would, and waits until it is;
// fails the test when it is not.
void BringToFront(HWND window);

// The window with the keyboard focus in the thread that owns the window; a popup menu of
// that thread, while one is open.
HWND FocusOf(HWND window);
HWND OpenMenuOf(HWND window);

}  // namespace bw::test
