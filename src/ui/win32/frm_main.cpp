// Positions are the window's design in twips; every one is turned into pixels for the
// window's current DPI, so the window looks the same on every monitor.
#include "ui/win32/frm_main.h"

#include <algorithm>

#include "platform/twips.h"
#include "platform/win32/gdi_text.h"
#include "platform/win32/system_error.h"
#include "platform/win32/utf16.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/icon_factory.h"

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
constexpr TwipsRect kLabel1{75, 4380, 315, 195};
constexpr TwipsRect kLstLog{45, 4620, 6090, 1725};

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

FrmMain::FrmMain(HINSTANCE instance) {
    RegisterClassOnce(instance, &Procedure);
    // Not WS_CLIPCHILDREN: the frame paints no background of its own, the window does.
    HWND window = CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, kWindowStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, nullptr, instance, this);
    if (!window) throw win32::LastErrorFailure();
    window_.reset(window);
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
    imgStat_ = child(L"STATIC", StatusPictureName(statusShown_), SS_OWNERDRAW, kIdImgStat);
    lblWinLIRCStat_ = child(L"STATIC", L" ", SS_LEFT | SS_NOPREFIX, kIdLblWinLIRCStat);
    imgWinLIRCStat_ =
        child(L"STATIC", ServerPictureName(serverShown_), SS_OWNERDRAW, kIdImgWinLIRCStat);
    label1_ = child(L"STATIC", L"Log:", SS_LEFT, kIdLabel1);
    lstLog_ = child(WC_LISTVIEWW, L"",
                    WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_OWNERDATA | LVS_SINGLESEL |
                        LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                    kIdLstLog, WS_EX_CLIENTEDGE);
    // Created last and sent to the bottom, so it never paints over what it frames.
    fraContainer_ = child(L"BUTTON", L" WinLIRC ", BS_GROUPBOX | WS_CLIPSIBLINGS, kIdFraContainer);
    SetWindowPos(fraContainer_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    ListView_SetExtendedListViewStyle(lstLog_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.pszText = const_cast<wchar_t*>(L"");
    column.cx = 20;
    ListView_InsertColumn(lstLog_, 0, &column);
}

void FrmMain::ApplyDpi(int dpi) {
    dpi_ = dpi;

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                               static_cast<UINT>(dpi));
    // The old font and picture list stay alive until the controls have let go of them.
    win32::UniqueFont font(CreateFontIndirectW(&metrics.lfMessageFont));
    for (HWND control :
         {fraContainer_, imgStat_, lblWinLIRCStat_, imgWinLIRCStat_, label1_, lstLog_})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);

    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
    AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, 0, static_cast<UINT>(dpi));
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

    const int small = Scale(24, dpi), large = Scale(32, dpi), log = Scale(16, dpi);
    imgTempStat_ = {MakeIcon(Picture::Connected, small), MakeIcon(Picture::Error, small),
                    MakeIcon(Picture::Searching, small)};
    imgTempWinLIRCStat_ = {MakeIcon(Picture::ServerRunning, large),
                           MakeIcon(Picture::ServerNotRunning, large)};

    // The log's pictures, in the order its kinds refer to them.
    win32::UniqueImageList logPictures(ImageList_Create(log, log, ILC_COLOR32, 5, 0));
    for (Picture p :
         {Picture::Connected, Picture::Error, Picture::Searching, Picture::Globe, Picture::Discs}) {
        win32::UniqueIcon icon = MakeIcon(p, log);
        ImageList_AddIcon(logPictures.get(), icon.get());
    }
    ListView_SetImageList(lstLog_, logPictures.get(), LVSIL_SMALL);
    imgStatSmall_ = std::move(logPictures);
    ListView_SetColumnWidth(lstLog_, 0, TwipsToPixels(static_cast<int>(logColumnTwips_), dpi));

    programIconSmall_ = MakeIcon(Picture::ProgramIcon, GetSystemMetricsForDpi(SM_CXSMICON, dpi));
    programIconLarge_ = MakeIcon(Picture::ProgramIcon, GetSystemMetricsForDpi(SM_CXICON, dpi));
    SendMessageW(window_.get(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(programIconSmall_.get()));
    SendMessageW(window_.get(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(programIconLarge_.get()));
    InvalidateRect(window_.get(), nullptr, TRUE);
}

void FrmMain::SetLogSource(const EventLog* log) {
    log_ = log;
    ListView_SetItemCountEx(lstLog_, log ? log->Count() : 0, 0);
}

void FrmMain::ShowCentred() {
    RECT r{};
    GetWindowRect(window_.get(), &r);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_.get(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(window_.get(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window_.get(), SW_SHOWNORMAL);
    UpdateWindow(window_.get());
}

void FrmMain::SetStatusText(const std::string& text) {
    SetWindowTextW(lblWinLIRCStat_, win32::Widen(text).c_str());
}

void FrmMain::ShowStatusPicture(StatusPicture picture) {
    statusShown_ = picture;
    SetWindowTextW(imgStat_, StatusPictureName(picture));
    InvalidateRect(imgStat_, nullptr, FALSE);
}

void FrmMain::ShowServerPicture(ServerPicture picture) {
    serverShown_ = picture;
    SetWindowTextW(imgWinLIRCStat_, ServerPictureName(picture));
    InvalidateRect(imgWinLIRCStat_, nullptr, FALSE);
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
        icon = imgTempStat_[static_cast<std::size_t>(statusShown_)].get();
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
            break;
        }
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDpi(HIWORD(wParam));
            return 0;
        }
        case WM_CLOSE:
            if (!closeQuestion_ || closeQuestion_()) DestroyWindow(window);
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
