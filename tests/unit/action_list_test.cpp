// The bindings as the user keeps them: saved, loaded, removed, moved and cleared.
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

struct ActionListTest : ::testing::Test, CoreRig {
    RecordingLog loadLog;
    FakeSettingsStore store;
    ListPersistence persistence{store, list, log};
    FakeSelection selection;
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
    // The buttons in order; with ownProgram, "?" for a row without the one FiveSavedRows gave.
    static std::string Buttons(const ActionList& rows, bool ownProgram = false) {
        std::string names;
        for (std::size_t i = 1; i <= rows.Count(); ++i) {
            const ActionRow& row = rows.Row(i);
            const bool own = row.program == "p" + row.button + ".exe";
            names += !ownProgram || own ? row.button : "?";
        }
        return names;
    }
    // The positions whose row loads with the program and remote FiveSavedRows saved there,
    // and an "h" or "l" after each row that loads held or for a long press.
    std::string KeptAtTheirPlace() {
        const ActionList loaded = Reload();
        std::string kept;
        for (std::size_t i = 1; i <= loaded.Count(); ++i) {
            const std::string n = std::to_string(i), program = "p" + n + ".exe";
            kept += (loaded.Row(i).program + loaded.Row(i).remote == program + "r" ? n : "") +
                    StoredWhen(loaded.Row(i).when).substr(0, 1);
        }
        return kept;
    }
};

