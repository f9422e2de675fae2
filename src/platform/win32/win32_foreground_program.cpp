// Reads a window's program through its process: PROCESS_QUERY_LIMITED_INFORMATION is
// granted even for a process that runs as administrator under the same account, and so is
// the query of its token's integrity level.
#include "platform/win32/win32_foreground_program.h"

#include <optional>
#include <string_view>

#include "platform/plain_text.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf16.h"

namespace bw::win32 {

namespace {

// A Store app's window in front is a frame ("ApplicationFrameWindow") of the frame host
// process, the same for every app; while the app shows, its own window
// ("Windows.UI.Core.CoreWindow") is a child of the frame, in the app's process. A binding
// means the app, and the app is what takes the keys. A frame without the app's window (the
// app is being restored, or has gone) names no program: 0, read again at the next line.
DWORD ContentProcess(HWND window, DWORD process) {
    wchar_t name[32] = {};
    if (!GetClassNameW(window, name, 32) || std::wstring_view(name) != L"ApplicationFrameWindow")
        return process;
    HWND content = FindWindowExW(window, nullptr, L"Windows.UI.Core.CoreWindow", nullptr);
    DWORD app = 0;
    if (content) GetWindowThreadProcessId(content, &app);
    return app;
}

UniqueKernelHandle OpenProcessOf(HWND window, DWORD process) {
    process = ContentProcess(window, process);
    if (process == 0) return {};
    return UniqueKernelHandle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
}

std::string ImageFileName(HANDLE process) {
    std::wstring path(32768, L'\0');  // the longest path Windows has
    DWORD length = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &length)) return {};
    return std::string(FileNameOf(Narrow(std::wstring_view(path.data(), length))));
}

// The mandatory label's level (low, medium, high, system), or nothing when it cannot be read.
std::optional<DWORD> IntegrityLevel(HANDLE process) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &raw)) return std::nullopt;
    const UniqueKernelHandle token(raw);
    alignas(TOKEN_MANDATORY_LABEL) unsigned char buffer[128];
    DWORD size = 0;
    if (!GetTokenInformation(token.get(), TokenIntegrityLevel, buffer, sizeof buffer, &size))
        return std::nullopt;
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    if (count == 0) return std::nullopt;
    return *GetSidSubAuthority(sid, count - 1u);
}

}  // namespace

Win32ForegroundProgram::Win32ForegroundProgram()
    : ownLevel_(IntegrityLevel(GetCurrentProcess()).value_or(SECURITY_MANDATORY_MEDIUM_RID)) {}

WindowInFront Win32ForegroundProgram::Window() {
    HWND front = GetForegroundWindow();
    DWORD process = 0;
    if (front) GetWindowThreadProcessId(front, &process);
    return {reinterpret_cast<std::uintptr_t>(front), process};
}

ProgramInFront Win32ForegroundProgram::Describe(const WindowInFront& window) {
    ProgramInFront front;
    const UniqueKernelHandle process =
        OpenProcessOf(reinterpret_cast<HWND>(window.handle), window.process);
    if (!process) return front;
    front.program = ImageFileName(process.get());
    // A level that cannot be read is not taken for a higher one: no warning on a guess.
    const std::optional<DWORD> level = IntegrityLevel(process.get());
    front.runsAboveUs = level && *level > ownLevel_;
    return front;
}

std::string ProgramOfWindow(HWND window) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    const UniqueKernelHandle process = OpenProcessOf(window, id);
    return process ? ImageFileName(process.get()) : std::string();
}

}  // namespace bw::win32
