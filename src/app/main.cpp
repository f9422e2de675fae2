// The composition root: builds the real platform, opens frmMain, runs the message loop.

#include <exception>

#include "platform/win32/win32_config.h"

#include "actions/action_list.h"
#include "actions/list_persistence.h"
#include "emulation/keyboard.h"
#include "platform/failure.h"
#include "platform/message_boxes.h"
#include "platform/win32/registry_store.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_keyboard_input.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_program_folder.h"
#include "platform/win32/win32_timer.h"
#include "platform/win32/winsock_session.h"
#include "platform/win32/winsock_tcp_client.h"
#include "remote/action_dispatch.h"
#include "remote/button_messages.h"
#include "remote/server_connection.h"
#include "ui/action_list_commands.h"
#include "ui/event_log.h"
#include "ui/win32/frm_main.h"

namespace {

constexpr const char* kAppTitle = "Buttonwise";

// The executors of the action types.
class Executors final : public bw::ActionExecutors {
  public:
    explicit Executors(bw::Keyboard& keyboard) : keyboard_(keyboard) {}

    void SimulateKeyboard(const std::string& Text, std::uint8_t KeyCode, std::uint8_t KeyShift,
                          std::int16_t KeyType) override {
        keyboard_.SimulateKeyboard(Text, KeyCode, KeyShift, KeyType);
    }
    // Mouse, system and run rows load, show and log like every row; their executors are
    // the next thing to come, and until then such a row does nothing when it runs.
    void DoMouseAction(const std::string&, std::int16_t, std::int16_t) override {}
    void RunSys(const std::string&, std::int16_t) override {}
    void RunFile(const std::string&) override {}

  private:
    bw::Keyboard& keyboard_;
};

int RunMessageLoop(HWND mainWindow) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Tab and the mnemonics move between the window's controls.
        if (IsDialogMessageW(mainWindow, &message)) continue;
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

    ActionList lstActions(lstLog);
    lstActions.SetChangedHandler(
        [&frmMain](std::size_t count) { frmMain.ActionRowsChanged(count); });
    frmMain.SetActionSource(&lstActions);
    win32::RegistryStore settings;
    ListPersistence persistence(settings, lstActions, lstLog);
    ActionListCommands listCommands(lstActions, persistence, frmMain, boxes);
    frmMain.SetCommands({[&listCommands] { listCommands.cmdRemove_Click(); },
                         [&listCommands] { listCommands.miNewActionList_Click(); }});

    win32::Win32KeyboardInput keys;
    Keyboard keyboard(keys);
    Executors executors(keyboard);
    ActionDispatch dispatch(lstActions, executors, lstLog, boxes);
    win32::AnsiCodePage ansi;
    ButtonMessages buttons(frmMain, boxes, ansi,
                           [&dispatch](const std::string& RemKeyName, std::int16_t NumRpt) {
                               dispatch.RunActions(RemKeyName, NumRpt);
                           });

    win32::WinsockTcpClient wscLIRC;
    win32::Win32Timer tmrWinLIRCCheck;
    ServerConnection connection(wscLIRC, tmrWinLIRCCheck, frmMain, lstLog);
    connection.SetLineHandler([&buttons](const std::string& line) { buttons.OnLine(line); });

    // Start-up, in this order. The tray icon comes first once the program has one; the
    // key table is there before the saved list, whose rows may name its keys.
    connection.Connect2WinLIRC();
    win32::Win32ProgramFolder folder;
    keyboard.LoadKeyMap(folder, ansi, lstLog);
    persistence.LoadList();

    frmMain.ShowCentred();
    return RunMessageLoop(frmMain.Handle());
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
