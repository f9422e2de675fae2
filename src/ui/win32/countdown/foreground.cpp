// Windows lets a program take the foreground only in narrow cases; the one that fits is a
// thread that shares the input state of the foreground window's thread, which then shares
// its idea of the active window (AttachThreadInput), for as long as the handover takes.
#include "ui/win32/countdown/foreground.h"

#include "platform/win32/foreground_process.h"

namespace bw::ui {

void TakeForeground(HWND window) {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    if (SetForegroundWindow(window) && GetForegroundWindow() == window) return;
    HWND front = GetForegroundWindow();
    const DWORD frontThread = front ? GetWindowThreadProcessId(front, nullptr) : 0;
    const DWORD self = GetCurrentThreadId();
    if (frontThread == 0 || frontThread == self) return;
    // Attaching waits on a thread that does not answer, and Windows refuses it with a window
    // of a higher integrity level (or one that may be). The window stays on top then, and
    // any button of the remote cancels what it asks.
    if (IsHungAppWindow(front) || win32::ReachOfWindow(front) != InputReach::Arrives) return;
    if (!AttachThreadInput(self, frontThread, TRUE)) return;
    BringWindowToTop(window);
    SetForegroundWindow(window);
    AttachThreadInput(self, frontThread, FALSE);
}

}  // namespace bw::ui
