// Registering and unregistering window classes, and reading a window's DPI and text.
#include "platform/win32/window_class.h"

#include "platform/win32/system_error.h"
#include "platform/win32/utf16.h"

namespace bw::win32 {

WindowClass::WindowClass(const wchar_t* name, WNDPROC procedure, HCURSOR cursor, HBRUSH background)
    : name_(name) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    atom_ = RegisterClassExW(&wc);
    if (!atom_) throw LastErrorFailure();
}

WindowClass::~WindowClass() {
    UnregisterClassW(MAKEINTATOM(atom_), GetModuleHandleW(nullptr));
}

int WindowDpi(HWND window) {
    const UINT dpi = GetDpiForWindow(window);
    return dpi ? static_cast<int>(dpi) : 96;
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return Narrow(text);
}

}  // namespace bw::win32
