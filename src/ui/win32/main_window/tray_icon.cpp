// Shell_NotifyIconW on a hidden top-level window that also hears TaskbarCreated.
#include "ui/win32/main_window/tray_icon.h"

#include <shellapi.h>

#include "platform/win32/utf16.h"
#include "platform/win32/window_class.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/icon_factory.h"

namespace bw::ui {

TrayIcon::TrayIcon(std::function<void(unsigned, POINT)> onEvent,
                   std::function<void()> onTaskbarCreated, std::function<void()> onCloseRequest)
    : onEvent_(std::move(onEvent)),
      onTaskbarCreated_(std::move(onTaskbarCreated)),
      onCloseRequest_(std::move(onCloseRequest)) {
    static const win32::WindowClass windowClass(kTrayWindowClass, &win32::BoundProcedure<TrayIcon>);
    DrawPicture();
    // Top-level and never shown: only top-level windows hear that the taskbar came back.
    // Its title tells the installer that closing it ends the program (older ones had none).
    host_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.Name(), kMainWindowTitle, WS_POPUP, 0,
                                0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), this));
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    // Run as administrator, this window would not hear the shell, which runs with the
    // user's normal rights: its messages, and an installer's close, are let through.
    for (UINT message : {taskbarCreated_, UINT{kTrayCallbackMessage}, UINT{WM_CLOSE}})
        ChangeWindowMessageFilterEx(host_.get(), message, MSGFLT_ALLOW, nullptr);
}

void TrayIcon::DrawPicture() {
    picture_ = MakeIcon(Picture::ProgramIcon, GetSystemMetrics(SM_CXSMICON));
}

bool TrayIcon::Notify(DWORD message) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = host_.get();
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = picture_.get();
    // Cut to fit with its terminating NUL.
    lstrcpynW(data.szTip, tip_.c_str(), static_cast<int>(std::size(data.szTip)));
    return Shell_NotifyIconW(message, &data) != FALSE;
}

void TrayIcon::SetTip(const std::string& tip) {
    tip_ = win32::Widen(tip);
}

bool TrayIcon::AddIcon() {
    // An icon the shell still holds from an earlier add is only brought up to date.
    if (!Notify(NIM_ADD) && !Notify(NIM_MODIFY)) return false;
    // The protocol of current Windows: clicks and the keyboard as events, and the point for
    // the menu. The icon keeps its number, not a GUID: a GUID ties it to the program's path,
    // and the ZIP can be unpacked anywhere and moved.
    NOTIFYICONDATAW version{};
    version.cbSize = sizeof version;
    version.hWnd = host_.get();
    version.uID = kTrayIconId;
    version.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &version);
    return true;
}

void TrayIcon::RemoveIcon() {
    Notify(NIM_DELETE);
}

LRESULT TrayIcon::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayCallbackMessage && HIWORD(lParam) == kTrayIconId) {
        // The point comes in wParam, as signed screen coordinates.
        const POINT at{static_cast<short>(LOWORD(wParam)), static_cast<short>(HIWORD(wParam))};
        if (onEvent_) onEvent_(LOWORD(lParam), at);
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        if (onTaskbarCreated_) onTaskbarCreated_();
        return 0;
    }
    if (message == WM_DPICHANGED || message == WM_DISPLAYCHANGE) {
        DrawPicture();
        Notify(NIM_MODIFY);  // refused, harmlessly, while there is no icon
    }
    if (message == WM_CLOSE && onCloseRequest_) {
        // Nobody sees this window: a close comes from another program, which waits for
        // this one to end (an installer replacing its file). No question, no dead icon.
        onCloseRequest_();
        return 0;
    }
    if (message == WM_NCDESTROY) host_.release();
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace bw::ui
