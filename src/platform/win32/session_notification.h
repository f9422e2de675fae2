// The window's registration for the lock and unlock of this session (WM_WTSSESSION_CHANGE),
// from the system folder's wtsapi32.dll, undone when the window goes.
#pragma once

#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"

namespace bw::win32 {

class SessionNotification {
  public:
    explicit SessionNotification(HWND window);
    ~SessionNotification();
    SessionNotification(const SessionNotification&) = delete;
    SessionNotification& operator=(const SessionNotification&) = delete;

  private:
    SystemLibrary library_{L"wtsapi32.dll"};
    HWND window_ = nullptr;  // while registered
};

}  // namespace bw::win32
