// The Add Action dialog's logic: learning the button, the pending keyboard action through
// every option and capture, the typing filter, and Add with and without "Continue adding
// buttons", down to what reaches the list and the settings store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_keyboard_input.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_settings_store.h"
#include "fakes/recording_log.h"
#include "ui/add_action.h"

namespace bw::test {
namespace {

class FakeAddActionView : public AddActionView {
  public:
    std::string keyName, customKeyName, textToType = "Text to type";
    TextRole keyNameRole = TextRole::Prompt, customRole = TextRole::Prompt;
    bool addEnabled = true, autoAdd = false, closed = false, autoComplete = false;
    int actionType = 0, pane = 0;
    std::vector<std::string> predefined, mouse, system;
    std::optional<std::size_t> predefinedSelected;
    std::optional<KeyOption> option;

    void SetKeyName(const std::string& t, TextRole r) override {
        keyName = t;
        keyNameRole = r;
    }
    void EnableAdd(bool e) override { addEnabled = e; }
    void SelectActionType(int t) override { actionType = t; }
    void ShowPane(int t) override { pane = t; }
    void SetAutoAdd(bool c) override { autoAdd = c; }
    void SetPredefinedKeys(const std::vector<std::string>& n) override { predefined = n; }
    void SelectPredefinedKey(std::size_t i) override { predefinedSelected = i; }
    void ApplyKeyOption(KeyOption o) override { option = o; }
    void SetCustomKeyName(const std::string& t, TextRole r) override {
        customKeyName = t;
        customRole = r;
    }
    std::string TextToType() override { return textToType; }
    void SetMouseAndSystemLists(const std::vector<std::string>& m,
                                const std::vector<std::string>& s) override {
        mouse = m;
        system = s;
    }
    void EnableAutoComplete() override { autoComplete = true; }
    void Close() override { closed = true; }
};

using Pending = AddAction::PendingKey;

class AddActionTest : public ::testing::Test {
  protected:
    FakeKeyboardInput input;
    Keyboard keyboard{input};
    RecordingLog log;
    ActionList list{log};
    FakeSettingsStore store;
    ListPersistence persistence{store, list, log};
    FakeMessageBoxes boxes;
    FakeAddActionView view;
    AddAction dialog{view, list, persistence, keyboard, boxes};

