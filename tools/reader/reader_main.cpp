// buttonwise-reader [--wait SECONDS] [--cancel-countdown]: prints what the Buttonwise main
// window shows, and with --cancel-countdown then presses Cancel of a running exit
// countdown. Exits 1 when no main window appears within the wait.
#include <cstdio>
#include <cwchar>
#include <exception>

#include "platform/failure.h"
#include "window_reader.h"

int wmain(int argc, wchar_t** argv) {
    double waitSeconds = 0;
    bool cancelCountdown = false;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--wait") == 0 && i + 1 < argc)
            waitSeconds = std::wcstod(argv[i + 1], nullptr);
        if (std::wcscmp(argv[i], L"--cancel-countdown") == 0) cancelCountdown = true;
    }

    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(waitSeconds * 1000);
    while (!bw::reader::FindMainWindow() && GetTickCount64() < deadline) Sleep(50);
    try {
        const auto view = bw::reader::ReadMainWindow();
        if (!view) {
            std::fputs("no Buttonwise main window\n", stderr);
            return 1;
        }
        const std::string text = bw::reader::Format(*view);
        std::fwrite(text.data(), 1, text.size(), stdout);
        if (cancelCountdown)
            if (HWND countdown = bw::reader::FindCountdown())
                PostMessageW(countdown, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "cannot read the main window: %s\n", failure.what());
        return 2;
    }
}
