// The composition root: builds the real platform, opens mainWindow, runs the message loop.

#include <exception>
#include <functional>

#include "platform/win32/windows_api.h"

#include "version.h"

#include "actions/action_list.h"
#include "actions/list_persistence.h"
#include "emulation/exit_countdown.h"
#include "emulation/held_input.h"
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
#include "platform/win32/foreground_process.h"
#include "platform/win32/send_input_keyboard.h"
#include "platform/win32/window_message_boxes.h"
#include "platform/win32/peek_message_pump.h"
#include "platform/win32/press_timing.h"
#include "platform/win32/send_input_mouse.h"
#include "platform/win32/module_folder.h"
#include "platform/win32/desktop_shell.h"
#include "platform/win32/disk_files.h"
#include "platform/win32/system_services.h"
#include "platform/win32/window_timer.h"
#include "platform/win32/winsock_session.h"
#include "platform/win32/winsock_tcp_client.h"
#include "remote/action_dispatch.h"
#include "remote/button_messages.h"
#include "remote/button_presses.h"
#include "remote/foreground_watch.h"
#include "remote/power_events.h"
#include "remote/server_connection.h"
#include "ui/action_list_commands.h"
#include "ui/bindings_transfer.h"
#include "ui/event_log.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/countdown/countdown_window.h"
#include "ui/win32/main_window/main_window.h"
#include "ui/win32/command_line_transfer.h"
#include "ui/win32/file_dialogs.h"
#include "ui/win32/main_window/main_message_loop.h"
#include "ui/win32/on_screen/press_window.h"
#include "ui/press_display.h"
#include "ui/win32/program_dialogs.h"

namespace {

using namespace bw;

constexpr const char* kAppTitle = "Buttonwise";
constexpr const wchar_t* kRegFileFilter = L"Registration files (*.reg)\0*.reg\0";

// Every part of the program, built in the order of its members: each one only needs those
// above it. The constructor wires them; Run starts up and runs the message loop.
class Program {
  public:
    explicit Program(HINSTANCE instance);
    int Run();

  private:
    void ExportBindings() {
        if (const auto path = ui::ChooseFileToSave(mainWindow.Handle(),
                                                   {kExportTitle, kRegFileFilter,
                                                    kBindingsFileName, L"reg"}))
            transfer.Export(*path, BindingsTransfer::Mode::Ask);
    }
    void ImportBindings() {
        if (const auto path = ui::ChooseFileToOpen(
                mainWindow.Handle(), {kImportTitle, kRegFileFilter, {}, L"reg", true}))
            transfer.Import(*path, BindingsTransfer::Mode::Ask);
    }

    // The exit question and the About box belong to the main window while the user sees
    // it; asked from the tray with the window hidden, they stand alone.
    HWND ShownMainWindow() const {
        HWND window = mainWindow.Handle();
        return IsWindowVisible(window) && !IsIconic(window) ? window : nullptr;
    }

    win32::WinsockSession winsock;
    ui::MainWindow mainWindow;
    win32::WindowMessageBoxes questions{[this] { return ShownMainWindow(); }};
    // Any other box belongs to the window the user works in, a dialog included.
    win32::WindowMessageBoxes boxes{[this]() -> HWND {
        if (HWND active = GetActiveWindow()) return active;
        return ShownMainWindow();
    }};
    EventLog eventLog{mainWindow, mainWindow};
    ActionList bindings{eventLog};
    win32::RegistryStore settings;
    ListPersistence persistence{settings, bindings, eventLog};
    ActionListCommands listCommands{bindings, persistence, mainWindow, boxes};

    win32::ModuleFolder folder;
    win32::AnsiCodePage ansi;
    win32::SendInputKeyboard keys;
    Keyboard keyboard{keys, eventLog};
    win32::SendInputMouse pointer;
    win32::PeekMessagePump pump;
    Mouse mouse{pointer, pump, eventLog};
    win32::TickClock clock;
    HeldInput held{keyboard, mouse, clock, win32::SystemKeyRepeat};
    SessionState session{clock, eventLog};
    win32::DesktopShell shell;
    Launcher launcher{shell, folder, eventLog};
    ui::CountdownWindow countdownWindow;
    win32::WindowTimer countdownTimer;
    win32::ExitWindowsSession sessionEnd{[this] { return mainWindow.Handle(); }};
    ExitCountdown countdown{countdownWindow, countdownTimer, sessionEnd, eventLog};
    win32::EndpointVolume volume;
    win32::ForegroundWindowCommands windows{[this] { return mainWindow.Handle(); }};
    SystemActions system{keyboard, volume, windows, countdown, eventLog};
    LineFailureReport lineFailures{boxes, eventLog};
    win32::ForegroundProcess foreground;
    ForegroundWatch inFront{foreground, eventLog};
    ActionDispatch dispatch{bindings,
                            {std::bind_front(&Keyboard::Run, &keyboard),
                             std::bind_front(&Mouse::Act, &mouse),
                             std::bind_front(&SystemActions::Run, &system),
                             std::bind_front(&Launcher::Open, &launcher),
                             std::bind_front(&ExitCountdown::CancelByButton, &countdown),
                             std::bind_front(&HeldInput::Hold, &held),
                             std::bind_front(&HeldInput::ReleaseAll, &held),
                             std::bind_front(&SessionState::PassOver, &session)},
                            eventLog,
                            lineFailures,
                            inFront};
    win32::WindowTimer pressTimer;
    const Millis longPressMs =
        LongPressMsFrom(settings.Read(kSettingsApplication, "Settings", "LongPressMs", ""));
    ButtonPresses presses{dispatch, held, clock, pressTimer, longPressMs};
    ButtonMessages buttons{mainWindow, lineFailures, eventLog, ansi,
                           std::bind_front(&ButtonPresses::OnLine, &presses)};
    win32::WinsockTcpClient serverClient;
    win32::WindowTimer reconnectTimer;
    ServerConnection connection{serverClient, reconnectTimer, mainWindow, eventLog};
    PowerEvents power{session, presses, countdown, connection, eventLog};
    ui::PressWindow pressWindow;
    win32::WindowTimer pressShownTimer;
    PressDisplay onScreen{pressWindow, pressShownTimer, clock, settings, eventLog};

