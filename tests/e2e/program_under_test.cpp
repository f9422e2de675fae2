#include "program_under_test.h"

#include <gtest/gtest.h>

#include "platform/failure.h"
#include "platform/win32/system_error.h"
#include "user_steps.h"

namespace bw::test {

namespace {

constexpr int kFirstStartTimeoutMs = 30000;  // a fresh Wine prefix is slow the first time

std::wstring ProgramPath() {
    return BesideTheTests(L"Buttonwise.exe");
}

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

win32::UniqueKernelHandle StartProgram(const std::wstring& path) {
    return StartProcess(L"\"" + path + L"\"");
}

}  // namespace

std::wstring BesideTheTests(const std::wstring& name) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
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

unsigned long long NowMs() {
    return GetTickCount64();
}

std::wstring ProgramUnderTest::DefaultPath() {
    return ProgramPath();
}

ProgramUnderTest::ProgramUnderTest(const std::wstring& path) {
    EndStrayCopies();
    process_ = StartProgram(path.empty() ? ProgramPath() : path);

    const unsigned long long deadline = NowMs() + kFirstStartTimeoutMs;
    // Shown only once its start-up is done: before that, parts of it may not exist yet.
    for (HWND window; !(window = reader::FindMainWindow()) || !IsWindowVisible(window);) {
        if (WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0)
            throw Failure(1, "Buttonwise.exe ended before showing its window");
        if (NowMs() > deadline) throw Failure(1, "Buttonwise.exe showed no main window");
        Sleep(20);
    }
}

bool ProgramUnderTest::Ends(int timeoutMs) const {
    return WaitForSingleObject(process_.get(), static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

unsigned long ProgramUnderTest::StartAnotherCopy(int timeoutMs) {
    const win32::UniqueKernelHandle second = StartProgram(ProgramPath());
    if (WaitForSingleObject(second.get(), static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the second copy kept running";
        TerminateProcess(second.get(), 1);
        return 1;
    }
    DWORD code = 1;
    GetExitCodeProcess(second.get(), &code);
    return code;
}

ProgramUnderTest::~ProgramUnderTest() {
    TerminateProcess(process_.get(), 0);
    WaitForSingleObject(process_.get(), 10000);
}

namespace {

// Fails the test, saying why and during what, when the window is gone or does not answer.
std::optional<reader::MainWindowView> Reading(const std::string& during) {
    try {
        auto view = reader::ReadMainWindow();
        if (!view) ADD_FAILURE() << "the Buttonwise main window is gone" << during;
        return view;
    } catch (const Failure& failure) {
        ADD_FAILURE() << failure.Description() << during;
        return std::nullopt;
    }
}

}  // namespace

reader::MainWindowView ProgramUnderTest::Read() const {
    return Reading("").value_or(reader::MainWindowView{});
}

reader::MainWindowView ProgramUnderTest::WaitFor(
    const std::string& what, const std::function<bool(const reader::MainWindowView&)>& until,
    int timeoutMs) const {
    reader::MainWindowView view;
    bool gone = false;
    WaitUntil(
        what,
        [&] {
            const auto reading = Reading(" while waiting for " + what);
            if (!reading) return gone = true;
            view = *reading;
            return until(view);
        },
        timeoutMs, [&] { return "; the window shows:\n" + reader::Format(view); });
    return gone ? reader::MainWindowView{} : view;
}

}  // namespace bw::test
