// The icon in the notification area (mdlSystray): added at start-up with its tip, added
// again when the taskbar comes back after the shell restarted, removed at exit.
#pragma once

#include <functional>
#include <string>

#include "platform/win32/unique_handle.h"

namespace bw::ui {

class TrayIcon {
  public:
    // onMouse gets the mouse message that happened over the icon.
    TrayIcon(std::function<void(unsigned mouseMessage)> onMouse);
    ~TrayIcon();  // RemoveTrayIcon
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // The icon picture is the caller's and must outlive the tray icon.
    void AddTrayIcon(HICON icon, const std::string& tip);
    void RemoveTrayIcon();
    // The hidden window that receives the icon's callback, and owns its menu.
    HWND Host() const { return host_.get(); }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Notify(DWORD message);

    std::function<void(unsigned)> onMouse_;
    win32::UniqueWindow host_;
    UINT taskbarCreated_ = 0;
    HICON icon_ = nullptr;
    std::wstring tip_;
    bool added_ = false;
};

}  // namespace bw::ui
