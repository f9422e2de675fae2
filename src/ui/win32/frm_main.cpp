// Positions are the window's design in twips; every one is turned into pixels for the
// window's current DPI, so the window looks the same on every monitor.
#include "ui/win32/frm_main.h"

#include <algorithm>

#include "platform/twips.h"
#include "platform/win32/gdi_text.h"
#include "platform/win32/system_error.h"
#include "platform/win32/utf16.h"
#include "ui/tray_callback.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/icon_factory.h"
#include "ui/win32/main_menus.h"
#include "ui/win32/modal_dialog.h"

namespace bw::ui {

namespace {

struct TwipsRect {
    int left, top, width, height;
};

constexpr int kClientWidthTwips = 6180;
constexpr int kClientHeightTwips = 6360;
constexpr TwipsRect kFraContainer{75, 105, 6030, 975};
// Inside the frame, so offset by its position.
constexpr TwipsRect kImgStat{75 + 165, 105 + 360, 360, 360};
constexpr TwipsRect kLblWinLIRCStat{75 + 705, 105 + 315, 4455, 510};
constexpr TwipsRect kImgWinLIRCStat{75 + 5355, 105 + 285, 480, 480};
constexpr TwipsRect kLstActions{45, 1215, 6090, 2790};
constexpr TwipsRect kCmdAddAction{3495, 4050, 1260, 360};
constexpr TwipsRect kCmdRemove{4830, 4050, 1260, 360};
constexpr TwipsRect kLabel1{75, 4380, 315, 195};
constexpr TwipsRect kLstLog{45, 4620, 6090, 1725};

// lstActions' columns: the icon, the button and the action are shown; the rest carry what
// the action needs and stay hidden. Widths in pixels at 96 DPI.
struct ActionColumn {
    const wchar_t* header;
    int width;
};
constexpr ActionColumn kActionColumns[] = {
    {L"Icon", 18},   {L"RemKey", 100}, {L"Action", 247}, {L"KeyName", 0},
    {L"KeyCode", 0}, {L"KeyShift", 0}, {L"KeyType", 0},
};

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Accessible names of the pictures: what a screen reader says, and what the picture shows.
const wchar_t* StatusPictureName(StatusPicture picture) {
    switch (picture) {
        case StatusPicture::Connected:
            return L"Connected";
        case StatusPicture::Error:
            return L"Error";
        case StatusPicture::Searching:
            return L"Searching";
    }
    return L"";
}

const std::string& ActionColumnText(const ActionRow& row, int column) {
    static const std::string none;
    switch (column) {
        case 1:
            return row.RemKey;
        case 2:
            return row.Action;
        case 3:
            return row.KeyName;
        case 4:
            return row.KeyCode;
        case 5:
            return row.KeyShift;
        case 6:
            return row.KeyType;
        default:
            return none;
    }
}

const wchar_t* ServerPictureName(ServerPicture picture) {
    return picture == ServerPicture::Running ? L"WinLIRC running" : L"WinLIRC not running";
}

int Scale(int pixelsAt96, int dpi) {
    return MulDiv(pixelsAt96, dpi, 96);
}

void Place(HWND control, const TwipsRect& r, int dpi) {
    SetWindowPos(control, nullptr, TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi),
                 TwipsToPixels(r.width, dpi), TwipsToPixels(r.height, dpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

int WindowDpi(HWND window) {
    const UINT dpi = GetDpiForWindow(window);
    return dpi ? static_cast<int>(dpi) : 96;
}

void RegisterClassOnce(HINSTANCE instance, WNDPROC procedure) {
    static const bool registered = [&] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kMainWindowClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

FrmMain::FrmMain(HINSTANCE instance)
    : tray_([this](unsigned mouseMessage) { OnTrayMouse(mouseMessage); },
            [this] { trayPresence_.TaskbarCreated(); }) {
    RegisterClassOnce(instance, &Procedure);
    // Not WS_CLIPCHILDREN: the frame paints no background of its own, the window does.
    HWND window = CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, kWindowStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, instance, this);
    if (!window) throw win32::LastErrorFailure();
    window_.reset(window);
    // Attached to the window, which destroys it with itself.
    SetMenu(window, CreateMainMenu());
    CreateControls();
    ApplyDpi(WindowDpi(window));
}

FrmMain::~FrmMain() {
    // The window goes first, while the pictures and fonts its controls use still exist.
    window_.reset();
}

LRESULT CALLBACK FrmMain::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<FrmMain*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // Until CreateWindowExW returns, the object's window_ is not set yet.
    if (!self || !self->window_) return DefWindowProcW(window, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}

void FrmMain::CreateControls() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id,
                     DWORD exStyle = 0) {
        return CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                               window_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               instance, nullptr);
    };
    imgStat_ = child(L"STATIC", StatusName().c_str(), SS_OWNERDRAW, kIdImgStat);
    lblWinLIRCStat_ = child(L"STATIC", L" ", SS_LEFT | SS_NOPREFIX, kIdLblWinLIRCStat);
    imgWinLIRCStat_ =
        child(L"STATIC", ServerPictureName(serverShown_), SS_OWNERDRAW, kIdImgWinLIRCStat);
    label1_ = child(L"STATIC", L"Log:", SS_LEFT, kIdLabel1);
    // In the tab order of the design: the log, the actions, then the two buttons.
    lstLog_ = child(WC_LISTVIEWW, L"",
                    WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_OWNERDATA | LVS_SINGLESEL |
                        LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                    kIdLstLog, WS_EX_CLIENTEDGE);
    lstActions_ = child(WC_LISTVIEWW, L"",
                        WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS |
                            LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS,
                        kIdLstActions, WS_EX_CLIENTEDGE);
    cmdAddAction_ = child(L"BUTTON", L"&Add Action", WS_TABSTOP | BS_PUSHBUTTON, kIdCmdAddAction);
    cmdRemove_ = child(L"BUTTON", L"&Remove", WS_TABSTOP | BS_PUSHBUTTON, kIdCmdRemove);
    // Created last and sent to the bottom, so it never paints over what it frames.
    fraContainer_ = child(L"BUTTON", L" WinLIRC ", BS_GROUPBOX | WS_CLIPSIBLINGS, kIdFraContainer);
    SetWindowPos(fraContainer_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    ListView_SetExtendedListViewStyle(lstLog_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.pszText = const_cast<wchar_t*>(L"");
    column.cx = 20;
    ListView_InsertColumn(lstLog_, 0, &column);

    ListView_SetExtendedListViewStyle(lstActions_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    int index = 0;
    for (const ActionColumn& c : kActionColumns) {
        column.pszText = const_cast<wchar_t*>(c.header);
        column.cx = c.width;
        ListView_InsertColumn(lstActions_, index++, &column);
    }
}

void FrmMain::ApplyDpi(int dpi) {
    dpi_ = dpi;

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                               static_cast<UINT>(dpi));
    // The old font and picture list stay alive until the controls have let go of them.
    win32::UniqueFont font(CreateFontIndirectW(&metrics.lfMessageFont));
    for (HWND control : {fraContainer_, imgStat_, lblWinLIRCStat_, imgWinLIRCStat_, label1_,
                         lstLog_, lstActions_, cmdAddAction_, cmdRemove_})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);

    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
    AdjustWindowRectExForDpi(&frame, kWindowStyle, TRUE, 0, static_cast<UINT>(dpi));
    SetWindowPos(window_.get(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Place(fraContainer_, kFraContainer, dpi);
    Place(imgStat_, kImgStat, dpi);
    Place(lblWinLIRCStat_, kLblWinLIRCStat, dpi);
    Place(imgWinLIRCStat_, kImgWinLIRCStat, dpi);
    // Fonts differ from the design's; a heading is never cut, it grows to its text.
    TwipsRect label = kLabel1;
    label.width = std::max(label.width, static_cast<int>(WidthInTwips("Log:")) + 30);
    Place(label1_, label, dpi);
    Place(lstLog_, kLstLog, dpi);
    Place(lstActions_, kLstActions, dpi);
    Place(cmdAddAction_, kCmdAddAction, dpi);
    Place(cmdRemove_, kCmdRemove, dpi);
    int index = 0;
    for (const ActionColumn& c : kActionColumns)
        ListView_SetColumnWidth(lstActions_, index++, Scale(c.width, dpi));

    const int small = Scale(24, dpi), large = Scale(32, dpi), log = Scale(16, dpi);
    imgTempStat_ = {MakeIcon(Picture::Connected, small), MakeIcon(Picture::Error, small),
                    MakeIcon(Picture::Searching, small)};
    imgTempWinLIRCStat_ = {MakeIcon(Picture::ServerRunning, large),
                           MakeIcon(Picture::ServerNotRunning, large)};
    for (int frame = 1; frame <= 6; ++frame)
        imgListRecievingAnim_[static_cast<std::size_t>(frame - 1)] =
            MakeIcon(DrawReceiveFrame(frame, small));

    // The log's pictures, in the order its kinds refer to them.
    win32::UniqueImageList logPictures(ImageList_Create(log, log, ILC_COLOR32, 5, 0));
    for (Picture p :
         {Picture::Connected, Picture::Error, Picture::Searching, Picture::Globe, Picture::Discs}) {
        win32::UniqueIcon icon = MakeIcon(p, log);
        ImageList_AddIcon(logPictures.get(), icon.get());
    }
    ListView_SetImageList(lstLog_, logPictures.get(), LVSIL_SMALL);
    imgStatSmall_ = std::move(logPictures);

    win32::UniqueImageList actionIcons(ImageList_Create(log, log, ILC_COLOR32, 4, 0));
    for (Picture p : {Picture::KeyboardAction, Picture::MouseAction, Picture::SystemAction,
                      Picture::RunAction}) {
        win32::UniqueIcon icon = MakeIcon(p, log);
        ImageList_AddIcon(actionIcons.get(), icon.get());
    }
    ListView_SetImageList(lstActions_, actionIcons.get(), LVSIL_SMALL);
    imglstActionIcons_ = std::move(actionIcons);
    ListView_SetColumnWidth(lstLog_, 0, TwipsToPixels(static_cast<int>(logColumnTwips_), dpi));

    programIconSmall_ = MakeIcon(Picture::ProgramIcon, GetSystemMetricsForDpi(SM_CXSMICON, dpi));
    programIconLarge_ = MakeIcon(Picture::ProgramIcon, GetSystemMetricsForDpi(SM_CXICON, dpi));
    SendMessageW(window_.get(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(programIconSmall_.get()));
    SendMessageW(window_.get(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(programIconLarge_.get()));
    InvalidateRect(window_.get(), nullptr, TRUE);
}

void FrmMain::SetLogSource(EventLog* log) {
    log_ = log;
    ListView_SetItemCountEx(lstLog_, log ? log->Count() : 0, 0);
}

void FrmMain::ShowCentred() {
    RECT r{};
    GetWindowRect(window_.get(), &r);
    CentreOnWorkArea(window_.get(), r.right - r.left, r.bottom - r.top);
    ShowWindow(window_.get(), SW_SHOWNORMAL);
    UpdateWindow(window_.get());
}

void FrmMain::Restore() {
    ShowWindow(window_.get(), IsIconic(window_.get()) ? SW_RESTORE : SW_SHOWNORMAL);
    SetForegroundWindow(window_.get());
}

void FrmMain::AddTrayIcon(const std::string& tip) {
    // The tray draws its icons at the small icon size of the primary monitor.
    trayPicture_ = MakeIcon(Picture::ProgramIcon, GetSystemMetrics(SM_CXSMICON));
    tray_.SetPicture(trayPicture_.get(), tip);
    trayPresence_.AddTrayIcon();
}

void FrmMain::OnTrayMouse(unsigned mouseMessage) {
    switch (ActOnTrayMouse(mouseMessage)) {
        case TrayAction::RestoreWindow:
            Restore();
            break;
        case TrayAction::ShowMenu: {
            const win32::UniqueMenu menu = CreateTrayMenu();
            if (const int id = ShowPopupAtPointer(menu.get(), tray_.Host())) OnCommand(id);
            break;
        }
        case TrayAction::None:
            break;
    }
}

void FrmMain::EndProgram() {
    // At once, from wherever the question was asked: a pass that waits underneath in a modal
    // loop (the countdown, a click's yield, a failure box) must not go on with its keys and
    // launches while the loops unwind. Everything was saved when it changed.
    trayPresence_.RemoveTrayIcon();
    ExitProcess(0);
}

void FrmMain::SetStatusText(const std::string& text) {
    SetWindowTextW(lblWinLIRCStat_, win32::Widen(text).c_str());
}

void FrmMain::ShowStatusPicture(StatusPicture picture) {
    statusShown_ = picture;
    receiveFrameShown_ = 0;
    receiveFrameDrawn_ = true;
    SetWindowTextW(imgStat_, StatusName().c_str());
    InvalidateRect(imgStat_, nullptr, FALSE);
}

void FrmMain::ShowReceiveFrame(int frame) {
    if (frame < 1 || frame > 6) return;
    receiveFrameShown_ = frame;
    // Setting the picture's name repaints it at once: that waits for the refresh.
    receiveFrameDrawn_ = false;
    refresh_.Ask();
}

void FrmMain::RefreshViews() {
    if (log_) log_->ShowWrittenLines();
    if (!receiveFrameDrawn_) {
        receiveFrameDrawn_ = true;
        SetWindowTextW(imgStat_, StatusName().c_str());
        InvalidateRect(imgStat_, nullptr, FALSE);
    }
}

HICON FrmMain::StatusIcon() const {
    if (receiveFrameShown_ > 0)
        return imgListRecievingAnim_[static_cast<std::size_t>(receiveFrameShown_ - 1)].get();
    return imgTempStat_[static_cast<std::size_t>(statusShown_)].get();
}

std::wstring FrmMain::StatusName() const {
    if (receiveFrameShown_ > 0) return L"Receiving " + std::to_wstring(receiveFrameShown_);
    return StatusPictureName(statusShown_);
}

void FrmMain::SetActionSource(const ActionList* actions) {
    actions_ = actions;
    ActionRowsChanged(actions ? actions->Count() : 0);
}

void FrmMain::ActionRowsChanged(std::size_t count) {
    ListView_SetItemCountEx(lstActions_, static_cast<int>(count), LVSICF_NOSCROLL);
    // Rows below a removed one moved up; every shown row may have changed.
    InvalidateRect(lstActions_, nullptr, FALSE);
}

std::vector<std::size_t> FrmMain::SelectedRows() {
    std::vector<std::size_t> rows;
    for (int i = ListView_GetNextItem(lstActions_, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(lstActions_, i, LVNI_SELECTED))
        rows.push_back(static_cast<std::size_t>(i) + 1);
    return rows;
}

void FrmMain::SelectOnly(std::optional<std::size_t> position) {
    ListView_SetItemState(lstActions_, -1, 0, LVIS_SELECTED);
    if (!position) return;
    const int item = static_cast<int>(*position) - 1;
    ListView_SetItemState(lstActions_, item, LVIS_SELECTED, LVIS_SELECTED);
    ListView_EnsureVisible(lstActions_, item, FALSE);
}

void FrmMain::ShowServerPicture(ServerPicture picture) {
    serverShown_ = picture;
    SetWindowTextW(imgWinLIRCStat_, ServerPictureName(picture));
    InvalidateRect(imgWinLIRCStat_, nullptr, FALSE);
}

void FrmMain::LinesWritten() {
    refresh_.Ask();
}

void FrmMain::LinesChanged(std::size_t lineCount, std::size_t droppedAtFront) {
    ListView_SetItemCountEx(lstLog_, static_cast<int>(lineCount), LVSICF_NOSCROLL);
    // Every shown row moved up when old lines went.
    if (droppedAtFront > 0) InvalidateRect(lstLog_, nullptr, FALSE);
}

void FrmMain::ScrollToLastLine() {
    if (log_ && log_->Count() > 0) ListView_EnsureVisible(lstLog_, log_->Count() - 1, FALSE);
}

void FrmMain::SetColumnWidthTwips(float widthTwips) {
    logColumnTwips_ = widthTwips;
    ListView_SetColumnWidth(lstLog_, 0, TwipsToPixels(static_cast<int>(widthTwips + 0.5f), dpi_));
}

float FrmMain::WidthInTwips(const std::string& text) {
    return win32::MeasureTextTwips(window_.get(), font_.get(), dpi_, text);
}

void FrmMain::DrawPicture(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    HICON icon = nullptr;
    int size = 0;
    if (item.hwndItem == imgStat_) {
        icon = StatusIcon();
        size = Scale(24, dpi_);
    } else if (item.hwndItem == imgWinLIRCStat_) {
        icon = imgTempWinLIRCStat_[static_cast<std::size_t>(serverShown_)].get();
        size = Scale(32, dpi_);
    }
    if (icon)
        DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, icon, size, size, 0, nullptr,
                   DI_NORMAL);
}

void FrmMain::FillLogItem(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if (!log_ || item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= log_->Count()) return;
    const LogLine& line = log_->Line(static_cast<std::size_t>(item.iItem));
    if (item.mask & LVIF_TEXT) {
        itemText_ = win32::Widen(line.text);
        if (item.pszText && item.cchTextMax > 0) {
            lstrcpynW(item.pszText, itemText_.c_str(), item.cchTextMax);
        }
    }
    if (item.mask & LVIF_IMAGE) item.iImage = LogIconNumber(line.kind) - 1;
}

void FrmMain::FillActionItem(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if (!actions_ || item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= actions_->Count())
        return;
    const ActionRow& row = actions_->Row(static_cast<std::size_t>(item.iItem) + 1);
    if (item.mask & LVIF_TEXT) {
        itemText_ = win32::Widen(ActionColumnText(row, item.iSubItem));
        if (item.pszText && item.cchTextMax > 0)
            lstrcpynW(item.pszText, itemText_.c_str(), item.cchTextMax);
    }
    // The icon is the action type: 1 to 4, the list's images 0 to 3.
    if (item.mask & LVIF_IMAGE) item.iImage = static_cast<int>(row.type) - 1;
}

void FrmMain::OnCommand(int id) {
    auto run = [](const std::function<void()>& command) {
        if (command) command();
    };
    switch (id) {
        case kIdCmdRemove:
        case kIdMiRemove:
            run(commands_.cmdRemove_Click);
            break;
        case kIdMiNewActionList:
            run(commands_.miNewActionList_Click);
            break;
        case kIdCmdAddAction:
        case kIdMiAddNewAction:
        case kIdMiAddNewActionTray:
            run(commands_.cmdAddAction_Click);
            break;
        case kIdMiOpenReadme:
            run(commands_.miOpenReadme_Click);
            break;
        case kIdMiAbout:
        case kIdMiAboutTray:
            run(commands_.miAbout_Click);
            break;
        case kIdMiOpenMainWindows:
            Restore();
            break;
        case kIdMiExit:
        case kIdMiExitTray:
            // The same question as the close box, also while the window sits in the tray.
            SendMessageW(window_.get(), WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
}

LRESULT FrmMain::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_.get();
    switch (message) {
        case WM_DRAWITEM:
            DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->hwndFrom == lstLog_ && header->code == LVN_GETDISPINFOW) {
                FillLogItem(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
                return 0;
            }
            if (header->hwndFrom == lstActions_ && header->code == LVN_GETDISPINFOW) {
                FillActionItem(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
                return 0;
            }
            // The right button released over the list, on a row or not: the Remote menu.
            if (header->hwndFrom == lstActions_ && header->code == NM_RCLICK) {
                HMENU remote = GetSubMenu(GetMenu(window), 1);
                if (const int id = ShowPopupAtPointer(remote, window)) OnCommand(id);
                return 0;
            }
            break;
        }
        case WM_COMMAND:
            // Menus and accelerators, and buttons that were clicked.
            if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
            return 0;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDpi(HIWORD(wParam));
            return 0;
        }
        case WM_SIZE:
            // Minimised, the window lives in the tray: no taskbar button. Without an icon
            // it keeps its taskbar button, or nothing would bring it back.
            if (wParam == SIZE_MINIMIZED && trayPresence_.IconShown()) ShowWindow(window, SW_HIDE);
            return 0;
        case WM_CLOSE:
            if (!closeQuestion_ || closeQuestion_()) EndProgram();
            return 0;
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
