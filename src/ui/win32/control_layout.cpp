// Creating and placing controls from a window's layout table.
#include "ui/win32/control_layout.h"

#include <algorithm>
#include <string>

#include "platform/win32/gdi_text.h"
#include "platform/win32/window_class.h"

namespace bw::ui {

namespace {

// What a control needs beside its text's width: the box of a check box or option.
int Margin(const ControlSpec& spec, int dpi) {
    const DWORD kind = spec.style & 0x0F;
    const bool box = std::wstring_view(spec.kind) == L"BUTTON" &&
                     (kind == BS_AUTOCHECKBOX || kind == BS_AUTORADIOBUTTON);
    if (box)
        return GetSystemMetricsForDpi(SM_CXMENUCHECK, static_cast<UINT>(dpi)) +
               win32::ScaleForDpi(8, dpi);
    return win32::ScaleForDpi(4, dpi);
}

}  // namespace

void CreateControls(HWND parent, std::span<const ControlSpec> layout) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ControlSpec& spec : layout) {
        HWND control = CreateWindowExW(
            spec.exStyle, spec.kind, spec.text, WS_CHILD | WS_VISIBLE | spec.style, 0, 0, 0, 0,
            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
        if (spec.behind)
            SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

RECT PlaceInParent(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void MoveControl(HWND control, int left, int top) {
    SetWindowPos(control, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceControls(HWND parent, std::span<const ControlSpec> layout, HFONT font, int dpi) {
    for (const ControlSpec& spec : layout) {
        HWND control = GetDlgItem(parent, spec.id);
        if (!control) continue;
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        int width = win32::ScaleForDpi(spec.place.width, dpi);
        if (spec.fit == Fit::GrowToText) {
            // Access-key marks take no room.
            std::wstring shown(spec.text);
            std::erase(shown, L'&');
            width =
                std::max(width, win32::TextWidthPixels(control, font, shown) + Margin(spec, dpi));
        }
        SetWindowPos(control, nullptr, win32::ScaleForDpi(spec.place.left, dpi),
                     win32::ScaleForDpi(spec.place.top, dpi), width,
                     win32::ScaleForDpi(spec.place.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(parent, nullptr, TRUE);
}

}  // namespace bw::ui
