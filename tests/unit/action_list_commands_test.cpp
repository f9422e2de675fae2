// Removing and clearing rows as the user does it in the main window: what stays, what is
// selected afterwards, and what reaches the settings store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/list_persistence.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_settings_store.h"
#include "fakes/recording_log.h"
#include "ui/action_list_commands.h"

namespace bw::test {
namespace {

class FakeSelection : public ActionSelection {
  public:
    std::vector<std::size_t> selected;
    std::vector<std::size_t> SelectedRows() override { return selected; }
    void SelectOnly(std::optional<std::size_t> position) override {
        selected.clear();
        if (position) selected.push_back(*position);
    }
};

class ActionListCommandsTest : public ::testing::Test {
  protected:
    RecordingLog log;
    ActionList list{log};
    FakeSettingsStore store;
    ListPersistence persistence{store, list, log};
    FakeSelection selection;
    FakeMessageBoxes boxes;
    ActionListCommands commands{list, persistence, selection, boxes};
    std::vector<std::size_t> shownCounts;

    void SetUp() override { Fill(); }

    // Five saved rows, buttons "1" to "5".
    void Fill() {
        list.SetChangedHandler(nullptr);
        list.Clear();
        for (const char* button : {"1", "2", "3", "4", "5"}) list.AddMouse(button, "Left Click");
        persistence.SaveList();
        store.writes.clear();
        list.SetChangedHandler([this](std::size_t count) { shownCounts.push_back(count); });
    }

    std::vector<std::string> Buttons() const {
        std::vector<std::string> names;
        for (std::size_t i = 1; i <= list.Count(); ++i) names.push_back(list.Row(i).RemKey);
        return names;
    }
};

TEST_F(ActionListCommandsTest, RemovingSelectsTheNeighbourAndAlwaysSaves) {
    struct Case {
        std::vector<std::size_t> selected;
        std::vector<std::string> left;
        std::vector<std::size_t> selectedAfter;
    };
    const Case cases[] = {
        {{}, {"1", "2", "3", "4", "5"}, {}},     {{4, 5}, {"1", "2", "3"}, {3}},
        {{2, 4}, {"1", "3", "5"}, {2}},          {{4, 2}, {"1", "3", "5"}, {2}},
        {{1}, {"2", "3", "4", "5"}, {1}},        {{1, 2, 3, 4, 5}, {}, {}},
        {{0, 7}, {"1", "2", "3", "4", "5"}, {}},  // positions that are not there
    };
    for (const Case& c : cases) {
        Fill();
        selection.selected = c.selected;
        commands.cmdRemove_Click();
        EXPECT_EQ(Buttons(), c.left);
        EXPECT_EQ(selection.selected, c.selectedAfter);
        ASSERT_FALSE(store.writes.empty()) << "not saved";
        EXPECT_EQ(store.writes.back(), "#ListCount=" + std::to_string(c.left.size()));
        EXPECT_EQ(store.writes.size(), 6 * c.left.size() + 1);
    }
}

TEST_F(ActionListCommandsTest, ClearingAsksFirstAndNoChangesNothing) {
    boxes.answer = kIdNo;
    commands.miNewActionList_Click();
    EXPECT_EQ(list.Count(), 5u);
    EXPECT_TRUE(store.writes.empty());
    EXPECT_EQ(boxes.shown,
              (std::vector<ShownBox>{{"Are you sure you want to clear all remote actions?",
                                      "Remove all Actions?", 0x24}}));

    boxes.answer = kIdYes;
    selection.selected = {2};
    commands.miNewActionList_Click();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_TRUE(selection.selected.empty());
    EXPECT_EQ(store.writes, std::vector<std::string>{"#ListCount=0"});
    EXPECT_EQ(shownCounts, std::vector<std::size_t>{0});
}

}  // namespace
}  // namespace bw::test
