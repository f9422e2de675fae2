// One SendInput call per key event, with the scan code and the extended flag.
#include "platform/win32/send_input_keyboard.h"

#include <vector>

#include "platform/key_scan_codes.h"

namespace bw::win32 {

namespace {

// The keys go to the window in front, which may type with another layout than ours; the
// thread of no window (0) is this one.
HKL ForegroundLayout() {
    HWND front = GetForegroundWindow();
    return GetKeyboardLayout(front ? GetWindowThreadProcessId(front, nullptr) : 0);
}

}  // namespace

bool SendInputKeyboard::SendKey(std::uint8_t virtualKey, KeyDirection direction) {
    // The layout's own scan code first: it differs between layouts for letters.
    if (direction == KeyDirection::Down || !layout_) layout_ = ForegroundLayout();
    UINT scan = MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_VSC, layout_);
    if (scan == 0) scan = FallbackScanCode(virtualKey);
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(scan & 0xFF);
    input.ki.dwFlags = direction == KeyDirection::Up ? KEYEVENTF_KEYUP : 0;
    if (IsExtendedKey(virtualKey)) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    // One event per call keeps the order exact, and tells which event did not go out.
    return SendInput(1, &input, sizeof input) == 1;
}

void SendInputKeyboard::SendCharacters(std::u16string_view units) {
    // The window in front receives VK_PACKET with each unit, and its message loop the
    // character itself; a character beyond the first plane goes as its two surrogates.
    std::vector<INPUT> events(units.size() * 2);
    for (std::size_t i = 0; i < events.size(); ++i) {
        events[i].type = INPUT_KEYBOARD;
        events[i].ki.wScan = static_cast<WORD>(units[i / 2]);
        events[i].ki.dwFlags = KEYEVENTF_UNICODE | (i % 2 ? KEYEVENTF_KEYUP : 0);
    }
    SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

}  // namespace bw::win32
