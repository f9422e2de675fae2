// buttonwise-probe FILE [--cover | --frame | --content-of=WINDOW | --times]: a window in front
// that writes each key event and mouse button it gets to FILE, one line each: "v<virtual key>
// <scan code> <extended 0|1>" down, "r..." a key's repeat (down while it was down), "^..." up
// (buttons as VK_LBUTTON, VK_RBUTTON, VK_MBUTTON), "c<UTF-16 unit> 0 0" for each character of
// typed text (VK_PACKET); with --times, each line ends in the tick count it came at. --cover
// makes it a topmost window over
// the whole screen, as a full-screen player is; --frame and --content-of, a Store app's frame and
// its content, a child of the frame. Without arguments, as a Run binding starts it, it appends
// the folder it was started in to buttonwise-starts.txt in the temporary folder.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/win32/windows_api.h"

namespace {

FILE* g_out = nullptr;
bool g_times = false;

LRESULT Record(char kind, WPARAM virtualKey, LPARAM flags) {
    const auto bits = static_cast<unsigned long>(flags);
    // The key was down already; typed text's characters all come as one key, VK_PACKET.
    if (kind == 'v' && (bits >> 30) & 1 && virtualKey != VK_PACKET) kind = 'r';
    std::fprintf(g_out, "%c%u %lu %lu", kind, static_cast<unsigned>(virtualKey),
                 (bits >> 16) & 0xFF, (bits >> 24) & 1);
    if (g_times) std::fprintf(g_out, " %llu", GetTickCount64());
    std::fputc('\n', g_out);
    std::fflush(g_out);
    return 0;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static WPARAM lastDown = 0;
    const unsigned button = message - WM_LBUTTONDOWN;  // down, up, double-click of each
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        return Record('v', lastDown = wParam, lParam);
    if (message == WM_KEYUP || message == WM_SYSKEYUP) return Record('^', wParam, lParam);
    // Only the characters of a typed text's VK_PACKET: the keys tell the others.
    if (message == WM_CHAR) return lastDown == VK_PACKET ? Record('c', wParam, 0) : 0;
    if (button < 9) return Record(button % 3 == 1 ? '^' : 'v', "\1\2\4"[button / 3], 0);
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        wchar_t temp[MAX_PATH], folder[MAX_PATH];
        if (!GetTempPathW(MAX_PATH, temp) || !GetCurrentDirectoryW(MAX_PATH, folder)) return 1;
        FILE* out =
            _wfopen((std::wstring(temp) + L"buttonwise-starts.txt").c_str(), L"a, ccs=UTF-8");
        if (!out) return 1;
        std::fwprintf(out, L"%ls\n", folder);
        return std::fclose(out) != 0;
    }
    const std::wstring mode = argc > 2 ? argv[2] : L"", contentOf = L"--content-of=";
    const bool cover = mode == L"--cover";
    g_times = mode == L"--times";
    HWND parent =
        mode.starts_with(contentOf)
            ? reinterpret_cast<HWND>(std::wcstoull(mode.c_str() + contentOf.size(), nullptr, 10))
            : nullptr;
    if (!(g_out = _wfopen(argv[1], L"w"))) return 1;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = mode == L"--frame" ? L"ApplicationFrameWindow"
                       : parent           ? L"Windows.UI.Core.CoreWindow"
                                          : L"ButtonwiseProbe";
    RegisterClassExW(&wc);
    // Large, so that the pointer stays over it wherever a binding moves it.
    const RECT r = cover ? RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}
                         : RECT{40, 40, 740, 540};
    HWND window = CreateWindowExW(cover ? WS_EX_TOPMOST : 0, wc.lpszClassName, L"Buttonwise Probe",
                                  WS_VISIBLE | (cover    ? WS_POPUP
                                                : parent ? WS_CHILD
                                                         : WS_OVERLAPPEDWINDOW),
                                  parent ? 0 : r.left, parent ? 0 : r.top, r.right - r.left,
                                  r.bottom - r.top, parent, nullptr, wc.hInstance, nullptr);
    if (!window) return 1;
    if (!parent) {
        SetForegroundWindow(window);
        SetFocus(window);
    }
    // Ready only once the window can take keys: the tests wait for this line.
    std::fputs("ready\n", g_out);
    std::fflush(g_out);
    for (MSG message; GetMessageW(&message, nullptr, 0, 0) > 0; DispatchMessageW(&message))
        TranslateMessage(&message);
    return std::fclose(g_out);
}
