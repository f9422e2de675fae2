// The shared steps of the end-to-end tests.
#include "user_steps.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "button_server.h"
#include "platform/failure.h"
#include "platform/win32/utf16.h"
#include "program_under_test.h"
#include "remote_list_view.h"

namespace bw::test {

bool WaitUntil(const std::string& what, const std::function<bool()>& condition, int timeoutMs,
               const std::function<std::string()>& shown) {
    const unsigned long long deadline = NowMs() + static_cast<unsigned long long>(timeoutMs);
    while (!condition()) {
        if (NowMs() > deadline) {
            ADD_FAILURE() << "timed out after " << timeoutMs << " ms waiting for " << what
                          << (shown ? shown() : std::string());
            return false;
        }
        Sleep(20);
    }
    return true;
}

void Server(const std::string& command) {
    const std::string answer = ButtonServer::Command(command);
    ASSERT_EQ(answer.rfind("ok", 0), 0u) << command << " -> " << answer;
}

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

bool Connected(const reader::MainWindowView& v) {
    return std::find(v.log.begin(), v.log.end(), reader::LogRow{"ok", "WinLIRC is running."}) !=
           v.log.end();
}

std::size_t CountLog(const reader::MainWindowView& v, const std::string& text) {
    return static_cast<std::size_t>(
        std::count(v.log.begin(), v.log.end(), reader::LogRow{"change", text}));
}

void ExpectTyped(ProbeWindow& probe, const std::string& command, const std::string& keys) {
    const auto count = static_cast<std::size_t>(std::count(keys.begin(), keys.end(), ' ') + 1);
    Server(command);
    EXPECT_EQ(Keys(probe.Take(count, kActMs)), keys) << command;
}

HWND WaitForDialog(const wchar_t* title, int timeoutMs) {
    HWND dialog = nullptr;
    // Shown only once its controls exist.
    const bool shown = WaitUntil(
        "the dialog " + win32::Narrow(title) + " to show",
        [&] { return (dialog = FindWindowW(L"#32770", title)) && IsWindowVisible(dialog); },
        timeoutMs);
    return shown ? dialog : nullptr;
}

void Answer(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

std::string TextOf(HWND control) {
    wchar_t text[1024] = {};
    try {
        reader::Ask(control, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    } catch (const Failure& failure) {
        ADD_FAILURE() << failure.Description();
    }
    return win32::Narrow(text);
}

}  // namespace bw::test