    void SetUp() override {
        keyboard.SetKeyMap({{116, "F5"}, {67, "C"}, {13, "Enter"}});
        dialog.Form_Load();
    }
    std::vector<ActionRow> Rows() const {
        std::vector<ActionRow> rows;
        for (std::size_t i = 1; i <= list.Count(); ++i) rows.push_back(list.Row(i));
        return rows;
    }
};

TEST_F(AddActionTest, OpensWaitingForAButtonWithTheFirstKeyPendingAndTheListsFilled) {
    EXPECT_TRUE(dialog.IsOpen());
    EXPECT_FALSE(view.addEnabled);
    EXPECT_EQ(view.keyName, "Press a key on Remote");
    EXPECT_EQ(view.keyNameRole, TextRole::Prompt);
    EXPECT_EQ(view.actionType, 1);
    EXPECT_EQ(view.pane, 1);
    EXPECT_TRUE(view.autoAdd);
    EXPECT_EQ(view.predefined, (std::vector<std::string>{"F5", "C", "Enter"}));
    EXPECT_EQ(view.predefinedSelected, 0u);
    EXPECT_EQ(view.option, KeyOption::Predefined);
    EXPECT_EQ(dialog.Pending(), (Pending{1, "F5", 116, 0}));
    EXPECT_EQ(view.mouse.size(), 10u);
    EXPECT_EQ(view.system.size(), 10u);
    EXPECT_TRUE(view.autoComplete);
}

TEST_F(AddActionTest, EveryButtonPressedReplacesTheLearntNameAndEnablesAdd) {
    dialog.Learn("PLAY");
    dialog.Learn("VOLUP");
    EXPECT_EQ(view.keyName, "VOLUP");
    EXPECT_EQ(view.keyNameRole, TextRole::Name);
    EXPECT_TRUE(view.addEnabled);
    dialog.cmdAdd_Click();
    EXPECT_EQ(Rows().back().RemKey, "VOLUP");
}

TEST_F(AddActionTest, ThePendingKeyFollowsPicksCapturesAndTextButNotMereOptionChanges) {
    dialog.cboAKeyPre_Click("enter");  // found whatever its case
    EXPECT_EQ(dialog.Pending(), (Pending{1, "enter", 13, 0}));
    dialog.cboAKeyPre_Click("Nothing");
    EXPECT_EQ(dialog.Pending(), (Pending{1, "Nothing", 0, 0}));

    dialog.cboAKeyPre_Click("F5");
    dialog.KeyOption_Click(KeyOption::Custom);  // no key pressed yet: F5 stays pending
    EXPECT_EQ(view.customKeyName, "Press a key");
    EXPECT_EQ(view.customRole, TextRole::Prompt);
    EXPECT_EQ(dialog.Pending(), (Pending{1, "F5", 116, 0}));

    dialog.picAKeyCustom_KeyDown(17, 2);  // Ctrl, then C: the last key wins
    dialog.picAKeyCustom_KeyDown(67, 2);
    EXPECT_EQ(dialog.Pending(), (Pending{2, "Ctrl + C", 67, 2}));
    EXPECT_EQ(view.customKeyName, "Ctrl + C");
    EXPECT_EQ(view.customRole, TextRole::Name);
    dialog.picAKeyCustom_KeyDown(116, 1);
    EXPECT_EQ(dialog.Pending(), (Pending{2, "Shift + F5", 116, 1}));

    dialog.KeyOption_Click(KeyOption::Text);  // takes the box's text at once
    EXPECT_EQ(dialog.Pending(), (Pending{3, "Text to type", 0, 0}));
    dialog.txtAKeyText_Change("Hi 2");
    EXPECT_EQ(dialog.Pending(), (Pending{3, "Hi 2", 0, 0}));
    dialog.KeyOption_Click(KeyOption::Predefined);
    EXPECT_EQ(view.customKeyName, "");
    EXPECT_EQ(dialog.Pending(), (Pending{3, "Hi 2", 0, 0}));
}

TEST_F(AddActionTest, EachActionTypeAddsItsRowAndSavesAtOnce) {
    dialog.Learn("B");
    dialog.cmdAdd_Click();  // the first key of the table
    dialog.imgcboActions_Click(2);
    EXPECT_EQ(view.pane, 2);
    dialog.cboAMosPre_Click("Right Mouse Click");
    dialog.cmdAdd_Click();
    dialog.imgcboActions_Click(3);
    dialog.cmdAdd_Click();  // the first system action, selected at opening
    dialog.imgcboActions_Click(4);
    dialog.txtRunProgram_Change("C:\\Tools\\edit.exe");
    dialog.cmdAdd_Click();
    const std::vector<ActionRow> rows = Rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], (ActionRow{ActionType::Keyboard, "B", "Simulating Keyboard: F5", "F5", "116",
                                  "0", "1"}));
    EXPECT_EQ(rows[1].Action, "Simulating Mouse: Right Mouse Click");
    EXPECT_EQ(rows[2].Action, "System Event: Close the current windows");
    EXPECT_EQ(rows[3].Action, "Running: edit.exe");
    EXPECT_EQ(store.Key("#ListCount"), "4");
    EXPECT_FALSE(view.closed);  // "Continue adding buttons" is checked at opening
}

