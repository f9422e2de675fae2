// buttonwise-latency [PRESSES]: the time from a button line leaving the server to the key
// reaching the window in front, measured on one clock: this program is both the server
// (it listens on 127.0.0.1:8765, where Buttonwise connects) and the window in front. The
// button LAT must be bound to a key in Buttonwise. Prints the median, the 99th percentile
// and the largest time, in milliseconds.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/win32_config.h"

namespace {

bool g_keyDown = false, g_keyUp = false;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) g_keyDown = true;
    if (message == WM_KEYUP || message == WM_SYSKEYUP) g_keyUp = true;
    return DefWindowProcW(window, message, wParam, lParam);
}

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Handles messages until the flag is set or the time is up.
bool PumpUntil(const bool& flag, double timeoutMs) {
    const double deadline = NowMs() + timeoutMs;
    MSG message;
    while (!flag) {
        if (NowMs() > deadline) return false;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!flag) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int presses = argc > 1 ? _wtoi(argv[1]) : 300;
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(8765);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 1) != 0) {
        std::fputs("cannot listen on 127.0.0.1:8765\n", stderr);
        return 1;
    }

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ButtonwiseLatency";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Buttonwise latency",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400, 300, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(window);

    // Buttonwise retries every two seconds; wait for it while keeping the window alive.
    SOCKET client = INVALID_SOCKET;
    const double deadline = NowMs() + 30000;
    while (client == INVALID_SOCKET && NowMs() < deadline) {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(listener, &ready);
        timeval wait{0, 50000};
        if (select(0, &ready, nullptr, nullptr, &wait) > 0)
            client = accept(listener, nullptr, nullptr);
        bool never = false;
        PumpUntil(never, 1);
    }
    if (client == INVALID_SOCKET) {
        std::fputs("Buttonwise did not connect\n", stderr);
        return 1;
    }
    BOOL noDelay = TRUE;
    setsockopt(client, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
               sizeof noDelay);

    const std::string line = "000000000000f40b 00 LAT remote1\n";
    std::vector<double> times;
    for (int i = 0; i < presses; ++i) {
        g_keyDown = g_keyUp = false;
        const double sent = NowMs();
        send(client, line.data(), static_cast<int>(line.size()), 0);
        if (!PumpUntil(g_keyDown, 5000)) {
            std::fprintf(stderr, "press %d never arrived\n", i + 1);
            return 1;
        }
        times.push_back(NowMs() - sent);
        PumpUntil(g_keyUp, 5000);
    }
    std::sort(times.begin(), times.end());
    const auto at = [&](double q) {
        return times[std::min(times.size() - 1, static_cast<std::size_t>(q * times.size()))];
    };
    std::printf(
        "presses %zu  median %.2f ms  p99 %.2f ms  max %.2f ms  (remote repeat 108 ms: "
        "median %.1f%%)\n",
        times.size(), at(0.5), at(0.99), times.back(), 100.0 * at(0.5) / 108.0);
    closesocket(client);
    closesocket(listener);
    WSACleanup();
    return 0;
}
