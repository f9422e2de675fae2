// buttonwise-reader [--wait SECONDS] then any of the actions
//   --cancel-countdown       press Cancel of a running exit countdown
//   --command ID             a menu command of the main window (ui/win32/control_ids.h)
//   --action-type N          choose the action type of the open Add Action dialog
//   --click-in TITLE ID      click a button of the dialog with that title
//   --tray-menu | --close-menu   open the tray icon's menu, or close an open menu
// prints what the Buttonwise main window shows and then acts. Exits 1 when no main window
// appears within the wait.
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <exception>

#include "platform/failure.h"
#include "window_driver.h"
#include "window_reader.h"

int wmain(int argc, wchar_t** argv) {
    double waitSeconds = 0;
    bool cancelCountdown = false;
    int command = 0, actionType = 0, clickId = 0;
    const wchar_t* clickIn = nullptr;
    bool trayMenu = false, closeMenu = false;
    for (int i = 1; i < argc; ++i) {
        const bool value = i + 1 < argc;
        if (std::wcscmp(argv[i], L"--wait") == 0 && value)
            waitSeconds = std::wcstod(argv[i + 1], nullptr);
        if (std::wcscmp(argv[i], L"--command") == 0 && value) command = _wtoi(argv[i + 1]);
        if (std::wcscmp(argv[i], L"--action-type") == 0 && value) actionType = _wtoi(argv[i + 1]);
        if (std::wcscmp(argv[i], L"--cancel-countdown") == 0) cancelCountdown = true;
        if (std::wcscmp(argv[i], L"--click-in") == 0 && i + 2 < argc) {
            clickIn = argv[i + 1];
            clickId = _wtoi(argv[i + 2]);
        }
        if (std::wcscmp(argv[i], L"--tray-menu") == 0) trayMenu = true;
        if (std::wcscmp(argv[i], L"--close-menu") == 0) closeMenu = true;
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
        if (command) bw::reader::PostCommand(command);
        if (actionType)
            if (HWND dialog = bw::reader::FindAddAction())
                bw::reader::ChooseActionType(dialog, actionType);
        if (clickIn)
            if (HWND dialog = FindWindowW(L"#32770", clickIn))
                bw::reader::ClickButton(dialog, clickId);
        if (trayMenu || closeMenu) bw::reader::TrayMenu(trayMenu);
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "cannot read the main window: %s\n", failure.what());
        return 2;
    }
}
