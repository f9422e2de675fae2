// The windows' portable logic: the Add Action dialog, the event log and the tray icon.
#include <gtest/gtest.h>

#include "fakes.h"
#include "ui/binding_editor.h"
#include "ui/event_log.h"
#include "ui/tray_presence.h"

namespace bw::test {
namespace {

struct FakeAddActionView : BindingEditorView {
    std::string keyName, textToType = "Text to type", whenExplanation;
    std::string remote = "-", program, programHint, actionValue, title = "Add Action";
    std::pair<std::string, TextRole> custom{"", TextRole::Prompt};
    bool addEnabled = true, closed = false, onlyForRemote = false, holdable = false;
    When when = When::Long;
    std::optional<ActionType> pane;

    void SetKeyName(const std::string& t, TextRole) override { keyName = t; }
    void EnableAdd(bool e) override { addEnabled = e; }
    void SelectActionType(ActionType) override {}
    void ShowPane(ActionType t) override { pane = t; }
    void SetAutoAdd(bool) override {}
    void SetPredefinedKeys(const std::vector<std::string>&) override {}
    void SelectPredefinedKey(std::size_t) override {}
    void ApplyKeyOption(KeyOption) override {}
    void SetCustomKeyName(const std::string& t, TextRole r) override { custom = {t, r}; }
    std::string TextToType() override { return textToType; }
    void SetMouseAndSystemLists(const Strings&, const Strings&) override {}
    void EnableAutoComplete() override {}
    void SetRemoteName(const std::string& r) override { remote = r; }
    void SetOnlyForRemote(bool c) override { onlyForRemote = c; }
    void SetProgram(const std::string& p) override { program = p; }
    void SetProgramHint(const std::string& h) override { programHint = h; }
    void SetTextToType(const std::string& t) override { textToType = t; }
    void SetActionValue(ActionType, const std::string& v) override { actionValue = v; }
    void ShowWhen(When w, bool canHold, const std::string& explanation) override {
        when = w, holdable = canHold, whenExplanation = explanation;
    }
    void ShowAsEdit() override { title = "Edit Action"; }
    void Close() override { closed = true; }
};

struct AddActionTest : ::testing::Test, CoreRig {
    FakeDesktop input;
    Keyboard keyboard{input, log};
    FakeSettingsStore store;
    ListPersistence persistence{store, list, log};
    FakeAddActionView view, editView;
    BindingEditor dialog{view, list, persistence, keyboard, boxes, 800};
    BindingEditor editing{editView, list, persistence, keyboard, boxes, 1500};

