// Saving and loading the action list in the settings store: the order and layout of the
// writes (which earlier installations' lists share), the round trip, and stored values
// that cannot be trusted.
#include "actions/list_persistence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <regex>

#include "emulation/keyboard.h"
#include "fakes/fake_keyboard_input.h"
#include "fakes/fake_settings_store.h"
#include "fakes/recording_log.h"
#include "ui/add_action.h"

namespace bw::test {
namespace {

class ListPersistenceTest : public ::testing::Test {
  protected:
    FakeSettingsStore store;
    RecordingLog log;
    ActionList list{log};
    ListPersistence persistence{store, list, log};

    // A fresh start over the same store.
    ActionList Reload(RecordingLog& newLog) {
        ActionList loaded(newLog);
        ListPersistence(store, loaded, newLog).LoadList();
        return loaded;
    }
    void StoreRow(int i, const std::string& type, const std::string& button,
                  const std::string& name) {
        store.Key("ActionType" + std::to_string(i)) = type;
        store.Key("RemoteKey" + std::to_string(i)) = button;
        store.Key("ActionName" + std::to_string(i)) = name;
    }
};

TEST_F(ListPersistenceTest, SavesSixValuesPerRowInOrderAndTheCountLast) {
    list.AddKey("2", "MENU", "Ctrl + A", "65", "2");
    list.AddRun("R", "C:\\x.exe");
    persistence.SaveList();
    EXPECT_EQ(store.writes,
              (std::vector<std::string>{"RemoteKey1=MENU", "ActionType1=1", "ActionName1=Ctrl + A",
                                        "KeyCode1=65", "KeyShift1=2", "KeyType1=2", "RemoteKey2=R",
                                        "ActionType2=4", "ActionName2=C:\\x.exe",
                                        "KeyCode2=", "KeyShift2=", "KeyType2=", "#ListCount=2"}));
    EXPECT_EQ(store.values.count("Buttonwise\\Key\\#ListCount"), 1u);
}

TEST_F(ListPersistenceTest, EmptyListWritesOnlyTheCount) {
    persistence.SaveList();
    EXPECT_EQ(store.writes, std::vector<std::string>{"#ListCount=0"});
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

    RecordingLog newLog;
    const ActionList loaded = Reload(newLog);
    ASSERT_EQ(loaded.Count(), list.Count());
    for (std::size_t i = 1; i <= list.Count(); ++i) EXPECT_EQ(loaded.Row(i), list.Row(i)) << i;
    EXPECT_EQ(newLog.lines, log.lines);
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(ListPersistenceTest, ShrinkingLeavesHigherRowsUnreadInTheStore) {
    for (int i = 1; i <= 5; ++i) list.AddMouse("B" + std::to_string(i), "Left Click");
    persistence.SaveList();
    list.RemoveRows({2, 4});
    persistence.SaveList();

    EXPECT_EQ(store.Key("#ListCount"), "3");
    EXPECT_EQ(store.Key("RemoteKey4"), "B4");
    EXPECT_EQ(store.Key("RemoteKey5"), "B5");
    RecordingLog newLog;
    EXPECT_EQ(Reload(newLog).Count(), 3u);
}

TEST_F(ListPersistenceTest, RowsOfUnknownOrUnreadableTypeAreSkippedOnly) {
    store.Key("#ListCount") = "5";
    StoreRow(1, "2", "A", "Left Click");
    StoreRow(2, "7", "B", "?");
    StoreRow(3, "x", "C", "?");
    StoreRow(5, "3", "E", "Log off");  // row 4 has no values at all

    RecordingLog newLog;
    const ActionList loaded = Reload(newLog);
    ASSERT_EQ(loaded.Count(), 2u);
    EXPECT_EQ(loaded.Row(1).RemKey, "A");
    EXPECT_EQ(loaded.Row(2).RemKey, "E");
    EXPECT_EQ(newLog.lines.size(), 2u);
}

TEST_F(ListPersistenceTest, StoredTextsAreKeptAsTheyAre) {
    store.Key("#ListCount") = "1";
    StoreRow(1, "1", "MENU", "Ctrl + A");
    store.Key("KeyCode1") = "065";
    store.Key("KeyShift1") = "2";
    RecordingLog newLog;
    const ActionList loaded = Reload(newLog);
    ASSERT_EQ(loaded.Count(), 1u);
    EXPECT_EQ(loaded.Row(1).KeyCode, "065");
    EXPECT_EQ(loaded.Row(1).KeyShift, "2");
    EXPECT_EQ(loaded.Row(1).KeyType, "") << "a missing value reads as empty text";
}

TEST_F(ListPersistenceTest, UnreadableCountLoadsNothingSaysSoAndWritesNothing) {
    for (const char* count : {"abc", "", "99999", "2.5", "3x"}) {
        store.values.clear();
        store.writes.clear();
        store.Key("#ListCount") = count;
        StoreRow(1, "2", "A", "Left Click");
        RecordingLog newLog;
        EXPECT_EQ(Reload(newLog).Count(), 0u) << count;
        ASSERT_EQ(newLog.lines.size(), 1u) << count;
        EXPECT_EQ(newLog.lines[0].kind, LogKind::Error);
        EXPECT_NE(newLog.lines[0].text.find(std::string("\"") + count + "\""), std::string::npos);
        EXPECT_TRUE(store.writes.empty());
    }
}

TEST_F(ListPersistenceTest, NoSavedListIsAnEmptyListWithoutComplaint) {
    RecordingLog newLog;
    EXPECT_EQ(Reload(newLog).Count(), 0u);
    EXPECT_TRUE(newLog.lines.empty());
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
    EXPECT_EQ(store.values.count("Buttonwise\\Key\\#ListCount"), 0u) << "no count for rows "
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

    const ActionList loaded = Reload(log);
    ASSERT_EQ(std::to_string(loaded.Count()), store.Key("#ListCount"));
    for (std::size_t i = 1; i <= loaded.Count(); ++i) {
        const ActionRow& row = loaded.Row(i);
        bool known = false;
        if (row.type == ActionType::Keyboard) {
            const auto shift =
                row.KeyType == std::to_string(kKeyWithModifiers) ? std::stoi(row.KeyShift) : 0;
            known = row.KeyType == std::to_string(kTextToType) ||
                    row.KeyName ==
                        keyboard.GetKeyName(static_cast<std::int16_t>(std::stoi(row.KeyCode)),
                                            static_cast<std::int16_t>(shift));
        }
        if (row.type == ActionType::Mouse) known = FindMouseAction(row.KeyName) != nullptr;
        if (row.type == ActionType::System) known = FindSystemAction(row.KeyName) != nullptr;
        if (row.type == ActionType::Run) known = !row.KeyName.empty();
        EXPECT_TRUE(known) << row.Action;
    }
}

}  // namespace
}  // namespace bw::test
