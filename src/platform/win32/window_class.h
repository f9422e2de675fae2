// What every window of the program is built on: a window class registered for as long as
// its owner lives, one way to find the object behind a window, and the window's DPI and
// text.
#pragma once

#include <string>

#include "platform/win32/windows_api.h"

namespace bw::win32 {

// A registration of a window class, undone when it goes. Kept as a function's static: a
// class is registered once per process, on first use.
class WindowClass {
  public:
    WindowClass(const wchar_t* name, WNDPROC procedure, HCURSOR cursor = nullptr,
                HBRUSH background = nullptr);
    ~WindowClass();
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;

    const wchar_t* Name() const { return name_; }

  private:
    const wchar_t* name_;
    ATOM atom_;
};

// The object behind a window lives in GWLP_USERDATA, for windows and dialogs alike.
inline void BindObject(HWND window, void* object) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}
template <typename T>
T* BoundObject(HWND window) {
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The procedure of a window created with its object as the creation parameter: the object
// is bound at WM_NCCREATE and T::OnMessage gets that message and every later one.
template <typename T>
LRESULT CALLBACK BoundProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        BindObject(window, reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (T* self = BoundObject<T>(window)) return self->OnMessage(window, message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

// The DPI the window is drawn at (96 where the system cannot say).
int WindowDpi(HWND window);
// A length designed in pixels at 96 DPI, for a DPI.
inline int ScaleForDpi(int pixelsAt96, int dpi) {
    return MulDiv(pixelsAt96, dpi, 96);
}
inline int ScaleForDpi(float pixelsAt96, int dpi) {
    return static_cast<int>(pixelsAt96 * static_cast<float>(dpi) / 96.0f + 0.5f);
}
// The window's text in UTF-8.
std::string WindowText(HWND window);

}  // namespace bw::win32
