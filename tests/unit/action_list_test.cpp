// The action list's limits: a full list refuses a row, a shrinking list is never read past
// its end, and the short names that run rows show.
#include "actions/action_list.h"

#include <gtest/gtest.h>

#include "fakes/recording_log.h"
#include "platform/failure.h"

namespace bw::test {
namespace {

TEST(ActionListTest, AFullListRefusesARowAndARowNoLongerThereIsNotReadPastTheEnd) {
    RecordingLog log;
    ActionList list{log};
    for (std::size_t i = 0; i < ActionList::kMaxRows; ++i) list.AddMouse("B", "Left Click");
    log.lines.clear();
    try {
        list.AddKey("1", "X", "F5", "116", "0");
        FAIL() << "a 32768th row was added";
    } catch (const Failure& failure) {
        EXPECT_NE(failure.Description().find("32767"), std::string::npos);
    }
    EXPECT_EQ(list.Count(), ActionList::kMaxRows);
    EXPECT_TRUE(log.lines.empty());

    list.Clear();
    list.AddRun("1", "C:\\Tools\\edit.exe");
    list.AddRun("2", "");  // an empty path adds nothing
    list.AddSys("3", "Log off windows");
    list.RemoveRows({2});
    EXPECT_THROW(list.Row(2), Failure);
    EXPECT_THROW(list.Row(0), Failure);
    EXPECT_EQ(list.Row(1).Action, "Running: edit.exe");
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

}  // namespace
}  // namespace bw::test
