// The empty template is DLGTEMPLATE, then no menu, the standard class and the title.
#include "ui/win32/modal_dialog.h"

#include <cstring>
#include <vector>

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
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<ModalDialog*>(lParam)->dialog_ = dialog;
    }
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? self->OnMessage(message, wParam, lParam) : FALSE;
}

int ModalDialog::Dpi() const {
    const UINT dpi = GetDpiForWindow(dialog_);
    return dpi ? static_cast<int>(dpi) : 96;
}

win32::UniqueFont ModalDialog::MessageFont(LONG* height, bool underlined) const {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                               static_cast<UINT>(Dpi()));
    if (height) *height = metrics.lfMessageFont.lfHeight;
    metrics.lfMessageFont.lfUnderline = underlined ? TRUE : FALSE;
    return win32::UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

void ModalDialog::SizeAndCentre(int clientWidth, int clientHeight, DWORD style) const {
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectExForDpi(&frame, style, FALSE, WS_EX_DLGMODALFRAME, static_cast<UINT>(Dpi()));
    CentreOnWorkArea(dialog_, frame.right - frame.left, frame.bottom - frame.top);
}

}  // namespace bw::ui
