// Positions are pixels at 96 DPI, scaled for the monitor the dialog shows on. The window is
// topmost and takes the foreground when it opens.
#include "ui/win32/frm_exit_windows_time_out.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "platform/win32/utf16.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/foreground.h"
#include "ui/win32/icon_factory.h"

namespace bw::ui {

namespace {

constexpr int kClientWidth = 236, kClientHeight = 96;
constexpr DWORD kStyle = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;

int Scale(int pixels, int dpi) {
    return MulDiv(pixels, dpi, 96);
}

}  // namespace

void FrmExitWindowsTimeOut::ShowModal(CountdownEvents& events) {
    events_ = &events;
    unloaded_ = false;
    RunModal(kCountdownTitle, kStyle, nullptr);
    events_ = nullptr;
    lblStatic_ = nullptr;
}

void FrmExitWindowsTimeOut::SetText(const std::string& text) {
    if (lblStatic_) SetWindowTextW(lblStatic_, win32::Widen(text).c_str());
}

void FrmExitWindowsTimeOut::BringToTop() {
    // A full-screen or topmost player must not cover it: a bound Escape or Enter would go
    // to the player, and the session would end ten seconds later without a warning seen.
    if (dialog_) TakeForeground(dialog_);
}

void FrmExitWindowsTimeOut::Close() {
    if (!dialog_ || unloaded_) return;
    unloaded_ = true;
    events_->Form_Unload();
    EndDialog(dialog_, 0);
}

void FrmExitWindowsTimeOut::CreateControls() {
    const int dpi = Dpi();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    LONG fontHeight = 0;
    font_ = MessageFont(&fontHeight);

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
    SizeAndCentre(clientWidth, Scale(kClientHeight, dpi), kStyle);

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
    const int textHeight = std::abs(fontHeight) + Scale(4, dpi);
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
