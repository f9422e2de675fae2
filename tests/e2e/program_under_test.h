// Starts the real Buttonwise.exe (beside the test program) and ends it afterwards, and
// waits for what its window shows by polling with a deadline.
#pragma once

#include <functional>
#include <string>

#include "platform/win32/unique_handle.h"
#include "window_reader.h"

namespace bw::test {

class ProgramUnderTest {
  public:
    // Ends any copy left running, starts a new one and waits for its main window. Without a
    // path, the Buttonwise.exe beside the test program.
    explicit ProgramUnderTest(const std::wstring& path = {});
    // The Buttonwise.exe beside the test program.
    static std::wstring DefaultPath();
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    // The window as it is now; fails the test when it is gone.
    reader::MainWindowView Read() const;

    // Reads until the condition holds; returns the last reading. Fails the test on timeout.
    reader::MainWindowView WaitFor(const std::string& what,
                                   const std::function<bool(const reader::MainWindowView&)>& until,
                                   int timeoutMs) const;

    // Whether the program ended within the time.
    bool Ends(int timeoutMs) const;
    // Starts another copy beside this one and returns its exit code once it ended; fails the
    // test when it does not end.
    static unsigned long StartAnotherCopy(int timeoutMs);

  private:
    win32::UniqueKernelHandle process_;
};

// Milliseconds on a monotonic clock.
unsigned long long NowMs();

// A file in the folder of the test program, where the build puts every program.
std::wstring BesideTheTests(const std::wstring& name);
// Starts a process; throws Failure when it cannot.
win32::UniqueKernelHandle StartProcess(std::wstring commandLine);

}  // namespace bw::test
