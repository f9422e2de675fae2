// buttonwise-reader [--wait SECONDS]: prints what the Buttonwise main window shows.
// Exits 1 when no main window appears within the wait.
#include <cstdio>
#include <cwchar>
#include <exception>

#include "platform/failure.h"
#include "window_reader.h"

int wmain(int argc, wchar_t** argv) {
    double waitSeconds = 0;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wcscmp(argv[i], L"--wait") == 0) waitSeconds = std::wcstod(argv[i + 1], nullptr);

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
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "cannot read the main window: %s\n", failure.what());
        return 2;
    }
}
