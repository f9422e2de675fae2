// Reads a window's program through its process: PROCESS_QUERY_LIMITED_INFORMATION is
// granted even for a process that runs as administrator under the same account, and so is
// the query of its token's integrity level; under another account, neither may be.
#include "platform/win32/foreground_process.h"

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

// A process opened for the queries that read its name and rights, or why it was not.
struct OpenedProcess {
    UniqueKernelHandle handle;
    bool refused = false;  // access denied: another account's process, or a protected one
};

OpenedProcess Open(DWORD process) {
    if (process == 0) return {};
    UniqueKernelHandle handle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
    const bool refused = !handle && GetLastError() == ERROR_ACCESS_DENIED;
    return {std::move(handle), refused};
}

std::string ImageFileName(HANDLE process) {
    if (!process) return {};
    std::wstring path(32768, L'\0');  // the longest path Windows has
    DWORD length = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &length)) return {};
    return std::string(FileNameOf(Narrow(std::wstring_view(path.data(), length))));
}

// The mandatory label's level (low, medium, high, system) of an opened process; nothing
// when it cannot be read, and then whether its token was refused.
struct Level {
    std::optional<DWORD> rid;
    bool refused = false;
};

Level IntegrityLevel(const OpenedProcess& process) {
    if (!process.handle) return {std::nullopt, process.refused};
    HANDLE raw = nullptr;
    if (!OpenProcessToken(process.handle.get(), TOKEN_QUERY, &raw))
        return {std::nullopt, GetLastError() == ERROR_ACCESS_DENIED};
    const UniqueKernelHandle token(raw);
    alignas(TOKEN_MANDATORY_LABEL) unsigned char buffer[128];
    DWORD size = 0;
    if (!GetTokenInformation(token.get(), TokenIntegrityLevel, buffer, sizeof buffer, &size))
        return {};
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    if (count == 0) return {};
    return {*GetSidSubAuthority(sid, count - 1u)};
}

DWORD OwnLevel() {
    // The pseudo handle needs no closing; closing it does nothing.
    static const DWORD own = IntegrityLevel({UniqueKernelHandle(GetCurrentProcess())})
                                 .rid.value_or(SECURITY_MANDATORY_MEDIUM_RID);
    return own;
}

// A refused level means another account's rights (an administrator's password typed for
// the program): input may be dropped. A process that went, or any other failure, is no
// reason to warn.
InputReach ReachOf(const OpenedProcess& process) {
    const Level level = IntegrityLevel(process);
    if (!level.rid) return level.refused ? InputReach::Unknown : InputReach::Arrives;
    return *level.rid > OwnLevel() ? InputReach::Dropped : InputReach::Arrives;
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

}  // namespace

WindowInFront ForegroundProcess::Window() {
    HWND front = GetForegroundWindow();
    return {reinterpret_cast<std::uintptr_t>(front), front ? ProcessOf(front) : 0};
}

ProgramInFront ForegroundProcess::Describe(const WindowInFront& window) {
    const DWORD id = ContentProcess(reinterpret_cast<HWND>(window.handle), window.process);
    if (id == 0) return {};
    const OpenedProcess process = Open(id);
    return {ImageFileName(process.handle.get()), ReachOf(process)};
}

std::string ProgramOfWindow(HWND window) {
    return ForegroundProcess()
        .Describe({reinterpret_cast<std::uintptr_t>(window), ProcessOf(window)})
        .program;
}

InputReach ReachOfWindow(HWND window) {
    return ReachOf(Open(ProcessOf(window)));
}

std::optional<DWORD> ShellProcessToStartAs() {
    HWND desktop = GetShellWindow();
    // Without a desktop shell there is no normal level to start at: as this program is.
    if (!desktop) return std::nullopt;
    const DWORD shell = ProcessOf(desktop);
    const Level level = IntegrityLevel(Open(shell));
    // A shell that cannot be read runs under another account than this program, which was
    // given an administrator's password.
    if (level.refused || (level.rid && OwnLevel() > *level.rid)) return shell;
    return std::nullopt;
}

}  // namespace bw::win32
