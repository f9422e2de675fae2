// The composition root: builds the real platform, opens frmMain, runs the message loop.

#include <exception>

#include "platform/win32/win32_config.h"

#include "platform/failure.h"
#include "platform/message_boxes.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_timer.h"
#include "platform/win32/winsock_session.h"
#include "platform/win32/winsock_tcp_client.h"
#include "remote/server_connection.h"
#include "ui/event_log.h"
#include "ui/win32/frm_main.h"

namespace {

constexpr const char* kAppTitle = "Buttonwise";

int RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

int Run(HINSTANCE instance) {
    using namespace bw;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    win32::WinsockSession winsock;

    ui::FrmMain frmMain(instance);
    win32::Win32MessageBoxes boxes([&frmMain] { return frmMain.Handle(); });
    EventLog lstLog(frmMain, frmMain);
    frmMain.SetLogSource(&lstLog);
    frmMain.SetCloseQuestion([&boxes] {
        return boxes.Show("Are you sure you want to exit?", kAppTitle,
                          kMbYesNo | kMbIconQuestion) == kIdYes;
    });

    win32::WinsockTcpClient wscLIRC;
    win32::Win32Timer tmrWinLIRCCheck;
    ServerConnection connection(wscLIRC, tmrWinLIRCCheck, frmMain, lstLog);

    connection.Connect2WinLIRC();
    frmMain.ShowCentred();
    return RunMessageLoop();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        return Run(instance);
    } catch (const std::exception& failure) {
        MessageBoxW(nullptr, bw::win32::Widen(failure.what()).c_str(), L"Error happened",
                    MB_OK | MB_ICONSTOP);
        return 1;
    }
}
