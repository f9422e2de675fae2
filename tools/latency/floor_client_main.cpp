// buttonwise-floor-client PORT: the least a client of the button server can do, as the floor
// that Buttonwise's latency is held against. It connects to 127.0.0.1:PORT with
// WSAAsyncSelect and, on each read notification, receives what is there and sends F5 down
// and up once per line received. Like Buttonwise, it shows a window when it starts. It ends
// when the server closes the connection; its exit code is the socket error when it could not
// connect.
#include <cstdlib>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace {

constexpr UINT kSocketMessage = WM_APP + 1;
SOCKET g_socket = INVALID_SOCKET;

void PressF5() {
    INPUT input[2]{};
    for (INPUT& i : input) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = VK_F5;
        i.ki.wScan = static_cast<WORD>(MapVirtualKeyW(VK_F5, MAPVK_VK_TO_VSC));
    }
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &input[0], sizeof(INPUT));
    SendInput(1, &input[1], sizeof(INPUT));
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kSocketMessage) return DefWindowProcW(window, message, wParam, lParam);
    if (WSAGETSELECTEVENT(lParam) == FD_CONNECT && WSAGETSELECTERROR(lParam) != 0) {
        PostQuitMessage(WSAGETSELECTERROR(lParam));
    } else if (WSAGETSELECTEVENT(lParam) == FD_CLOSE) {
        PostQuitMessage(1000 + WSAGETSELECTERROR(lParam));
    } else if (WSAGETSELECTEVENT(lParam) == FD_READ) {
        char buffer[4096];
        const int got = recv(g_socket, buffer, sizeof buffer, 0);
        for (int i = 0; i < got; ++i)
            if (buffer[i] == '\n') PressF5();
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ButtonwiseFloorClient";
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassExW(&wc);
    // Shown at start, the size of Buttonwise's main window and centred like it, so that the
    // floor pays for a shown window as Buttonwise does: under Wine the window's surface and
    // its shared image with the X server.
    RECT frame{0, 0, 412, 424};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    bw::win32::UniqueWindow window(CreateWindowExW(
        0, wc.lpszClassName, L"Buttonwise floor client", WS_OVERLAPPEDWINDOW,
        (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
        width, height, nullptr, nullptr, wc.hInstance, nullptr));
    ShowWindow(window.get(), SW_SHOWNORMAL);
    bw::win32::UniqueSocket socket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    g_socket = socket.get();
    WSAAsyncSelect(g_socket, window.get(), kSocketMessage, FD_CONNECT | FD_READ | FD_CLOSE);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(_wtoi(argv[1])));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(g_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 &&
        WSAGetLastError() != WSAEWOULDBLOCK)
        return WSAGetLastError();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return static_cast<int>(message.wParam);
}
