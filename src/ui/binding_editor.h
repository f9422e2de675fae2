// The Add Action dialog's behaviour: it learns the button and its remote from the remote,
// keeps the pending keyboard action as the user picks a key, captures one or types a text,
// and adds the chosen binding to the list, saving it at once. Opened on a row to edit it,
// it shows that row's values and puts the binding in its place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "actions/action_list.h"
#include "actions/list_persistence.h"
#include "emulation/keyboard.h"
#include "platform/message_boxes.h"
#include "remote/button_messages.h"
#include "remote/press_tracker.h"

namespace bw {

enum class KeyOption { Predefined, Custom, Text };

// How a text or name is shown: a prompt in the grey-text colour, or a learnt or captured
// name in the window-text colour.
enum class TextRole { Prompt, Name };

// The dialog's controls, as the logic drives them.
class BindingEditorView {
  public:
    virtual ~BindingEditorView() = default;
    // The learnt button, or the prompt to press one.
    virtual void SetKeyName(const std::string& text, TextRole role) = 0;
    virtual void EnableAdd(bool enabled) = 0;
    virtual void SelectActionType(ActionType type) = 0;
    virtual void ShowPane(ActionType type) = 0;  // only that pane, at the first pane's place
    virtual void SetAutoAdd(bool checked) = 0;
    virtual void SetPredefinedKeys(const std::vector<std::string>& names) = 0;
    virtual void SelectPredefinedKey(std::size_t index) = 0;
    // Enables the option's input and disables the others, and moves the focus to it.
    virtual void ApplyKeyOption(KeyOption option) = 0;
    virtual void SetCustomKeyName(const std::string& text, TextRole role) = 0;
    virtual std::string TextToType() = 0;
    virtual void SetMouseAndSystemLists(const std::vector<std::string>& mouse,
                                        const std::vector<std::string>& system) = 0;
    virtual void EnableAutoComplete() = 0;  // of paths in the run pane's box
    // The remote the learnt button came from; "Only for this remote" needs one.
    virtual void SetRemoteName(const std::string& remote) = 0;
    virtual void SetOnlyForRemote(bool checked) = 0;
    virtual void SetProgram(const std::string& program) = 0;
    // Under the program box: what its text is stored as (ProgramHint).
    virtual void SetProgramHint(const std::string& hint) = 0;
    // For an edited row: its text to type, and its mouse or system action or run path.
    virtual void SetTextToType(const std::string& text) = 0;
    virtual void SetActionValue(ActionType type, const std::string& value) = 0;
    // When the binding acts: the chosen one, whether "Held down" can be chosen for the
    // action as it stands, and the chosen one's explanation.
    virtual void ShowWhen(When when, bool canHold, const std::string& explanation) = 0;
    // Titled "Edit Action"; the dialog closes on confirming.
    virtual void ShowAsEdit() = 0;
    virtual void Close() = 0;
};

// Key presses reach the text to type when they are characters (of any language) or
// Backspace: control characters would be typed as nothing the user can see.
bool AcceptTypedCharacter(char32_t character);

// The line under the "When" choices: what the chosen one does.
std::string WhenExplanation(When when, Millis longPressMs);

class BindingEditor final : public LearnMode {
  public:
    BindingEditor(BindingEditorView& view, ActionList& bindings, ListPersistence& persistence,
                  const Keyboard& keyboard, MessageBoxes& boxes, Millis longPressMs)
        : view_(view),
          bindings_(bindings),
          persistence_(persistence),
          keyboard_(keyboard),
          boxes_(boxes),
          longPressMs_(longPressMs) {}

    // Before the dialog opens: it edits the row at that 1-based position instead of adding.
    void EditRow(std::size_t position) { editing_ = position; }

    // The dialog's controls exist; fill and set them. A failure shows a box.
    void Open();

    bool IsOpen() const override { return open_; }
    void Learn(const std::string& button, const std::string& remote) override;

    // What the user does.
    void ChooseActionType(ActionType type);
    void ChooseKeyOption(KeyOption option);
    void ChoosePredefinedKey(const std::string& name);
    void CaptureKey(std::int16_t key, std::int16_t modifiers);
    void TextToTypeChanged(const std::string& text);
    void ChooseMouseAction(const std::string& name);
    // "Held down" stays chosen only while the action can be held; otherwise it is "Pressed".
    void ChooseWhen(When when);
    void ChooseSystemAction(const std::string& name) { systemAction_ = name; }
    void RunPathChanged(const std::string& path) { runProgram_ = path; }
    void ContinueAddingChanged(bool checked) { autoAdd_ = checked; }
    void OnlyForRemoteChanged(bool checked) { onlyRemote_ = checked; }
    void ProgramChanged(const std::string& text);
    void Confirm();
    void Cancel();

  private:
    // The keyboard action Add would add now.
    struct PendingKey {
        std::int16_t kind = 0;
        std::string name;
        std::int16_t key = 0;
        std::int16_t modifiers = 0;
    };

    void ApplyKeyOption(KeyOption option);
    void ShowWhen();
    void LoadRow(const ActionRow& row);
    void LoadKeyboardRow(const ActionRow& row);
    RowPlacement Placement() const;

    BindingEditorView& view_;
    ActionList& bindings_;
    ListPersistence& persistence_;
    const Keyboard& keyboard_;
    MessageBoxes& boxes_;
    Millis longPressMs_;

    bool open_ = false;
    When when_ = When::Pressed;
    std::string button_;
    ActionType actionType_ = ActionType::Keyboard;
    KeyOption keyOption_ = KeyOption::Predefined;
    PendingKey pending_;
    std::string mouseAction_, systemAction_, runProgram_;
    bool autoAdd_ = true;
    std::string remote_, program_;
    bool onlyRemote_ = false;
    std::size_t editing_ = 0;  // the edited row's position; 0 while adding
};

// What the program box holds, as a row stores it: the file name of a typed path, trimmed.
std::string ProgramFileName(const std::string& text);
// What the program box's text is stored as and which programs that means, in words: a name
// typed without its extension stands for that name with any extension.
std::string ProgramHint(const std::string& text);

inline constexpr const char* kPressAKeyOnRemote = "Press a key on Remote";
inline constexpr const char* kPressAKey = "Press a key";

}  // namespace bw