    void SetUp() override {
        LoadKeyTable(keyboard, "116,F5\n67,C\n13,Enter\n");
        dialog.Open();
        dialog.Learn("B", "");
    }
    const FakeAddActionView& Edit(std::size_t row) {
        editing.EditRow(row);
        editing.Open();
        return editView;
    }
    // The keyboard row Add added, as "name code shift type", or nothing.
    std::optional<std::string> Add() {
        const std::size_t before = list.Count();
        dialog.Confirm();
        if (list.Count() == before) return std::nullopt;
        const ActionRow& row = list.Row(list.Count());
        return row.value + " " + row.keyCode + " " + row.keyShift + " " + row.keyType;
    }
};

TEST_F(AddActionTest, ThePendingKeyFollowsPicksCapturesAndTextButNotMereOptionChanges) {
    dialog.ChoosePredefinedKey("enter");  // found whatever its case
    EXPECT_EQ(Add(), "enter 13 0 1");
    dialog.ChoosePredefinedKey("Nothing");
    EXPECT_EQ(Add(), "Nothing 0 0 1");
    EXPECT_EQ(Add(), std::nullopt);  // after Add a predefined key must be picked again

    dialog.ChoosePredefinedKey("F5");
    dialog.ChooseKeyOption(KeyOption::Custom);  // no key pressed yet: F5 stays pending
    EXPECT_EQ(view.custom, std::pair(std::string(kPressAKey), TextRole::Prompt));
    EXPECT_EQ(Add(), "F5 116 0 1");
    dialog.CaptureKey(17, 2);  // Ctrl, then C: the last key wins
    dialog.CaptureKey(67, 2);
    EXPECT_EQ(view.custom, std::pair(std::string("Ctrl + C"), TextRole::Name));
    EXPECT_EQ(Add(), "Ctrl + C 67 2 2");
    dialog.CaptureKey(200, 0);  // a key the table does not name: no row
    EXPECT_EQ(Add(), std::nullopt);

    dialog.ChooseKeyOption(KeyOption::Text);  // takes the box's text at once, after every Add
    EXPECT_EQ(Add(), "Text to type 0 0 3");
    EXPECT_EQ(Add(), "Text to type 0 0 3");
    dialog.TextToTypeChanged("Hi 2");
    dialog.ChooseKeyOption(KeyOption::Predefined);  // an option alone changes nothing
    EXPECT_EQ(view.custom.first, "");
    EXPECT_EQ(Add(), "Hi 2 0 0 3");
    // Typed text takes any character, each half of a surrogate pair, Backspace; no control.
    for (char32_t c : {U' ', U'~', U'\u00a0', U'\u20ac', char32_t{0xD83D}, char32_t{0xDE00}, U'\b'})
        EXPECT_TRUE(AcceptTypedCharacter(c)) << static_cast<int>(c);
    for (char32_t c : {U'\t', U'\r', char32_t{0}, char32_t{0x1F}, char32_t{0x7F}, char32_t{0x9F}})
        EXPECT_FALSE(AcceptTypedCharacter(c)) << static_cast<int>(c);
}

TEST_F(AddActionTest, EachActionTypeAddsItsRowAndSavesAtOnce) {
    dialog.Confirm();  // the first key of the table
    dialog.ChooseActionType(ActionType::Mouse);
    EXPECT_EQ(view.pane, ActionType::Mouse);
    dialog.ChooseMouseAction("Right Mouse Click");
    dialog.Confirm();
    dialog.ChooseActionType(ActionType::System);
    dialog.Confirm();  // the first system action, selected at opening
    dialog.ChooseActionType(ActionType::Run);
    dialog.RunPathChanged("C:\\Tools\\edit.exe");
    dialog.Confirm();
    ActionList expected{log};
    expected.AddKey("1", "B", "F5", "116", "0");
    expected.AddMouse("B", "Right Mouse Click");
    expected.AddSys("B", "Close the current windows");
    expected.AddRun("B", "C:\\Tools\\edit.exe");
    ASSERT_EQ(list.Count(), 4u);
    for (std::size_t i = 1; i <= 4; ++i) EXPECT_EQ(list.Row(i), expected.Row(i)) << i;
    EXPECT_EQ(store.Key("#ListCount"), "4");
    EXPECT_FALSE(view.closed);  // "Continue adding buttons" is checked at opening
    // Without it, Add closes after saving; an empty path adds nothing but still saves.
    dialog.ContinueAddingChanged(false);
    dialog.RunPathChanged("");
    store.writes.clear();
    dialog.Confirm();
    EXPECT_EQ(list.Count(), 4u);
    EXPECT_EQ(store.writes.back(), "#ListCount=4");
    EXPECT_TRUE(view.closed && !dialog.IsOpen());
}

TEST_F(AddActionTest, EditingShowsTheRowAndPutsTheBindingInItsPlaceForOneProgramOrRemote) {
    list.AddMouse("A", MouseName("Left Mouse Click"));
    list.AddKey("2", "PLAY", "Ctrl + C", "67", "2", {"player.exe", "tv"});
    list.AddKey("3", "C", "Hi", "0", "0");
    list.AddRun("D", "C:\\x.exe");
    const ActionRow before = list.Row(2);
    const FakeAddActionView& shown = Edit(2);
    EXPECT_EQ(shown.title + ": " + shown.keyName + " " + shown.remote + " " + shown.program + " " +
                  shown.custom.first,
              "Edit Action: PLAY tv player.exe Ctrl + C");
    EXPECT_TRUE(shown.onlyForRemote && shown.addEnabled);
    editing.Confirm();  // unchanged: the same row again, and it closes
    EXPECT_EQ(list.Row(2), before);
    EXPECT_TRUE(shown.closed);
    EXPECT_EQ(Edit(3).textToType, "Hi");
    EXPECT_EQ(Edit(4).actionValue, "C:\\x.exe");

    Edit(2);
    editing.Learn("STOP", "media");  // a press while it is open changes the button
    editing.ProgramChanged("  C:\\Media\\Player.exe ");
    EXPECT_EQ(editView.programHint, "Stored as \"Player.exe\".");
    editing.ChooseActionType(ActionType::Mouse);
    editing.ChooseMouseAction(MouseName("Right Mouse Click"));
    editing.Confirm();
    EXPECT_EQ(list.Row(2),
              (ActionRow{ActionType::Mouse, "STOP", "Simulating Mouse: Right Mouse Click",
                         "Right Mouse Click", "", "", "", "Player.exe", "media"}));
    // Added: the remote only when checked, a blank program box for every program.
    dialog.Learn("PLAY", "tv");
    dialog.ProgramChanged("   ");
    EXPECT_EQ(view.programHint, "Empty: for every program.");
    dialog.Confirm();
    EXPECT_EQ(list.Row(5).program + "|" + list.Row(5).remote, "|");
    // A name without its extension is kept so, and the dialog says what it stands for.
    dialog.ProgramChanged("player");
    dialog.ChooseActionType(ActionType::Mouse);
    dialog.Confirm();
    EXPECT_EQ(list.Row(6).program, "player");
    EXPECT_EQ(view.programHint, "Stored as \"player\": with any extension, as player.exe.");
}

// Held down needs a down and an up, else it falls back to Pressed; the explanation follows.
TEST_F(AddActionTest, HeldDownIsOfferedOnlyWhereThereIsAnUpAndEditShowsTheRowsChoice) {
    EXPECT_EQ(std::tuple(view.when, view.holdable, view.whenExplanation),
              std::tuple(When::Pressed, true, std::string("Acts when the button is pressed.")));
    dialog.ChooseWhen(When::Held);
    EXPECT_EQ(view.whenExplanation, "Stays down while the button is held.");
    // What the user changes next, and whether Held down then stays chosen.
    // clang-format off
    const std::pair<std::function<void()>, bool> changes[] = {
        {[&] { dialog.ChooseKeyOption(KeyOption::Custom); }, true},  {[&] { dialog.ChooseKeyOption(KeyOption::Text); }, false},
        {[&] { dialog.ChooseActionType(ActionType::Mouse); }, true},  // a single click
        {[&] { dialog.ChooseActionType(ActionType::Mouse); dialog.ChooseMouseAction(MouseName("Left Mouse Double Click")); }, false},
        {[&] { dialog.ChooseActionType(ActionType::Mouse); dialog.ChooseMouseAction(MouseName("Mouse Move UP")); }, false},
        {[&] { dialog.ChooseActionType(ActionType::System); }, false},  {[&] { dialog.ChooseActionType(ActionType::Run); }, false},
    };
    // clang-format on
    for (const auto& [change, holdable] : changes) {
        dialog.ChooseActionType(ActionType::Keyboard);
        dialog.ChooseKeyOption(KeyOption::Predefined);
        dialog.ChooseMouseAction(MouseName("Right Mouse Click"));
        dialog.ChooseWhen(When::Held);
        change();
        EXPECT_EQ(std::pair(view.when, view.holdable),
                  std::pair(holdable ? When::Held : When::Pressed, holdable));
    }
    dialog.ChooseWhen(When::Long);
    EXPECT_EQ(view.whenExplanation, "Acts once the button has been held for 0.8 s.");
    dialog.RunPathChanged("C:\\x.exe");
    dialog.Confirm();
    EXPECT_EQ(ActionText(list.Row(1)), "Running: x.exe (long press)");
    list.AddKey("1", "B", "F5", "116", "0", {"", "", 0, When::Held});
    EXPECT_EQ(Edit(2).when, When::Held);
    editing.ChooseWhen(When::Long);
    EXPECT_EQ(editView.whenExplanation, "Acts once the button has been held for 1.5 s.");
    editing.Confirm();
    EXPECT_EQ(store.Key("Press2"), "long");
}

TEST_F(AddActionTest, AFailingAddOrSaveShowsABoxAndKeepsTheDialogAsItWas) {
    dialog.ContinueAddingChanged(false);
    store.failFromWrite = 0;  // a store that refuses: the row is added, the save fails
    dialog.Confirm();
    const std::string click = MouseName("Left Mouse Click");
    for (std::size_t i = 1; i < ActionList::kMaxRows; ++i) list.AddMouse("x", click);
    dialog.Confirm();  // a full list: the add itself fails
    EXPECT_EQ(list.Count(), ActionList::kMaxRows);
    EXPECT_EQ(bindings.lines.size(), ActionList::kMaxRows) << "no line for the refused row";
    EXPECT_EQ(boxes.calls, (Strings{FailureBox("Access is denied."),
                                    FailureBox("The action list is full: it holds at most 32767 "
                                               "actions. Remove some before adding more.")}));
    EXPECT_TRUE(!view.closed && dialog.IsOpen());
    list.Clear();
    store.failFromWrite.reset();
    EXPECT_EQ(Add(), "F5 116 0 1");  // the pending key was not cleared by the failures
}

// "changed <lines> <dropped at the front>", "scroll", "width <pixels>"; lines told apart and
// texts measured, every character 5 pixels wide, so a text's width is easy to predict.
struct RecordingLogView : EventLogView, TextMeasure, Recorder {
    std::size_t told = 0;
    int measured = 0;
    float WidthAt96(const std::string& text) override {
        ++measured;
        return 5.0f * static_cast<float>(text.size());
    }
    void LinesWritten() override { ++told; }
    void LinesChanged(std::size_t lines, std::size_t dropped) override {
        Record("changed " + std::to_string(lines) + " " + std::to_string(dropped));
    }
    void ScrollToLastLine() override { Record("scroll"); }
    void SetColumnWidth(float w) override { Record("width " + std::to_string(w)); }
};

struct EventLogTest : ::testing::Test {
    RecordingLogView view;
    EventLog log{view, view};
};

TEST_F(EventLogTest, ABurstOfLinesIsToldLineByLineShownInOneChangeAndTheColumnOnlyWidens) {
    for (int i = 0; i < 50; ++i) log.LogChange("F5");
    // Every line asks: a view refreshed at a pace sees by the asks that a flood goes on.
    EXPECT_EQ(view.told, 50u);
    EXPECT_EQ(view.calls, Strings{}) << "drawn on the way";
    EXPECT_EQ(view.measured, 0);
    log.ShowWrittenLines();
    log.ShowWrittenLines();  // nothing new: nothing to draw
    // Every text gets a margin of 32 (F5: 42); the column widens for the widest new one only.
    log.LogChange("0123456789");    // 50
    log.LogChange("0123456789AB");  // 60
    log.LogChange("F5");            // known, not measured again
    log.ShowWrittenLines();
    log.LogChange("01234");  // narrower than the column
    log.ShowWrittenLines();
    EXPECT_EQ(view.calls, (Strings{"changed 50 0", "scroll", "width 42.000000", "changed 53 0",
                                   "scroll", "width 92.000000", "changed 54 0", "scroll"}));
    EXPECT_EQ(view.measured, 4);
}

TEST_F(EventLogTest, KeepsTheNewestTenThousandLinesAndTellsTheViewWhatWentAtTheFront) {
    for (int i = 0; i < 10'002; ++i) log.LogData(std::to_string(i));
    log.ShowWrittenLines();
    for (int i = 10'002; i < 10'005; ++i) log.LogData(std::to_string(i));
    log.ShowWrittenLines();
    ASSERT_EQ(log.Count(), 10'000u);
    EXPECT_EQ(log.Line(0).text, "5");
    EXPECT_EQ(view.calls, (Strings{"changed 10000 2", "scroll", "width 57.000000",
                                   "changed 10000 3", "scroll"}));
}

// Turns down as many adds as it is told before it takes one.
struct FakeNotifyArea : NotifyArea, Recorder {
    int refusals = 0;
    bool AddIcon() override {
        Record(refusals > 0 ? "refused" : "added");
        return refusals-- <= 0;
    }
    void RemoveIcon() override { Record("removed"); }
};

TEST(TrayPresenceTest, AFailedAddIsRetriedEveryTwoSecondsAndMinimisingHidesOnlyWithAnIcon) {
    FakeNotifyArea area;
    FakeTimer timer;
    TrayPresence tray(area, timer);
    area.refusals = 2;
    tray.AddTrayIcon();
    EXPECT_FALSE(tray.IconShown());
    EXPECT_EQ(timer.interval, 2000);
    for (int tick = 0; tick < 3; ++tick) timer.Tick();  // the third finds it up: no retry
    EXPECT_TRUE(tray.IconShown());
    // The shell restarts: the icon goes up again, or is retried until the taskbar takes it.
    area.refusals = 1;
    tray.TaskbarCreated();
    EXPECT_FALSE(tray.IconShown());
    timer.Tick();
    EXPECT_TRUE(tray.IconShown());
    tray.RemoveTrayIcon();
    tray.TaskbarCreated();  // after exit began, nothing comes back
    EXPECT_EQ(area.calls, (Strings{"refused", "refused", "added", "refused", "added", "removed"}));
    EXPECT_FALSE(timer.Enabled());
}

}  // namespace
}  // namespace bw::test
