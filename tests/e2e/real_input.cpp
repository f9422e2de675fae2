// One SendInput call per event, each with the scan code a keyboard would send.
#include "real_input.h"

#include <gtest/gtest.h>

#include <vector>

#include "program_under_test.h"
#include "user_steps.h"

namespace bw::test {

namespace {

INPUT Key(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if (key >= VK_PRIOR && key <= VK_DOWN) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return input;
}

void Send(INPUT input) {
    ASSERT_EQ(SendInput(1, &input, sizeof input), 1u) << "SendInput refused an event";
}

DWORD ThreadOf(HWND window) {
    return GetWindowThreadProcessId(window, nullptr);
}

}  // namespace

void PressKeys(std::initializer_list<WORD> keys) {
    for (WORD key : keys) Send(Key(key, false));
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) Send(Key(*key, true));
}

void ClickAt(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    Send(input);
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(input);
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
