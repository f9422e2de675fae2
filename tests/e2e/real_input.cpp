// The program's own SendInput wrappers, which give each key the scan code and the extended
// flag a keyboard would send.
#include "real_input.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>

#include "platform/win32/win32_keyboard_input.h"
#include "platform/win32/win32_mouse_input.h"
#include "program_under_test.h"
#include "user_steps.h"

namespace bw::test {

namespace {

DWORD ThreadOf(HWND window) {
    return GetWindowThreadProcessId(window, nullptr);
}

}  // namespace

void PressKeys(std::initializer_list<WORD> keys) {
    win32::Win32KeyboardInput keyboard;
    for (WORD key : keys) keyboard.SendKey(static_cast<std::uint8_t>(key), KeyDirection::Down);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        keyboard.SendKey(static_cast<std::uint8_t>(*key), KeyDirection::Up);
}

void ClickAt(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    win32::Win32MouseInput().MouseEvent(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0);
}

void Click(HWND window) {
    RECT r{};
    ASSERT_TRUE(GetWindowRect(window, &r)) << "no window to click";
    ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void BringToFront(HWND window) {
    SetForegroundWindow(window);
    WaitUntil(
        "the window in front", [&] { return GetForegroundWindow() == window; }, 2000);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(ThreadOf(window), &info) ? info.hwndFocus : nullptr;
}

HWND OpenMenuOf(HWND window) {
    for (HWND menu = nullptr; (menu = FindWindowExW(nullptr, menu, L"#32768", nullptr));)
        if (IsWindowVisible(menu) && ThreadOf(menu) == ThreadOf(window)) return menu;
    return nullptr;
}

}  // namespace bw::test
