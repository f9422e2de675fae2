// The main window mainWindow: a thin shell that creates the controls, places them for the
// monitor's DPI and draws what the connection logic and the event log tell it.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "actions/action_list.h"
#include "platform/text_measure.h"
#include "platform/win32/paced_call.h"
#include "platform/win32/session_notification.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_timer.h"
#include "platform/win32/window_class.h"
#include "remote/status_display.h"
#include "ui/action_list_commands.h"
#include "ui/bindings_transfer.h"
#include "ui/event_log.h"
#include "ui/tray_presence.h"
#include "ui/win32/main_window/tray_icon.h"

namespace bw::ui {

class MainWindow final : public StatusDisplay,
                      public EventLogView,
                      public TextMeasure,
                      public ActionSelection {
  public:
    // What the user's commands do; the window only forwards them.
    struct Commands {
        std::function<void()> removeSelected;
        std::function<void()> newList;
        std::function<void()> addAction;
        std::function<void()> openReadme;
        std::function<void()> about;
        // The row double-clicked, or nothing for the row the keyboard and the menu mean.
        std::function<void(std::optional<std::size_t> row)> edit;
        std::function<void(int step)> move;  // -1 up, +1 down
        // The press display: whether it is on, and turning it the other way.
        std::function<bool()> showingPresses;
        std::function<void()> toggleShowPresses;
        std::function<void()> exportBindings, importBindings;
    };

    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return window_.get(); }

    // The lines the log list shows; it holds no copy of its own.
    void SetLogSource(EventLog* log);
    // The rows bindings shows; it holds no copy of its own.
    void SetActionSource(const ActionList* actions);
    void SetCommands(Commands commands) { commands_ = std::move(commands); }
    // Asked when the user closes the window; true ends the program at once.
    void SetCloseQuestion(std::function<bool()> question) { closeQuestion_ = std::move(question); }
    // Called on every way out, just before the process ends without running a destructor.
    void SetBeforeExit(std::function<void()> beforeExit) { beforeExit_ = std::move(beforeExit); }

    // What Windows tells every top-level window, hidden ones too, of the computer's sleep
    // and the session's lock and end.
    struct SystemEvents {
        std::function<void()> suspending, resumed, locked, unlocked;
    };
    void SetSystemEvents(SystemEvents events) { systemEvents_ = std::move(events); }
    // A second start's "/export", "/import" or "/add", handed over in WM_COPYDATA: the
    // command and the full path; its result goes back as the second start's exit code.
    // Until it is set (the list is loaded), the second start is told to ask again.
    void SetTransferHandler(
        std::function<TransferResult(TransferCommand command, const std::string& path)> handler) {
        transferHandler_ = std::move(handler);
    }

    // Enter on the action list edits its row, Alt+Up and Alt+Down move it; true when the
    // message was one of these and is handled.
    bool HandleListKey(const MSG& message);

    void ShowCentred();
    // Normal and shown again, and in front; a shown window is only activated.
    void Restore();
    // Start-up step 1: the icon in the notification area, with its tip.
    void AddTrayIcon(const std::string& tip);

    void SetStatusText(const std::string& text) override;
    void ShowStatusPicture(StatusPicture picture) override;
    void ShowServerPicture(ServerPicture picture) override;
    void ShowReceiveFrame(int frame) override;

    // bindings follows the list: called with the new count after every change.
    void ActionRowsChanged(std::size_t count);
    std::vector<std::size_t> SelectedRows() override;
    std::optional<std::size_t> FocusedRow() override;
    void SelectOnly(std::optional<std::size_t> position) override;

    void LinesWritten() override;
    void LinesChanged(std::size_t lineCount, std::size_t droppedAtFront) override;
    void ScrollToLastLine() override;
    void SetColumnWidth(float widthAt96) override;

    float WidthAt96(const std::string& text) override;

  private:
    friend LRESULT CALLBACK win32::BoundProcedure<MainWindow>(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateColumns();
    // Fonts, pictures and positions for a DPI; called at creation and when the DPI changes.
    void ApplyDpi(int dpi);
    void MakePictures(int dpi);
    // What a button line changed, drawn once the lines at hand are handled.
    void RefreshViews();
    void DrawPicture(const DRAWITEMSTRUCT& item);
    void FillLogItem(NMLVDISPINFOW& info);
    void FillActionItem(NMLVDISPINFOW& info);
    void OnCommand(int id);
    // True when the notification or activation is handled.
    bool OnNotify(NMHDR& header);
    bool OnActivate(bool active);
    // Edit and the moves are greyed where they would do nothing; the press display's item
    // is checked while it is on.
    void UpdateRemoteMenu(HMENU menu);
    bool ShowingPresses() const { return commands_.showingPresses && commands_.showingPresses(); }
    void OnTrayEvent(unsigned event, POINT at);
    void OnSystemEvent(UINT message, WPARAM wParam);
    // The tagged result of a second start's command; Failed for data that is no command.
    LRESULT OnTransferCommand(const COPYDATASTRUCT* data);
    [[noreturn]] void EndProgram();
    // The picture and accessible name the status picture shows now.
    HICON StatusIcon() const;
    std::wstring StatusName() const;

    win32::UniqueWindow window_;
    HWND statusPicture_ = nullptr;
    HWND statusText_ = nullptr;
    HWND serverPicture_ = nullptr;
    HWND eventLogView_ = nullptr;
    HWND actionListView_ = nullptr;
    HWND focusBeforeLeaving_ = nullptr;

    int dpi_ = 96;
    win32::UniqueFont font_;
    win32::UniqueIcon programIconSmall_, programIconLarge_;
    std::array<win32::UniqueIcon, 3> statusIcons_;         // by StatusPicture
    std::array<win32::UniqueIcon, 2> serverIcons_;  // by ServerPicture
    std::array<win32::UniqueIcon, 6> receiveIcons_;
    win32::UniqueImageList logIcons_;
    win32::UniqueImageList actionTypeIcons_;
    StatusPicture statusShown_ = StatusPicture::Searching;
    int receiveFrameShown_ = 0;  // 0 while the status picture shows no receive frame
    bool receiveFrameDrawn_ = true;
    ServerPicture serverShown_ = ServerPicture::Running;

    EventLog* log_ = nullptr;
    float logColumnWidth_ = EventLog::kInitialColumnWidth;  // pixels at 96 DPI
    const ActionList* list_ = nullptr;
    Commands commands_;
    std::wstring itemText_;  // holds the text a list item shows until the list copies it
    std::function<bool()> closeQuestion_;
    std::function<void()> beforeExit_;
    SystemEvents systemEvents_;
    std::function<TransferResult(TransferCommand, const std::string&)> transferHandler_;
    std::optional<win32::SessionNotification> sessionNotification_;
    TrayIcon tray_;
    win32::WindowTimer trayRetry_;
    TrayPresence trayPresence_{tray_, trayRetry_};
    // Drawn once a burst of lines is over; under a flood, twice a second.
    win32::PacedCall refresh_{[this] { RefreshViews(); }, std::chrono::milliseconds(10),
                              std::chrono::milliseconds(500)};
};

}  // namespace bw::ui
