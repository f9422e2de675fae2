// The bindings as the user keeps them: saving and loading in the settings store (the layout
// earlier installations share, values that cannot be trusted, refused writes, the demo
// bindings that ship), and removing, moving and clearing rows.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>

#include "actions/list_persistence.h"
#include "fakes.h"
#include "ui/action_list_commands.h"

namespace bw::test {
namespace {

using Rows = std::vector<std::size_t>;

struct FakeSelection : ActionSelection {
    Rows selected;
    std::optional<std::size_t> focused;
    Rows SelectedRows() override { return selected; }
    std::optional<std::size_t> FocusedRow() override { return focused; }
    void SelectOnly(std::optional<std::size_t> position) override {
        selected = position ? Rows{*position} : Rows{};
        focused = position;
    }
};

struct ActionListTest : ::testing::Test {
    RecordingLog log, loadLog;
    ActionList list{log};
    FakeSettingsStore store;
    ListPersistence persistence{store, list, log};
    FakeSelection selection;
    FakeMessageBoxes boxes;
    ActionListCommands commands{list, persistence, selection, boxes};
    const std::string click = MouseName("Left Mouse Click");

    ActionList Reload() {
        loadLog.lines.clear();
        ActionList loaded(loadLog);
        ListPersistence(store, loaded, loadLog).LoadList();
        return loaded;
    }
    // Buttons "1" to "5", each for a program of its own: "p1.exe" and remote "r".
    void FiveSavedRows() {
        list.Clear();
        for (const char* button : {"1", "2", "3", "4", "5"})
            list.AddMouse(button, click, {std::string("p") + button + ".exe", "r"});
        persistence.SaveList();
        store.writes.clear();
    }
    // The buttons in order; with ownProgram, "?" for a row that lost the program
    // FiveSavedRows gave it.
    static Strings Buttons(const ActionList& rows, bool ownProgram = false) {
        Strings names;
        for (std::size_t i = 1; i <= rows.Count(); ++i) {
            const ActionRow& row = rows.Row(i);
            const bool own = row.program == "p" + row.button + ".exe";
            names.push_back(!ownProgram || own ? row.button : "?");
        }
        return names;
    }
    // The positions whose row loads with the program and remote FiveSavedRows saved there.
    std::string KeptAtTheirPlace() {
        const ActionList loaded = Reload();
        std::string kept;
        for (std::size_t i = 1; i <= loaded.Count(); ++i)
            if (loaded.Row(i).program + loaded.Row(i).remote == "p" + std::to_string(i) + ".exer")
                kept += std::to_string(i);
        return kept;
    }
};

// A run row shows the part of its path after the last backslash; a folder keeps its path.
TEST_F(ActionListTest, ARunRowShowsItsFileNameAndAFolderItsPath) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Tools\\edit.exe", "edit.exe"},  {"C:\\Games\\", "C:\\Games\\"},
        {"\\\\server\\share\\", "server\\share\\"},  {"\\", "\\"},  {"D:\\Music\\Grüße.m3u", "Grüße.m3u"},
        {"http://example.org/a/b", "http://example.org/a/b"},  // slashes do not separate
    };
    // clang-format on
    for (const auto& [path, shortName] : cases) {
        list.AddRun("R", path);
        EXPECT_EQ(list.Row(list.Count()).action, std::string("Running: ") + shortName) << path;
    }
}

