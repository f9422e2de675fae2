// Positions are the window's design in pixels at 96 DPI; every one is scaled for the
// window's current DPI, so the window looks the same on every monitor.
#include "ui/win32/main_window/main_window.h"

#include "platform/win32/system_error.h"
#include "platform/win32/window_class.h"
#include "platform/win32/utf16.h"
#include "ui/tray_callback.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/command_line_transfer.h"
#include "ui/win32/control_layout.h"
#include "ui/win32/icon_factory.h"
#include "ui/win32/main_window/main_menus.h"
#include "ui/win32/modal_dialog.h"
#include "ui/win32/window_toolkit.h"

namespace bw::ui {

namespace {

constexpr int kClientWidth = 412, kClientHeight = 424;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// In the tab order of the design: the log, the actions, then the two buttons. The frame
// goes below the rest: it paints no background and must not cover what it frames.
// clang-format off
constexpr ControlSpec kLayout[] = {
    {L"STATIC", kIdStatusPicture, L"Searching", {16, 31, 24, 24}, SS_OWNERDRAW},
    {L"STATIC", kIdStatusText, L" ", {52, 28, 297, 34}, SS_LEFT | SS_NOPREFIX},
    {L"STATIC", kIdServerPicture, L"WinLIRC running", {362, 26, 32, 32}, SS_OWNERDRAW},
    {L"STATIC", kIdLogCaption, L"Log:", {5, 292, 21, 13}, SS_LEFT, 0, Fit::GrowToText},
    {WC_LISTVIEWW, kIdEventLog, L"", {3, 308, 406, 115},
     WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_OWNERDATA | LVS_SINGLESEL |
         LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS, WS_EX_CLIENTEDGE},
    {WC_LISTVIEWW, kIdActionList, L"", {3, 81, 406, 186},
     WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
         LVS_SHAREIMAGELISTS, WS_EX_CLIENTEDGE},
    {L"BUTTON", kIdAddActionButton, L"&Add Action", {233, 270, 84, 24},
     WS_TABSTOP | BS_PUSHBUTTON},
    {L"BUTTON", kIdRemoveButton, L"&Remove", {322, 270, 84, 24}, WS_TABSTOP | BS_PUSHBUTTON},
    {L"BUTTON", kIdServerFrame, L" WinLIRC ", {5, 7, 402, 65},
     BS_GROUPBOX | WS_CLIPSIBLINGS, 0, Fit::Design, true},
};
// clang-format on

// The action list's columns: the type's icon, the button and the action. Widths in pixels
// at 96 DPI.
struct ActionColumn {
    const wchar_t* header;
    int width;
};
constexpr ActionColumn kActionColumns[] = {{L"Icon", 18}, {L"RemKey", 100}, {L"Action", 247}};

}  // namespace

MainWindow::MainWindow(HINSTANCE instance)
    : tray_([this](unsigned event, POINT at) { OnTrayEvent(event, at); },
            [this] { trayPresence_.TaskbarCreated(); }, [this] { EndProgram(); }) {
    static const win32::WindowClass windowClass(kMainWindowClass, &win32::BoundProcedure<MainWindow>,
                                                LoadCursorW(nullptr, IDC_ARROW),
                                                GetSysColorBrush(COLOR_BTNFACE));
    // Not WS_CLIPCHILDREN: the frame paints no background of its own, the window does.
    HWND window = CreateWindowExW(0, windowClass.Name(), kMainWindowTitle, kWindowStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, instance, this);
    if (!window) throw win32::LastErrorFailure();
    window_.reset(window);
    // Attached to the window, which destroys it with itself.
    SetMenu(window, CreateMainMenu());
    CreateControls(window, kLayout);
    statusPicture_ = GetDlgItem(window, kIdStatusPicture);
    statusText_ = GetDlgItem(window, kIdStatusText);
    serverPicture_ = GetDlgItem(window, kIdServerPicture);
    eventLogView_ = GetDlgItem(window, kIdEventLog);
    actionListView_ = GetDlgItem(window, kIdActionList);
    CreateColumns();
    ApplyDpi(win32::WindowDpi(window));
    sessionNotification_.emplace(window);
}

MainWindow::~MainWindow() {
    sessionNotification_.reset();
    // The window goes first, while the pictures and fonts its controls use still exist.
    window_.reset();
}

void MainWindow::CreateColumns() {
    ListView_SetExtendedListViewStyle(eventLogView_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.pszText = const_cast<wchar_t*>(L"");
    column.cx = 20;
    ListView_InsertColumn(eventLogView_, 0, &column);

    ListView_SetExtendedListViewStyle(actionListView_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    int index = 0;
    for (const ActionColumn& c : kActionColumns) {
        column.pszText = const_cast<wchar_t*>(c.header);
        column.cx = c.width;
        ListView_InsertColumn(actionListView_, index++, &column);
    }
}

void MainWindow::ApplyDpi(int dpi) {
    dpi_ = dpi;
    // The old font and pictures stay alive until the controls have let go of them.
    win32::UniqueFont font = MessageFont(dpi);
    RECT frame{0, 0, win32::ScaleForDpi(kClientWidth, dpi), win32::ScaleForDpi(kClientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, kWindowStyle, TRUE, 0, static_cast<UINT>(dpi));
    SetWindowPos(window_.get(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControls(window_.get(), kLayout, font.get(), dpi);
    font_ = std::move(font);
    int index = 0;
    for (const ActionColumn& c : kActionColumns)
        ListView_SetColumnWidth(actionListView_, index++, win32::ScaleForDpi(c.width, dpi));
    ListView_SetColumnWidth(eventLogView_, 0, win32::ScaleForDpi(logColumnWidth_, dpi));
    MakePictures(dpi);
    // Taller rows in a list of the same place: the newest line stays in view.
    ScrollToLastLine();
}

void MainWindow::MakePictures(int dpi) {
    const int small = win32::ScaleForDpi(24, dpi), large = win32::ScaleForDpi(32, dpi),
              log = win32::ScaleForDpi(16, dpi);
    statusIcons_ = {MakeIcon(Picture::Connected, small), MakeIcon(Picture::Error, small),
                    MakeIcon(Picture::Searching, small)};
    serverIcons_ = {MakeIcon(Picture::ServerRunning, large),
                           MakeIcon(Picture::ServerNotRunning, large)};
    for (int frame = 1; frame <= 6; ++frame)
        receiveIcons_[static_cast<std::size_t>(frame - 1)] =
            MakeIcon(DrawReceiveFrame(frame, small));

    // The log's pictures, in the order its kinds refer to them.
    win32::UniqueImageList logPictures = MakeImageList(
        {Picture::Connected, Picture::Error, Picture::Searching, Picture::Globe, Picture::Discs},
        log);
    ListView_SetImageList(eventLogView_, logPictures.get(), LVSIL_SMALL);
    logIcons_ = std::move(logPictures);
    win32::UniqueImageList actionIcons = MakeActionTypeImages(log);
    ListView_SetImageList(actionListView_, actionIcons.get(), LVSIL_SMALL);
    actionTypeIcons_ = std::move(actionIcons);

    programIconSmall_ = MakeIcon(Picture::ProgramIcon, GetSystemMetricsForDpi(SM_CXSMICON, dpi));
    programIconLarge_ = MakeIcon(Picture::ProgramIcon, GetSystemMetricsForDpi(SM_CXICON, dpi));
    SendMessageW(window_.get(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(programIconSmall_.get()));
    SendMessageW(window_.get(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(programIconLarge_.get()));
}

void MainWindow::ShowCentred() {
    RECT r{};
    GetWindowRect(window_.get(), &r);
    CentreOnWorkArea(window_.get(), r.right - r.left, r.bottom - r.top);
    ShowWindow(window_.get(), SW_SHOWNORMAL);
    UpdateWindow(window_.get());
}

void MainWindow::Restore() {
    ShowWindow(window_.get(), IsIconic(window_.get()) ? SW_RESTORE : SW_SHOWNORMAL);
    SetForegroundWindow(window_.get());
}

void MainWindow::AddTrayIcon(const std::string& tip) {
    tray_.SetTip(tip);
    trayPresence_.AddTrayIcon();
}

void MainWindow::OnTrayEvent(unsigned event, POINT at) {
    switch (ActOnTrayEvent(event)) {
        case TrayAction::RestoreWindow:
            Restore();
            break;
        case TrayAction::ShowMenu: {
            const win32::UniqueMenu menu = CreateTrayMenu(ShowingPresses());
            if (const int id = ShowPopup(menu.get(), tray_.Host(), at)) OnCommand(id);
            break;
        }
        case TrayAction::None:
            break;
    }
}

void MainWindow::UpdateRemoteMenu(HMENU menu) {
    const std::optional<std::size_t> row = CurrentRow(*this);
    const std::size_t count = list_ ? list_->Count() : 0;
    auto enable = [menu](int id, bool on) {
        EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(kIdMenuEdit, row.has_value());
    enable(kIdMenuMoveUp, row && *row > 1);
    enable(kIdMenuMoveDown, row && *row < count);
    CheckMenuItem(menu, kIdMenuShowPresses,
                  MF_BYCOMMAND | (ShowingPresses() ? MF_CHECKED : MF_UNCHECKED));
}

bool MainWindow::HandleListKey(const MSG& message) {
    if (message.hwnd != actionListView_) return false;
    const bool alt = message.message == WM_SYSKEYDOWN;
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
        OnCommand(kIdMenuEdit);
        return true;
    }
    if (alt && (message.wParam == VK_UP || message.wParam == VK_DOWN)) {
        OnCommand(message.wParam == VK_UP ? kIdMenuMoveUp : kIdMenuMoveDown);
        return true;
    }
    return false;
}

void MainWindow::EndProgram() {
    // At once, from wherever the question was asked: a pass that waits underneath in a modal
    // loop (the countdown, a click's yield, a failure box) must not go on with its keys and
    // launches while the loops unwind. Everything was saved when it changed.
    if (beforeExit_) beforeExit_();
    trayPresence_.RemoveTrayIcon();
    ExitProcess(0);
}

LRESULT MainWindow::OnTransferCommand(const COPYDATASTRUCT* data) {
    // Any program of the desktop may send this: nothing about it is taken on trust.
    constexpr DWORD kMostPathBytes = 32768 * sizeof(wchar_t);
    const ULONG_PTR command = data ? data->dwData ^ kTransferTag : 0;
    if (command < static_cast<ULONG_PTR>(TransferCommand::Export) ||
        command > static_cast<ULONG_PTR>(TransferCommand::Add) || !data->lpData ||
        data->cbData == 0 || data->cbData > kMostPathBytes || data->cbData % sizeof(wchar_t) != 0)
        return kTransferAnswer + static_cast<LRESULT>(TransferResult::Failed);
    if (!transferHandler_) return kTransferNotReady;
    std::wstring path(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
    path.resize(wcsnlen(path.c_str(), path.size()));
    return kTransferAnswer + static_cast<LRESULT>(transferHandler_(
                                 static_cast<TransferCommand>(command), win32::Narrow(path)));
}

void MainWindow::OnSystemEvent(UINT message, WPARAM wParam) {
    auto tell = [](const std::function<void()>& handler) {
        if (handler) handler();
    };
    if (message == WM_POWERBROADCAST && wParam == PBT_APMSUSPEND) tell(systemEvents_.suspending);
    // Resumed automatically, and again when a user is there: said once, acted on once.
    if (message == WM_POWERBROADCAST && (wParam == PBT_APMRESUMEAUTOMATIC ||
                                         wParam == PBT_APMRESUMESUSPEND ||
                                         wParam == PBT_APMRESUMECRITICAL))
        tell(systemEvents_.resumed);
    if (message == WM_WTSSESSION_CHANGE && wParam == WTS_SESSION_LOCK) tell(systemEvents_.locked);
    if (message == WM_WTSSESSION_CHANGE && wParam == WTS_SESSION_UNLOCK)
        tell(systemEvents_.unlocked);
    // The session ends: so does the program, here, without a question.
    if (message == WM_ENDSESSION && wParam) EndProgram();
}

void MainWindow::OnCommand(int id) {
    auto run = [](const std::function<void()>& command) {
        if (command) command();
    };
    switch (id) {
        case kIdRemoveButton:
        case kIdMenuRemove:
            run(commands_.removeSelected);
            break;
        case kIdMenuNewList:
            run(commands_.newList);
            break;
        case kIdAddActionButton:
        case kIdMenuAddAction:
        case kIdTrayAddAction:
            run(commands_.addAction);
            break;
        case kIdMenuReadme:
            run(commands_.openReadme);
            break;
        case kIdMenuEdit:
            if (commands_.edit) commands_.edit(std::nullopt);
            break;
        case kIdMenuMoveUp:
        case kIdMenuMoveDown:
            if (commands_.move) commands_.move(id == kIdMenuMoveUp ? -1 : +1);
            break;
        case kIdMenuAbout:
        case kIdTrayAbout:
            run(commands_.about);
            break;
        case kIdMenuExport:
            run(commands_.exportBindings);
            break;
        case kIdMenuImport:
            run(commands_.importBindings);
            break;
        case kIdMenuShowPresses:
            run(commands_.toggleShowPresses);
            break;
        case kIdMenuOpenWindow:
            Restore();
            break;
        case kIdMenuExit:
        case kIdTrayExit:
            // The same question as the close box, also while the window sits in the tray.
            SendMessageW(window_.get(), WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
}

bool MainWindow::OnNotify(NMHDR& header) {
    if (header.hwndFrom == eventLogView_ && header.code == LVN_GETDISPINFOW) {
        FillLogItem(reinterpret_cast<NMLVDISPINFOW&>(header));
        return true;
    }
    if (header.hwndFrom != actionListView_) return false;
    switch (header.code) {
        case LVN_GETDISPINFOW:
            FillActionItem(reinterpret_cast<NMLVDISPINFOW&>(header));
            return true;
        case NM_RCLICK:
            // The right button released over the list, on a row or not: the Remote menu.
            if (const int id =
                    ShowPopup(GetSubMenu(GetMenu(window_.get()), 1), window_.get(), CursorPosition()))
                OnCommand(id);
            return true;
        case NM_DBLCLK: {
            // The row under the pointer, whatever else is selected; iItem alone is only
            // promised for a click on the first column.
            LVHITTESTINFO hit{};
            hit.pt = reinterpret_cast<NMITEMACTIVATE&>(header).ptAction;
            if (ListView_SubItemHitTest(actionListView_, &hit) >= 0 && commands_.edit)
                commands_.edit(static_cast<std::size_t>(hit.iItem) + 1);
            return true;
        }
        default:
            return false;
    }
}

bool MainWindow::OnActivate(bool active) {
    // As a dialog does: the control the user worked in has the focus again when the window
    // comes back, after a dialog or another program, not the window itself.
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_.get(), focus)) focusBeforeLeaving_ = focus;
        return false;
    }
    if (!focusBeforeLeaving_ || !IsWindow(focusBeforeLeaving_) || IsIconic(window_.get()))
        return false;
    SetFocus(focusBeforeLeaving_);
    return true;
}

LRESULT MainWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Until CreateWindowExW returns, the controls do not exist yet.
    if (!window_) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_DRAWITEM:
            DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_NOTIFY:
            if (OnNotify(*reinterpret_cast<NMHDR*>(lParam))) return 0;
            break;
        case WM_COMMAND:
            // Menus and accelerators, and buttons that were clicked.
            if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
            return 0;
        case WM_COPYDATA:
            return OnTransferCommand(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_INITMENUPOPUP:
            if (reinterpret_cast<HMENU>(wParam) == GetSubMenu(GetMenu(window), 1))
                UpdateRemoteMenu(reinterpret_cast<HMENU>(wParam));
            break;
        case WM_ACTIVATE:
            if (OnActivate(LOWORD(wParam) != WA_INACTIVE)) return 0;
            break;
        case WM_DPICHANGED:
            MoveToSuggestedRect(window, lParam);
            ApplyDpi(HIWORD(wParam));
            return 0;
        case WM_SIZE:
            // Minimised, the window lives in the tray: no taskbar button. Without an icon
            // it keeps its taskbar button, or nothing would bring it back.
            if (wParam == SIZE_MINIMIZED && trayPresence_.IconShown()) ShowWindow(window, SW_HIDE);
            return 0;
        case WM_CLOSE:
            if (!closeQuestion_ || closeQuestion_()) EndProgram();
            return 0;
        case WM_POWERBROADCAST:
        case WM_WTSSESSION_CHANGE:
        case WM_ENDSESSION:
            OnSystemEvent(message, wParam);
            return message == WM_POWERBROADCAST ? TRUE : 0;
        case WM_QUERYENDSESSION:
            return TRUE;  // a remote's program never holds up the end of a session
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            window_.release();
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace bw::ui
