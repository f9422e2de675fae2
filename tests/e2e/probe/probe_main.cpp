// A foreground window that writes every key event and mouse button it receives to a file,
// one line each: "down|up <virtual-key> <scan code> <extended 0|1>", a mouse button under
// its virtual-key code (1 left, 2 right, 4 middle), and "char <UTF-16 unit> 0 0" for each
// character of typed text (VK_PACKET). End-to-end tests read the file to see
// what a bound button did. With --cover it is a topmost window over the whole screen, as a
// full-screen player is; with --frame and --content-of, a Store app's frame and its content.
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "platform/win32/windows_api.h"

namespace {

FILE* g_out = nullptr;
WPARAM g_lastDown = 0;

void Record(const char* direction, WPARAM virtualKey, LPARAM flags) {
    const unsigned scan = (static_cast<unsigned long>(flags) >> 16) & 0xFF;
    const unsigned extended = (static_cast<unsigned long>(flags) >> 24) & 1;
    std::fprintf(g_out, "%s %u %u %u\n", direction, static_cast<unsigned>(virtualKey), scan,
                 extended);
    std::fflush(g_out);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            g_lastDown = wParam;
            Record("down", wParam, lParam);
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            Record("up", wParam, lParam);
            return 0;
        case WM_CHAR:
            // The character a typed text's VK_PACKET made; the characters of ordinary keys
            // are left out, the keys themselves tell them.
            if (g_lastDown == VK_PACKET) Record("char", wParam, 0);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Record("down", VK_LBUTTON, 0);
            return 0;
        case WM_LBUTTONUP:
            Record("up", VK_LBUTTON, 0);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            Record("down", VK_RBUTTON, 0);
            return 0;
        case WM_RBUTTONUP:
            Record("up", VK_RBUTTON, 0);
            return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            Record("down", VK_MBUTTON, 0);
            return 0;
        case WM_MBUTTONUP:
            Record("up", VK_MBUTTON, 0);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc == 3 ? argv[2] : L"";
    const bool cover = mode == L"--cover", frame = mode == L"--frame";
    // --content-of=WINDOW: a child of another probe's frame, as a Store app's own window is
    // the child of its frame in the frame host's process.
    const std::wstring contentOf = L"--content-of=";
    HWND parent =
        mode.starts_with(contentOf)
            ? reinterpret_cast<HWND>(std::wcstoull(mode.c_str() + contentOf.size(), nullptr, 10))
            : nullptr;
    if (argc < 2 || argc > 3 || (argc == 3 && !cover && !frame && !parent)) {
        std::fputs(
            "usage: buttonwise-probe OUTPUT_FILE [--cover | --frame | --content-of=WINDOW]\n",
            stderr);
        return 2;
    }
    g_out = _wfopen(argv[1], L"w");
    if (!g_out) return 1;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = frame    ? L"ApplicationFrameWindow"
                       : parent ? L"Windows.UI.Core.CoreWindow"
                                : L"ButtonwiseProbe";
    RegisterClassExW(&wc);
    // Large, so that the tests' pointer stays over it wherever it moves.
    HWND window = cover
                      ? CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"Buttonwise Probe",
                                        WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                        GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                        wc.hInstance, nullptr)
                  : parent ? CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0,
                                             100, 100, parent, nullptr, wc.hInstance, nullptr)
                           : CreateWindowExW(0, wc.lpszClassName, L"Buttonwise Probe",
                                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 700, 500,
                                             nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) return 1;
    if (!parent) {
        SetForegroundWindow(window);
        SetFocus(window);
    }
    // Ready only once the window can take keys: the test waits for this line.
    std::fputs("ready\n", g_out);
    std::fflush(g_out);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    std::fclose(g_out);
    return 0;
}
