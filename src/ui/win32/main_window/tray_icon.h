// The icon in the notification area on Windows: Shell_NotifyIconW for a hidden top-level
// window that takes the icon's callback, hears when the taskbar comes back, draws the icon
// again when the display's DPI changes, and ends the program when another one closes it.
#pragma once

#include <functional>
#include <string>

#include "platform/notify_area.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_class.h"

namespace bw::ui {

class TrayIcon final : public NotifyArea {
  public:
    // onEvent gets what the shell reports of the icon and the point it gives for a menu
    // (screen coordinates, under the icon or where the user clicked); onTaskbarCreated is
    // called when the shell started again without the icons it held; onCloseRequest when
    // another program (the installer) asks this one to end by closing the hidden window.
    TrayIcon(std::function<void(unsigned event, POINT at)> onEvent,
             std::function<void()> onTaskbarCreated, std::function<void()> onCloseRequest);
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Set before the first add.
    void SetTip(const std::string& tip);
    bool AddIcon() override;
    void RemoveIcon() override;
    // The hidden window that receives the icon's callback, and owns its menu.
    HWND Host() const { return host_.get(); }

  private:
    friend LRESULT CALLBACK win32::BoundProcedure<TrayIcon>(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Notify(DWORD message);
    // The program icon at the tray's size: the small icon size of the primary monitor.
    void DrawPicture();

    std::function<void(unsigned, POINT)> onEvent_;
    std::function<void()> onTaskbarCreated_;
    std::function<void()> onCloseRequest_;
    win32::UniqueIcon picture_;
    win32::UniqueWindow host_;
    UINT taskbarCreated_ = 0;
    std::wstring tip_;
};

}  // namespace bw::ui
