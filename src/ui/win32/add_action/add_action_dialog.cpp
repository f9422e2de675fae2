// The Add Action dialog's window: its controls from the layout table, the typing filter of
// its text boxes, and what each control tells the dialog's logic.
#include "ui/win32/add_action/add_action_dialog.h"

#include <algorithm>

#include "platform/win32/utf16.h"
#include "platform/win32/window_class.h"
#include "ui/win32/add_action/add_action_layout.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/control_layout.h"
#include "ui/win32/icon_factory.h"
#include "ui/win32/add_action/file_choice.h"
#include "ui/win32/add_action/visible_programs.h"
#include "ui/win32/window_toolkit.h"

namespace bw::ui {

namespace {

using namespace add_action_layout;

constexpr DWORD kStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

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

}  // namespace

void AddActionDialog::ShowModal(HWND owner, BindingEditor& logic, HWND* shown) {
    logic_ = &logic;
    shown_ = shown;
    RegisterKeyCaptureBox();
    const win32::UniqueHook filter = RouteKeysToCaptureBoxes();
    RunModal(kAddActionTitle, kStyle, owner);
    logic_ = nullptr;
}

void AddActionDialog::CreateControls() {
    ui::CreateControls(dialog_, kLayout);
    // The four action types with their pictures.
    for (ActionType type : kActionTypes) {
        std::wstring text = win32::Widen(ActionTypeName(type));
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = static_cast<int>(type) - 1;
        item.pszText = text.data();
        item.iImage = item.iSelectedImage = static_cast<int>(type) - 1;
        SendMessageW(Item(kIdActionType), CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    capture_.onKeyDown = [this](std::int16_t code, std::int16_t mask) {
        if (logic_) logic_->CaptureKey(code, mask);
    };
    AttachKeyCapture(Item(kIdCustomKey), &capture_);
    SetWindowSubclass(Item(kIdTextToType), &TextBoxProcedure, 1, 0);
    SetWindowSubclass(Item(kIdRunPath), &TextBoxProcedure, 0, 0);
    for (const std::string& program : ProgramsWithVisibleWindows())
        SendMessageW(Item(kIdProgram), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(win32::Widen(program).c_str()));
    SendMessageW(dialog_, DM_SETDEFID, kIdAdd, 0);
    ApplyDpi(Dpi());
    SetClientSize(clientWidth_, win32::ScaleForDpi(kClientHeight, Dpi()), true);
}

void AddActionDialog::ApplyDpi(int dpi) {
    win32::UniqueFont font = MessageFont(dpi);
    SendMessageW(dialog_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    PlaceControls(dialog_, kLayout, font.get(), dpi);
    font_ = std::move(font);
    // A check box grown into the Add button pushes Add and Cancel to the right, and the
    // dialog grows with them.
    RECT check, add;
    GetWindowRect(Item(kIdContinueAdding), &check);
    GetWindowRect(Item(kIdAdd), &add);
    const int overlap = std::max<int>(0, check.right + win32::ScaleForDpi(6, dpi) - add.left);
    for (int id : {kIdAdd, kIdCancel}) {
        const RECT r = PlaceInParent(Item(id));
        MoveControl(Item(id), r.left + overlap, r.top);
    }
    clientWidth_ = win32::ScaleForDpi(kClientWidth, dpi) + overlap;
    SetClientSize(clientWidth_, win32::ScaleForDpi(kClientHeight, dpi), false);

    // The old pictures go only once the box has let go of them.
    win32::UniqueImageList pictures = MakeActionTypeImages(win32::ScaleForDpi(16, dpi));
    SendMessageW(Item(kIdActionType), CBEM_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(pictures.get()));
    actionTypeIcons_ = std::move(pictures);
}

std::string AddActionDialog::ComboText(int id) const {
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

void AddActionDialog::SetKeyName(const std::string& text, TextRole role) {
    keyNameRole_ = role;
    SetWindowTextW(Item(kIdButtonName), win32::Widen(text).c_str());
    InvalidateRect(Item(kIdButtonName), nullptr, TRUE);
}

void AddActionDialog::EnableAdd(bool enabled) {
    EnableWindow(Item(kIdAdd), enabled);
}

void AddActionDialog::SelectActionType(ActionType type) {
    SendMessageW(Item(kIdActionType), CB_SETCURSEL, static_cast<WPARAM>(type) - 1, 0);
}

void AddActionDialog::ShowPane(ActionType type) {
    for (const PaneControl& control : kPanes)
        ShowWindow(Item(control.id), control.pane == type ? SW_SHOW : SW_HIDE);
}

void AddActionDialog::SetAutoAdd(bool checked) {
    CheckDlgButton(dialog_, kIdContinueAdding, checked ? BST_CHECKED : BST_UNCHECKED);
}

void AddActionDialog::SetPredefinedKeys(const std::vector<std::string>& names) {
    HWND combo = Item(kIdPredefinedKeys);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& name : names)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Widen(name).c_str()));
}

void AddActionDialog::SelectPredefinedKey(std::size_t index) {
    SendMessageW(Item(kIdPredefinedKeys), CB_SETCURSEL, index, 0);
}

void AddActionDialog::ApplyKeyOption(KeyOption option) {
    const int checked = option == KeyOption::Predefined ? kIdPredefinedOption
                        : option == KeyOption::Custom   ? kIdCustomOption
                                                        : kIdTextOption;
    CheckRadioButton(dialog_, kIdPredefinedOption, kIdTextOption, checked);
    EnableWindow(Item(kIdPredefinedKeys), option == KeyOption::Predefined);
    EnableWindow(Item(kIdCustomKey), option == KeyOption::Custom);
    EnableWindow(Item(kIdTextToType), option == KeyOption::Text);
    // A focus change to a control that is not shown fails harmlessly.
    const int focus = option == KeyOption::Predefined ? kIdPredefinedKeys
                      : option == KeyOption::Custom   ? kIdCustomKey
                                                      : kIdTextToType;
    if (IsWindowVisible(Item(focus))) SetFocus(Item(focus));
}

void AddActionDialog::SetCustomKeyName(const std::string& text, TextRole role) {
    capture_.role = role;
    SetWindowTextW(Item(kIdCustomKey), win32::Widen(text).c_str());
}

std::string AddActionDialog::TextToType() {
    return win32::WindowText(Item(kIdTextToType));
}

void AddActionDialog::SetMouseAndSystemLists(const std::vector<std::string>& mouse,
                                          const std::vector<std::string>& system) {
    for (const auto& [id, names] : {std::pair{kIdMouseActions, &mouse}, {kIdSystemActions, &system}}) {
        HWND combo = Item(id);
        SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        for (const std::string& name : *names)
            SendMessageW(combo, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(win32::Widen(name).c_str()));
    }
    SendMessageW(Item(kIdSystemActions), CB_SETCURSEL, 0, 0);
    SendMessageW(Item(kIdMouseActions), CB_SETCURSEL, 0, 0);
}

void AddActionDialog::EnableAutoComplete() {
    ui::EnableAutoComplete(Item(kIdRunPath));
}

void AddActionDialog::SetRemoteName(const std::string& remote) {
    SetWindowTextW(Item(kIdRemoteName), win32::Widen(remote).c_str());
    EnableWindow(Item(kIdOnlyForRemote), !remote.empty());
}

void AddActionDialog::SetOnlyForRemote(bool checked) {
    CheckDlgButton(dialog_, kIdOnlyForRemote, checked ? BST_CHECKED : BST_UNCHECKED);
}

void AddActionDialog::SetProgram(const std::string& program) {
    SetWindowTextW(Item(kIdProgram), win32::Widen(program).c_str());
}

void AddActionDialog::SetProgramHint(const std::string& hint) {
    SetWindowTextW(Item(kIdProgramHint), win32::Widen(hint).c_str());
}

void AddActionDialog::SetTextToType(const std::string& text) {
    SetWindowTextW(Item(kIdTextToType), win32::Widen(text).c_str());
}

void AddActionDialog::SetActionValue(ActionType type, const std::string& value) {
    const std::wstring text = win32::Widen(value);
    if (type == ActionType::Run) {
        SetWindowTextW(Item(kIdRunPath), text.c_str());
        return;
    }
    HWND combo = Item(type == ActionType::Mouse ? kIdMouseActions : kIdSystemActions);
    const auto index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void AddActionDialog::ShowWhen(When when, bool canHold, const std::string& explanation) {
    const int checked = when == When::Held   ? kIdWhenHeld
                        : when == When::Long ? kIdWhenLong
                                             : kIdWhenPressed;
    CheckRadioButton(dialog_, kIdWhenPressed, kIdWhenLong, checked);
    EnableWindow(Item(kIdWhenHeld), canHold);
    SetWindowTextW(Item(kIdWhenExplanation), win32::Widen(explanation).c_str());
}

void AddActionDialog::ShowAsEdit() {
    SetWindowTextW(dialog_, kEditActionTitle);
    SetWindowTextW(Item(kIdAdd), L"OK");
    ShowWindow(Item(kIdContinueAdding), SW_HIDE);
}

void AddActionDialog::Close() {
    if (dialog_) EndDialog(dialog_, 0);
}

void AddActionDialog::OnCommand(int id, int code, HWND) {
    if (!logic_) return;
    switch (id) {
        case kIdActionType:
            if (code == CBN_SELCHANGE) {
                const auto index = SendMessageW(Item(id), CB_GETCURSEL, 0, 0);
                if (index >= 0 && index < static_cast<LRESULT>(kActionTypes.size()))
                    logic_->ChooseActionType(kActionTypes[static_cast<std::size_t>(index)]);
            }
            break;
        case kIdPredefinedOption:
            if (code == BN_CLICKED) logic_->ChooseKeyOption(KeyOption::Predefined);
            break;
        case kIdCustomOption:
            if (code == BN_CLICKED) logic_->ChooseKeyOption(KeyOption::Custom);
            break;
        case kIdTextOption:
            if (code == BN_CLICKED) logic_->ChooseKeyOption(KeyOption::Text);
            break;
        case kIdPredefinedKeys:
            if (code == CBN_SELCHANGE) logic_->ChoosePredefinedKey(ComboText(id));
            break;
        case kIdMouseActions:
            if (code == CBN_SELCHANGE) logic_->ChooseMouseAction(ComboText(id));
            break;
        case kIdSystemActions:
            if (code == CBN_SELCHANGE) logic_->ChooseSystemAction(ComboText(id));
            break;
        case kIdTextToType:
            if (code == EN_CHANGE) logic_->TextToTypeChanged(win32::WindowText(Item(id)));
            break;
        case kIdRunPath:
            if (code == EN_CHANGE) logic_->RunPathChanged(win32::WindowText(Item(id)));
            break;
        case kIdBrowseRun:
            if (const auto path = BrowseForFile(dialog_, "Open a file or document to run"))
                SetWindowTextW(Item(kIdRunPath), win32::Widen(*path).c_str());
            break;
        case kIdContinueAdding:
            if (code == BN_CLICKED)
                logic_->ContinueAddingChanged(IsDlgButtonChecked(dialog_, id) == BST_CHECKED);
            break;
        case kIdAdd:
            // Enter as well; a disabled Add takes no Enter.
            if (IsWindowEnabled(Item(kIdAdd))) logic_->Confirm();
            break;
        case kIdCancel:
            logic_->Cancel();
            break;
        default:
            OnWhereCommand(id, code);  // IDCANCEL from Escape: the dialog stays
            break;
    }
}

void AddActionDialog::OnWhereCommand(int id, int code) {
    switch (id) {
        case kIdWhenPressed:
        case kIdWhenHeld:
        case kIdWhenLong:
            if (code == BN_CLICKED)
                logic_->ChooseWhen(id == kIdWhenHeld   ? When::Held
                                   : id == kIdWhenLong ? When::Long
                                                       : When::Pressed);
            break;
        case kIdOnlyForRemote:
            if (code == BN_CLICKED)
                logic_->OnlyForRemoteChanged(IsDlgButtonChecked(dialog_, id) == BST_CHECKED);
            break;
        case kIdProgram:
            if (code == CBN_EDITCHANGE) logic_->ProgramChanged(win32::WindowText(Item(id)));
            if (code == CBN_SELCHANGE) logic_->ProgramChanged(ComboText(id));
            break;
        case kIdBrowseProgram:
            if (const auto path = BrowseForFile(dialog_, "Choose the program")) {
                const std::string name = ProgramFileName(*path);
                SetWindowTextW(Item(kIdProgram), win32::Widen(name).c_str());
                logic_->ProgramChanged(name);
            }
            break;
        default:
            break;
    }
}

INT_PTR AddActionDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            if (shown_) *shown_ = dialog_;
            CreateControls();
            logic_->Open();
            return FALSE;  // the focus was set by the keyboard option
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == Item(kIdButtonName)) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, GetSysColor(keyNameRole_ == TextRole::Name ? COLOR_WINDOWTEXT
                                                                            : COLOR_GRAYTEXT));
                SetBkColor(dc, GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
            }
            return FALSE;
        case WM_CLOSE:
            if (logic_) logic_->Cancel();
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace bw::ui
