// Dispatch of one button event against fake executors: which rows run, and when a pass ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

#include "fakes.h"

namespace bw::test {
namespace {

struct ActionDispatchTest : ::testing::Test, CoreRig {
    FakeExecutors executors;
    ActionDispatch dispatch{list, executors.Wire(), log, failures, watch};

    void AddF5(const std::string& button) { list.AddKey("1", button, "F5", "116", "0"); }
    Strings Hold(const std::string& button, std::vector<std::int16_t> counts) {
        executors.calls.clear();
        log.lines.clear();
        for (std::int16_t n : counts) Line(dispatch, button, n);
        return executors.calls;
    }
};

TEST_F(ActionDispatchTest, EachActionTypeHasItsOwnRepeatRuleAndSomeEndThePassWhenHeld) {
    AddF5("K");
    list.AddMouse("M", MouseName("Mouse Move UP"));
    list.AddSys("S", SystemName("Volume UP"));
    list.AddRun("R", "C:\\Tools\\edit.exe");
    const std::vector<std::int16_t> held{0, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(Hold("K", held), Strings(4, "key F5 116 0 1"));  // 0, 5, 6 and 7
    EXPECT_EQ(log.lines, LogLines(4, {LogKind::Change, "Simulating Keyboard: F5"}));
    EXPECT_EQ(Hold("R", held), Strings{"run C:\\Tools\\edit.exe"});
    EXPECT_EQ(log.lines, (LogLines{{LogKind::Change, "Running: edit.exe"}}));
    EXPECT_EQ(Hold("M", {0, 1, 4, 9}),
              (Strings{"mouse Mouse Move UP 0 2", "mouse Mouse Move UP 1 4",
                       "mouse Mouse Move UP 4 6", "mouse Mouse Move UP 9 8"}));
    EXPECT_EQ(log.lines.size(), 4u);
    // A system row gets every count and writes its own lines, none here.
    EXPECT_EQ(Hold("S", {0, 3}), (Strings{"sys Volume UP 0", "sys Volume UP 3"}));
    EXPECT_EQ(log.lines.size(), 0u);
    list.AddMouse("K ", MouseName("Left Mouse Click"));  // only rows of exactly that button run
    list.AddMouse("", MouseName("Right Mouse Click"));
    AddF5("K");
    EXPECT_TRUE(Hold("k", {0}).empty());
    EXPECT_EQ(Hold("K", {0}).size(), 2u);  // bound twice: runs twice
    EXPECT_EQ(Hold("", {0}), Strings{"mouse Right Mouse Click 0 2"});
    // A held keyboard row (at 2) or run row (at 6) ends the pass; at 0 all run, in list order.
    AddF5("B");
    list.AddMouse("B", MouseName("Mouse Move UP"));
    list.AddRun("B", "C:\\x.exe");
    list.AddMouse("B", MouseName("Mouse Move UP"));
    EXPECT_TRUE(Hold("B", {2}).empty());
    EXPECT_EQ(Hold("B", {6}), (Strings{"key F5 116 0 1", "mouse Mouse Move UP 6 7"}));
    EXPECT_EQ(Hold("B", {0}), (Strings{"key F5 116 0 1", "mouse Mouse Move UP 0 2", "run C:\\x.exe",
                                       "mouse Mouse Move UP 0 2"}));
}

// The program in front is read once per window in front: a handle back for another process
// is another window, and a program that could not be read is read again at the next line.
TEST_F(ActionDispatchTest, RowsForTheProgramInFrontReplaceTheGlobalOnesAndRemotesMustMatch) {
    list.AddKey("1", "PLAY", "F5", "116", "0", {"player-a.exe"});
    list.AddKey("1", "PLAY", "Space", "32", "0", {"PLAYER-B.EXE"});
    list.AddKey("1", "PLAY", "Play", "179", "0");
    list.AddMouse("PLAY", MouseName("Left Mouse Click"), {"", "tv"});
    list.AddKey("1", "RIGHT", "Right", "39", "0", {"player-a.exe", "media"});
    list.AddKey("1", "STOP", "End", "35", "0", {"player-c"});  // typed without its extension
    list.AddKey("1", "STOP", "Home", "36", "0");
    const Strings f5{"key F5 116 0 1"}, space{"key Space 32 0 1"}, play{"key Play 179 0 1"},
        playAndClick{"key Play 179 0 1", "mouse Left Mouse Click 0 2"}, end{"key End 35 0 1"},
        home{"key Home 36 0 1"};
    // Button, remote, the window in front (handle, process, program), what runs, whether read.
    // clang-format off
    const std::tuple<const char*, const char*, std::uintptr_t, std::uint32_t, const char*, Strings, bool> cases[] = {
        {"PLAY", "media", 11, 1, "player-a.exe", f5, true}, {"PLAY", "media", 12, 2, "Player-B.exe", space, true},
        {"PLAY", "media", 13, 3, "other.exe", play, true},  {"PLAY", "tv", 11, 1, "player-a.exe", f5, true},
        {"PLAY", "tv", 13, 3, "other.exe", playAndClick, true}, {"PLAY", "tv", 14, 4, "", playAndClick, true},
        {"PLAY", "tv", 14, 4, "player-a.exe", f5, true},  // read again: it could not be read
        {"PLAY", "media", 11, 5, "player-b.exe", space, true},  // the handle of another process
        {"PLAY", "tv", 11, 5, "player-b.exe", space, false},  // the same window: not read again
        {"RIGHT", "media", 15, 6, "player-a.exe", {"key Right 39 0 1"}, true}, {"RIGHT", "tv", 15, 6, "player-a.exe", {}, false},
        {"RIGHT", "media", 16, 7, "player-a.exe.bak", {}, true}, {"STOP", "", 17, 8, "Player-C.EXE", end, true},
        {"STOP", "", 18, 9, "player-c.exe.bak", home, true}, {"STOP", "", 19, 9, "player-cd.exe", home, true},
        {"STOP", "", 0, 0, "", home, false},  // nothing in front
    };
    // clang-format on
    for (const auto& [button, remote, window, process, program, calls, read] : cases) {
        foreground.Show(window, process, {program});
        executors.calls.clear();
        const int lookups = foreground.lookups;
        Line(dispatch, button, 0, remote);
        EXPECT_EQ(executors.calls, calls) << button << " " << remote << " " << program;
        EXPECT_EQ(foreground.lookups - lookups, read ? 1 : 0) << window << " " << process;
    }
}

TEST_F(ActionDispatchTest, InputForAProgramThatRunsAsAdministratorWarnsOncePerWindow) {
    AddF5("K");
    list.AddMouse("M", MouseName("Mouse Move UP"));
    list.AddSys("V", SystemName("Volume UP"));
    list.AddSys("S", SystemName("Close the current windows"));  // Alt+F4 is keys too
    const Strings dropped{
        "Keys cannot reach player.exe: it runs as administrator. Start "
        "Buttonwise as administrator to control it."},
        unknown{"Keys may not reach player.exe: it runs with other rights."},
        unnamed{"Keys may not reach the program in front: it runs with other rights."}, none;
    using enum InputReach;
    // The window in front (handle, process, program, reach), the button, and the warning.
    // clang-format off
    const std::tuple<std::uintptr_t, std::uint32_t, const char*, InputReach, const char*, Strings> presses[] = {
        {7, 1, "player.exe", Dropped, "K", dropped}, {7, 1, "player.exe", Dropped, "M", none},
        {8, 1, "player.exe", Dropped, "V", none},    {8, 1, "player.exe", Dropped, "S", dropped},
        {8, 1, "player.exe", Dropped, "M", none},    {9, 3, "player.exe", Arrives, "K", none},
        {9, 3, "player.exe", Arrives, "S", none},    {7, 1, "player.exe", Dropped, "K", none},
        {7, 2, "player.exe", Dropped, "M", dropped}, {6, 4, "player.exe", Unknown, "M", unknown},
        {5, 5, "", Unknown, "K", unnamed},           {5, 5, "", Unknown, "S", none},
    };
    // clang-format on
    for (const auto& [window, process, program, reach, button, warning] : presses) {
        foreground.Show(window, process, {program, reach});
        EXPECT_EQ(Hold(button, {0}).size(), 1u) << "the input still goes out";
        EXPECT_EQ(log.Texts(LogKind::Error), warning) << window << button;
    }
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
        list.AddKey(type, "B", "bad", code, shift);
        list.AddMouse("B", MouseName("Right Mouse Click"));
        boxes.calls.clear();
        EXPECT_TRUE(Hold("B", {0}).empty()) << code;
        EXPECT_EQ(log.lines.size(), 1u) << "the keyboard row's line";
        EXPECT_EQ(boxes.calls, Strings{FailureBox(description)}) << code << shift << type;
    }
    list.Clear();
    list.AddKey(" 2 ", "B", "ok", " 65", "2 ");  // blanks around a number are no fault
    EXPECT_EQ(Hold("B", {0}), Strings{"key ok 65 2 2"});
}

TEST_F(ActionDispatchTest, AFailureShowsOneBoxAtATimeButTheOpenCountdownIsPassedOverSilently) {
    list.AddSys("B", SystemName("Shutdown windows"));
    list.AddMouse("B", MouseName("Left Mouse Click"));
    executors.systemGoesOn = false;  // the countdown shows already: the exit takes it over
    EXPECT_EQ(Hold("B", {0}), Strings{"sys Shutdown windows 0"});
    EXPECT_TRUE(boxes.calls.empty());
    executors.systemGoesOn = true;
    executors.failingCall = "sys";
    executors.failOn = Failure(5, "Access is denied.");
    // The box's modal loop receives the repeats of the held button: their failures go to
    // the log, and once it is closed the next failure has its box again.
    boxes.during = [&](const std::string&) {
        for (std::int16_t n = 5; n < 8; ++n) Line(dispatch, "B", n);
    };
    EXPECT_EQ(Hold("B", {0}).size(), 4u);
    EXPECT_EQ(boxes.calls, Strings{FailureBox("Access is denied.")});
    EXPECT_EQ(std::ranges::count(log.lines, RecordedLine{LogKind::Error, "Access is denied."}), 3);
    boxes.during = nullptr;
    Line(dispatch, "B", 0);
    EXPECT_EQ(boxes.calls.size(), 2u);
}

// The countdown leaves the main window usable for ten seconds: what the user does with the
// list meanwhile acts on the list, and the waiting pass runs what the press meant.
TEST_F(ActionDispatchTest, APassRunsTheRowsOfItsLineWhateverHappensToTheListMeanwhile) {
    // clang-format off
    const std::pair<std::function<void()>, Strings> changes[] = {
        {[&] { list.Clear(); }, {}},  {[&] { list.RemoveRows({1}); }, {}},
        {[&] { list.Move(2, -1); }, {}},  // the next row up, over the waiting one
        {[&] { list.AddRun("B", "C:\\y.exe", {"", "", 2}); }, {}},  // edited in place
        {[&] { Line(dispatch, "C", 0); }, {"mouse Right Mouse Click 0 2"}},  // a line
    };
    // clang-format on
    for (const auto& [change, nested] : changes) {
        list.Clear();
        list.AddSys("B", SystemName("Log off windows"));
        list.AddMouse("B", MouseName("Left Mouse Click"));
        list.AddMouse("C", MouseName("Right Mouse Click"));
        list.AddRun("B", "C:\\x.exe");
        executors.during = [&, &change = change](const std::string& call) {
            if (call == "sys Log off windows 0") change();
        };
        EXPECT_EQ(Hold("B", {0}), Strings{"sys Log off windows 0"} + nested +
                                      Strings({"mouse Left Mouse Click 0 2", "run C:\\x.exe"}));
    }
}

}  // namespace
}  // namespace bw::test
