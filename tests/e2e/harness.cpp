// The shared steps of the end-to-end tests.
#include "harness.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>

#include "platform/failure.h"
#include "platform/win32/system_error.h"
#include "platform/win32/utf16.h"
#include "platform/win32/send_input_keyboard.h"
#include "platform/win32/send_input_mouse.h"
#include "platform/win32/module_folder.h"
#include "platform/win32/winsock_session.h"

namespace bw::test {

namespace {

const wchar_t kSavedKey[] = L"Software\\VB and VBA Program Settings\\Buttonwise\\Key";

void EndStrayCopies() {
    for (HWND window; (window = reader::FindMainWindow()) != nullptr;) {
        DWORD id = 0;
        GetWindowThreadProcessId(window, &id);
        win32::UniqueKernelHandle stray(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (!stray) throw win32::LastErrorFailure();
        TerminateProcess(stray.get(), 1);
        WaitForSingleObject(stray.get(), 10000);
    }
}

// Fails the test, saying why and during what, when the window is gone or does not answer.
std::optional<reader::MainWindowView> Reading(const std::string& during) {
    try {
        auto view = reader::ReadMainWindow();
        if (!view) ADD_FAILURE() << "the Buttonwise main window is gone" << during;
        return view;
    } catch (const Failure& failure) {
        ADD_FAILURE() << failure.Description() << during;
    }
    return std::nullopt;
}

DWORD ThreadOf(HWND window) {
    return GetWindowThreadProcessId(window, nullptr);
}

}  // namespace

bool WaitUntil(const std::string& what, const std::function<bool()>& condition, int timeoutMs,
               const std::function<std::string()>& shown) {
    const unsigned long long deadline = GetTickCount64() + static_cast<unsigned>(timeoutMs);
    while (!condition()) {
        if (GetTickCount64() > deadline) {
            ADD_FAILURE() << "timed out after " << timeoutMs << " ms waiting for " << what
                          << (shown ? shown() : std::string());
            return false;
        }
        Sleep(20);
    }
    return true;
}

std::wstring BesideTheTests(const std::wstring& name) {
    return win32::Widen(FileInFolder(win32::ModuleFolder().Path(), win32::Narrow(name)));
}

win32::UniqueKernelHandle StartProcess(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        throw win32::LastErrorFailure();
    CloseHandle(info.hThread);
    return win32::UniqueKernelHandle(info.hProcess);
}

ProgramUnderTest::ProgramUnderTest() {
    EndStrayCopies();
    process_ = StartProcess(L"\"" + BesideTheTests(L"Buttonwise.exe") + L"\"");
    // Shown only once its start-up is done: before that, parts of it may not exist yet.
    WaitUntil(
        "the Buttonwise main window",
        [&] {
            HWND window = reader::FindMainWindow();
            if (!window && WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0)
                throw Failure(1, "Buttonwise.exe ended before showing its window");
            return window && IsWindowVisible(window);
        },
        kStartMs);
}

ProgramUnderTest::~ProgramUnderTest() {
    TerminateProcess(process_.get(), 0);
    Ends(10000);
}

unsigned long ProgramUnderTest::StartAnotherCopy(int timeoutMs) {
    const auto second = StartProcess(L"\"" + BesideTheTests(L"Buttonwise.exe") + L"\"");
    EXPECT_EQ(WaitForSingleObject(second.get(), static_cast<DWORD>(timeoutMs)), WAIT_OBJECT_0)
        << "the second copy kept running";
    DWORD code = 1;
    GetExitCodeProcess(second.get(), &code);  // still running: STILL_ACTIVE
    TerminateProcess(second.get(), 1);
    return code;
}

reader::MainWindowView ProgramUnderTest::Read() const {
    return Reading("").value_or(reader::MainWindowView{});
}

reader::MainWindowView ProgramUnderTest::WaitFor(
    const std::string& what, const std::function<bool(const reader::MainWindowView&)>& until,
    int timeoutMs) const {
    reader::MainWindowView view;
    // A window that is gone or does not answer ends the wait at once, failed.
    WaitUntil(
        what,
        [&] {
            const auto reading = Reading(" while waiting for " + what);
            view = reading.value_or(reader::MainWindowView{});
            return !reading || until(view);
        },
        timeoutMs, [&] { return "; the window shows:\n" + reader::Format(view); });
    return view;
}

void Server(const std::string& command) {
    static win32::WinsockSession winsock;
    const char* portText = std::getenv("BUTTONSERVER_CONTROL_PORT");
    win32::UniqueSocket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(portText ? std::atoi(portText) : 8766));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(connect(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0)
        << "the button-line server is not running";
    // The longest command, a held button, answers within seconds.
    const DWORD deadlineMs = 60000;
    setsockopt(s.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&deadlineMs),
               sizeof deadlineMs);
    const std::string request = command + "\n";
    send(s.get(), request.data(), static_cast<int>(request.size()), 0);
    std::string answer;
    char buffer[512];
    for (int n; (n = recv(s.get(), buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, n);
    ASSERT_EQ(answer.rfind("ok", 0), 0u) << command << " -> " << answer;
}

namespace saved {

namespace {
void WriteValue(const std::wstring& key, const std::string& name, const std::string& value) {
    const std::wstring text = win32::Widen(value);
    ASSERT_EQ(
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), win32::Widen(name).c_str(), REG_SZ,
                        text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
        ERROR_SUCCESS)
        << name;
}
}  // namespace

void Clear() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Buttonwise");
    ASSERT_FALSE(Read("#ListCount")) << "the saved bindings could not be removed";
}

void WriteRows(const std::vector<Row>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        const Row& r = rows[i];
        const std::string values[] = {r.button, r.type, r.name, r.code, r.shift, r.keyType};
        for (int k = 0; const char* name :
                        {"RemoteKey", "ActionType", "ActionName", "KeyCode", "KeyShift", "KeyType"})
            WriteValue(kSavedKey, name + n, values[k++]);
        if (r.program.empty() && r.remote.empty()) continue;
        WriteValue(kSavedKey, "Program" + n, r.program);
        WriteValue(kSavedKey, "Remote" + n, r.remote);
    }
    WriteValue(kSavedKey, "#ListCount", std::to_string(rows.size()));
}

std::optional<std::string> Read(const std::string& name) {
    wchar_t text[4096] = {};
    DWORD bytes = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, kSavedKey, win32::Widen(name).c_str(), RRF_RT_REG_SZ,
                     nullptr, text, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return win32::Narrow(text);
}

}  // namespace saved

