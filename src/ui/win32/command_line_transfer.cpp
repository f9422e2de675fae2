// Reading the command line, handing a command to the running copy in WM_COPYDATA, and doing
// it without one.
#include "ui/win32/command_line_transfer.h"

#include <shellapi.h>

#include "platform/failure.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/disk_files.h"
#include "platform/win32/registry_store.h"
#include "platform/win32/utf16.h"
#include "platform/win32/window_message_boxes.h"
#include "ui/win32/control_ids.h"

namespace bw::ui {

namespace {

constexpr int kFailed = static_cast<int>(TransferResult::Failed);
// A copy that is starting has its mutex before its window, and its window before its list.
constexpr ULONGLONG kWindowWaitMs = 30000;
// An import of the largest list the file may hold takes the registry tens of seconds.
constexpr UINT kAnswerWaitMs = 120000;

// As the command's start saw it: the running copy has another current folder.
std::wstring FullPath(const std::string& path) {
    const std::wstring wide = win32::Widen(path);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0) return wide;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return wide;
    full.resize(length);
    return full;
}

}  // namespace

std::vector<std::string> CommandLineArguments() {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words && i < count; ++i) arguments.push_back(win32::Narrow(words[i]));
    if (words) LocalFree(words);
    return arguments;
}

int HandOverTransfer(const CommandLineTransfer& transfer) {
    if (transfer.path.empty()) return kFailed;
    HWND running = nullptr;
    const ULONGLONG deadline = GetTickCount64() + kWindowWaitMs;
    while (!(running = FindWindowW(kMainWindowClass, nullptr)) && GetTickCount64() < deadline)
        Sleep(100);
    if (!running) return kFailed;
    const std::wstring path = FullPath(transfer.path);
    COPYDATASTRUCT data{kTransferTag | static_cast<ULONG_PTR>(transfer.command),
                        static_cast<DWORD>(path.size() * sizeof(wchar_t)),
                        const_cast<wchar_t*>(path.data())};
    for (;;) {
        DWORD_PTR answer = 0;
        // A copy that runs as administrator does not take this from a start without those
        // rights: the message is dropped, and the start says it failed.
        if (!SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                 SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT, kAnswerWaitMs, &answer))
            return kFailed;
        const auto result = static_cast<LRESULT>(answer);
        if (result == kTransferNotReady && GetTickCount64() < deadline) {
            Sleep(100);
            continue;
        }
        if (result < kTransferAnswer || result > kTransferAnswer + kFailed) return kFailed;
        return static_cast<int>(result - kTransferAnswer);
    }
}

int RunTransferAlone(const CommandLineTransfer& transfer) {
    try {
        DiscardingLog log;
        ActionList list(log);
        win32::RegistryStore store;
        ListPersistence persistence(store, list, log);
        persistence.LoadList();
        win32::DiskFiles files;
        win32::AnsiCodePage ansi;
        win32::WindowMessageBoxes boxes(nullptr);  // never shown: the command asks nothing
        BindingsTransfer bindings(list, persistence, files, ansi, boxes, log);
        return static_cast<int>(
            bindings.Run(transfer.command, win32::Narrow(FullPath(transfer.path))));
    } catch (...) {
        // Whatever it was, the exit code says "failed", as documented.
        return kFailed;
    }
}

}  // namespace bw::ui
