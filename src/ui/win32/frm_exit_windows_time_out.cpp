// Positions are pixels at 96 DPI, scaled for the monitor the dialog shows on.
#include "ui/win32/frm_exit_windows_time_out.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "platform/win32/utf16.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/icon_factory.h"

namespace bw::ui {

namespace {

constexpr int kClientWidth = 236, kClientHeight = 96;
constexpr DWORD kStyle = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;

int Scale(int pixels, int dpi) {
    return MulDiv(pixels, dpi, 96);
}

// A dialog template without controls: they are made at the window's DPI when it opens.
struct alignas(DWORD) EmptyDialog {
    DLGTEMPLATE header;
    WORD menu = 0, windowClass = 0;
    std::array<wchar_t, 13> title{L"Exit Windows"};
};

}  // namespace

void FrmExitWindowsTimeOut::ShowModal(CountdownEvents& events) {
    events_ = &events;
    unloaded_ = false;
    EmptyDialog dialog{};
    dialog.header.style = kStyle;
    dialog.header.cx = 160;  // replaced by the real size when the dialog opens
    dialog.header.cy = 60;
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialog.header, nullptr, &Procedure,
                            reinterpret_cast<LPARAM>(this));
    events_ = nullptr;
    dialog_ = nullptr;
    lblStatic_ = nullptr;
}

void FrmExitWindowsTimeOut::SetText(const std::string& text) {
    if (lblStatic_) SetWindowTextW(lblStatic_, win32::Widen(text).c_str());
}

void FrmExitWindowsTimeOut::BringToTop() {
    if (dialog_) BringWindowToTop(dialog_);
}

void FrmExitWindowsTimeOut::Close() {
    if (!dialog_ || unloaded_) return;
    unloaded_ = true;
    events_->Form_Unload();
    EndDialog(dialog_, 0);
}

INT_PTR CALLBACK FrmExitWindowsTimeOut::Procedure(HWND dialog, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        reinterpret_cast<FrmExitWindowsTimeOut*>(lParam)->dialog_ = dialog;
    }
    auto* self = reinterpret_cast<FrmExitWindowsTimeOut*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self ? self->OnMessage(message, wParam, lParam) : FALSE;
}

void FrmExitWindowsTimeOut::CreateControls() {
    const UINT dpiValue = GetDpiForWindow(dialog_);
    const int dpi = dpiValue ? static_cast<int>(dpiValue) : 96;
    HINSTANCE instance = GetModuleHandleW(nullptr);

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                               static_cast<UINT>(dpi));
    font_.reset(CreateFontIndirectW(&metrics.lfMessageFont));

    // The design's label is 153 pixels wide, enough for its own font only: it grows to
    // the longest text it can show in this one, and the dialog with it.
    int labelWidth = Scale(153, dpi);
    {
        win32::WindowDc dc(dialog_);
        win32::SelectedObject selected(dc.get(), font_.get());
        for (const wchar_t* longest :
             {L"Shutdown windows in 10 seconds...", L"Log off windows in 10 seconds...",
              L"Restart windows in 10 seconds..."}) {
            SIZE size{};
            GetTextExtentPoint32W(dc.get(), longest, lstrlenW(longest), &size);
            labelWidth = std::max(labelWidth, static_cast<int>(size.cx) + Scale(4, dpi));
        }
    }
    const int clientWidth = std::max(Scale(kClientWidth, dpi), Scale(64 + 13, dpi) + labelWidth);
    RECT frame{0, 0, clientWidth, Scale(kClientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, WS_EX_DLGMODALFRAME, static_cast<UINT>(dpi));
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(dialog_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    SetWindowPos(dialog_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    // Places are given in pixels at 96 DPI.
    auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y,
                     int w, int h) {
        HWND control =
            CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, dialog_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        return control;
    };
    icon_ = MakeIcon(Picture::Information, Scale(32, dpi));
    HWND image1 = child(L"STATIC", L"Information", SS_ICON | SS_REALSIZECONTROL, kIdImage1,
                        Scale(13, dpi), Scale(17, dpi), Scale(32, dpi), Scale(32, dpi));
    SendMessageW(image1, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
    const int textHeight = std::abs(metrics.lfMessageFont.lfHeight) + Scale(4, dpi);
    lblStatic_ =
        child(L"STATIC", L"Exiting windows in 10 seconds...", SS_LEFT | SS_NOPREFIX, kIdLblStatic,
              Scale(64, dpi), Scale(31, dpi) - textHeight / 2, labelWidth, textHeight);
    // Centred under the text, as in the design's 236 pixels.
    const int buttonWidth = Scale(75, dpi);
    HWND cancel = child(L"BUTTON", L"Cancel", WS_TABSTOP | BS_DEFPUSHBUTTON, kIdCmdCancel,
                        (clientWidth - buttonWidth) / 2 + Scale(1, dpi), Scale(61, dpi),
                        buttonWidth, Scale(23, dpi));
    SendMessageW(dialog_, DM_SETDEFID, kIdCmdCancel, 0);
    SetFocus(cancel);
}

INT_PTR FrmExitWindowsTimeOut::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            CreateControls();
            events_->Form_Load();
            return FALSE;  // the focus is set: Cancel has it
        case WM_COMMAND:
            // Cancel, Escape (IDCANCEL) and Enter (the default button, or IDOK).
            if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
                events_->cmdCancel_Click();
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            Close();
            return TRUE;
        case WM_DESTROY:
            // A close that did not come through Close, such as the session ending.
            if (!unloaded_) {
                unloaded_ = true;
                events_->Form_Unload();
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace bw::ui