void PressKeys(std::initializer_list<WORD> keys) {
    win32::SendInputKeyboard keyboard;
    for (WORD key : keys) keyboard.SendKey(static_cast<std::uint8_t>(key), KeyDirection::Down);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key)
        keyboard.SendKey(static_cast<std::uint8_t>(*key), KeyDirection::Up);
}

void ClickAt(POINT screen, DWORD buttons) {
    SetCursorPos(screen.x, screen.y);
    win32::SendInputMouse().MouseEvent(buttons, 0, 0);
}

void Click(HWND window) {
    RECT r{};
    ASSERT_TRUE(GetWindowRect(window, &r)) << "no window to click";
    ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void BringToFront(HWND window) {
    SetForegroundWindow(window);
    WaitUntil(
        "the window in front", [&] { return GetForegroundWindow() == window; }, 2000);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(ThreadOf(window), &info) ? info.hwndFocus : nullptr;
}

HWND OpenMenuOf(HWND window) {
    for (HWND menu = nullptr; (menu = FindWindowExW(nullptr, menu, L"#32768", nullptr));)
        if (IsWindowVisible(menu) && ThreadOf(menu) == ThreadOf(window)) return menu;
    return nullptr;
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

std::string TextOf(HWND control) {
    wchar_t text[1024] = {};
    GetWindowTextW(control, text, static_cast<int>(std::size(text)));
    return win32::Narrow(text);
}

}  // namespace bw::test
