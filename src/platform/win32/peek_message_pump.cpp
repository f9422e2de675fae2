// Runs what waits in the thread's queue and leaves a quit request for the loop that owns it.
#include "platform/win32/peek_message_pump.h"

#include "platform/win32/windows_api.h"

namespace bw::win32 {

void PeekMessagePump::DoEvents() {
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
