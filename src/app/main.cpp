// The composition root: builds the real platform, opens frmMain, runs the message loop.

#include <exception>
#include <functional>

#include "platform/win32/win32_config.h"

#include "version.h"

#include "actions/action_list.h"
#include "actions/list_persistence.h"
#include "emulation/exit_countdown.h"
#include "emulation/keyboard.h"
#include "emulation/launcher.h"
#include "emulation/mouse.h"
#include "emulation/system_actions.h"
#include "platform/failure_guard.h"
#include "platform/message_boxes.h"
#include "platform/program_folder.h"
#include "platform/win32/ansi_code_page.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/registry_store.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_keyboard_input.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_message_pump.h"
#include "platform/win32/win32_mouse_input.h"
#include "platform/win32/win32_program_folder.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system_services.h"
#include "platform/win32/win32_timer.h"
#include "platform/win32/winsock_session.h"
#include "platform/win32/winsock_tcp_client.h"
#include "remote/action_dispatch.h"
#include "remote/button_messages.h"
#include "remote/server_connection.h"
#include "ui/action_list_commands.h"
#include "ui/event_log.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/frm_exit_windows_time_out.h"
#include "ui/win32/frm_main.h"
#include "ui/win32/main_message_loop.h"
#include "ui/win32/program_dialogs.h"

namespace {

constexpr const char* kAppTitle = "Buttonwise";

int Run(HINSTANCE instance) {
    using namespace bw;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    win32::WinsockSession winsock;
    win32::ComApartment com;  // the shell and the audio services need it

    ui::FrmMain frmMain(instance);
    // The exit question and the About box belong to the main window while the user sees
    // it; asked from the tray with the window hidden, they stand alone.
    auto shownMainWindow = [&frmMain]() -> HWND {
        HWND window = frmMain.Handle();
        return IsWindowVisible(window) && !IsIconic(window) ? window : nullptr;
    };
    win32::Win32MessageBoxes questions(shownMainWindow);
    // Any other box belongs to the window the user works in, a dialog included.
    win32::Win32MessageBoxes boxes([&shownMainWindow]() -> HWND {
        if (HWND active = GetActiveWindow()) return active;
        return shownMainWindow();
    });
    EventLog lstLog(frmMain, frmMain);
    frmMain.SetLogSource(&lstLog);
    frmMain.SetCloseQuestion([&questions] {
        return questions.Show("Are you sure you want to exit?", kAppTitle,
                              kMbYesNo | kMbIconQuestion) == kIdYes;
    });

    ActionList lstActions(lstLog);
    lstActions.SetChangedHandler(
        [&frmMain](std::size_t count) { frmMain.ActionRowsChanged(count); });
    frmMain.SetActionSource(&lstActions);
    win32::RegistryStore settings;
    ListPersistence persistence(settings, lstActions, lstLog);
    ActionListCommands listCommands(lstActions, persistence, frmMain, boxes);

    win32::Win32ProgramFolder folder;
    win32::Win32KeyboardInput keys;
    Keyboard keyboard(keys);
    win32::Win32MouseInput pointer;
    win32::Win32MessagePump pump;
    Mouse mouse(pointer, pump);
    win32::Win32Shell shell;
    Launcher launcher(shell, folder, lstLog);
    ui::FrmExitWindowsTimeOut frmExitWindowsTimeOut;
    win32::Win32Timer tmrExit;
    win32::Win32ExitSession session;
    ExitCountdown countdown(frmExitWindowsTimeOut, tmrExit, session, lstLog);
    win32::Win32Volume volume;
    win32::Win32WindowCommands windows;
    SystemActions system(keyboard, volume, windows, countdown, lstLog);
    LineFailureReport lineFailures(boxes, lstLog);
    ActionDispatch dispatch(lstActions,
                            {std::bind_front(&Keyboard::SimulateKeyboard, &keyboard),
                             std::bind_front(&Mouse::DoMouseAction, &mouse),
                             std::bind_front(&SystemActions::RunSys, &system),
                             std::bind_front(&Launcher::RunFile, &launcher)},
                            lstLog, lineFailures);
    win32::AnsiCodePage ansi;
    ButtonMessages buttons(frmMain, lineFailures, ansi,
                           [&dispatch](const std::string& RemKeyName, std::int16_t NumRpt) {
                               dispatch.RunActions(RemKeyName, NumRpt);
                           });

    win32::WinsockTcpClient wscLIRC;
    win32::Win32Timer tmrWinLIRCCheck;
    ServerConnection connection(wscLIRC, tmrWinLIRCCheck, frmMain, lstLog);
    connection.SetLineHandler([&buttons](const std::string& line) { buttons.OnLine(line); });

    const std::string readme = FileInFolder(folder.Path(), "Readme.txt");
    ui::ProgramDialogs dialogs(
        {lstActions, persistence, keyboard, boxes, buttons, launcher},
        std::string(kAppTitle) + " " + BUTTONWISE_SHORT_VERSION, readme,
        [&frmMain] { return frmMain.Handle(); }, shownMainWindow);
    frmMain.SetCommands({
        [&listCommands] { listCommands.cmdRemove_Click(); },
        [&listCommands] { listCommands.miNewActionList_Click(); },
        [&dialogs] { dialogs.OpenAddAction(); },
        [&launcher, readme] { launcher.RunFile(readme); },
        [&dialogs] { dialogs.OpenAbout(); },
    });

    // Start-up, in this order: the tray icon exists before the first connection attempt,
    // and the key table before the saved list, whose rows may name its keys.
    frmMain.AddTrayIcon(kAppTitle);
    connection.Connect2WinLIRC();
    keyboard.LoadKeyMap(folder, ansi, lstLog);
    persistence.LoadList();

    frmMain.ShowCentred();
    return ui::RunMessageLoop(frmMain.Handle());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // One copy at a time: two would both connect and carry out every press twice. A second
    // start brings the running copy's window up instead.
    bw::win32::UniqueKernelHandle oneCopy(
        CreateMutexW(nullptr, FALSE, L"Local\\Buttonwise.OneCopy"));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        if (HWND running = FindWindowW(bw::ui::kMainWindowClass, nullptr)) {
            ShowWindow(running, IsIconic(running) ? SW_RESTORE : SW_SHOWNORMAL);
            SetForegroundWindow(running);
        }
        return 0;
    }
    int result = 1;
    bw::RunGuarded([&] { result = Run(instance); },
                   [](const std::string& description) {
                       bw::win32::Win32MessageBoxes(nullptr).ShowFailure(description);
                   });
    return result;
}
