// The Add Action dialog's steps: opening, learning, the pending key, Add and Cancel.
#include "ui/add_action.h"

#include "platform/failure_guard.h"

namespace bw {

bool AcceptTypedCharacter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' ||
           c == 8;  // Backspace
}

void AddAction::Form_Load() {
    open_ = true;
    RunGuarded(
        [&] {
            view_.EnableAdd(false);
            view_.SetKeyName(kPressAKeyOnRemote, TextRole::Prompt);
            actionType_ = ActionType::Keyboard;
            view_.SelectActionType(actionType_);
            autoAdd_ = true;
            view_.SetAutoAdd(true);
            std::vector<std::string> names;
            for (const KeyMapEntry& entry : keyboard_.KeyMap()) names.push_back(entry.name);
            view_.SetPredefinedKeys(names);
            if (!names.empty()) {
                view_.SelectPredefinedKey(0);
                cboAKeyPre_Click(names.front());
            }
            view_.ShowPane(ActionType::Keyboard);
            KeyOption_Click(KeyOption::Predefined);
            view_.SetMouseAndSystemLists(MouseActionNames(), SystemActionNames());
            systemAction_ = kSystemActions[0].name;
            mouseAction_ = kMouseActions[0].name;
            view_.EnableAutoComplete();
        },
        [this](const std::string& description) { boxes_.ShowFailure(description); });
}

void AddAction::Learn(const std::string& RemKeyName) {
    keyName_ = RemKeyName;
    view_.SetKeyName(RemKeyName, TextRole::Name);
    view_.EnableAdd(true);
}

void AddAction::imgcboActions_Click(ActionType type) {
    actionType_ = type;
    view_.ShowPane(type);
}

void AddAction::KeyOption_Click(KeyOption option) {
    keyOption_ = option;
    ApplyKeyOption(option);
}

void AddAction::ApplyKeyOption(KeyOption option) {
    view_.ApplyKeyOption(option);
    switch (option) {
        case KeyOption::Predefined:
            view_.SetCustomKeyName("", TextRole::Prompt);
            break;
        case KeyOption::Custom:
            view_.SetCustomKeyName(kPressAKey, TextRole::Prompt);
            break;
        case KeyOption::Text:
            view_.SetCustomKeyName("", TextRole::Prompt);
            txtAKeyText_Change(view_.TextToType());
            break;
    }
}

void AddAction::cboAKeyPre_Click(const std::string& name) {
    pending_ = {kPredefinedKey, name, keyboard_.FindPredefinedKey(name).value_or(0), 0};
}

void AddAction::picAKeyCustom_KeyDown(std::int16_t KeyCode, std::int16_t Shift) {
    pending_ = {kKeyWithModifiers, keyboard_.GetKeyName(KeyCode, Shift), KeyCode, Shift};
    view_.SetCustomKeyName(pending_.SendKeyName, TextRole::Name);
}

void AddAction::txtAKeyText_Change(const std::string& text) {
    pending_ = {kTextToType, text, 0, 0};
}

void AddAction::cmdAdd_Click() {
    RunGuarded(
        [&] {
            switch (actionType_) {
                case ActionType::Keyboard:
                    // A keyboard action without a key is refused without a word.
                    if (pending_.SendKeyName.empty()) return;
                    lstActions_.AddKey(std::to_string(pending_.KeyType), keyName_,
                                       pending_.SendKeyName, std::to_string(pending_.SendKeyCode),
                                       std::to_string(pending_.SendKeyShift));
                    break;
                case ActionType::Mouse:
                    lstActions_.AddMouse(keyName_, mouseAction_);
                    break;
                case ActionType::System:
                    lstActions_.AddSys(keyName_, systemAction_);
                    break;
                case ActionType::Run:
                    lstActions_.AddRun(keyName_, runProgram_);
                    break;
            }
            persistence_.SaveList();
            pending_ = {};
            ApplyKeyOption(keyOption_);
            if (!autoAdd_) cmdCancel_Click();
        },
        [this](const std::string& description) { boxes_.ShowFailure(description); });
}

void AddAction::cmdCancel_Click() {
    open_ = false;
    view_.Close();
}

}  // namespace bw
