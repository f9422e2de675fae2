// Saving and loading the action list in the settings store: the order and layout of the
// writes (which earlier installations' lists share), the round trip, stored values that
// cannot be trusted, refused writes, and the demo bindings that ship.
#include "actions/list_persistence.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>

#include "emulation/keyboard.h"
#include "fakes/fake_keyboard_input.h"
#include "fakes/fake_settings_store.h"
#include "fakes/recording_log.h"

namespace bw::test {
namespace {

using Writes = std::vector<std::string>;

class ListPersistenceTest : public ::testing::Test {
  protected:
    FakeSettingsStore store;
    RecordingLog log;
    ActionList list{log};
    ListPersistence persistence{store, list, log};
    RecordingLog loadLog;

    // A fresh start over the same store.
    ActionList Reload() {
        loadLog.lines.clear();
        ActionList loaded(loadLog);
        ListPersistence(store, loaded, loadLog).LoadList();
        return loaded;
    }
    void StoreRow(int i, const std::string& type, const std::string& button) {
        store.Key("ActionType" + std::to_string(i)) = type;
        store.Key("RemoteKey" + std::to_string(i)) = button;
        store.Key("ActionName" + std::to_string(i)) = "Left Click";
    }
};

TEST_F(ListPersistenceTest, SavesSixValuesPerRowInOrderAndTheCountLast) {
    persistence.SaveList();
    EXPECT_EQ(store.writes, Writes{"#ListCount=0"});
    store.writes.clear();
    list.AddKey("2", "MENU", "Ctrl + A", "65", "2");
    list.AddRun("R", "C:\\x.exe");
    persistence.SaveList();
    EXPECT_EQ(store.writes, (Writes{"RemoteKey1=MENU", "ActionType1=1", "ActionName1=Ctrl + A",
                                    "KeyCode1=65", "KeyShift1=2", "KeyType1=2", "RemoteKey2=R",
                                    "ActionType2=4", "ActionName2=C:\\x.exe",
                                    "KeyCode2=", "KeyShift2=", "KeyType2=", "#ListCount=2"}));
    EXPECT_EQ(store.values.count("Buttonwise\\Key\\#ListCount"), 1u);
}

TEST_F(ListPersistenceTest, RoundTripRestoresEveryRowAndLogsEachWithoutWriting) {
    list.AddKey("1", "PLAY", "F5", "116", "0");
    list.AddKey("3", "TEXT", "Hi 2", "0", "0");
    list.AddKey("2", "MENU", "Ctrl + A", "65", "2");
    list.AddMouse("OK", "Left Click");
    list.AddSys("POWER", "Log off");
    list.AddRun("1", "\\\\server\\share\\");
    persistence.SaveList();
    store.writes.clear();
    const ActionList loaded = Reload();
    ASSERT_EQ(loaded.Count(), list.Count());
    for (std::size_t i = 1; i <= list.Count(); ++i) EXPECT_EQ(loaded.Row(i), list.Row(i)) << i;
    EXPECT_EQ(loadLog.lines, log.lines);
    EXPECT_TRUE(store.writes.empty());

    // Shrinking leaves the higher rows unread in the store.
    list.RemoveRows({2, 4});
    persistence.SaveList();
    EXPECT_EQ(store.Key("#ListCount"), "4");
    EXPECT_EQ(store.Key("RemoteKey6"), "1");
    EXPECT_EQ(Reload().Count(), 4u);
}

TEST_F(ListPersistenceTest, UntrustworthyValuesSkipTheirRowOrTheListButNeverWrite) {
    EXPECT_EQ(Reload().Count(), 0u);  // nothing saved yet: no complaint
    EXPECT_TRUE(loadLog.lines.empty());

    // Rows of an unknown or unreadable type are skipped, and only they; texts stay as stored.
    store.Key("#ListCount") = "5";
    StoreRow(1, "2", "A");
    StoreRow(2, "7", "B");
    StoreRow(3, "x", "C");
    StoreRow(5, "1", "E");  // row 4 has no values at all
    store.Key("KeyCode5") = "065";
    ActionList loaded = Reload();
    ASSERT_EQ(loaded.Count(), 2u);
    EXPECT_EQ(loaded.Row(1).RemKey, "A");
    EXPECT_EQ(loaded.Row(2).KeyCode, "065");
    EXPECT_EQ(loaded.Row(2).KeyType, "") << "a missing value reads as empty text";
    EXPECT_EQ(loadLog.lines.size(), 2u);

    for (const char* count : {"abc", "", "99999", "2.5", "3x"}) {
        store.Key("#ListCount") = count;
        EXPECT_EQ(Reload().Count(), 0u) << count;
        ASSERT_EQ(loadLog.lines.size(), 1u) << count;
        EXPECT_EQ(loadLog.lines[0].kind, LogKind::Error);
        EXPECT_NE(loadLog.lines[0].text.find(std::string("\"") + count + "\""), std::string::npos);
    }
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(ListPersistenceTest, RefusedWriteIsLoggedAndThrownOnAndTheListStaysAsItWas) {
    list.AddMouse("A", "Left Click");
    list.AddMouse("B", "Right Click");
    log.lines.clear();
    store.failFromWrite = 3;
    EXPECT_THROW(persistence.SaveList(), Failure);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].kind, LogKind::Error);
    EXPECT_NE(log.lines[0].text.find("Access is denied."), std::string::npos);
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(store.values.count("Buttonwise\\Key\\#ListCount"), 0u) << "a count for rows "
                                                                        "not written";
}

// The bindings of the demo and the screenshots, imported with reg.exe: each row loads and
// names an action that exists, as the Add Action dialog would have saved it.
TEST_F(ListPersistenceTest, EveryDemoBindingNamesAnActionThatExists) {
    std::ifstream reg(BUTTONWISE_SOURCE_DIR "/tools/demo_bindings.reg");
    ASSERT_TRUE(reg) << "demo_bindings.reg is missing";
    const std::regex value("^\"([^\"]+)\"=\"(.*)\"$");
    for (std::string line; std::getline(reg, line);) {
        std::smatch match;
        if (std::regex_match(line, match, value))
            store.Key(match[1]) = std::regex_replace(match[2].str(), std::regex("\\\\\\\\"), "\\");
    }
    std::ifstream keyMap(BUTTONWISE_SOURCE_DIR "/data/KeyMap.ini");
    FakeKeyboardInput input;
    Keyboard keyboard(input);
    keyboard.SetKeyMap(ParseKeyMap(std::string(std::istreambuf_iterator<char>(keyMap), {})));

    const ActionList loaded = Reload();
    ASSERT_EQ(std::to_string(loaded.Count()), store.Key("#ListCount"));
    for (std::size_t i = 1; i <= loaded.Count(); ++i) {
        const ActionRow& row = loaded.Row(i);
        bool known = !row.KeyName.empty();  // a run row
        if (row.type == ActionType::Keyboard) {
            const bool shifted = row.KeyType == std::to_string(kKeyWithModifiers);
            known = row.KeyType == std::to_string(kTextToType) ||
                    row.KeyName ==
                        keyboard.GetKeyName(
                            static_cast<std::int16_t>(std::stoi(row.KeyCode)),
                            static_cast<std::int16_t>(shifted ? std::stoi(row.KeyShift) : 0));
        }
        if (row.type == ActionType::Mouse) known = FindMouseAction(row.KeyName) != nullptr;
        if (row.type == ActionType::System) known = FindSystemAction(row.KeyName) != nullptr;
        EXPECT_TRUE(known) << row.Action;
    }
}

}  // namespace
}  // namespace bw::test