TEST_F(ActionListTest, SavesElevenValuesPerRowInOrderAndTheCountLastAndLoadsThemBack) {
    list.AddKey("2", "MENU", "Ctrl + A", "65", "2");
    list.AddRun("R", "C:\\x.exe", {"player.exe", "tv", 0, When::Long});
    persistence.SaveList();
    EXPECT_EQ(store.writes,
              (Strings{"RemoteKey1=MENU", "ActionType1=1", "ActionName1=Ctrl + A", "KeyCode1=65",
                       "KeyShift1=2", "KeyType1=2", "Program1=", "Remote1=", "Press1=",
                       "Check1=" + RowCheck({"MENU", "1", "Ctrl + A", "65", "2", "2"}),
                       "PressCheck1=" + RowCheck({"MENU", "1", "Ctrl + A", "65", "2", "2"}),
                       "RemoteKey2=R", "ActionType2=4", "ActionName2=C:\\x.exe",
                       "KeyCode2=", "KeyShift2=", "KeyType2=", "Program2=player.exe", "Remote2=tv",
                       "Press2=long", "Check2=" + RowCheck({"R", "4", "C:\\x.exe", "", "", ""}),
                       "PressCheck2=" + RowCheck({"R", "4", "C:\\x.exe", "", "", ""}, "long"),
                       "#ListCount=2"}));
    // A store that refuses: said in the log, thrown on, and no count for rows not written.
    store.failFromWrite = 3;
    store.values.clear();
    EXPECT_THROW(persistence.SaveList(), Failure);
    EXPECT_EQ(log.Texts(LogKind::Error),
              Strings{"The action list could not be saved: Access is denied."});
    EXPECT_EQ(store.values.count("Buttonwise\\Key\\#ListCount"), 0u);
    store.failFromWrite.reset();
    // Held where it can be: a key, a click; typed text and a system action act on the press.
    list.AddKey("1", "PLAY", "F5", "116", "0", {"", "", 0, When::Held});
    list.AddKey("3", "TEXT", "Hi 2", "0", "0", {"", "", 0, When::Held});
    list.AddMouse("OK", click, {"", "", 0, When::Held});
    list.AddSys("POWER", SystemName("Log off windows"), {"", "tv", 0, When::Held});
    EXPECT_EQ(ActionText(list.Row(3)), "Simulating Keyboard: F5 (held)");
    EXPECT_EQ(ActionText(list.Row(4)) + ActionText(list.Row(6)),
              "Simulating Keyboard: Hi 2System Event: Log off windows");
    // A run row shows the part of its path after the last backslash; a folder keeps its path.
    // clang-format off
    const std::pair<const char*, const char*> runs[] = {
        {"C:\\Tools\\edit.exe", "edit.exe"},  {"C:\\Games\\", "C:\\Games\\"},
        {"\\\\server\\share\\", "server\\share\\"},  {"\\", "\\"},  {"D:\\Music\\Grüße.m3u", "Grüße.m3u"},
        {"http://example.org/a/b", "http://example.org/a/b"},  // slashes do not separate
    };
    // clang-format on
    for (const auto& [path, shortName] : runs) {
        list.AddRun("R", path);
        EXPECT_EQ(list.Row(list.Count()).action, std::string("Running: ") + shortName) << path;
    }
    persistence.SaveList();
    store.writes.clear();
    const ActionList loaded = Reload();
    ASSERT_EQ(loaded.Count(), list.Count());
    for (std::size_t i = 1; i <= list.Count(); ++i) EXPECT_EQ(loaded.Row(i), list.Row(i)) << i;
    EXPECT_EQ(loadLog.lines, bindings.lines);
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(ActionListTest, UntrustworthyValuesSkipTheirRowOrTheListButNeverWrite) {
    EXPECT_EQ(Reload().Count(), 0u);  // nothing saved yet: no complaint
    EXPECT_TRUE(loadLog.lines.empty());
    // An earlier installation shares the key and rewrites rows with their six older values only
    // (so does an older backup): a row keeps its program and remote only where they were saved
    // with it, and a press value only under the check that covers it. A row the version before
    // rewrote (it writes Check, over the six, but no PressCheck) keeps program and remote, not a
    // press value left behind. Row 6 of a longer, older list has no check. What was rewritten;
    // what is kept.
    const OlderRowValues first{"1", "2", click, "", "", ""};
    // clang-format off
    const std::pair<std::map<std::string, std::string>, std::string> rewrites[] = {
        {{}, "12345"},  {{{"RemoteKey2", "X"}}, "1345"},  {{{"ActionType5", "3"}}, "1234"},
        {{{"ActionName1", "Right Mouse Click"}}, "2345"},  {{{"KeyCode3", "1"}}, "1245"},
        {{{"KeyShift4", "1"}}, "1235"},  {{{"KeyType2", "1"}}, "1345"},
        {{{"RemoteKey6", "6"}, {"ActionType6", "6"}, {"Program6", "6"}, {"#ListCount", "6"}}, "12345"},
        {{{"Press1", "hold"}, {"PressCheck1", RowCheck(first, "hold")}}, "1h2345"},
        {{{"Press1", "long"}, {"PressCheck1", RowCheck(first, "long")}}, "1l2345"},
        {{{"Press1", "hold"}}, "12345"},  // left behind: the PressCheck is the empty value's
        {{{"Press1", "long"}, {"PressCheck1", RowCheck(first, "hold")}}, "12345"},
        {{{"Press1", "down"}, {"PressCheck1", RowCheck(first, "down")}}, "12345"},
        {{{"Press1", "hold"}, {"PressCheck1", RowCheck(first, "hold")}, {"KeyCode1", "9"}}, "2345"},
    };
    // clang-format on
    for (const auto& [values, kept] : rewrites) {
        FiveSavedRows();
        for (const auto& [key, value] : values) store.Key(key) = value;
        EXPECT_EQ(KeptAtTheirPlace(), kept);
    }
    // A list saved before rows had checks keeps every program, as it did, also after a move
    // saved two of its rows: 4 and 5 changed places, each with its own program.
    FiveSavedRows();
    for (const char* n : {"1", "2", "3", "4", "5"})
        store.values.erase(FakeSettingsStore::Path("Buttonwise", "Key", "Check") + n);
    store.Key("RemoteKey2") = "X";
    list.Clear();
    persistence.LoadList();
    list.Move(4, +1);
    persistence.SaveRows(4, 5);
    EXPECT_EQ(KeptAtTheirPlace(), "123");
    // Only rows of an unknown or unreadable type are skipped; texts stay as stored, none: empty.
    FiveSavedRows();
    for (const auto& [key, value] : std::map<std::string, std::string>{
             {"ActionType2", "7"}, {"ActionType3", "x"}, {"ActionType5", "1"}, {"KeyCode5", "065"}})
        store.Key(key) = value;
    store.values.erase(FakeSettingsStore::Path("Buttonwise", "Key", "KeyType5"));
    list.Clear();
    persistence.LoadList();
    EXPECT_EQ(Buttons(list), "145");
    EXPECT_EQ(list.Row(3).keyCode + "|" + list.Row(3).keyType, "065|");
    EXPECT_TRUE(store.writes.empty());
    list.Move(1, +1);
    persistence.SaveRows(1, 2);  // the store does not hold the list row for row: saved whole
    EXPECT_EQ(Reload().Count(), 3u);
    store.writes.clear();
    for (const char* count : {"abc", "", "99999", "2.5", "3x"}) {
        store.Key("#ListCount") = count;
        EXPECT_EQ(Reload().Count(), 0u) << count;
        EXPECT_EQ(loadLog.Texts(LogKind::Error),
                  Strings{"The saved action list cannot be read: its count is \"" +
                          std::string(count) + "\". Nothing was loaded."});
    }
    EXPECT_TRUE(store.writes.empty());
}

// The bindings of the demo and the screenshots, imported with reg.exe: each row loads with
// its program and remote and names an action that exists, as the dialog would have saved it.
TEST_F(ActionListTest, EveryDemoBindingNamesAnActionThatExists) {
    std::ifstream reg(BUTTONWISE_SOURCE_DIR "/tools/demo_bindings.reg");
    const std::regex value("^\"([^\"]+)\"=\"(.*)\"$");
    for (std::string line; std::getline(reg, line);) {
        std::smatch match;
        if (std::regex_match(line, match, value))
            store.Key(match[1]) = std::regex_replace(match[2].str(), std::regex("\\\\\\\\"), "\\");
    }
    std::ifstream keyMap(BUTTONWISE_SOURCE_DIR "/data/KeyMap.ini");
    FakeDesktop input;
    Keyboard keyboard(input, log);
    LoadKeyTable(keyboard, std::string(std::istreambuf_iterator<char>(keyMap), {}));
    ActionList loaded = Reload();
    ASSERT_GT(loaded.Count(), 5u) << "demo_bindings.reg holds too few rows, or is missing";
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
    }
    // Saved again, the list is the file: no row lost, each with its program, remote and press.
    FakeSettingsStore saved;
    ListPersistence(saved, loaded, loadLog).SaveList();
    EXPECT_EQ(saved.values, store.values);
}

