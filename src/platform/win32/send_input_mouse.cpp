// Mouse events through SendInput.
#include "platform/win32/send_input_mouse.h"

#include "platform/win32/windows_api.h"

namespace bw::win32 {

void SendInputMouse::MouseEvent(std::uint32_t flags, int dx, int dy) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;  // the MOUSEEVENTF_ values
    SendInput(1, &input, sizeof input);
}

}  // namespace bw::win32
