// The measuring side of buttonwise-latency: one clock, a window in front that counts the
// keys it gets, a listening server socket, and a watcher that times how long another
// program's window takes to answer. Every wait has a deadline and fails naming what it
// waited for.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace latency {

double NowMs();

// Prints the message, and which window was in front, and ends the program with a failure.
[[noreturn]] void Fail(const std::string& message);

// What the window in front has received of one key. A key-down of a key already down (its
// previous-state bit set) is a repeat: it goes to repeats, never to downs.
struct KeyCounts {
    long downs = 0, repeats = 0, ups = 0;
};
const KeyCounts& Keys(UINT virtualKey);

// The window the keys must reach; it is brought in front and kept there.
bw::win32::UniqueWindow CreateWindowInFront();
void BringInFront(HWND window);

// Handles this thread's messages until done() holds; fails, naming what, at the deadline.
// done() is asked more than once, also after it held.
void PumpUntil(const std::function<bool()>& done, double timeoutMs, const std::string& what);

class Listener {
  public:
    explicit Listener(int port);
    // One poll: a connection if one is waiting.
    bw::win32::UniqueSocket TryAccept();

  private:
    bw::win32::UniqueSocket socket_;
};

// Asks a window every 50 ms whether it answers (WM_NULL) and keeps the longest wait.
class AnswerWatch {
  public:
    explicit AnswerWatch(HWND target);
    ~AnswerWatch();
    AnswerWatch(const AnswerWatch&) = delete;
    AnswerWatch& operator=(const AnswerWatch&) = delete;
    double LongestMs() const { return longestMs_; }

  private:
    std::atomic<bool> stop_{false};
    std::atomic<double> longestMs_{0};
    std::thread thread_;
};

// Sends all of the bytes from a thread of its own, so that the window keeps taking keys.
class BurstSender {
  public:
    BurstSender(SOCKET client, std::string bytes);
    ~BurstSender();
    BurstSender(const BurstSender&) = delete;
    BurstSender& operator=(const BurstSender&) = delete;

  private:
    std::string bytes_;
    std::thread thread_;
};

}  // namespace latency
