// Positions are pixels at 96 DPI, scaled for the monitor the dialog shows on. The window is
// topmost and takes the foreground when it opens.
#include "ui/win32/countdown/countdown_window.h"

#include <algorithm>

#include "platform/win32/gdi_text.h"
#include "platform/win32/utf16.h"
#include "platform/win32/window_class.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/control_layout.h"
#include "ui/win32/countdown/foreground.h"
#include "ui/win32/icon_factory.h"
#include "ui/win32/window_toolkit.h"

namespace bw::ui {

namespace {

constexpr int kClientWidth = 236, kClientHeight = 110;
constexpr DWORD kStyle = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;

// The label is placed again once its text's height and longest width are known, and the
// button centred under it.
constexpr ControlSpec kLayout[] = {
    {L"STATIC", kIdCountdownIcon, L"Information", {13, 17, 32, 32},
     SS_ICON | SS_REALSIZECONTROL},
    {L"STATIC", kIdCountdownText, L"Exiting windows in 10 seconds...", {64, 23, 153, 16},
     SS_LEFT | SS_NOPREFIX},
    {L"STATIC", kIdCountdownHint, L"", {64, 45, 153, 16}, SS_LEFT | SS_NOPREFIX},
    {L"BUTTON", kIdCountdownCancel, L"Cancel", {81, 75, 75, 23}, WS_TABSTOP | BS_DEFPUSHBUTTON},
};

}  // namespace

void CountdownWindow::ShowModal(CountdownEvents& events) {
    events_ = &events;
    unloaded_ = false;
    RunModal(kCountdownTitle, kStyle, nullptr);
    events_ = nullptr;
}

void CountdownWindow::SetText(const std::string& text) {
    if (dialog_) SetWindowTextW(GetDlgItem(dialog_, kIdCountdownText), win32::Widen(text).c_str());
}

void CountdownWindow::BringToTop() {
    // A full-screen or topmost player must not cover it: a bound Escape or Enter would go
    // to the player, and the session would end ten seconds later without a warning seen.
    if (dialog_) TakeForeground(dialog_);
}

void CountdownWindow::Close() {
    if (!dialog_ || unloaded_) return;
    unloaded_ = true;
    events_->Closed();
    EndDialog(dialog_, 0);
}

void CountdownWindow::ApplyDpi(int dpi) {
    int fontHeight = 0;
    win32::UniqueFont font = MessageFont(dpi, false, &fontHeight);
    PlaceControls(dialog_, kLayout, font.get(), dpi);
    font_ = std::move(font);
    win32::UniqueIcon icon = MakeIcon(Picture::Information, win32::ScaleForDpi(32, dpi));
    SendMessageW(GetDlgItem(dialog_, kIdCountdownIcon), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()),
                 0);
    icon_ = std::move(icon);

    // The design's label is 153 pixels wide, enough for its own font only: it grows to
    // the longest text it can show in this one, and the dialog with it.
    HWND label = GetDlgItem(dialog_, kIdCountdownText);
    HWND hint = GetDlgItem(dialog_, kIdCountdownHint);
    int labelWidth =
        std::max(win32::ScaleForDpi(153, dpi),
                 win32::TextWidthPixels(hint, font_.get(), win32::Widen(kCountdownRemoteHint)) +
                     win32::ScaleForDpi(4, dpi));
    for (const ExitKind& kind : kExitKinds) {
        const std::wstring longest = win32::Widen(CountdownText(kind, kCountdownSeconds));
        labelWidth = std::max(labelWidth, win32::TextWidthPixels(label, font_.get(), longest) +
                                              win32::ScaleForDpi(4, dpi));
    }
    const int clientWidth = std::max(win32::ScaleForDpi(kClientWidth, dpi),
                                     win32::ScaleForDpi(64 + 13, dpi) + labelWidth);
    const int textHeight = fontHeight + win32::ScaleForDpi(4, dpi);
    SetWindowPos(label, nullptr, win32::ScaleForDpi(64, dpi),
                 win32::ScaleForDpi(31, dpi) - textHeight / 2, labelWidth, textHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(hint, nullptr, win32::ScaleForDpi(64, dpi),
                 win32::ScaleForDpi(53, dpi) - textHeight / 2, labelWidth, textHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Centred under the texts, as in the design's 236 pixels.
    const int buttonWidth = win32::ScaleForDpi(75, dpi);
    MoveControl(GetDlgItem(dialog_, kIdCountdownCancel),
                (clientWidth - buttonWidth) / 2 + win32::ScaleForDpi(1, dpi),
                win32::ScaleForDpi(75, dpi));
    client_ = {clientWidth, win32::ScaleForDpi(kClientHeight, dpi)};
    SetClientSize(client_.cx, client_.cy, false);
}

INT_PTR CountdownWindow::OnMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            CreateControls(dialog_, kLayout);
            SetWindowTextW(GetDlgItem(dialog_, kIdCountdownHint),
                           win32::Widen(kCountdownRemoteHint).c_str());
            ApplyDpi(Dpi());
            SetClientSize(client_.cx, client_.cy, true);
            SendMessageW(dialog_, DM_SETDEFID, kIdCountdownCancel, 0);
            SetFocus(GetDlgItem(dialog_, kIdCountdownCancel));
            events_->Opened();
            return FALSE;  // the focus is set: Cancel has it
        case WM_COMMAND:
            // Cancel, Escape (IDCANCEL) and Enter (the default button, or IDOK).
            if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
                events_->CancelPressed();
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
                events_->Closed();
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace bw::ui
