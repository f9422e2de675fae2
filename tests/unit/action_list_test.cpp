// The action list: what each add procedure stores and logs, the short names of run rows,
// and the limits that keep the list loadable.
#include "actions/action_list.h"

#include <gtest/gtest.h>

#include "fakes/recording_log.h"
#include "platform/failure.h"

namespace bw::test {
namespace {

class ActionListTest : public ::testing::Test {
  protected:
    RecordingLog log;
    ActionList list{log};

    void AddButtons(int n) {
        for (int i = 1; i <= n; ++i) {
            std::string button = "B";  // not "B" + ...: GCC 12 warns falsely there at -O3
            button += std::to_string(i);
            list.AddMouse(button, "Left Click");
        }
    }
    std::vector<std::string> Buttons() const {
        std::vector<std::string> names;
        for (std::size_t i = 1; i <= list.Count(); ++i) names.push_back(list.Row(i).RemKey);
        return names;
    }
};

TEST_F(ActionListTest, EachAddStoresItsColumnsAndLogsItsBinding) {
    list.AddKey("1", "PLAY", "F5", "116", "0");
    list.AddKey("3", "TEXT", "Hi 2", "0", "0");
    list.AddKey("2", "MENU", "Ctrl + A", "65", "2");
    list.AddMouse("OK", "Left Click");
    list.AddSys("POWER", "Shut down Windows");
    list.AddRun("1", "C:\\Tools\\edit.exe");
    list.AddRun("1", "");  // an empty path: no row, no line

    using enum ActionType;
    const std::vector<ActionRow> rows{
        {Keyboard, "PLAY", "Simulating Keyboard: F5", "F5", "116", "0", "1"},
        {Keyboard, "TEXT", "Simulating Keyboard: Hi 2", "Hi 2", "0", "0", "3"},
        {Keyboard, "MENU", "Simulating Keyboard: Ctrl + A", "Ctrl + A", "65", "2", "2"},
        {Mouse, "OK", "Simulating Mouse: Left Click", "Left Click", "", "", ""},
        {System, "POWER", "System Event: Shut down Windows", "Shut down Windows", "", "", ""},
        {Run, "1", "Running: edit.exe", "C:\\Tools\\edit.exe", "", "", ""}};
    ASSERT_EQ(list.Count(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(list.Row(i + 1), rows[i]) << i;

    const std::vector<RecordedLine> lines{
        {LogKind::Change, "Keyboard shortcut 'F5' is assigned to 'PLAY'"},
        {LogKind::Change, "Keyboard shortcut 'Hi 2' is assigned to 'TEXT'"},
        {LogKind::Change, "Keyboard shortcut 'Ctrl + A' is assigned to 'MENU'"},
        {LogKind::Change, "Mouse event 'Left Click' is assigned to 'OK'"},
        {LogKind::Change, "System event 'Shut down Windows' is assigned to 'POWER'"},
        {LogKind::Change, "'edit.exe' will run upon pressing '1'"}};
    EXPECT_EQ(log.lines, lines);
}

TEST(RunShortNameTest, IsThePartAfterTheLastBackslashAndFoldersKeepTheirPath) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Tools\\edit.exe", "edit.exe"},
        {"edit.exe", "edit.exe"},
        {"C:\\Games\\", "C:\\Games\\"},
        {"\\\\server\\share\\", "server\\share\\"},
        {"\\a\\", "a\\"},
        {"\\", "\\"},
        {"http://example.org/a/b", "http://example.org/a/b"},  // slashes do not separate
        {"D:\\Music\\Grüße.m3u", "Grüße.m3u"},
    };
    for (const auto& [path, shortName] : cases) EXPECT_EQ(RunShortName(path), shortName) << path;
}

TEST_F(ActionListTest, ReadingARowThatIsNoLongerThereFailsInsteadOfReadingPastTheEnd) {
    AddButtons(3);
    list.RemoveRows({2, 3});
    EXPECT_THROW(list.Row(2), Failure);
    EXPECT_THROW(list.Row(0), Failure);
    EXPECT_EQ(list.Row(1).RemKey, "B1");
}

TEST_F(ActionListTest, FullListRefusesAnotherRowWithAClearMessage) {
    AddButtons(static_cast<int>(ActionList::kMaxRows));
    log.lines.clear();
    try {
        list.AddKey("1", "X", "F5", "116", "0");
        FAIL() << "a 32768th row was added";
    } catch (const Failure& failure) {
        EXPECT_NE(failure.Description().find("32767"), std::string::npos);
    }
    EXPECT_EQ(list.Count(), ActionList::kMaxRows);
    EXPECT_TRUE(log.lines.empty());
}

}  // namespace
}  // namespace bw::test
