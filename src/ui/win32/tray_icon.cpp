// Shell_NotifyIconW on a hidden top-level window that also hears TaskbarCreated.
#include "ui/win32/tray_icon.h"

#include <shellapi.h>

#include "platform/win32/utf16.h"
#include "ui/win32/control_ids.h"

namespace bw::ui {

namespace {

constexpr UINT kIconId = 1;
// The shell reports mouse messages over the icon with this message number.
constexpr UINT kCallbackMessage = WM_LBUTTONDOWN;

}  // namespace

TrayIcon::TrayIcon(std::function<void(unsigned)> onMouse, std::function<void()> onTaskbarCreated)
    : onMouse_(std::move(onMouse)), onTaskbarCreated_(std::move(onTaskbarCreated)) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    static const bool registered = [&] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Procedure;
        wc.hInstance = instance;
        wc.lpszClassName = kTrayWindowClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    // Top-level and never shown: only top-level windows hear that the taskbar came back.
    host_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kTrayWindowClass, L"", WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, instance, this));
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
}

bool TrayIcon::Notify(DWORD message) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = host_.get();
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon_;
    // Cut to fit with its terminating NUL.
    lstrcpynW(data.szTip, tip_.c_str(), static_cast<int>(std::size(data.szTip)));
    return Shell_NotifyIconW(message, &data) != FALSE;
}

void TrayIcon::SetPicture(HICON icon, const std::string& tip) {
    icon_ = icon;
    tip_ = win32::Widen(tip);
}

bool TrayIcon::AddIcon() {
    // An icon the shell still holds from an earlier add is only brought up to date.
    return Notify(NIM_ADD) || Notify(NIM_MODIFY);
}

void TrayIcon::RemoveIcon() {
    Notify(NIM_DELETE);
}

LRESULT CALLBACK TrayIcon::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TrayIcon*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self) {
        if (message == kCallbackMessage && wParam == kIconId) {
            if (self->onMouse_) self->onMouse_(LOWORD(lParam));
            return 0;
        }
        if (message == self->taskbarCreated_ && self->taskbarCreated_ != 0) {
            if (self->onTaskbarCreated_) self->onTaskbarCreated_();
            return 0;
        }
        if (message == WM_NCDESTROY) self->host_.release();
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace bw::ui
