// Walks the top-level windows a user could bring to the front: visible, not cloaked, not
// tool windows.
#include "ui/win32/add_action/visible_programs.h"

#include <algorithm>

#include "platform/plain_text.h"
#include "platform/win32/system_library.h"
#include "platform/win32/windows_api.h"

#include <dwmapi.h>
#include "platform/win32/foreground_process.h"

namespace bw::ui {

namespace {

// Visible to the window manager, yet not shown: on another virtual desktop, or a Store
// app's frame that lingers after its app. Without the window compositor, nothing is cloaked.
bool Cloaked(HWND window) {
    static const win32::SystemLibrary dwmapi(L"dwmapi.dll");
    static const auto attribute =
        dwmapi.Find<decltype(DwmGetWindowAttribute)>("DwmGetWindowAttribute");
    DWORD cloaked = 0;
    return attribute && SUCCEEDED(attribute(window, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) &&
           cloaked;
}

BOOL CALLBACK CollectProgram(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) ||
        (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) || Cloaked(window))
        return TRUE;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) return TRUE;
    auto& programs = *reinterpret_cast<std::vector<std::string>*>(found);
    const std::string program = win32::ProgramOfWindow(window);
    if (!program.empty() && std::ranges::none_of(programs, [&](const std::string& p) {
            return SameIgnoringCase(p, program);
        }))
        programs.push_back(program);
    return TRUE;
}

}  // namespace

std::vector<std::string> ProgramsWithVisibleWindows() {
    std::vector<std::string> programs;
    EnumWindows(&CollectProgram, reinterpret_cast<LPARAM>(&programs));
    return programs;
}

}  // namespace bw::ui
