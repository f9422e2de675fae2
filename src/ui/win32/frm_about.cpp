// Positions are pixels at 96 DPI, scaled for the dialog's monitor. The link to the receiver
// server sits in a gap of blanks left in the description's first line; the gap is measured
// in the dialog's font so that the link fits it whatever the font.
#include "ui/win32/frm_about.h"

#include <algorithm>

#include "platform/win32/utf16.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/icon_factory.h"

namespace bw::ui {

namespace {

constexpr DWORD kStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr COLORREF kLinkColour = RGB(96, 111, 213);
constexpr COLORREF kClickedLinkColour = RGB(150, 18, 97);
constexpr int kIdLink0 = 500, kIdLink1 = 501;

int TextWidth(HDC dc, const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

void FrmAbout::ShowModal(HWND owner, HWND* shown) {
    shown_ = shown;
    RunModal(L"About Buttonwise", kStyle, owner);
}

void FrmAbout::CreateControls() {
    const int dpi = Dpi();
    auto scale = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
    HINSTANCE instance = GetModuleHandleW(nullptr);
    LONG fontHeight = 0;
    font_ = MessageFont(&fontHeight);
    linkFont_ = MessageFont(nullptr, true);

    // The description with a gap of blanks as wide as the link that goes into it.
    const std::wstring before = L"By using", link0 = L" WinLIRC ";
    std::wstring gap, description;
    int beforeWidth = 0, linkWidth = 0;
    {
        win32::WindowDc dc(dialog_);
        win32::SelectedObject selected(dc.get(), linkFont_.get());
        linkWidth = TextWidth(dc.get(), link0);
        win32::SelectedObject plain(dc.get(), font_.get());
        beforeWidth = TextWidth(dc.get(), before);
        while (TextWidth(dc.get(), gap) < linkWidth) gap += L' ';
    }
    description = before + gap +
                  L"as a driver and Buttonwise as a controlling interface, you can control all "
                  L"aspect of your pc, just by using a Remote control.";

    const int clientWidth = scale(353), clientHeight = scale(153);
    SizeAndCentre(clientWidth, clientHeight, kStyle);

    auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y,
                     int w, int h, HFONT font) {
        HWND control =
            CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, dialog_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return control;
    };
    const int line = std::abs(fontHeight) + scale(3);
    icon_ = MakeIcon(Picture::ProgramIcon, scale(48));
    HWND image1 = child(L"STATIC", L"", SS_ICON | SS_REALSIZECONTROL, -1, scale(6), scale(9),
                        scale(48), scale(48), nullptr);
    SendMessageW(image1, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
    // The links first: they lie over the description and must take its clicks.
    lblURL_[0] = child(L"STATIC", link0.c_str(), SS_NOTIFY | SS_NOPREFIX, kIdLink0,
                       scale(63) + beforeWidth, scale(36), linkWidth, line, linkFont_.get());
    const std::wstring link1 = L"Readme.txt";
    const std::wstring notice = L"Free to use and to pass on; see the";
    child(L"STATIC", win32::Widen(version_).c_str(), SS_LEFT | SS_NOPREFIX, -1, scale(63),
          scale(14), scale(200), line, font_.get());
    // Clipped by its siblings: the link above it in the gap stays visible.
    child(L"STATIC", description.c_str(), SS_LEFT | SS_NOPREFIX | WS_CLIPSIBLINGS, -1, scale(63),
          scale(36), scale(281), scale(89 - 36 - 2), font_.get());
    int noticeWidth = 0, link1Width = 0;
    {
        win32::WindowDc dc(dialog_);
        win32::SelectedObject plain(dc.get(), font_.get());
        noticeWidth = TextWidth(dc.get(), notice) + scale(4);
        win32::SelectedObject selected(dc.get(), linkFont_.get());
        link1Width = TextWidth(dc.get(), link1) + scale(2);
    }
    child(L"STATIC", notice.c_str(), SS_LEFT | SS_NOPREFIX, -1, scale(15), scale(89), noticeWidth,
          line, font_.get());
    lblURL_[1] = child(L"STATIC", link1.c_str(), SS_NOTIFY | SS_NOPREFIX, kIdLink1,
                       scale(15) + noticeWidth, scale(89), link1Width, line, linkFont_.get());
    child(L"STATIC", L"", SS_ETCHEDHORZ, -1, scale(8), scale(115), scale(337), scale(2), nullptr);
    child(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, scale(261), scale(124), scale(84),
          scale(23), font_.get());
    SetWindowPos(lblURL_[0], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void FrmAbout::OpenLink(int index) {
    // The colour changes whether or not the address opened.
    launcher_.RunFile(index == 0 ? kWinLircHomePage : readmePath_);
    clicked_[static_cast<std::size_t>(index)] = true;
    InvalidateRect(lblURL_[static_cast<std::size_t>(index)], nullptr, TRUE);
}

INT_PTR FrmAbout::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
            for (std::size_t i = 0; i < lblURL_.size(); ++i) {
                if (reinterpret_cast<HWND>(lParam) != lblURL_[i]) continue;
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, clicked_[i] ? kClickedLinkColour : kLinkColour);
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
            }
            return FALSE;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == lblURL_[0] ||
                reinterpret_cast<HWND>(wParam) == lblURL_[1]) {
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
