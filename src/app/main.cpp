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
#include "platform/win32/win32_foreground_program.h"
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
#include "remote/foreground_watch.h"
#include "remote/server_connection.h"
#include "ui/action_list_commands.h"
#include "ui/event_log.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/frm_exit_windows_time_out.h"
#include "ui/win32/frm_main.h"
#include "ui/win32/main_message_loop.h"
#include "ui/win32/program_dialogs.h"

namespace {

using namespace bw;

constexpr const char* kAppTitle = "Buttonwise";

// Every part of the program, built in the order of its members: each one only needs those
// above it. The constructor wires them; Run starts up and runs the message loop.
class Program {
  public:
    explicit Program(HINSTANCE instance);
    int Run();

  private:
    // The exit question and the About box belong to the main window while the user sees
    // it; asked from the tray with the window hidden, they stand alone.
    HWND ShownMainWindow() const {
        HWND window = frmMain.Handle();
        return IsWindowVisible(window) && !IsIconic(window) ? window : nullptr;
    }

    win32::WinsockSession winsock;
    ui::FrmMain frmMain;
    win32::Win32MessageBoxes questions{[this] { return ShownMainWindow(); }};
    // Any other box belongs to the window the user works in, a dialog included.
    win32::Win32MessageBoxes boxes{[this]() -> HWND {
        if (HWND active = GetActiveWindow()) return active;
        return ShownMainWindow();
    }};
    EventLog lstLog{frmMain, frmMain};
    ActionList lstActions{lstLog};
    win32::RegistryStore settings;
    ListPersistence persistence{settings, lstActions, lstLog};
    ActionListCommands listCommands{lstActions, persistence, frmMain, boxes};

    win32::Win32ProgramFolder folder;
    win32::AnsiCodePage ansi;
    win32::Win32KeyboardInput keys;
    Keyboard keyboard{keys};
    win32::Win32MouseInput pointer;
    win32::Win32MessagePump pump;
    Mouse mouse{pointer, pump};
    win32::Win32Shell shell;
    Launcher launcher{shell, folder, lstLog};
    ui::FrmExitWindowsTimeOut frmExitWindowsTimeOut;
    win32::Win32Timer tmrExit;
    win32::Win32ExitSession session;
    ExitCountdown countdown{frmExitWindowsTimeOut, tmrExit, session, lstLog};
    win32::Win32Volume volume;
    win32::Win32WindowCommands windows;
    SystemActions system{keyboard, volume, windows, countdown, lstLog};
    LineFailureReport lineFailures{boxes, lstLog};
    win32::Win32ForegroundProgram foreground;
    ForegroundWatch inFront{foreground, lstLog};
    ActionDispatch dispatch{lstActions,
                            {std::bind_front(&Keyboard::SimulateKeyboard, &keyboard),
                             std::bind_front(&Mouse::DoMouseAction, &mouse),
                             std::bind_front(&SystemActions::RunSys, &system),
                             std::bind_front(&Launcher::RunFile, &launcher),
                             std::bind_front(&ExitCountdown::CancelByButton, &countdown)},
                            lstLog,
                            lineFailures,
                            inFront};
    ButtonMessages buttons{frmMain, lineFailures, lstLog, ansi,
                           std::bind_front(&ActionDispatch::RunActions, &dispatch)};
    win32::WinsockTcpClient wscLIRC;
    win32::Win32Timer tmrWinLIRCCheck;
    ServerConnection connection{wscLIRC, tmrWinLIRCCheck, frmMain, lstLog};

    const std::string readme = FileInFolder(folder.Path(), "Readme.txt");
    ui::ProgramDialogs dialogs{{lstActions, persistence, keyboard, boxes, buttons, launcher},
                               std::string(kAppTitle) + " " + BUTTONWISE_SHORT_VERSION,
                               readme,
                               [this] { return frmMain.Handle(); },
                               [this] { return ShownMainWindow(); }};
};

Program::Program(HINSTANCE instance) : frmMain(instance) {
    frmMain.SetLogSource(&lstLog);
    frmMain.SetCloseQuestion([this] {
        return questions.Show("Are you sure you want to exit?", kAppTitle,
                              kMbYesNo | kMbIconQuestion) == kIdYes;
    });
    lstActions.SetChangedHandler([this](std::size_t count) { frmMain.ActionRowsChanged(count); });
    frmMain.SetActionSource(&lstActions);
    connection.SetLineHandler([this](const std::string& line) { buttons.OnLine(line); });
    frmMain.SetCommands({
        [this] { listCommands.cmdRemove_Click(); },
        [this] { listCommands.miNewActionList_Click(); },
        [this] { dialogs.OpenAddAction(); },
        [this] { launcher.RunFile(readme); },
        [this] { dialogs.OpenAbout(); },
        [this](std::optional<std::size_t> row) {
            if (!row) row = listCommands.CurrentRow();
            if (row) dialogs.OpenEditAction(*row);
        },
        [this](int step) { listCommands.MoveSelected(step); },
    });
}

int Program::Run() {
    // Start-up, in this order: the tray icon exists before the first connection attempt,
    // and the key table before the saved list, whose rows may name its keys.
    frmMain.AddTrayIcon(kAppTitle);
    connection.Connect2WinLIRC();
    keyboard.LoadKeyMap(folder, ansi, lstLog);
    persistence.LoadList();
    frmMain.ShowCentred();
    return ui::RunMessageLoop(frmMain.Handle(),
                              std::bind_front(&ui::FrmMain::HandleListKey, &frmMain));
}

int Run(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    Program program(instance);
    return program.Run();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Libraries loaded by name from now on (the system's own loads among them) come from
    // the system folder only, never from the program's folder or the current one, where
    // anyone who can write a file could put one. The linked ones are all known to Windows.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // One copy at a time: two would both connect and carry out every press twice. A second
    // start brings the running copy's window up instead.
    bw::win32::UniqueKernelHandle oneCopy(
        CreateMutexW(nullptr, FALSE, L"Local\\Buttonwise.OneCopy"));
    // A copy that runs as administrator made the mutex: this one may not even open it.
    if (GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_ACCESS_DENIED) {
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
