// Reads a window's program through its process: PROCESS_QUERY_LIMITED_INFORMATION is
// granted even for a process that runs as administrator under the same account, and so is
// the query of its token's integrity level; under another account, neither may be.
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

UniqueKernelHandle OpenProcessOf(DWORD process) {
    if (process == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);  // no process: no refusal
        return {};
    }
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

DWORD OwnLevel() {
    static const DWORD own =
        IntegrityLevel(GetCurrentProcess()).value_or(SECURITY_MANDATORY_MEDIUM_RID);
    return own;
}

// Refused access means another account's rights (an administrator's password typed for the
// program): its level is unknown, and input may be dropped. A process that went, or any
// other failure, is no reason to warn.
InputReach ReachOf(HANDLE process) {
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED ? InputReach::Unknown : InputReach::Arrives;
    const std::optional<DWORD> level = IntegrityLevel(process);
    if (!level)
        return GetLastError() == ERROR_ACCESS_DENIED ? InputReach::Unknown : InputReach::Arrives;
    return *level > OwnLevel() ? InputReach::Dropped : InputReach::Arrives;
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

}  // namespace

WindowInFront Win32ForegroundProgram::Window() {
    HWND front = GetForegroundWindow();
    return {reinterpret_cast<std::uintptr_t>(front), front ? ProcessOf(front) : 0};
}

ProgramInFront Win32ForegroundProgram::Describe(const WindowInFront& window) {
    const DWORD id = ContentProcess(reinterpret_cast<HWND>(window.handle), window.process);
    if (id == 0) return {};
    const UniqueKernelHandle process = OpenProcessOf(id);
    const InputReach reach = ReachOf(process.get());  // reads the refusal, if it was one
    return {process ? ImageFileName(process.get()) : std::string(), reach};
}

std::string ProgramOfWindow(HWND window) {
    const UniqueKernelHandle process = OpenProcessOf(ContentProcess(window, ProcessOf(window)));
    return process ? ImageFileName(process.get()) : std::string();
}

InputReach ReachOfWindow(HWND window) {
    return ReachOf(OpenProcessOf(ProcessOf(window)).get());
}

bool RunsAboveTheDesktop() {
    HWND desktop = GetShellWindow();
    if (!desktop) return false;
    const UniqueKernelHandle shell = OpenProcessOf(ProcessOf(desktop));
    const std::optional<DWORD> level = shell ? IntegrityLevel(shell.get()) : std::nullopt;
    return level && OwnLevel() > *level;
}

}  // namespace bw::win32