    win32::DiskFiles files;
    BindingsTransfer transfer{bindings, persistence, files, ansi, boxes, eventLog};

    const std::string readme = FileInFolder(folder.Path(), "Readme.txt");
    ui::ProgramDialogs dialogs{{bindings, persistence, keyboard, boxes, buttons, launcher,
                                longPressMs},
                               std::string(kAppTitle) + " " + BUTTONWISE_SHORT_VERSION,
                               readme,
                               [this] { return mainWindow.Handle(); },
                               [this] { return ShownMainWindow(); }};
};

Program::Program(HINSTANCE instance) : mainWindow(instance), pressWindow(instance) {
    dispatch.SetOutcome(onScreen);
    system.SetOutcome(onScreen);
    mainWindow.SetLogSource(&eventLog);
    mainWindow.SetCloseQuestion([this] {
        return questions.Show("Are you sure you want to exit?", kAppTitle,
                              kMbYesNo | kMbIconQuestion) == kIdYes;
    });
    // A held key belongs to a row that may no longer be there, or mean the same.
    bindings.SetChangedHandler([this](std::size_t count) {
        presses.DropPress();
        mainWindow.ActionRowsChanged(count);
    });
    connection.SetEndHandler([this] { presses.DropPress(); });
    // Nothing shows on the lock screen, nor lingers as the computer goes to sleep.
    mainWindow.SetSystemEvents({[this] {
                                    onScreen.SetAsleep(true);
                                    power.Suspending();
                                },
                                [this] {
                                    onScreen.SetAsleep(false);
                                    power.Resumed();
                                },
                                [this] {
                                    onScreen.SetLocked(true);
                                    power.Locked();
                                },
                                [this] {
                                    onScreen.SetLocked(false);
                                    power.Unlocked();
                                }});
    // The process ends without running a destructor: nothing may stay held.
    mainWindow.SetBeforeExit([this] { power.Exiting(); });
    // A failure of the Add Action dialog's learning shows its box outside any pass.
    lineFailures.SetBeforeBox([this] { held.ReleaseAll(); });
    mainWindow.SetActionSource(&bindings);
    connection.SetLineHandler([this](const std::string& line) { buttons.OnLine(line); });
    mainWindow.SetCommands({
        [this] { listCommands.RemoveSelected(); },
        [this] { listCommands.NewList(); },
        [this] { dialogs.OpenAddAction(); },
        [this] { launcher.Open(readme); },
        [this] { dialogs.OpenAbout(); },
        [this](std::optional<std::size_t> row) {
            if (!row) row = listCommands.CurrentRow();
            if (row) dialogs.OpenEditAction(*row);
        },
        [this](int step) { listCommands.MoveSelected(step); },
        [this] { return onScreen.Enabled(); },
        [this] { onScreen.SetEnabled(!onScreen.Enabled()); },
        [this] { ExportBindings(); },
        [this] { ImportBindings(); },
    });
}

int Program::Run() {
    // Start-up, in this order: the tray icon exists before the first connection attempt,
    // and the key table before the saved list, whose rows may name its keys.
    mainWindow.AddTrayIcon(kAppTitle);
    connection.Connect();
    keyboard.LoadKeyMap(folder, ansi, eventLog);
    persistence.LoadList();
    // Only now: a command handed over before would act on a list not yet loaded.
    mainWindow.SetTransferHandler([this](TransferCommand command, const std::string& path) {
        // The Add Action dialog adds and edits rows by their place in the list.
        if (command != TransferCommand::Export && dialogs.ActionDialogOpen()) {
            eventLog.Write(LogKind::Error, "A list could not be imported from the command line "
                                           "while the Add Action dialog is open.");
            return TransferResult::Failed;
        }
        return transfer.Run(command, path);
    });
    mainWindow.ShowCentred();
    return ui::RunMessageLoop(mainWindow.Handle(),
                              std::bind_front(&ui::MainWindow::HandleListKey, &mainWindow));
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
    const bw::CommandLineTransfer transfer = bw::ParseCommandLine(bw::ui::CommandLineArguments());
    // One copy at a time: two would both connect and carry out every press twice. A second
    // start brings the running copy's window up instead.
    bw::win32::UniqueKernelHandle oneCopy(
        CreateMutexW(nullptr, FALSE, L"Local\\Buttonwise.OneCopy"));
    // A copy that runs as administrator made the mutex: this one may not even open it.
    const bool anotherCopy =
        GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_ACCESS_DENIED;
    // Alone, it holds the mutex while it works: a copy started meanwhile does not load a
    // list that is being written.
    if (transfer.command != bw::TransferCommand::None)
        return anotherCopy ? bw::ui::HandOverTransfer(transfer) : bw::ui::RunTransferAlone(transfer);
    if (anotherCopy) {
        if (HWND running = FindWindowW(bw::ui::kMainWindowClass, nullptr)) {
            ShowWindow(running, IsIconic(running) ? SW_RESTORE : SW_SHOWNORMAL);
            SetForegroundWindow(running);
        }
        return 0;
    }
    int result = 1;
    bw::RunGuarded([&] { result = Run(instance); },
                   [](const std::string& description) {
                       bw::win32::WindowMessageBoxes(nullptr).ShowFailure(description);
                   });
    return result;
}
