// The Add Action dialog's steps: opening, learning, the pending key, Add and Cancel.
#include "ui/binding_editor.h"

#include <algorithm>

#include "platform/decimal_text.h"
#include "platform/failure_guard.h"
#include "platform/plain_text.h"
#include "remote/row_filter.h"

namespace bw {

bool AcceptTypedCharacter(char32_t c) {
    const bool control = c < ' ' || (c >= 0x7F && c < 0xA0);
    return !control || c == 8;  // Backspace
}

std::string WhenExplanation(When when, Millis longPressMs) {
    switch (when) {
        case When::Held:
            return "Stays down while the button is held.";
        case When::Long: {
            const std::string time =
                longPressMs % 100 != 0
                    ? std::to_string(longPressMs) + " ms"
                    : std::to_string(longPressMs / 1000) +
                          (longPressMs % 1000 ? "." + std::to_string(longPressMs % 1000 / 100)
                                              : "") +
                          " s";
            return "Acts once the button has been held for " + time + ".";
        }
        case When::Pressed:
            break;
    }
    return "Acts when the button is pressed.";
}

void BindingEditor::ShowWhen() {
    // The kind the pending key will have: a predefined or a captured key, or a text.
    const bool canHold = CanHold(
        actionType_, keyOption_ == KeyOption::Text ? kTextToType : kPredefinedKey, mouseAction_);
    if (when_ == When::Held && !canHold) when_ = When::Pressed;
    view_.ShowWhen(when_, canHold, WhenExplanation(when_, longPressMs_));
}

void BindingEditor::ChooseWhen(When when) {
    when_ = when;
    ShowWhen();
}

void BindingEditor::ChooseMouseAction(const std::string& name) {
    mouseAction_ = name;
    ShowWhen();
}

void BindingEditor::Open() {
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
                ChoosePredefinedKey(names.front());
            }
            view_.ShowPane(ActionType::Keyboard);
            ChooseKeyOption(KeyOption::Predefined);
            view_.SetMouseAndSystemLists(MouseActionNames(), SystemActionNames());
            systemAction_ = kSystemActions[0].name;
            mouseAction_ = kMouseActions[0].name;
            view_.EnableAutoComplete();
            view_.SetRemoteName("");
            view_.SetProgramHint(ProgramHint(""));
            when_ = When::Pressed;
            ShowWhen();
            if (editing_) LoadRow(bindings_.Row(editing_));
        },
        [this](const std::string& description) { boxes_.ShowFailure(description); });
}

void BindingEditor::Learn(const std::string& button, const std::string& remote) {
    button_ = button;
    remote_ = remote;
    view_.SetKeyName(button, TextRole::Name);
    view_.SetRemoteName(remote);
    view_.EnableAdd(true);
}

void BindingEditor::LoadRow(const ActionRow& row) {
    view_.ShowAsEdit();
    Learn(row.button, row.remote);
    onlyRemote_ = !row.remote.empty();
    view_.SetOnlyForRemote(onlyRemote_);
    view_.SetProgram(row.program);
    ProgramChanged(row.program);
    view_.SelectActionType(row.type);
    ChooseActionType(row.type);
    switch (row.type) {
        case ActionType::Keyboard:
            LoadKeyboardRow(row);
            break;
        case ActionType::Mouse:
            mouseAction_ = row.value;
            break;
        case ActionType::System:
            systemAction_ = row.value;
            break;
        case ActionType::Run:
            runProgram_ = row.value;
            break;
    }
    if (row.type != ActionType::Keyboard) view_.SetActionValue(row.type, row.value);
    ChooseWhen(row.when);
}

void BindingEditor::LoadKeyboardRow(const ActionRow& row) {
    auto number = [](const std::string& text) { return ParseInt16(text).value_or(0); };
    const std::int16_t kind = number(row.keyType);
    const KeyOption option = kind == kKeyWithModifiers ? KeyOption::Custom
                             : kind == kTextToType     ? KeyOption::Text
                                                       : KeyOption::Predefined;
    if (option == KeyOption::Text) view_.SetTextToType(row.value);
    ChooseKeyOption(option);
    if (option == KeyOption::Predefined) {
        const std::vector<KeyMapEntry>& keys = keyboard_.KeyMap();
        const auto found = std::ranges::find(keys, row.value, &KeyMapEntry::name);
        if (found != keys.end())
            view_.SelectPredefinedKey(static_cast<std::size_t>(found - keys.begin()));
    }
    // The row's own values, even for a key the key table no longer names.
    pending_ = {kind, row.value, number(row.keyCode), number(row.keyShift)};
    if (option == KeyOption::Custom) view_.SetCustomKeyName(row.value, TextRole::Name);
}

RowPlacement BindingEditor::Placement() const {
    return {ProgramFileName(program_), onlyRemote_ ? remote_ : std::string(), editing_, when_};
}

std::string ProgramFileName(const std::string& text) {
    return std::string(TrimBlanks(FileNameOf(text)));
}

std::string ProgramHint(const std::string& text) {
    const std::string name = ProgramFileName(text);
    if (name.empty()) return "Empty: for every program.";
    if (HasExtension(name)) return "Stored as \"" + name + "\".";
    return "Stored as \"" + name + "\": with any extension, as " + name + ".exe.";
}

void BindingEditor::ProgramChanged(const std::string& text) {
    program_ = text;
    view_.SetProgramHint(ProgramHint(text));
}

void BindingEditor::ChooseActionType(ActionType type) {
    actionType_ = type;
    view_.ShowPane(type);
    ShowWhen();
}

void BindingEditor::ChooseKeyOption(KeyOption option) {
    keyOption_ = option;
    ApplyKeyOption(option);
    ShowWhen();
}

void BindingEditor::ApplyKeyOption(KeyOption option) {
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
            TextToTypeChanged(view_.TextToType());
            break;
    }
}

void BindingEditor::ChoosePredefinedKey(const std::string& name) {
    pending_ = {kPredefinedKey, name, keyboard_.FindPredefinedKey(name).value_or(0), 0};
}

void BindingEditor::CaptureKey(std::int16_t key, std::int16_t modifiers) {
    pending_ = {kKeyWithModifiers, keyboard_.KeyName(key, modifiers), key, modifiers};
    view_.SetCustomKeyName(pending_.name, TextRole::Name);
}

void BindingEditor::TextToTypeChanged(const std::string& text) {
    pending_ = {kTextToType, text, 0, 0};
}

void BindingEditor::Confirm() {
    RunGuarded(
        [&] {
            switch (actionType_) {
                case ActionType::Keyboard:
                    // A keyboard action without a key is refused without a word.
                    if (pending_.name.empty()) return;
                    bindings_.AddKey(std::to_string(pending_.kind), button_, pending_.name,
                                     std::to_string(pending_.key),
                                     std::to_string(pending_.modifiers), Placement());
                    break;
                case ActionType::Mouse:
                    bindings_.AddMouse(button_, mouseAction_, Placement());
                    break;
                case ActionType::System:
                    bindings_.AddSys(button_, systemAction_, Placement());
                    break;
                case ActionType::Run:
                    // An edited run row without a path keeps what it had.
                    bindings_.AddRun(button_, runProgram_, Placement());
                    break;
            }
            persistence_.SaveList();
            if (editing_ || !autoAdd_) return Cancel();
            pending_ = {};
            ApplyKeyOption(keyOption_);
        },
        [this](const std::string& description) { boxes_.ShowFailure(description); });
}

void BindingEditor::Cancel() {
    open_ = false;
    view_.Close();
}

}  // namespace bw
