// The measuring side of buttonwise-latency: the window in front, the clock, the listener.
#include "latency_rig.h"

#include <cstdio>
#include <cstdlib>

#include "platform/win32/window_class.h"

namespace latency {

namespace {

KeyCounts g_keys[256];

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    KeyCounts& key = g_keys[wParam & 0xFF];
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        ++((lParam & (1 << 30)) ? key.repeats : key.downs);
    if (message == WM_KEYUP || message == WM_SYSKEYUP) ++key.ups;
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

double NowMs() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Fail(const std::string& message) {
    wchar_t cls[256] = L"";
    GetClassNameW(GetForegroundWindow(), cls, 256);
    std::fprintf(stderr, "buttonwise-latency: %s (in front: %ls)\n", message.c_str(), cls);
    std::fflush(stderr);
    std::exit(1);
}

const KeyCounts& Keys(UINT virtualKey) {
    return g_keys[virtualKey & 0xFF];
}

bw::win32::UniqueWindow CreateWindowInFront() {
    static const bw::win32::WindowClass windowClass(L"ButtonwiseLatency", &Procedure);
    bw::win32::UniqueWindow window(CreateWindowExW(
        0, windowClass.Name(), L"Buttonwise latency", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400,
        300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (!window) Fail("cannot create the window in front");
    BringInFront(window.get());
    return window;
}

void BringInFront(HWND window) {
    SetForegroundWindow(window);
    PumpUntil([window] { return GetForegroundWindow() == window; }, 5000,
              "the measuring window to come in front");
}

void PumpUntil(const std::function<bool()>& done, double timeoutMs, const std::string& what) {
    const double deadline = NowMs() + timeoutMs;
    MSG message;
    while (!done()) {
        if (NowMs() > deadline)
            Fail("waited " + std::to_string(static_cast<int>(timeoutMs / 1000)) + " s for " + what);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

Listener::Listener(int port) : socket_(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(socket_.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(socket_.get(), 1) != 0)
        Fail("cannot listen on 127.0.0.1:" + std::to_string(port));
}

bw::win32::UniqueSocket Listener::TryAccept() {
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(socket_.get(), &ready);
    timeval none{0, 0};
    if (select(0, &ready, nullptr, nullptr, &none) <= 0) return {};
    bw::win32::UniqueSocket client(accept(socket_.get(), nullptr, nullptr));
    BOOL noDelay = TRUE;
    setsockopt(client.get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
               sizeof noDelay);
    return client;
}

AnswerWatch::AnswerWatch(HWND target)
    : thread_([this, target] {
          while (!stop_) {
              const double asked = NowMs();
              DWORD_PTR result = 0;
              SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
              const double waited = NowMs() - asked;
              if (waited > longestMs_) longestMs_ = waited;
              Sleep(50);
          }
      }) {}

AnswerWatch::~AnswerWatch() {
    stop_ = true;
    thread_.join();
}

BurstSender::BurstSender(SOCKET client, std::string bytes)
    : bytes_(std::move(bytes)), thread_([this, client] {
          std::size_t sent = 0;
          while (sent < bytes_.size()) {
              const int n =
                  send(client, bytes_.data() + sent, static_cast<int>(bytes_.size() - sent), 0);
              if (n <= 0) return;
              sent += static_cast<std::size_t>(n);
          }
      }) {}

BurstSender::~BurstSender() {
    thread_.join();
}

}  // namespace latency
