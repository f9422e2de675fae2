// Positions are pixels at 96 DPI, scaled for the dialog's monitor. The link to the receiver
// server sits in a gap of blanks left in the description's first line; the gap is measured
// in the dialog's font so that the link fits it whatever the font.
#include "ui/win32/about/about_box.h"

#include "platform/win32/gdi_text.h"
#include "platform/win32/utf16.h"
#include "platform/win32/window_class.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/control_layout.h"
#include "ui/win32/icon_factory.h"
#include "ui/win32/window_toolkit.h"

namespace bw::ui {

namespace {

constexpr DWORD kStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr COLORREF kLinkColour = RGB(96, 111, 213);
constexpr COLORREF kClickedLinkColour = RGB(150, 18, 97);
constexpr int kIdLink0 = 500, kIdLink1 = 501, kIdAboutPicture = 502, kIdVersion = 503,
              kIdDescription = 504, kIdNotice = 505, kIdRule = 506;
constexpr wchar_t kLink0[] = L" WinLIRC ", kBeforeLink0[] = L"By using";

// The links first: they lie over the description and must take its clicks. The first
// link's place and the second's left edge follow the measured texts before them.
constexpr ControlSpec kLayout[] = {
    {L"STATIC", kIdAboutPicture, L"", {6, 9, 48, 48}, SS_ICON | SS_REALSIZECONTROL},
    {L"STATIC", kIdLink0, kLink0, {63, 36, 0, 16}, SS_NOTIFY | SS_NOPREFIX, 0,
     Fit::GrowToText},
    {L"STATIC", kIdVersion, L"", {63, 14, 200, 16}, SS_LEFT | SS_NOPREFIX},
    // Clipped by its siblings: the link above it in the gap stays visible.
    {L"STATIC", kIdDescription, L"", {63, 36, 281, 51},
     SS_LEFT | SS_NOPREFIX | WS_CLIPSIBLINGS},
    {L"STATIC", kIdNotice, L"Free to use and to pass on; see the", {15, 89, 0, 16},
     SS_LEFT | SS_NOPREFIX, 0, Fit::GrowToText},
    {L"STATIC", kIdLink1, L"Readme.txt", {15, 89, 0, 16}, SS_NOTIFY | SS_NOPREFIX, 0,
     Fit::GrowToText},
    {L"STATIC", kIdRule, L"", {8, 115, 337, 2}, SS_ETCHEDHORZ},
    {L"BUTTON", IDOK, L"OK", {261, 124, 84, 23}, WS_TABSTOP | BS_DEFPUSHBUTTON},
};

}  // namespace

void AboutBox::ShowModal(HWND owner, HWND* shown) {
    shown_ = shown;
    RunModal(L"About Buttonwise", kStyle, owner);
}

void AboutBox::CreateControls() {
    ui::CreateControls(dialog_, kLayout);
    links_ = {GetDlgItem(dialog_, kIdLink0), GetDlgItem(dialog_, kIdLink1)};
    SetWindowTextW(GetDlgItem(dialog_, kIdVersion), win32::Widen(version_).c_str());
    SetWindowPos(links_[0], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ApplyDpi(Dpi());
    SetClientSize(win32::ScaleForDpi(353, Dpi()), win32::ScaleForDpi(153, Dpi()), true);
}

void AboutBox::ApplyDpi(int dpi) {
    win32::UniqueFont font = MessageFont(dpi), linkFont = MessageFont(dpi, true);
    PlaceControls(dialog_, kLayout, font.get(), dpi);
    for (HWND link : links_)
        SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont.get()), TRUE);
    font_ = std::move(font);
    linkFont_ = std::move(linkFont);

    // The description with a gap of blanks as wide as the link that goes into it.
    HWND description = GetDlgItem(dialog_, kIdDescription);
    const int linkWidth = win32::TextWidthPixels(description, linkFont_.get(), kLink0);
    std::wstring gap;
    while (win32::TextWidthPixels(description, font_.get(), gap) < linkWidth) gap += L' ';
    SetWindowTextW(description,
                   (kBeforeLink0 + gap +
                    L"as a driver and Buttonwise as a controlling interface, you can control all "
                    L"aspect of your pc, just by using a Remote control.")
                       .c_str());
    const RECT text = PlaceInParent(description);
    MoveControl(links_[0],
                text.left + win32::TextWidthPixels(description, font_.get(), kBeforeLink0),
                text.top);
    const RECT notice = PlaceInParent(GetDlgItem(dialog_, kIdNotice));
    MoveControl(links_[1], notice.right, notice.top);

    win32::UniqueIcon icon = MakeIcon(Picture::ProgramIcon, win32::ScaleForDpi(48, dpi));
    SendMessageW(GetDlgItem(dialog_, kIdAboutPicture), STM_SETICON,
                 reinterpret_cast<WPARAM>(icon.get()), 0);
    icon_ = std::move(icon);
    SetClientSize(win32::ScaleForDpi(353, dpi), win32::ScaleForDpi(153, dpi), false);
}

void AboutBox::OpenLink(int index) {
    // The colour changes whether or not the address opened.
    launcher_.Open(index == 0 ? kWinLircHomePage : readmePath_);
    clicked_[static_cast<std::size_t>(index)] = true;
    InvalidateRect(links_[static_cast<std::size_t>(index)], nullptr, TRUE);
}

INT_PTR AboutBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            if (shown_) *shown_ = dialog_;
            CreateControls();
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog_, 0);  // OK, Enter and Escape
                return TRUE;
            }
            if (HIWORD(wParam) == STN_CLICKED && LOWORD(wParam) == kIdLink0) OpenLink(0);
            if (HIWORD(wParam) == STN_CLICKED && LOWORD(wParam) == kIdLink1) OpenLink(1);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            for (std::size_t i = 0; i < links_.size(); ++i) {
                if (reinterpret_cast<HWND>(lParam) != links_[i]) continue;
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, clicked_[i] ? kClickedLinkColour : kLinkColour);
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
            }
            return FALSE;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == links_[0] ||
                reinterpret_cast<HWND>(wParam) == links_[1]) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            EndDialog(dialog_, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace bw::ui