TEST_F(ActionListTest, RemovingAndMovingSelectTheRightRowAndSaveRowsBeyondTheCountUnread) {
    // The selection, the focused row (0: none), the command (0 removes, -1 and +1 move, 2 and 3
    // clear answering Yes and No), the buttons and the selection afterwards. Removing and
    // clearing save the list; a move the two rows that changed places, nothing when none did.
    // clang-format off
    const std::tuple<Rows, std::size_t, int, std::string, Rows> cases[] = {
        {{}, 0, 0, "12345", {}},  {{4, 5}, 5, 0, "123", {3}},  {{2, 4}, 2, 0, "135", {2}},  {{1}, 0, 0, "2345", {1}},
        {{1, 2, 3, 4, 5}, 1, 0, "", {}},  {{0, 7}, 0, 0, "12345", {}},  // positions that are not there
        {{3}, 3, -1, "13245", {2}},  {{3}, 0, +1, "12435", {4}},  {{1}, 1, -1, "12345", {1}},  {{5}, 5, +1, "12345", {5}},
        {{2, 4}, 4, -1, "12435", {3}},  // the focused one of several
        {{2, 4}, 3, -1, "21345", {1}},  // the focus elsewhere: the first
        {{}, 2, +1, "12345", {}},  {{2}, 2, 2, "", {}},  {{2}, 2, 3, "12345", {2}},
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
        const bool moved = command * command == 1 && left != "12345";
        const std::size_t saved = command == 0 || command == 2 ? 11 * left.size() + 1 : 0;
        EXPECT_EQ(store.writes.size(), moved ? 22 : saved);
        EXPECT_EQ(command >= 2 ? changes : 0u, command == 2 ? 1u : 0u);
        EXPECT_EQ(store.Key("RemoteKey5"), "5") << "rows beyond the count stay, unread";
        EXPECT_EQ(Buttons(Reload(), true), left) << "each row comes back with its own program";
    }
    EXPECT_EQ(boxes.calls, Strings(2, Box(kClearQuestion, kClearTitle, 0x24)));
    EXPECT_THROW(list.Row(0), Failure);
    list.AddKey("1", "9", "F5", "116", "0", {"player.exe", "tv", 2});  // edited in its place
    EXPECT_EQ(Buttons(list), "19345");
    EXPECT_EQ(bindings.lines.back().text,
              "Keyboard shortcut 'F5' is assigned to '9 on tv' while player.exe is in front");
    EXPECT_EQ(ActionText(list.Row(2)), "Simulating Keyboard: F5 (player.exe)");
    EXPECT_THROW(list.AddMouse("9", click, {"", "", 6}), Failure);
}

}  // namespace
}  // namespace bw::test
