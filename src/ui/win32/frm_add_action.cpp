// Positions are the dialog's design in twips, relative to the dialog (the frames' and panes'
// offsets added in), turned into pixels for the dialog's DPI. All four panes share the place
// of the first one; only the chosen type's pane shows.
#include "ui/win32/frm_add_action.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "platform/twips.h"
#include "platform/win32/utf16.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/icon_factory.h"
#include "ui/win32/run_pane_helpers.h"

namespace bw::ui {

namespace {

constexpr int kClientWidthTwips = 4965, kClientHeightTwips = 4935;
constexpr DWORD kStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kFrame1X = 90, kFrame1Y = 30, kFrame2X = 90, kFrame2Y = 1140;
constexpr int kPaneX = kFrame2X + 660, kPaneY = kFrame2Y + 1050;

using KeyCapture = FrmAddAction::KeyCapture;

std::int16_t ModifierMask() {
    std::int16_t mask = 0;
    if (GetKeyState(VK_SHIFT) < 0) mask |= 1;
    if (GetKeyState(VK_CONTROL) < 0) mask |= 2;
    if (GetKeyState(VK_MENU) < 0) mask |= 4;
    return mask;
}

// The custom key box: takes the focus and every key, Alt combinations included, and shows
// the captured key's name centred.
LRESULT CALLBACK KeyCaptureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* capture = reinterpret_cast<KeyCapture*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        case WM_LBUTTONDOWN:
            SetFocus(window);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
            InvalidateRect(window, nullptr, TRUE);
            return result;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Alt combinations arrive as system keys; they are captured, not handed on to the
            // menu.
            if (capture && capture->onKeyDown)
                capture->onKeyDown(static_cast<std::int16_t>(wParam), ModifierMask());
            return 0;
        case WM_SYSCHAR:
        case WM_CHAR:
        case WM_SYSKEYUP:
            return 0;
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(window, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r,
                     GetSysColorBrush(IsWindowEnabled(window) ? COLOR_WINDOW : COLOR_BTNFACE));
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            wchar_t text[256] = {};
            GetWindowTextW(window, text, 256);
            RECT r;
            GetClientRect(window, &r);
            SetBkMode(dc, TRANSPARENT);
            const bool name = capture && capture->role == TextRole::Name;
            SetTextColor(dc, GetSysColor(name ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
            HGDIOBJ old = SelectObject(
                dc, reinterpret_cast<HFONT>(SendMessageW(GetParent(window), WM_GETFONT, 0, 0)));
            DrawTextW(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            SelectObject(dc, old);
            if (GetFocus() == window) {
                InflateRect(&r, -2, -2);
                DrawFocusRect(dc, &r);
            }
            EndPaint(window, &paint);
            return 0;
        }
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The dialog manager turns Alt+letter into the dialog's access keys before the focused
// control sees the key. In the custom key box every key is the user's choice and must do
// nothing else, so its keys go straight to it, untranslated: no character, no access key,
// no menu.
LRESULT CALLBACK KeyCaptureFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message->message >= WM_KEYFIRST &&
        message->message <= WM_KEYLAST) {
        wchar_t cls[64] = {};
        GetClassNameW(message->hwnd, cls, static_cast<int>(std::size(cls)));
        if (lstrcmpW(cls, kKeyCaptureClass) == 0) {
            DispatchMessageW(message);
            return TRUE;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void RegisterKeyCapture() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &KeyCaptureProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kKeyCaptureClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

// The typing filter of the text to type, and select-all on focus for both text boxes.
LRESULT CALLBACK TextBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR filterTyping, DWORD_PTR) {
    if (message == WM_CHAR && filterTyping && !AcceptTypedCharacter(static_cast<char32_t>(wParam)))
        return 0;
    if (message == WM_SETFOCUS) {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        SendMessageW(window, EM_SETSEL, 0, -1);
        return result;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &TextBoxProcedure, filterTyping);
    return DefSubclassProc(window, message, wParam, lParam);
}

// The design's label widths fit its own font only: a label, option or check box grows to
// its text in this one, so that nothing is cut.
void GrowToText(HWND control, HFONT font, int extra) {
    wchar_t text[256] = {};
    GetWindowTextW(control, text, 256);
    std::wstring shown;
    for (const wchar_t* c = text; *c; ++c)
        if (*c != L'&') shown += *c;
    win32::WindowDc dc(control);
    win32::SelectedObject selected(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), shown.c_str(), static_cast<int>(shown.size()), &size);
    RECT r;
    GetWindowRect(control, &r);
    const int width = std::max<int>(r.right - r.left, size.cx + extra);
    SetWindowPos(control, nullptr, 0, 0, width, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string TextOf(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return win32::Narrow(text);
}

}  // namespace

void FrmAddAction::ShowModal(HWND owner, AddAction& logic, HWND* shown) {
    logic_ = &logic;
    shown_ = shown;
    RegisterKeyCapture();
    const win32::UniqueHook filter(
        SetWindowsHookExW(WH_MSGFILTER, &KeyCaptureFilter, nullptr, GetCurrentThreadId()));
    RunModal(kAddActionTitle, kStyle, owner);
    logic_ = nullptr;
}

void FrmAddAction::CreateControls() {
    const int dpi = Dpi();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    font_ = MessageFont();
    SendMessageW(dialog_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

    SizeAndCentre(TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi),
                  kStyle);

    // Created in the tab order of the design. Every control is a group of its own, but for
    // the keyboard options and their inputs, so that arrow keys move between the options
    // only and never click one from outside.
    bool inOptionGroup = false;
    auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y,
                     int w, int h, DWORD exStyle = 0) {
        if (!inOptionGroup) style |= WS_GROUP;
        HWND control = CreateWindowExW(
            exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, TwipsToPixels(x, dpi),
            TwipsToPixels(y, dpi), TwipsToPixels(w, dpi), TwipsToPixels(h, dpi), dialog_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        return control;
    };
    const DWORD label = SS_LEFT;
    child(L"STATIC", L"&Key Name:", label, -1, kFrame1X + 420, kFrame1Y + 585, 780, 195);
    child(L"STATIC", L"Press a Key", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY,
          kIdLblKeyName, kFrame1X + 1980, kFrame1Y + 570, 2700, 270, WS_EX_CLIENTEDGE);
    child(L"STATIC", L"&Action:", label, -1, kFrame2X + 450, kFrame2Y + 600, 495, 195);
    HWND actions = child(WC_COMBOBOXEXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                         kIdImgcboActions, kFrame2X + 1980, kFrame2Y + 570, 2700, 330 * 6);

    // The keyboard pane.
    auto& keys = panes_[0];
    keys.push_back(child(L"BUTTON", L"&Predefined Key", WS_TABSTOP | BS_AUTORADIOBUTTON,
                         kIdOptAKeyPre, kPaneX, kPaneY, 3255, 270));
    inOptionGroup = true;
    keys.push_back(child(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                         kIdCboAKeyPre, kPaneX + 285, kPaneY + 315, 2700, 315 * 8));
    keys.push_back(child(L"BUTTON", L"&Custom Key", BS_AUTORADIOBUTTON, kIdOptAKeyCustom, kPaneX,
                         kPaneY + 693, 3255, 270));
    keys.push_back(child(kKeyCaptureClass, L" Press a Key", WS_TABSTOP, kIdPicAKeyCustom,
                         kPaneX + 285, kPaneY + 1017, 2700, 270, WS_EX_CLIENTEDGE));
    keys.push_back(child(L"BUTTON", L"Custom &Text", BS_AUTORADIOBUTTON, kIdOptAKeyText, kPaneX,
                         kPaneY + 1341, 3255, 270));
    keys.push_back(child(L"EDIT", L"Text to type", WS_TABSTOP | ES_AUTOHSCROLL, kIdTxtAKeyText,
                         kPaneX + 285, kPaneY + 1665, 2700, 285, WS_EX_CLIENTEDGE));
    inOptionGroup = false;
    // The mouse, system and run panes.
    panes_[1].push_back(
        child(L"STATIC", L"&Mouse actions:", label, -1, kPaneX, kPaneY + 30, 1080, 195));
    panes_[1].push_back(child(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                              kIdCboAMosPre, kPaneX + 285, kPaneY + 315, 2700, 315 * 11));
    panes_[2].push_back(
        child(L"STATIC", L"&System actions:", label, -1, kPaneX, kPaneY + 30, 1110, 195));
    panes_[2].push_back(child(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                              kIdCboASysPre, kPaneX + 285, kPaneY + 315, 2700, 315 * 11));
    panes_[3].push_back(
        child(L"STATIC", L"&Run a specified program", label, -1, kPaneX, kPaneY + 30, 1725, 195));
    panes_[3].push_back(child(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, kIdTxtRunProgram,
                              kPaneX + 285, kPaneY + 315, 2700, 315, WS_EX_CLIENTEDGE));
    panes_[3].push_back(child(L"BUTTON", L"...", WS_TABSTOP | BS_PUSHBUTTON, kIdCmdBrowse,
                              kPaneX + 3000, kPaneY + 300, 405, 330));
    panes_[3].push_back(child(L"STATIC",
                              L"You can type any File, Folder, Document or even  Internet "
                              L"address here.",
                              label, -1, kPaneX + 315, kPaneY + 705, 3045, 600));

    child(L"BUTTON", L"Continue adding buttons", WS_TABSTOP | BS_AUTOCHECKBOX, kIdChkAutoAdd, 135,
          4560, 2175, 210 + 60);
    child(L"BUTTON", L"Add", WS_TABSTOP | BS_DEFPUSHBUTTON, kIdCmdAdd, 2460, 4530, 1185, 315);
    child(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, kIdAddCancel, 3720, 4530, 1185, 315);
    // The frames and their first lines last, sent to the bottom: they never cover a control.
    for (HWND back :
         {child(L"STATIC", L"Choose the action performed by pressing the key:", label, -1,
                kFrame2X + 135, kFrame2Y + 255, 3495, 195),
          child(L"BUTTON", L" Step 2 ", BS_GROUPBOX, -1, kFrame2X, kFrame2Y, 4800, 3270),
          child(L"STATIC", L"Press a button on the remote control:", label, -1, kFrame1X + 120,
                kFrame1Y + 255, 2610, 195),
          child(L"BUTTON", L" Step 1 ", BS_GROUPBOX, -1, kFrame1X, kFrame1Y, 4800, 1065)})
        SetWindowPos(back, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // Every label, option and check box shows its whole text.
    const int box =
        GetSystemMetricsForDpi(SM_CXMENUCHECK, static_cast<UINT>(dpi)) + MulDiv(8, dpi, 96);
    for (HWND control = GetWindow(dialog_, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(control, cls, 32);
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        const LONG kind = style & 0x0F;
        if (lstrcmpiW(cls, L"STATIC") == 0 && kind == SS_LEFT && GetDlgCtrlID(control) == -1 &&
            GetWindowTextLengthW(control) < 60)
            GrowToText(control, font_.get(), MulDiv(4, dpi, 96));
        if (lstrcmpiW(cls, L"BUTTON") == 0 &&
            (kind == BS_AUTOCHECKBOX || kind == BS_AUTORADIOBUTTON))
            GrowToText(control, font_.get(), box);
    }

    // A check box grown into the Add button pushes Add and Cancel to the right, and the
    // dialog grows with them.
    RECT check, add;
    GetWindowRect(Item(kIdChkAutoAdd), &check);
    GetWindowRect(Item(kIdCmdAdd), &add);
    const int overlap = check.right + MulDiv(6, dpi, 96) - add.left;
    if (overlap > 0) {
        for (int id : {kIdCmdAdd, kIdAddCancel}) {
            RECT r;
            GetWindowRect(Item(id), &r);
            MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
            SetWindowPos(Item(id), nullptr, r.left + overlap, r.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        RECT outer;
        GetWindowRect(dialog_, &outer);
        SetWindowPos(dialog_, nullptr, outer.left - overlap / 2, outer.top,
                     outer.right - outer.left + overlap, outer.bottom - outer.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The four action types with their pictures.
    const int icon = MulDiv(16, dpi, 96);
    imglstActionIcons_.reset(ImageList_Create(icon, icon, ILC_COLOR32, 4, 0));
    for (Picture p : {Picture::KeyboardAction, Picture::MouseAction, Picture::SystemAction,
                      Picture::RunAction}) {
        win32::UniqueIcon picture = MakeIcon(p, icon);
        ImageList_AddIcon(imglstActionIcons_.get(), picture.get());
    }
    SendMessageW(actions, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(imglstActionIcons_.get()));
    for (int type = 1; type <= 4; ++type) {
        std::wstring text = win32::Widen(kActionTypeNames[static_cast<std::size_t>(type - 1)]);
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = type - 1;
        item.pszText = text.data();
        item.iImage = item.iSelectedImage = type - 1;
        SendMessageW(actions, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }

    capture_.onKeyDown = [this](std::int16_t code, std::int16_t mask) {
        if (logic_) logic_->picAKeyCustom_KeyDown(code, mask);
    };
    SetWindowLongPtrW(Item(kIdPicAKeyCustom), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&capture_));
    SetWindowSubclass(Item(kIdTxtAKeyText), &TextBoxProcedure, 1, 0);
    SetWindowSubclass(Item(kIdTxtRunProgram), &TextBoxProcedure, 0, 0);
    SendMessageW(dialog_, DM_SETDEFID, kIdCmdAdd, 0);
}

std::string FrmAddAction::ComboText(int id) const {
    HWND combo = Item(id);
    const auto index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index < 0) return {};
    const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return win32::Narrow(text);
}

void FrmAddAction::SetKeyName(const std::string& text, TextRole role) {
    keyNameRole_ = role;
    SetWindowTextW(Item(kIdLblKeyName), win32::Widen(text).c_str());
    InvalidateRect(Item(kIdLblKeyName), nullptr, TRUE);
}

void FrmAddAction::EnableAdd(bool enabled) {
    EnableWindow(Item(kIdCmdAdd), enabled);
}

void FrmAddAction::SelectActionType(int type) {
    SendMessageW(Item(kIdImgcboActions), CB_SETCURSEL, static_cast<WPARAM>(type - 1), 0);
}

void FrmAddAction::ShowPane(int type) {
    for (std::size_t pane = 0; pane < panes_.size(); ++pane)
        for (HWND control : panes_[pane])
            ShowWindow(control, static_cast<int>(pane) == type - 1 ? SW_SHOW : SW_HIDE);
}

void FrmAddAction::SetAutoAdd(bool checked) {
    CheckDlgButton(dialog_, kIdChkAutoAdd, checked ? BST_CHECKED : BST_UNCHECKED);
}

void FrmAddAction::SetPredefinedKeys(const std::vector<std::string>& names) {
    HWND combo = Item(kIdCboAKeyPre);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : names)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Widen(name).c_str()));
}

void FrmAddAction::SelectPredefinedKey(std::size_t index) {
    SendMessageW(Item(kIdCboAKeyPre), CB_SETCURSEL, index, 0);
}

void FrmAddAction::ApplyKeyOption(KeyOption option) {
    const int checked = option == KeyOption::Predefined ? kIdOptAKeyPre
                        : option == KeyOption::Custom   ? kIdOptAKeyCustom
                                                        : kIdOptAKeyText;
    CheckRadioButton(dialog_, kIdOptAKeyPre, kIdOptAKeyText, checked);
    EnableWindow(Item(kIdCboAKeyPre), option == KeyOption::Predefined);
    EnableWindow(Item(kIdPicAKeyCustom), option == KeyOption::Custom);
    EnableWindow(Item(kIdTxtAKeyText), option == KeyOption::Text);
    // A focus change to a control that is not shown fails harmlessly.
    const int focus = option == KeyOption::Predefined ? kIdCboAKeyPre
                      : option == KeyOption::Custom   ? kIdPicAKeyCustom
                                                      : kIdTxtAKeyText;
    if (IsWindowVisible(Item(focus))) SetFocus(Item(focus));
}

void FrmAddAction::SetCustomKeyName(const std::string& text, TextRole role) {
    capture_.role = role;
    SetWindowTextW(Item(kIdPicAKeyCustom), win32::Widen(text).c_str());
}

std::string FrmAddAction::TextToType() {
    return TextOf(Item(kIdTxtAKeyText));
}

void FrmAddAction::SetMouseAndSystemLists(const std::vector<std::string>& mouse,
                                          const std::vector<std::string>& system) {
    for (const auto& [id, names] : {std::pair{kIdCboAMosPre, &mouse}, {kIdCboASysPre, &system}}) {
        HWND combo = Item(id);
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const std::string& name : *names)
            SendMessageW(combo, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(win32::Widen(name).c_str()));
    }
    SendMessageW(Item(kIdCboASysPre), CB_SETCURSEL, 0, 0);
    SendMessageW(Item(kIdCboAMosPre), CB_SETCURSEL, 0, 0);
}

void FrmAddAction::EnableAutoComplete() {
    ui::EnableAutoComplete(Item(kIdTxtRunProgram));
}

void FrmAddAction::Close() {
    if (dialog_) EndDialog(dialog_, 0);
}

void FrmAddAction::OnCommand(int id, int code, HWND) {
    if (!logic_) return;
    switch (id) {
        case kIdImgcboActions:
            if (code == CBN_SELCHANGE) {
                const auto index = SendMessageW(Item(id), CB_GETCURSEL, 0, 0);
                logic_->imgcboActions_Click(static_cast<int>(index) + 1);
            }
            break;
        case kIdOptAKeyPre:
            if (code == BN_CLICKED) logic_->KeyOption_Click(KeyOption::Predefined);
            break;
        case kIdOptAKeyCustom:
            if (code == BN_CLICKED) logic_->KeyOption_Click(KeyOption::Custom);
            break;
        case kIdOptAKeyText:
            if (code == BN_CLICKED) logic_->KeyOption_Click(KeyOption::Text);
            break;
        case kIdCboAKeyPre:
            if (code == CBN_SELCHANGE) logic_->cboAKeyPre_Click(ComboText(id));
            break;
        case kIdCboAMosPre:
            if (code == CBN_SELCHANGE) logic_->cboAMosPre_Click(ComboText(id));
            break;
        case kIdCboASysPre:
            if (code == CBN_SELCHANGE) logic_->cboASysPre_Click(ComboText(id));
            break;
        case kIdTxtAKeyText:
            if (code == EN_CHANGE) logic_->txtAKeyText_Change(TextOf(Item(id)));
            break;
        case kIdTxtRunProgram:
            if (code == EN_CHANGE) logic_->txtRunProgram_Change(TextOf(Item(id)));
            break;
        case kIdCmdBrowse:
            if (const auto path = BrowseForFile(dialog_, "Open a file or document to run"))
                SetWindowTextW(Item(kIdTxtRunProgram), win32::Widen(*path).c_str());
            break;
        case kIdChkAutoAdd:
            if (code == BN_CLICKED)
                logic_->chkAutoAdd_Click(IsDlgButtonChecked(dialog_, id) == BST_CHECKED);
            break;
        case kIdCmdAdd:
            // Enter as well; a disabled Add takes no Enter.
            if (IsWindowEnabled(Item(kIdCmdAdd))) logic_->cmdAdd_Click();
            break;
        case kIdAddCancel:
            logic_->cmdCancel_Click();
            break;
        default:
            break;  // IDCANCEL from Escape: the dialog stays
    }
}

INT_PTR FrmAddAction::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            if (shown_) *shown_ = dialog_;
            CreateControls();
            logic_->Form_Load();
            return FALSE;  // the focus was set by the keyboard option
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == Item(kIdLblKeyName)) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, GetSysColor(keyNameRole_ == TextRole::Name ? COLOR_WINDOWTEXT
                                                                            : COLOR_GRAYTEXT));
                SetBkColor(dc, GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
            }
            return FALSE;
        case WM_CLOSE:
            if (logic_) logic_->cmdCancel_Click();
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace bw::ui
