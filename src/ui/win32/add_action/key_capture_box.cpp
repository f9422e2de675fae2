// The custom key box's window procedure and the message filter that feeds it.
#include "ui/win32/add_action/key_capture_box.h"

#include <iterator>

#include "platform/win32/window_class.h"
#include "ui/win32/control_ids.h"

namespace bw::ui {

namespace {

std::int16_t ModifierMask() {
    std::int32_t mask = 0;
    if (GetKeyState(VK_SHIFT) < 0) mask |= kShiftMask;
    if (GetKeyState(VK_CONTROL) < 0) mask |= kCtrlMask;
    if (GetKeyState(VK_MENU) < 0) mask |= kAltMask;
    return static_cast<std::int16_t>(mask);
}

void Paint(HWND window, const KeyCapture* capture) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    RECT r;
    GetClientRect(window, &r);
    SetBkMode(dc, TRANSPARENT);
    const bool name = capture && capture->role == TextRole::Name;
    SetTextColor(dc, GetSysColor(name ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    HGDIOBJ old = SelectObject(
        dc, reinterpret_cast<HFONT>(SendMessageW(GetParent(window), WM_GETFONT, 0, 0)));
    DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    if (GetFocus() == window) {
        InflateRect(&r, -2, -2);
        DrawFocusRect(dc, &r);
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* capture = win32::BoundObject<KeyCapture>(window);
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        case WM_LBUTTONDOWN:
            SetFocus(window);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
            InvalidateRect(window, nullptr, TRUE);
            return result;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Alt combinations arrive as system keys; they are captured, not handed on to the
            // menu.
            if (capture && capture->onKeyDown)
                capture->onKeyDown(static_cast<std::int16_t>(wParam), ModifierMask());
            return 0;
        case WM_SYSCHAR:
        case WM_CHAR:
        case WM_SYSKEYUP:
            return 0;
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(window, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r,
                     GetSysColorBrush(IsWindowEnabled(window) ? COLOR_WINDOW : COLOR_BTNFACE));
            return 1;
        }
        case WM_PAINT:
            Paint(window, capture);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

// In the custom key box every key is the user's choice and must do nothing else, so its
// keys go straight to it, untranslated: no character, no access key, no menu.
LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message->message >= WM_KEYFIRST &&
        message->message <= WM_KEYLAST) {
        wchar_t cls[64] = {};
        GetClassNameW(message->hwnd, cls, static_cast<int>(std::size(cls)));
        if (lstrcmpW(cls, kKeyCaptureClass) == 0) {
            DispatchMessageW(message);
            return TRUE;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void RegisterKeyCaptureBox() {
    static const win32::WindowClass windowClass(kKeyCaptureClass, &Procedure,
                                                LoadCursorW(nullptr, IDC_ARROW));
}

void AttachKeyCapture(HWND box, KeyCapture* capture) {
    win32::BindObject(box, capture);
}

win32::UniqueHook RouteKeysToCaptureBoxes() {
    return win32::UniqueHook(
        SetWindowsHookExW(WH_MSGFILTER, &Filter, nullptr, GetCurrentThreadId()));
}

}  // namespace bw::ui
