// A message-only window of the program's one hidden class.
#include "platform/win32/message_window.h"

#include "platform/win32/system_error.h"
#include "platform/win32/window_class.h"

namespace bw::win32 {

MessageWindow::MessageWindow(Handler handler) : handler_(std::move(handler)) {
    static const WindowClass windowClass(L"ButtonwiseMessageWindow",
                                         &BoundProcedure<MessageWindow>);
    window_.reset(CreateWindowExW(0, windowClass.Name(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), this));
    if (!window_) throw LastErrorFailure();
}

LRESULT MessageWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (handler_ && handler_(message, wParam, lParam)) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace bw::win32
