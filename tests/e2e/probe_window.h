// The probe window of tests/e2e/probe in the foreground, and the key events it received.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace bw::test {

struct KeyEvent {
    bool down;
    int virtualKey;  // the UTF-16 unit of a character
    int scanCode;
    bool extended;
    bool character = false;
};

class ProbeWindow {
  public:
    // Starts the probe and waits until it is the foreground window (the content of a frame
    // only until it is there). Modes: L"--cover", a topmost window over the whole screen;
    // L"--frame" and L"--content-of=WINDOW", a Store app's frame and its content. Given a
    // program name, a copy of the probe of that file name runs, so that bindings for that
    // program apply to it.
    explicit ProbeWindow(const std::wstring& mode = {}, const std::wstring& programName = {});
    ~ProbeWindow();
    ProbeWindow(const ProbeWindow&) = delete;
    ProbeWindow& operator=(const ProbeWindow&) = delete;

    // Every event received and not yet taken.
    std::vector<KeyEvent> Events() const;
    // Waits until `count` events came and takes them, so that what comes later (or more than
    // was expected) shows in the next call. Fails the test on timeout.
    std::vector<KeyEvent> Take(std::size_t count, int timeoutMs);
    HWND Window() const;

  private:
    std::wstring file_, copy_;
    win32::UniqueKernelHandle process_;
    HWND window_ = nullptr;
    std::size_t seen_ = 0;
};

// "v116 ^116 c72": the virtual keys and directions of the events, and the characters (UTF-16
// units) they made, in order.
std::string Keys(const std::vector<KeyEvent>& events);
// Sends the server command, then takes as many events as the keys expected and compares.
void ExpectTyped(ProbeWindow& probe, const std::string& command, const std::string& keys);

}  // namespace bw::test
