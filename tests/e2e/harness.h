// What every journey is built on: the real Buttonwise.exe started and read from outside, the
// button-line server driven through its control port, the saved bindings in the registry, real
// keystrokes, and one way to wait.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "actions/list_persistence.h"
#include "platform/win32/module_folder.h"
#include "platform/win32/send_input_keyboard.h"
#include "platform/win32/winsock_session.h"
#include "reader.h"  // and what it includes

namespace bw::test {

using reader::MainWindowView;
using reader::TextOf;

inline constexpr int kStartMs = 30000;  // a fresh Wine prefix is slow the first time
inline constexpr int kActMs = 10000;    // from a button line to its effect, with room

// Polls until the condition holds; past the time it throws, naming what it waited for and
// adding what `shown` tells, which fails the test and ends it there.
inline void WaitUntil(const std::string& what, const std::function<bool()>& condition,
                      int timeoutMs = kActMs, const std::function<std::string()>& shown = {}) {
    const unsigned long long deadline = GetTickCount64() + static_cast<unsigned>(timeoutMs);
    for (; !condition(); Sleep(20))
        if (GetTickCount64() > deadline)
            throw Failure("timed out after " + std::to_string(timeoutMs) + " ms waiting for " +
                          what + (shown ? shown() : std::string()));
}

// Where the build puts every program: beside the test program.
inline std::wstring BesideTheTests(const std::wstring& name) {
    return win32::Widen(FileInFolder(win32::ModuleFolder().Path(), win32::Narrow(name)));
}

inline win32::UniqueKernelHandle StartProcess(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        throw win32::LastErrorFailure();
    CloseHandle(info.hThread);
    return win32::UniqueKernelHandle(info.hProcess);
}

class ProgramUnderTest {
  public:
    // Waits for the main window, shown only once start-up is done and every part of it exists.
    ProgramUnderTest() : process_(Start()) {
        auto shown = [&] {
            HWND window = reader::FindMainWindow();
            if (!window && Ends(0)) throw Failure("Buttonwise.exe ended before showing its window");
            return window && IsWindowVisible(window);
        };
        WaitUntil("the Buttonwise main window", shown, kStartMs);
    }
    ~ProgramUnderTest() {
        TerminateProcess(process_.get(), 0);
        Ends(10000);
    }
    MainWindowView Read() const {
        return WaitFor("a reading", [](const MainWindowView&) { return true; });
    }
    // The reading the condition holds for; a window gone or not answering ends the wait at once.
    MainWindowView WaitFor(const std::string& what,
                           const std::function<bool(const MainWindowView&)>& until,
                           int timeoutMs = kActMs) const {
        MainWindowView view;
        auto holds = [&] {
            std::optional<MainWindowView> reading;
            try {
                reading = reader::ReadMainWindow();
            } catch (const Failure& failure) {
                throw Failure(failure.Description() + ", waiting for " + what);
            }
            if (!reading) throw Failure("the Buttonwise main window is gone, waiting for " + what);
            return until(view = *reading);
        };
        WaitUntil(what, holds, timeoutMs, [&] { return "; it shows:\n" + reader::Format(view); });
        return view;
    }
    bool Ends(int timeoutMs) const {
        return WaitForSingleObject(process_.get(), static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
    }

  private:
    // A copy still running would take the start over, and the journeys would act on it.
    static win32::UniqueKernelHandle Start() {
        WaitUntil("no other Buttonwise running", [] { return !reader::FindMainWindow(); });
        return StartProcess(L"\"" + BesideTheTests(L"Buttonwise.exe") + L"\"");
    }
    win32::UniqueKernelHandle process_;
};

inline bool Connected(const MainWindowView& v) {
    return v.status == "WinLIRC is running. You can assign actions to remote control keys now.";
}

// The button-line server's answer to the command (a held button takes seconds); throws,
// failing the test, unless it did it. Presses come at a person's pace: a first line right
// behind another of the same button is taken for the same press told twice.
inline std::string Server(const std::string& command) {
    static win32::WinsockSession winsock;
    static std::atomic<unsigned long long> lastPress = 0;  // a hold may go from a thread
    const bool press = command.starts_with("press ") || command.starts_with("hold ");
    while (press && GetTickCount64() < lastPress + 100) Sleep(5);
    const char* portText = std::getenv("BUTTONSERVER_CONTROL_PORT");
    win32::UniqueSocket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(portText ? std::atoi(portText) : 8766));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw Failure("the button-line server is not running");
    const DWORD deadlineMs = 60000;
    setsockopt(s.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&deadlineMs),
               sizeof deadlineMs);
    const std::string request = command + "\n";
    send(s.get(), request.data(), static_cast<int>(request.size()), 0);
    std::string answer;
    char buffer[512];
    for (int n; (n = recv(s.get(), buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, n);
    if (press) lastPress = GetTickCount64();
    if (!answer.starts_with("ok")) throw Failure(command + " -> " + answer);
    return answer;
}

// The saved bindings, through the system's registry functions, not the program's own. A row:
// button, action type, name, key code, shift and type as earlier versions saved, program,
// remote, and when it acts ("hold", "long"); a row with more than the six gets its checks, as
// this version saves them.
namespace saved {
inline constexpr wchar_t kKey[] = L"Software\\VB and VBA Program Settings\\Buttonwise\\Key",
                          kOptions[] = L"Software\\VB and VBA Program Settings\\Buttonwise\\Settings";

inline std::optional<std::string> Read(const std::string& name, const wchar_t* key = kKey) {
    wchar_t text[4096] = {};
    DWORD bytes = sizeof text;
    // Only REG_SZ, as earlier versions wrote; without RRF_NOEXPAND, REG_EXPAND_SZ would pass too.
    if (RegGetValueW(HKEY_CURRENT_USER, key, win32::Widen(name).c_str(),
                     RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr, text, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return win32::Narrow(text);
}

inline void Clear() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Buttonwise");
    ASSERT_FALSE(Read("#ListCount")) << "the saved bindings could not be removed";
}

inline void WriteRows(const std::vector<std::vector<std::string>>& rows) {
    auto write = [](const std::string& name, const std::string& value) {
        const std::wstring text = win32::Widen(value);
        ASSERT_EQ(
            RegSetKeyValueW(HKEY_CURRENT_USER, kKey, win32::Widen(name).c_str(), REG_SZ,
                            text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS)
            << name;
    };
    const char* names[] = {"RemoteKey", "ActionType", "ActionName", "KeyCode", "KeyShift",
                           "KeyType",   "Program",    "Remote",     "Press"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        const std::string n = std::to_string(i + 1);
        for (std::size_t k = 0; k < (row.size() > 8 ? 9u : row.size() > 6 ? 8u : 6u); ++k)
            write(names[k] + n, k < row.size() ? row[k] : "");
        if (row.size() <= 6) continue;
        const OlderRowValues older{row[0], row[1], row[2], row[3], row[4], row[5]};
        write("Check" + n, RowCheck(older));
        if (row.size() > 8) write("PressCheck" + n, RowCheck(older, row[8]));
    }
    write("#ListCount", std::to_string(rows.size()));
}
}  // namespace saved

// Keys as a keyboard makes them, through the program's own SendInput wrapper:
// {{VK_MENU, 'R'}, {VK_DOWN}} is Alt+R, released in reverse, then Down.
inline void PressKeys(std::initializer_list<std::initializer_list<WORD>> chords) {
    win32::SendInputKeyboard keyboard;
    for (const auto& keys : chords) {
        for (WORD key : keys) keyboard.SendKey(static_cast<std::uint8_t>(key), KeyDirection::Down);
        for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
            keyboard.SendKey(static_cast<std::uint8_t>(*key), KeyDirection::Up);
    }
}

inline void BringToFront(HWND window) {
    SetForegroundWindow(window);
    WaitUntil(
        "the window in front", [&] { return GetForegroundWindow() == window; }, 2000);
}

// Shown only once its controls exist.
inline HWND WaitForDialog(const wchar_t* title, int timeoutMs = kActMs) {
    HWND dialog = nullptr;
    WaitUntil(
        "the dialog " + win32::Narrow(title) + " to show",
        [&] { return (dialog = reader::FindDialog(title)) && IsWindowVisible(dialog); }, timeoutMs);
    return dialog;
}

// A journey's tests share one Buttonwise, started with the saved rows once for them all, and
// each goes on where the one before left the window.
class Journey : public ::testing::Test {
  protected:
    static void Start(const std::vector<std::vector<std::string>>& rows) {
        Server("start");
        saved::Clear();
        saved::WriteRows(rows);
        program.emplace();
        program->WaitFor("the connection", Connected, kStartMs);
    }
    static void TearDownTestSuite() {
        program.reset();
        saved::Clear();
        Server("stop");
    }
    static inline std::optional<ProgramUnderTest> program;
};

}  // namespace bw::test
