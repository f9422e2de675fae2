// A hidden window that hands its messages to a function: the target that sockets and timers
// post their events to, so that they arrive on the user-interface thread.
#pragma once

#include <functional>

#include "platform/win32/unique_handle.h"
#include "platform/win32/window_class.h"

namespace bw::win32 {

class MessageWindow {
  public:
    // Return true when the message was handled.
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit MessageWindow(Handler handler);
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND Handle() const { return window_.get(); }

  private:
    friend LRESULT CALLBACK BoundProcedure<MessageWindow>(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Handler handler_;
    UniqueWindow window_;
};

}  // namespace bw::win32
