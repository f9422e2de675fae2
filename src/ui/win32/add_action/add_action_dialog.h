// The Add Action dialog window: a thin window over the dialog's logic. Built afresh
// at every opening, modal to the main window; button lines keep arriving while it is open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "ui/binding_editor.h"
#include "ui/win32/add_action/key_capture_box.h"
#include "ui/win32/modal_dialog.h"

namespace bw::ui {

class AddActionDialog final : public BindingEditorView, private ModalDialog {
  public:
    // Returns when the dialog has closed; *shown names the dialog while it is open.
    void ShowModal(HWND owner, BindingEditor& logic, HWND* shown);

    void SetKeyName(const std::string& text, TextRole role) override;
    void EnableAdd(bool enabled) override;
    void SelectActionType(ActionType type) override;
    void ShowPane(ActionType type) override;
    void SetAutoAdd(bool checked) override;
    void SetPredefinedKeys(const std::vector<std::string>& names) override;
    void SelectPredefinedKey(std::size_t index) override;
    void ApplyKeyOption(KeyOption option) override;
    void SetCustomKeyName(const std::string& text, TextRole role) override;
    std::string TextToType() override;
    void SetMouseAndSystemLists(const std::vector<std::string>& mouse,
                                const std::vector<std::string>& system) override;
    void EnableAutoComplete() override;
    void SetRemoteName(const std::string& remote) override;
    void SetOnlyForRemote(bool checked) override;
    void SetProgram(const std::string& program) override;
    void SetProgramHint(const std::string& hint) override;
    void SetTextToType(const std::string& text) override;
    void SetActionValue(ActionType type, const std::string& value) override;
    void ShowWhen(When when, bool canHold, const std::string& explanation) override;
    void ShowAsEdit() override;
    void Close() override;

  private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ApplyDpi(int dpi) override;
    void CreateControls();
    void OnCommand(int id, int code, HWND control);
    // The remote's check box, the program box and its browse button.
    void OnWhereCommand(int id, int code);
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    std::string ComboText(int id) const;

    BindingEditor* logic_ = nullptr;
    HWND* shown_ = nullptr;
    int clientWidth_ = 0;  // the design's, or wider when Add and Cancel had to move right
    TextRole keyNameRole_ = TextRole::Prompt;
    KeyCapture capture_;
    win32::UniqueFont font_;
    win32::UniqueImageList actionTypeIcons_;
};

}  // namespace bw::ui