TEST_F(ActionListTest, SavesTenValuesPerRowInOrderAndTheCountLastAndLoadsThemBack) {
    persistence.SaveList();
    EXPECT_EQ(store.writes, Strings{"#ListCount=0"});
    store.writes.clear();
    list.AddKey("2", "MENU", "Ctrl + A", "65", "2");
    list.AddRun("R", "C:\\x.exe", {"player.exe", "tv", 0, When::Long});
    persistence.SaveList();
    EXPECT_EQ(store.writes,
              (Strings{"RemoteKey1=MENU", "ActionType1=1", "ActionName1=Ctrl + A", "KeyCode1=65",
                       "KeyShift1=2", "KeyType1=2", "Program1=", "Remote1=", "Press1=",
                       "Check1=" + RowCheck({"MENU", "1", "Ctrl + A", "65", "2", "2"}),
                       "RemoteKey2=R", "ActionType2=4", "ActionName2=C:\\x.exe",
                       "KeyCode2=", "KeyShift2=", "KeyType2=", "Program2=player.exe", "Remote2=tv",
                       "Press2=long", "Check2=" + RowCheck({"R", "4", "C:\\x.exe", "", "", ""}, "long"),
                       "#ListCount=2"}));
    // A store that refuses: said in the log, thrown on, the list kept, and no count for
    // rows that were not written.
    store.failFromWrite = 3;
    store.values.clear();
    EXPECT_THROW(persistence.SaveList(), Failure);
    EXPECT_EQ(log.Texts(LogKind::Error),
              Strings{"The action list could not be saved: Access is denied."});
    EXPECT_EQ(store.values.count("Buttonwise\\Key\\#ListCount"), 0u);
    store.failFromWrite.reset();
    log.lines.pop_back();
    // Held where it can be: a key, a click; typed text and a system action act on the press.
    list.AddKey("1", "PLAY", "F5", "116", "0", {"", "", 0, When::Held});
    list.AddKey("3", "TEXT", "Hi 2", "0", "0", {"", "", 0, When::Held});
    list.AddMouse("OK", click, {"", "", 0, When::Held});
    list.AddSys("POWER", SystemName("Log off windows"), {"", "tv", 0, When::Held});
    EXPECT_EQ(ActionText(list.Row(3)), "Simulating Keyboard: F5 (held)");
    EXPECT_EQ(ActionText(list.Row(4)) + ActionText(list.Row(6)),
              "Simulating Keyboard: Hi 2System Event: Log off windows");
    list.AddRun("1", "\\\\server\\share\\");
    persistence.SaveList();
    store.writes.clear();
    const ActionList loaded = Reload();
    ASSERT_EQ(loaded.Count(), list.Count());
    for (std::size_t i = 1; i <= list.Count(); ++i) EXPECT_EQ(loaded.Row(i), list.Row(i)) << i;
    EXPECT_EQ(loadLog.lines, log.lines);
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(ActionListTest, UntrustworthyValuesSkipTheirRowOrTheListButNeverWrite) {
    EXPECT_EQ(Reload().Count(), 0u);  // nothing saved yet: no complaint
    EXPECT_TRUE(loadLog.lines.empty());
    // An earlier installation shares the key and rewrites rows with their six older values
    // only (so does an older backup): a row keeps its program and remote only where they
    // were saved with it. What was rewritten, and the rows that keep theirs; last, a longer
    // list over the Program6 of an older one, where row 6 has no check of its own.
    // clang-format off
    const std::pair<std::map<std::string, std::string>, std::string> rewrites[] = {
        {{}, "12345"},
        {{{"RemoteKey2", "X"}}, "1345"},
        {{{"ActionType5", "3"}}, "1234"},
        {{{"ActionName1", "Right Mouse Click"}}, "2345"},
        {{{"KeyCode3", "1"}}, "1245"},
        {{{"KeyShift4", "1"}}, "1235"},
        {{{"KeyType2", "1"}}, "1345"},
        {{{"RemoteKey6", "6"}, {"ActionType6", "6"}, {"Program6", "6"}, {"#ListCount", "6"}}, "12345"},
    };
    // clang-format on
    for (const auto& [values, kept] : rewrites) {
        FiveSavedRows();
        for (const auto& [key, value] : values) store.Key(key) = value;
        EXPECT_EQ(KeptAtTheirPlace(), kept);
    }
    // A press value only with the check that covers it: a row the installation before
    // rewrote (its check covers the six values alone) keeps its program and remote but not
    // a press value left behind; one changed behind the check loses all three.
    const OlderRowValues first{"1", "2", click, "", "", ""};
    // clang-format off
    const std::tuple<const char*, std::string, const char*, When> presses[] = {
        {"hold", RowCheck(first, "hold"), "p1.exe", When::Held},
        {"long", RowCheck(first, "long"), "p1.exe", When::Long},
        {"hold", RowCheck(first), "p1.exe", When::Pressed},
        {"long", RowCheck(first, "hold"), "", When::Pressed},
        {"down", RowCheck(first, "down"), "p1.exe", When::Pressed},
    };
    // clang-format on
    for (const auto& [press, check, program, when] : presses) {
        FiveSavedRows();
        store.Key("Press1") = press;
        store.Key("Check1") = check;
        const ActionList loaded = Reload();
        EXPECT_EQ(std::pair(loaded.Row(1).program, loaded.Row(1).when), std::pair(std::string(program), when))
            << press << " " << check;
    }
    // A list saved before rows had checks keeps every program, as it did, also after a move
    // saved two of its rows: 4 and 5 changed places, each with its own program.
    FiveSavedRows();
    for (const char* n : {"1", "2", "3", "4", "5"})
        store.values.erase(FakeSettingsStore::Path("Buttonwise", "Key", "Check") + n);
    store.Key("RemoteKey2") = "X";
    ActionList moved(loadLog);
    ListPersistence saving(store, moved, loadLog);
    saving.LoadList();
    moved.Move(4, +1);
    saving.SaveRows(4, 5);
    EXPECT_EQ(KeptAtTheirPlace(), "123");
    // Rows of an unknown or unreadable type are skipped, and only they; texts stay as stored,
    // and a value that is missing reads as empty text.
    FiveSavedRows();
    store.Key("ActionType2") = "7";
    store.Key("ActionType3") = "x";
    store.Key("ActionType5") = "1";
    store.Key("KeyCode5") = "065";
    store.values.erase(FakeSettingsStore::Path("Buttonwise", "Key", "KeyType5"));
    ActionList loaded(loadLog);
    ListPersistence loading(store, loaded, loadLog);
    loading.LoadList();
    EXPECT_EQ(Buttons(loaded), (Strings{"1", "4", "5"}));
    EXPECT_EQ(loaded.Row(3).keyCode, "065");
    EXPECT_EQ(loaded.Row(3).keyType, "");
    EXPECT_TRUE(store.writes.empty());
    // The store does not hold the list row for row: a move saves it whole.
    loaded.Move(1, +1);
    loading.SaveRows(1, 2);
    EXPECT_EQ(Reload().Count(), 3u);
    store.writes.clear();
    for (const char* count : {"abc", "", "99999", "2.5", "3x"}) {
        store.Key("#ListCount") = count;
        EXPECT_EQ(Reload().Count(), 0u) << count;
        EXPECT_EQ(
            loadLog.lines,
            (LogLines{{LogKind::Error, "The saved action list cannot be read: its count is \"" +
                                           std::string(count) + "\". Nothing was loaded."}}));
    }
    EXPECT_TRUE(store.writes.empty());
}

// The bindings of the demo and the screenshots, imported with reg.exe: each row loads with
// its program and remote and names an action that exists, as the dialog would have saved it.
TEST_F(ActionListTest, EveryDemoBindingNamesAnActionThatExists) {
    std::ifstream reg(BUTTONWISE_SOURCE_DIR "/tools/demo_bindings.reg");
    ASSERT_TRUE(reg) << "demo_bindings.reg is missing";
    const std::regex value("^\"([^\"]+)\"=\"(.*)\"$");
    for (std::string line; std::getline(reg, line);) {
        std::smatch match;
        if (std::regex_match(line, match, value))
            store.Key(match[1]) = std::regex_replace(match[2].str(), std::regex("\\\\\\\\"), "\\");
    }
    std::ifstream keyMap(BUTTONWISE_SOURCE_DIR "/data/KeyMap.ini");
    FakeDesktop input;
    RecordingLog keyLog;
    Keyboard keyboard(input, keyLog);
    LoadKeyTable(keyboard, std::string(std::istreambuf_iterator<char>(keyMap), {}));
    const ActionList loaded = Reload();
    ASSERT_EQ(std::to_string(loaded.Count()), store.Key("#ListCount"));
    for (std::size_t i = 1; i <= loaded.Count(); ++i) {
        const ActionRow& row = loaded.Row(i);
        const KeyStroke& key = row.stroke;
        bool known = !row.value.empty();  // a run row
        if (row.type == ActionType::Keyboard)
            known = key.kind == kTextToType ||
                    row.value == keyboard.KeyName(
                                     key.key, key.kind == kKeyWithModifiers ? key.modifiers : 0);
        if (row.type == ActionType::Mouse) known = FindMouseAction(row.value) != nullptr;
        if (row.type == ActionType::System) known = FindSystemAction(row.value) != nullptr;
        EXPECT_TRUE(known) << row.action;
        const std::string n = std::to_string(i);
        EXPECT_EQ(row.program + "|" + row.remote + "|" + StoredWhen(row.when),
                  store.Key("Program" + n) + "|" + store.Key("Remote" + n) + "|" +
                      store.Key("Press" + n))
            << "row " << n << " was not saved with its check";
    }
}

TEST_F(ActionListTest, RemovingAndMovingSelectTheRightRowAndSaveRowsBeyondTheCountUnread) {
    // The selection, the focused row (0: none), the command (0 removes, -1 and +1 move, 2
    // and 3 clear the list answering Yes and No), the buttons and the selection afterwards.
    // Removing and clearing save the list; a move the two rows that changed places, and
    // nothing when no row moved.
    // clang-format off
    const std::tuple<Rows, std::size_t, int, Strings, Rows> cases[] = {
        {{}, 0, 0, {"1", "2", "3", "4", "5"}, {}},   {{4, 5}, 5, 0, {"1", "2", "3"}, {3}},
        {{2, 4}, 2, 0, {"1", "3", "5"}, {2}},        {{1}, 0, 0, {"2", "3", "4", "5"}, {1}},
        {{1, 2, 3, 4, 5}, 1, 0, {}, {}},
        {{0, 7}, 0, 0, {"1", "2", "3", "4", "5"}, {}},  // positions that are not there
        {{3}, 3, -1, {"1", "3", "2", "4", "5"}, {2}},  {{3}, 0, +1, {"1", "2", "4", "3", "5"}, {4}},
        {{1}, 1, -1, {"1", "2", "3", "4", "5"}, {1}},  {{5}, 5, +1, {"1", "2", "3", "4", "5"}, {5}},
        {{2, 4}, 4, -1, {"1", "2", "4", "3", "5"}, {3}},  // the focused one of several
        {{2, 4}, 3, -1, {"2", "1", "3", "4", "5"}, {1}},  // the focus elsewhere: the first
        {{}, 2, +1, {"1", "2", "3", "4", "5"}, {}},
        {{2}, 2, 2, {}, {}},  {{2}, 2, 3, {"1", "2", "3", "4", "5"}, {2}},
    };
    // clang-format on
    std::size_t changes = 0;  // the view is told of a clearing once
    list.SetChangedHandler([&](std::size_t) { ++changes; });
    for (const auto& [selected, focused, command, left, selectedAfter] : cases) {
        FiveSavedRows();
        selection.selected = selected;
        selection.focused = focused ? std::optional(focused) : std::nullopt;
        boxes.answer = command == 3 ? kIdNo : kIdYes;
        changes = 0;
        if (command == 0) commands.RemoveSelected();
        if (command == 2 || command == 3) commands.NewList();
        if (command == -1 || command == 1) commands.MoveSelected(command);
        EXPECT_EQ(Buttons(list), left) << command;
        EXPECT_EQ(selection.selected, selectedAfter);
        EXPECT_THROW(list.Row(list.Count() + 1), Failure) << "read past the end";
        const bool moved = command * command == 1 && left != Strings{"1", "2", "3", "4", "5"};
        const std::size_t saved = command == 0 || command == 2 ? 10 * left.size() + 1 : 0;
        EXPECT_EQ(store.writes.size(), moved ? 20 : saved);
        if (command >= 2) {
            EXPECT_EQ(changes, command == 2 ? 1u : 0u);
        }
        EXPECT_EQ(store.Key("RemoteKey5"), "5") << "rows beyond the count stay, unread";
        EXPECT_EQ(Buttons(Reload(), true), left) << "each row comes back with its own program";
    }
    EXPECT_EQ(boxes.calls, Strings(2, Box(kClearQuestion, kClearTitle, 0x24)));
    EXPECT_THROW(list.Row(0), Failure);
    list.SetChangedHandler(nullptr);
    // An edited row takes the place of the old one.
    list.AddKey("1", "9", "F5", "116", "0", {"player.exe", "tv", 2});
    EXPECT_EQ(Buttons(list), (Strings{"1", "9", "3", "4", "5"}));
    EXPECT_EQ(log.lines.back().text,
              "Keyboard shortcut 'F5' is assigned to '9 on tv' while player.exe is in front");
    EXPECT_EQ(ActionText(list.Row(2)), "Simulating Keyboard: F5 (player.exe)");
    EXPECT_THROW(list.AddMouse("9", click, {"", "", 6}), Failure);
}

}  // namespace
}  // namespace bw::test
