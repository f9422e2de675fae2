// WTSRegisterSessionNotification and its undoing, looked up at run time.
#include "platform/win32/session_notification.h"

#include <wtsapi32.h>

namespace bw::win32 {

SessionNotification::SessionNotification(HWND window) {
    using Register = BOOL WINAPI(HWND, DWORD);
    // Without the service (a stripped-down system), the screen's lock goes unnoticed: keys
    // then reach the lock screen's nothing, as before.
    if (const auto registerWindow = library_.Find<Register>("WTSRegisterSessionNotification");
        registerWindow && registerWindow(window, NOTIFY_FOR_THIS_SESSION))
        window_ = window;
}

SessionNotification::~SessionNotification() {
    using Unregister = BOOL WINAPI(HWND);
    if (const auto unregister = library_.Find<Unregister>("WTSUnRegisterSessionNotification");
        window_ && unregister)
        unregister(window_);
}

}  // namespace bw::win32
