// The Add Action dialog's steps: opening, learning, the pending key, Add and Cancel.
#include "ui/add_action.h"

namespace bw {

bool AcceptTypedCharacter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' ||
           c == 8;  // Backspace
}

void AddAction::Form_Load() {
    open_ = true;
    try {
        view_.EnableAdd(false);
        view_.SetKeyName(kPressAKeyOnRemote, TextRole::Prompt);
        actionType_ = 1;
        view_.SelectActionType(1);
        autoAdd_ = true;
        view_.SetAutoAdd(true);
        std::vector<std::string> names;
        for (const KeyMapEntry& entry : keyboard_.KeyMap()) names.push_back(entry.name);
        view_.SetPredefinedKeys(names);
        if (!names.empty()) {
            view_.SelectPredefinedKey(0);
            cboAKeyPre_Click(names.front());
        }
        view_.ShowPane(1);
        KeyOption_Click(KeyOption::Predefined);
        view_.SetMouseAndSystemLists(kMouseActionNames, kSystemActionNames);
        systemAction_ = kSystemActionNames.front();
        mouseAction_ = kMouseActionNames.front();
        view_.EnableAutoComplete();
    } catch (const std::exception& failure) {
        boxes_.Show(failure.what(), kErrorBoxTitle, kMbOk | kMbIconStop);
    }
}

void AddAction::Learn(const std::string& RemKeyName) {
    keyName_ = RemKeyName;
    view_.SetKeyName(RemKeyName, TextRole::Name);
    view_.EnableAdd(true);
}

void AddAction::imgcboActions_Click(int type) {
    if (type < 1 || type > 4) return;
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
    pending_ = {1, name, keyboard_.FindPredefinedKey(name).value_or(0), 0};
}

void AddAction::picAKeyCustom_KeyDown(std::int16_t KeyCode, std::int16_t Shift) {
    pending_ = {2, keyboard_.GetKeyName(KeyCode, Shift), KeyCode, Shift};
    view_.SetCustomKeyName(pending_.SendKeyName, TextRole::Name);
}

void AddAction::txtAKeyText_Change(const std::string& text) {
    pending_ = {3, text, 0, 0};
}

void AddAction::cmdAdd_Click() {
    try {
        switch (actionType_) {
            case 1:
                // A keyboard action without a key is refused without a word.
                if (pending_.SendKeyName.empty()) return;
                lstActions_.AddKey(std::to_string(pending_.KeyType), keyName_, pending_.SendKeyName,
                                   std::to_string(pending_.SendKeyCode),
                                   std::to_string(pending_.SendKeyShift));
                break;
            case 2:
                lstActions_.AddMouse(keyName_, mouseAction_);
                break;
            case 3:
                lstActions_.AddSys(keyName_, systemAction_);
                break;
            case 4:
                lstActions_.AddRun(keyName_, runProgram_);
                break;
            default:
                return;
        }
        persistence_.SaveList();
        pending_ = {};
        ApplyKeyOption(keyOption_);
        if (!autoAdd_) cmdCancel_Click();
    } catch (const std::exception& failure) {
        boxes_.Show(failure.what(), kErrorBoxTitle, kMbOk | kMbIconStop);
    }
}

void AddAction::cmdCancel_Click() {
    open_ = false;
    view_.Close();
}

}  // namespace bw
