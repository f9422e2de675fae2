// Mouse events through SendInput.
#include "platform/win32/send_input_mouse.h"

#include "platform/win32/windows_api.h"

namespace bw::win32 {

bool SendInputMouse::MouseEvent(std::uint32_t flags, int dx, int dy) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;  // the MOUSEEVENTF_ values
    return SendInput(1, &input, sizeof input) == 1;
}

}  // namespace bw::win32
