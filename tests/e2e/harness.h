// What every end-to-end test is built on: the real Buttonwise.exe started and read from
// outside, the button-line server driven through its control port, the saved bindings in
// the registry, real keystrokes and clicks, and one way to wait.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "window_reader.h"

namespace bw::test {

inline constexpr int kStartMs = 30000;  // a fresh Wine prefix is slow the first time
inline constexpr int kActMs = 10000;    // from a button line to its effect, with room

// Polls until the condition holds; fails the test, naming what it waited for and adding
// what `shown` tells, when it does not within the time. Returns whether it held.
bool WaitUntil(const std::string& what, const std::function<bool()>& condition,
               int timeoutMs = kActMs, const std::function<std::string()>& shown = {});

// A program beside the test program, where the build puts every program, and starting one
// (a failure to start throws Failure).
std::wstring BesideTheTests(const std::wstring& name);
win32::UniqueKernelHandle StartProcess(std::wstring commandLine);

class ProgramUnderTest {
  public:
    // Ends any copy left running, starts Buttonwise.exe and waits for its main window.
    ProgramUnderTest();
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    // The window as it is now; fails the test when it is gone.
    reader::MainWindowView Read() const;
    // Reads until the condition holds; returns the last reading. Fails the test on timeout.
    reader::MainWindowView WaitFor(const std::string& what,
                                   const std::function<bool(const reader::MainWindowView&)>& until,
                                   int timeoutMs = kActMs) const;
    bool Ends(int timeoutMs) const {
        return WaitForSingleObject(process_.get(), static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
    }
    // Starts another copy and returns its exit code once it ended.
    static unsigned long StartAnotherCopy(int timeoutMs);

  private:
    win32::UniqueKernelHandle process_;
};

inline bool Connected(const reader::MainWindowView& v) {
    return std::ranges::count(v.log, reader::LogRow{"ok", "WinLIRC is running."}) > 0;
}
// How many change lines of exactly that text the log shows.
inline std::size_t CountLog(const reader::MainWindowView& v, const std::string& text) {
    return static_cast<std::size_t>(std::ranges::count(v.log, reader::LogRow{"change", text}));
}

// Sends a command to the button-line server and fails the test unless it is done.
void Server(const std::string& command);

// The saved bindings (Software\VB and VBA Program Settings\Buttonwise\Key), through the
// system's registry functions, not the program's own code.
namespace saved {
struct Row {
    std::string button, type, name, code = {}, shift = {}, keyType = {}, program = {}, remote = {};
};
void Clear();
// The rows with their six values each and the count, as installations before programs and
// remotes saved them; a row with a program or a remote gets both values too.
void WriteRows(const std::vector<Row>& rows);
std::optional<std::string> Read(const std::string& name);
}  // namespace saved

// Keys and clicks as a keyboard and a mouse make them, through the program's own SendInput
// wrappers: {VK_MENU, 'R'} is Alt+R, released in reverse.
void PressKeys(std::initializer_list<WORD> keys);
void Click(HWND window);  // in its middle
void ClickAt(POINT screen, DWORD buttons = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
// Brings a top-level window to the front and waits until it is.
void BringToFront(HWND window);
// The focused window of the window's thread; a popup menu of that thread while one is open.
HWND FocusOf(HWND window);
HWND OpenMenuOf(HWND window);

// A dialog of that title once it shows; fails the test when it does not.
HWND WaitForDialog(const wchar_t* title, int timeoutMs = kActMs);
std::string TextOf(HWND control);

// Every test starts with the server listening and no saved bindings, and leaves none.
class E2eTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Server("start");
        saved::Clear();
    }
    void TearDown() override {
        saved::Clear();
        Server("stop");
    }
};

}  // namespace bw::test
