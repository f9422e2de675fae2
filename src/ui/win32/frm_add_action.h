// The Add Action dialog frmAddAction: a thin window over the dialog's logic. Built afresh
// at every opening, modal to the main window; button lines keep arriving while it is open.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "ui/add_action.h"
#include "ui/win32/modal_dialog.h"

namespace bw::ui {

class FrmAddAction final : public AddActionView, private ModalDialog {
  public:
    // The custom key box's state: it reports key presses, and shows its name as a prompt
    // or as a captured key.
    struct KeyCapture {
        std::function<void(std::int16_t code, std::int16_t mask)> onKeyDown;
        TextRole role = TextRole::Prompt;
    };

    // Returns when the dialog has closed; *shown names the dialog while it is open.
    void ShowModal(HWND owner, AddAction& logic, HWND* shown);

    void SetKeyName(const std::string& text, TextRole role) override;
    void EnableAdd(bool enabled) override;
    void SelectActionType(int type) override;
    void ShowPane(int type) override;
    void SetAutoAdd(bool checked) override;
    void SetPredefinedKeys(const std::vector<std::string>& names) override;
    void SelectPredefinedKey(std::size_t index) override;
    void ApplyKeyOption(KeyOption option) override;
    void SetCustomKeyName(const std::string& text, TextRole role) override;
    std::string TextToType() override;
    void SetMouseAndSystemLists(const std::vector<std::string>& mouse,
                                const std::vector<std::string>& system) override;
    void EnableAutoComplete() override;
    void Close() override;

  private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateControls();
    void OnCommand(int id, int code, HWND control);
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    std::string ComboText(int id) const;

    AddAction* logic_ = nullptr;
    HWND* shown_ = nullptr;
    std::array<std::vector<HWND>, 4> panes_;  // the controls of each action type's pane
    TextRole keyNameRole_ = TextRole::Prompt;
    KeyCapture capture_;
    win32::UniqueFont font_;
    win32::UniqueImageList imglstActionIcons_;
};

}  // namespace bw::ui
