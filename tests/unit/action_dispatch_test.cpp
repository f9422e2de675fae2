// Dispatch of one button event: the repeat rule of every action type, where a pass ends,
// the failure guard, and a pass that runs while the list changes under it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "actions/action_list.h"
#include "fakes/fake_executors.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/recording_log.h"
#include "remote/action_dispatch.h"

namespace bw::test {
namespace {

using Calls = std::vector<std::string>;
using Boxes = std::vector<ShownBox>;

class ActionDispatchTest : public ::testing::Test {
  protected:
    RecordingLog bindings;  // the lines of adding rows, kept apart
    ActionList list{bindings};
    FakeExecutors executors;
    RecordingLog log;
    FakeMessageBoxes boxes;
    LineFailureReport failures{boxes, log};
    FakeForeground foreground;
    ForegroundWatch watch{foreground, log};
    ActionDispatch dispatch{list, executors.Wire(), log, failures, watch};

    void AddF5(const std::string& button) { list.AddKey("1", button, "F5", "116", "0"); }
    // Runs every count in turn and returns the executor calls and log lines they made.
    Calls Hold(const std::string& button, std::vector<std::int16_t> counts) {
        executors.calls.clear();
        log.lines.clear();
        for (std::int16_t n : counts) dispatch.RunActions(button, n);
        return executors.calls;
    }
    std::size_t Lines() const { return log.lines.size(); }
};

TEST_F(ActionDispatchTest, EachActionTypeHasItsOwnRepeatRule) {
    AddF5("K");
    list.AddMouse("M", "Move Up");
    list.AddSys("S", "Volume Up");
    list.AddRun("R", "C:\\Tools\\edit.exe");
    const std::vector<std::int16_t> held{0, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(Hold("K", held), Calls(4, "key F5 116 0 1"));  // 0, 5, 6 and 7
    EXPECT_EQ(log.lines, std::vector(4, RecordedLine{LogKind::Change, "Simulating Keyboard: F5"}));
    EXPECT_EQ(Hold("R", held), Calls{"run C:\\Tools\\edit.exe"});
    EXPECT_EQ(log.lines, (std::vector<RecordedLine>{{LogKind::Change, "Running: edit.exe"}}));
    EXPECT_EQ(Hold("M", {0, 1, 4, 9}), (Calls{"mouse Move Up 0 2", "mouse Move Up 1 4",
                                              "mouse Move Up 4 6", "mouse Move Up 9 8"}));
    EXPECT_EQ(Lines(), 4u);
    // A system row gets every count and writes its own lines, none here.
    EXPECT_EQ(Hold("S", {0, 3}), (Calls{"sys Volume Up 0", "sys Volume Up 3"}));
    EXPECT_EQ(Lines(), 0u);
    // Only rows of exactly that button run, and nothing else happens.
    list.AddMouse("K ", "Left Click");
    list.AddMouse("", "Right Click");
    AddF5("K");
    EXPECT_TRUE(Hold("k", {0}).empty());
    EXPECT_EQ(Lines(), 0u);
    EXPECT_EQ(Hold("K", {0}).size(), 2u);  // bound twice: runs twice
    EXPECT_EQ(Hold("", {0}), Calls{"mouse Right Click 0 2"});
}

TEST_F(ActionDispatchTest, RowsForTheProgramInFrontReplaceTheGlobalOnesAndRemotesMustMatch) {
    list.AddKey("1", "PLAY", "F5", "116", "0", {"player-a.exe"});
    list.AddKey("1", "PLAY", "Space", "32", "0", {"PLAYER-B.EXE"});
    list.AddKey("1", "PLAY", "Play", "179", "0");
    list.AddMouse("PLAY", "Left Click", {"", "tv"});
    list.AddKey("1", "RIGHT", "Right", "39", "0", {"player-a.exe", "media"});
    // The line's button and remote, the program in front, and what runs.
    // clang-format off
    const std::tuple<const char*, const char*, const char*, Calls> cases[] = {
        {"PLAY", "media", "player-a.exe", {"key F5 116 0 1"}}, {"PLAY", "media", "Player-B.exe", {"key Space 32 0 1"}},
        {"PLAY", "media", "other.exe", {"key Play 179 0 1"}},  {"PLAY", "tv", "player-a.exe", {"key F5 116 0 1"}},
        {"PLAY", "tv", "other.exe", {"key Play 179 0 1", "mouse Left Click 0 2"}},
        {"PLAY", "tv", "", {"key Play 179 0 1", "mouse Left Click 0 2"}},
        {"RIGHT", "media", "player-a.exe", {"key Right 39 0 1"}},  {"RIGHT", "tv", "player-a.exe", {}},
        {"RIGHT", "media", "player-a.exe.bak", {}},
    };
    // clang-format on
    std::uintptr_t window = 10;  // each case its own window: a window's program is read once
    for (const auto& [button, remote, program, calls] : cases) {
        foreground.front = {++window, program, false};
        executors.calls.clear();
        dispatch.RunActions(button, 0, remote);
        EXPECT_EQ(executors.calls, calls) << button << " " << remote << " " << program;
    }
}

TEST_F(ActionDispatchTest, KeysForAProgramThatRunsAsAdministratorWarnOncePerWindow) {
    AddF5("K");
    list.AddMouse("M", "Move Up");
    list.AddSys("S", "Volume Up");
    const RecordedLine warning{LogKind::Error,
                               "Keys cannot reach player.exe: it runs as administrator. Start "
                               "Buttonwise as administrator to control it."};
    // The window in front, the button, and whether the pass warned.
    const std::tuple<ProgramInFront, const char*, bool> presses[] = {
        {{7, "player.exe", true}, "K", true},   {{7, "player.exe", true}, "M", false},
        {{8, "player.exe", true}, "S", false},  {{8, "player.exe", true}, "M", true},
        {{9, "editor.exe", false}, "K", false}, {{7, "player.exe", true}, "K", false},
    };
    for (const auto& [front, button, warned] : presses) {
        foreground.front = front;
        EXPECT_EQ(Hold(button, {0}).size(), 1u) << "the input still goes out";
        EXPECT_EQ(std::ranges::count(log.lines, warning), warned ? 1 : 0) << front.window << button;
    }
}

TEST_F(ActionDispatchTest, AHeldKeyboardOrRunRowEndsThePassForTheRowsAfterIt) {
    AddF5("B");
    list.AddMouse("B", "Move Up");
    EXPECT_TRUE(Hold("B", {2}).empty());  // the keyboard row ends it before the mouse row
    list.Clear();
    list.AddMouse("B", "Move Up");
    list.AddRun("B", "C:\\x.exe");
    AddF5("B");
    EXPECT_EQ(Hold("B", {6}), Calls{"mouse Move Up 6 7"});  // the run row ends it
    // At count 0 everything runs, in list order.
    EXPECT_EQ(Hold("B", {0}), (Calls{"mouse Move Up 0 2", "run C:\\x.exe", "key F5 116 0 1"}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ActionDispatchTest, AKeyboardColumnThatIsNoNumberInRangeEndsThePassWithABox) {
    // Code, mask and kind; the kind is converted first, then the mask, then the code.
    // clang-format off
    const std::array<const char*, 4> cases[] = {
        {"300", "0", "1", "Overflow"},      {"-1", "0", "1", "Overflow"},
        {"65", "256", "2", "Overflow"},     {"65", "0", "40000", "Overflow"},
        {"A", "0", "1", "Type mismatch"},   {"", "0", "1", "Type mismatch"},
        {"65", "0", "", "Type mismatch"},   {"6.5", "0", "1", "Type mismatch"},
        {"x", "y", "z", "Type mismatch"},   {"300", "0", "z", "Type mismatch"},
        {"99999999999999999999", "0", "1", "Overflow"},
    };
    // clang-format on
    for (const auto& [code, shift, type, description] : cases) {
        list.Clear();
        list.AddMouse("B", "Left Click");
        list.AddKey(type, "B", "bad", code, shift);
        list.AddMouse("B", "Right Click");
        boxes.shown.clear();
        EXPECT_EQ(Hold("B", {0}), Calls{"mouse Left Click 0 2"}) << code;
        EXPECT_EQ(Lines(), 2u) << "the mouse row's line and the keyboard row's";
        EXPECT_EQ(boxes.shown, (Boxes{{description, "Error happened", 0x10}}))
            << code << " " << shift << " " << type;
    }
    // Blanks around a number are no fault.
    list.Clear();
    list.AddKey(" 2 ", "B", "ok", " 65", "2 ");
    EXPECT_EQ(Hold("B", {0}), Calls{"key ok 65 2 2"});
}

TEST_F(ActionDispatchTest, AnExecutorFailureIsShownButTheOpenCountdownIsPassedOverSilently) {
    list.AddSys("B", "Shutdown");
    list.AddMouse("B", "Left Click");
    executors.failingCall = "sys";
    executors.failOn = Failure(kFailureAlreadyShown, "Form already displayed; can't show modally");
    EXPECT_EQ(Hold("B", {0}), Calls{"sys Shutdown 0"});
    EXPECT_TRUE(boxes.shown.empty());
    executors.failOn = Failure(5, "Access is denied.");
    EXPECT_EQ(Hold("B", {0}), Calls{"sys Shutdown 0"});
    EXPECT_EQ(boxes.shown, (Boxes{{"Access is denied.", "Error happened", 0x10}}));
}

TEST_F(ActionDispatchTest, AHeldFailingButtonShowsOneBoxAtATimeAndLogsTheRest) {
    list.AddKey("1", "B", "bad", "x", "0");
    // The box's modal loop receives the repeats of the held button.
    boxes.whileShown = [&] {
        for (std::int16_t n = 5; n < 8; ++n) dispatch.RunActions("B", n);
    };
    dispatch.RunActions("B", 0);
    EXPECT_EQ(boxes.shown, (Boxes{{"Type mismatch", "Error happened", 0x10}}));
    EXPECT_EQ(std::ranges::count(log.lines, RecordedLine{LogKind::Error, "Type mismatch"}), 3);
    // Once it is closed, the next failure has its box again.
    boxes.whileShown = nullptr;
    dispatch.RunActions("B", 0);
    EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST_F(ActionDispatchTest, APassGoesOnSafelyWhenTheListChangesOrAnotherPassRunsInsideIt) {
    list.AddSys("B", "Log Off");
    list.AddMouse("B", "Left Click");
    list.AddMouse("C", "Right Click");
    // The countdown's modal loop lets the user clear the list before it returns: the pass
    // ends with a box instead of reading past the end.
    executors.during = [&](const std::string& call) {
        if (call == "sys Log Off 0") list.Clear();
    };
    EXPECT_EQ(Hold("B", {0}), Calls{"sys Log Off 0"});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Error happened");

    // Another line arrives while the countdown shows: its pass runs whole, then the outer
    // pass goes on.
    boxes.shown.clear();
    list.AddSys("B", "Shutdown");
    list.AddMouse("B", "Left Click");
    list.AddMouse("C", "Right Click");
    executors.during = [&, nested = false](const std::string& call) mutable {
        if (call != "sys Shutdown 0" || std::exchange(nested, true)) return;
        dispatch.RunActions("C", 0);
    };
    EXPECT_EQ(Hold("B", {0}),
              (Calls{"sys Shutdown 0", "mouse Right Click 0 2", "mouse Left Click 0 2"}));
    EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace bw::test
