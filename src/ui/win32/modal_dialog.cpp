// The empty template is DLGTEMPLATE, then no menu, the standard class and the title.
#include "ui/win32/modal_dialog.h"

#include <cstring>
#include <vector>

#include "platform/win32/window_class.h"
#include "ui/win32/window_toolkit.h"

namespace bw::ui {

void CentreOnWorkArea(HWND window, int width, int height) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(window, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalDialog::RunModal(const std::wstring& title, DWORD style, HWND owner) {
    style_ = style;
    DLGTEMPLATE header{};
    header.style = style;
    header.cx = 200;  // replaced by the real size when the dialog opens
    header.cy = 100;
    // WORDs keep the template aligned as the dialog manager wants it.
    std::vector<WORD> words(sizeof header / sizeof(WORD));
    std::memcpy(words.data(), &header, sizeof header);
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    for (wchar_t c : title) words.push_back(static_cast<WORD>(c));
    words.push_back(0);
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                            reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner, &Procedure,
                            reinterpret_cast<LPARAM>(this));
    dialog_ = nullptr;
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        win32::BindObject(dialog, reinterpret_cast<void*>(lParam));
        reinterpret_cast<ModalDialog*>(lParam)->dialog_ = dialog;
    }
    auto* self = win32::BoundObject<ModalDialog>(dialog);
    if (!self) return FALSE;
    if (message == WM_DPICHANGED) {
        MoveToSuggestedRect(dialog, lParam);
        self->ApplyDpi(HIWORD(wParam));
        return TRUE;
    }
    return self->OnMessage(message, wParam, lParam);
}

int ModalDialog::Dpi() const {
    return win32::WindowDpi(dialog_);
}

void ModalDialog::SetClientSize(int clientWidth, int clientHeight, bool centre) const {
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectExForDpi(&frame, style_, FALSE, WS_EX_DLGMODALFRAME, static_cast<UINT>(Dpi()));
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (centre)
        CentreOnWorkArea(dialog_, width, height);
    else
        SetWindowPos(dialog_, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace bw::ui
