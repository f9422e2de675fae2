// Mouse events through SendInput, and the yield that lets waiting messages run.
#include "platform/win32/win32_mouse_input.h"

#include "platform/win32/win32_config.h"

namespace bw::win32 {

void Win32MouseInput::MouseEvent(std::uint32_t flags, int dx, int dy) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;  // the MOUSEEVENTF_ values
    SendInput(1, &input, sizeof input);
}

void Win32MessagePump::DoEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Not ours to take: the loop that waits for it must still see it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace bw::win32