TEST_F(AddActionTest, AfterAddThePredefinedKeyMustBePickedAgainButATextStays) {
    dialog.Learn("B");
    dialog.cmdAdd_Click();
    dialog.cmdAdd_Click();  // nothing pending any more: refused without a word
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_TRUE(boxes.shown.empty());

    dialog.KeyOption_Click(KeyOption::Text);
    dialog.cmdAdd_Click();
    dialog.cmdAdd_Click();  // the text is pending again after each Add
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(list.Row(3),
              (ActionRow{ActionType::Keyboard, "B", "Simulating Keyboard: Text to type",
                         "Text to type", "0", "0", "3"}));

    view.textToType.clear();
    dialog.txtAKeyText_Change("");
    dialog.cmdAdd_Click();
    EXPECT_EQ(list.Count(), 3u);

    dialog.KeyOption_Click(KeyOption::Custom);
    dialog.picAKeyCustom_KeyDown(200, 0);  // a key the table does not name: no name, no row
    dialog.cmdAdd_Click();
    EXPECT_EQ(list.Count(), 3u);
}

TEST_F(AddActionTest, WithoutContinueAddClosesAfterSavingAndAnEmptyRunPathStillCloses) {
    dialog.Learn("B");
    dialog.chkAutoAdd_Click(false);
    dialog.imgcboActions_Click(4);
    dialog.cmdAdd_Click();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(store.Key("#ListCount"), "0");  // saved unchanged
    EXPECT_TRUE(view.closed);
    EXPECT_FALSE(dialog.IsOpen());
}

TEST_F(AddActionTest, CancelClosesWithoutSaving) {
    dialog.Learn("B");
    dialog.cmdCancel_Click();
    EXPECT_TRUE(view.closed);
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(AddActionTest, WithAnEmptyKeyTableOnlyACustomKeyOrATextCanBeAdded) {
    keyboard.SetKeyMap({});
    AddAction empty{view, list, persistence, keyboard, boxes};
    empty.Form_Load();
    EXPECT_TRUE(view.predefined.empty());
    EXPECT_EQ(empty.Pending(), Pending{});
    empty.Learn("B");
    empty.cmdAdd_Click();
    EXPECT_EQ(list.Count(), 0u);
    empty.KeyOption_Click(KeyOption::Custom);
    empty.picAKeyCustom_KeyDown(65, 2);
    EXPECT_EQ(empty.Pending(), (Pending{2, "Ctrl + ", 65, 2}));
    empty.cmdAdd_Click();
    EXPECT_EQ(list.Count(), 1u);
}

TEST_F(AddActionTest, AFailingAddOrSaveShowsABoxAndKeepsTheDialogAsItWas) {
    dialog.Learn("B");
    dialog.chkAutoAdd_Click(false);
    store.failFromWrite = 0;  // a store that refuses: the row is added, the save fails
    dialog.cmdAdd_Click();
    EXPECT_EQ(list.Count(), 1u);
    for (std::size_t i = 1; i < ActionList::kMaxRows; ++i) list.AddMouse("x", "y");
    dialog.cmdAdd_Click();  // a full list: the add itself fails
    EXPECT_EQ(list.Count(), ActionList::kMaxRows);

    EXPECT_EQ(boxes.shown,
              (std::vector<ShownBox>{{"Access is denied.", "Error happened", 0x10},
                                     {boxes.shown.back().text, "Error happened", 0x10}}));
    EXPECT_TRUE(store.writes.empty());
    EXPECT_FALSE(view.closed);
    EXPECT_TRUE(dialog.IsOpen());
    EXPECT_EQ(dialog.Pending(), (Pending{1, "F5", 116, 0}));  // not cleared
}

TEST(TypingFilterTest, LettersDigitsBlanksAndBackspacePass) {
    for (char32_t c : {U'a', U'z', U'A', U'Z', U'0', U'9', U' ', char32_t{8}})
        EXPECT_TRUE(AcceptTypedCharacter(c)) << static_cast<int>(c);
    for (char32_t c : {U'-', U'!', U'@', U'[', U'`', U'{', U'/', U':', U'\t', U'\r', U'\u00e9'})
        EXPECT_FALSE(AcceptTypedCharacter(c)) << static_cast<int>(c);
}

}  // namespace
}  // namespace bw::test
