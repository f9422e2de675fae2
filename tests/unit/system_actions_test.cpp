// System actions and the exit countdown: the ten names with their keys, log lines and
// repeat rules, the volume arithmetic, and the countdown from 10 to 0 or to a cancel,
// including a second exit action that arrives while it counts.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "actions/action_list.h"
#include "emulation/launcher.h"
#include "emulation/mouse.h"
#include "emulation/system_actions.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_keyboard_input.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_program_folder.h"
#include "fakes/fake_timer.h"
#include "fakes/recording_log.h"
#include "remote/action_dispatch.h"

namespace bw::test {
namespace {

// The countdown's window: shows modally by running the test's script for as long as it is
// open, the way the real window's loop lets timers and button lines run.
class FakeCountdownWindow : public CountdownWindow {
  public:
    std::vector<std::string> texts;  // every text shown, in order
    int showings = 0, broughtToTop = 0;
    bool open = false;
    std::function<void()> whileOpen;  // the script of one showing

    void ShowModal(CountdownEvents& events) override {
        ++showings;
        open = true;
        events_ = &events;
        events.Form_Load();
        if (whileOpen) whileOpen();
        if (open) CloseBox();  // a script that leaves it open ends with the close box
        events_ = nullptr;
    }
    void SetText(const std::string& text) override { texts.push_back(text); }
    void BringToTop() override { ++broughtToTop; }
    void Close() override {
        if (!open) return;
        open = false;
        events_->Form_Unload();
    }

    // The user's ways out.
    void PressCancel() { events_->cmdCancel_Click(); }
    void CloseBox() { Close(); }

  private:
    CountdownEvents* events_ = nullptr;
};

using Events = std::vector<std::string>;
using Lines = std::vector<std::string>;

class SystemActionsTest : public ::testing::Test {
  protected:
    FakeKeyboardInput keys;
    Keyboard keyboard{keys};
    FakeVolume volume;
    FakeWindowCommands windows;
    FakeCountdownWindow window;
    FakeTimer tmrExit;
    FakeExitSession session;
    RecordingLog log;
    ExitCountdown countdown{window, tmrExit, session, log};
    SystemActions system{keyboard, volume, windows, countdown, log};

    Lines Texts() const {
        Lines texts;
        for (const auto& line : log.lines) texts.push_back(line.text);
        return texts;
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) ASSERT_TRUE(tmrExit.Tick());
    }
};

TEST_F(SystemActionsTest, WindowActionsActOnceOnTheFirstLineAndUnknownNamesOnlyLog) {
    const std::pair<const char*, Events> actions[] = {
        {"Close the current windows", {"v18", "v115", "^115", "^18"}},  // Alt+F4
        {"Switch open windows (Alt+Tab)", {"v18", "v9", "^9", "^18"}},  // Alt+Tab
        {"Open Start Menu", {"v91", "^91"}},
        {"Open System properties dialog", {"v91", "v19", "^19", "^91"}},
        {"Minimize the current windows", {}},
        {"volume up", {}},  // not a name: the line, nothing else
    };
    for (const auto& [name, expected] : actions) {
        keys.events.clear();
        log.lines.clear();
        for (std::int16_t n = 0; n < 8; ++n) system.RunSys(name, n);
        EXPECT_EQ(keys.events, expected) << name;
        EXPECT_EQ(Texts(), Lines{name});
        EXPECT_TRUE(keys.down.empty());
    }
    EXPECT_EQ(windows.minimised, 1);
    EXPECT_TRUE(volume.set.empty());
    EXPECT_EQ(window.showings, 0);
}

TEST_F(SystemActionsTest, AHeldVolumeButtonStepsOnThePressThenFromTheSixthRepeat) {
    volume.levels = 0x10002000;  // left 8192, right 4096
    for (std::int16_t n = 0; n < 8; ++n) system.RunSys("Volume UP", n);
    // 8192 + 3000 on both channels, then twice more at repeats 6 and 7.
    EXPECT_EQ(volume.set, (std::vector<std::uint32_t>{0x2BB82BB8, 0x37703770, 0x43284328}));
    EXPECT_EQ(Texts(), (Lines{"Volume set to: 17%", "Volume UP", "Volume set to: 21%",
                              "Volume set to: 26%"}));

    // Levels are clamped and taken from the left channel.
    const struct {
        std::optional<std::uint32_t> before;
        std::int16_t step;
        std::int32_t level;
        const char* line;
    } cases[] = {
        {0x0000FFFF - 2999, 3000, 65535, "Volume set to: 100%"},  // 65536 clamped
        {65534 - 3000, 3000, 65535, "Volume set to: 100%"},       // exactly 65534
        {65533 - 3000, 3000, 65533, "Volume set to: 99%"},
        {3001, -3000, 0, "Volume set to: 0%"},  // exactly 1
        {3002, -3000, 2, "Volume set to: 0%"},
        {100, -3000, 0, "Volume set to: 0%"},
        {0xFFFF0000, 3000, 3000, "Volume set to: 4%"},    // a louder right channel gets quieter
        {std::nullopt, 3000, 3000, "Volume set to: 4%"},  // no answer counts as silence
    };
    for (const auto& c : cases) {
        volume.levels = c.before;
        volume.set.clear();
        log.lines.clear();
        system.RunSys(c.step > 0 ? "Volume UP" : "Volume Down", 6);
        const auto level = static_cast<std::uint32_t>(c.level);
        EXPECT_EQ(volume.set, std::vector<std::uint32_t>{level << 16 | level}) << c.line;
        EXPECT_EQ(Texts(), Lines{c.line});
    }
}

TEST_F(SystemActionsTest, EachStepReadsAndSetsOneDeviceUnmutesItAndSaysWhenItFails) {
    volume.muted = true;
    system.RunSys("Volume UP", 6);
    system.RunSys("Volume Down", 6);
    EXPECT_EQ(volume.calls, (Lines{"levels#1", "set#1", "unmute#1", "levels#2", "set#2"}));
    EXPECT_FALSE(volume.muted);

    const Failure refused(2, "No device answers.");
    for (auto refuse :
         {&FakeVolume::refuseOutput, &FakeVolume::refuseSet, &FakeVolume::refuseUnmute}) {
        volume.refuseOutput = volume.refuseSet = volume.refuseUnmute = std::nullopt;
        volume.*refuse = refused;
        volume.muted = true;
        log.lines.clear();
        system.RunSys("Volume UP", 0);
        EXPECT_EQ(log.lines,
                  (std::vector<RecordedLine>{
                      {LogKind::Error, "The volume could not be set: No device answers."},
                      {LogKind::Change, "Volume UP"}}));
    }
}

TEST_F(SystemActionsTest, AnExitCountsDownFromTenAndEndsTheSessionOnTheTenthTick) {
    const std::tuple<const char*, const char*, std::uint32_t> exits[] = {
        {"Log off windows", "Log off", 4},
        {"Shutdown windows", "Shutdown", 13},  // forced, with the power switched off
        {"Restart windows", "Restart", 6},
    };
    for (const auto& [name, word, flags] : exits) {
        window.texts.clear();
        session.requests.clear();
        window.whileOpen = [&] {
            Ticks(9);
            EXPECT_TRUE(session.requests.empty());
            Ticks(1);
        };
        system.RunSys(name, 0);
        Lines expected;
        for (int left = 10; left >= 0; --left)
            expected.push_back(std::string(word) + " windows in " + std::to_string(left) +
                               " seconds...");
        EXPECT_EQ(window.texts, expected);
        EXPECT_EQ(session.requests, std::vector<std::uint32_t>{flags}) << name;
        EXPECT_FALSE(window.open);
        EXPECT_FALSE(tmrExit.Enabled());
    }
    EXPECT_EQ(window.broughtToTop, 3);
}

TEST_F(SystemActionsTest, CancelAndTheCloseBoxEndTheCountdownWithoutAnExitAndARefusalIsSaid) {
    window.whileOpen = [&] {
        Ticks(4);
        window.PressCancel();
    };
    system.RunSys("Shutdown windows", 0);
    window.whileOpen = [&] { Ticks(2); };  // then the close box
    system.RunSys("Shutdown windows", 0);
    EXPECT_TRUE(session.requests.empty());
    EXPECT_FALSE(tmrExit.Tick()) << "a tick after the window closed";

    // The next showing starts again from 10.
    window.texts.clear();
    window.whileOpen = [&] { Ticks(1); };
    system.RunSys("Restart windows", 0);
    EXPECT_EQ(window.texts,
              (Lines{"Restart windows in 10 seconds...", "Restart windows in 9 seconds..."}));
    // A held exit button opens the countdown once.
    system.RunSys("Restart windows", 1);
    system.RunSys("Restart windows", 6);
    EXPECT_EQ(window.showings, 3);

    // An exit that the system refuses is an error line.
    session.refuse = Failure(1314, "A required privilege is not held by the client.");
    log.lines.clear();
    window.whileOpen = [&] { Ticks(10); };
    system.RunSys("Shutdown windows", 0);
    EXPECT_EQ(log.lines.back(), (RecordedLine{LogKind::Error,
                                              "Shutdown windows failed: A required "
                                              "privilege is not held by the client."}));
}

// A second exit button pressed while the countdown shows, through the whole dispatch.
TEST_F(SystemActionsTest, ASecondExitActionTakesTheRunningCountdownOverSilently) {
    RecordingLog bindings;
    ActionList list{bindings};
    list.AddSys("POWER", "Shutdown windows");
    list.AddMouse("POWER", "Left Mouse Click");
    list.AddSys("RESTART", "Restart windows");
    list.AddMouse("RESTART", "Right Mouse Click");
    FakeMouseAndPump desktop;
    Mouse mouse{desktop, desktop};
    FakeShell shell;
    FakeProgramFolder folder;
    Launcher launcher{shell, folder, log};
    FakeMessageBoxes boxes;
    LineFailureReport failures{boxes, log};
    ActionDispatch dispatch{list,
                            {std::bind_front(&Keyboard::SimulateKeyboard, &keyboard),
                             std::bind_front(&Mouse::DoMouseAction, &mouse),
                             std::bind_front(&SystemActions::RunSys, &system),
                             std::bind_front(&Launcher::RunFile, &launcher)},
                            log,
                            failures};

    window.whileOpen = [&] {
        Ticks(4);
        dispatch.RunActions("RESTART", 0);  // its pass ends at the restart row
        EXPECT_TRUE(window.open);
        Ticks(1);
        EXPECT_EQ(window.texts.back(), "Restart windows in 5 seconds...");
        Ticks(5);
    };
    dispatch.RunActions("POWER", 0);

    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(session.requests, std::vector<std::uint32_t>{6});  // the restart, at zero
    EXPECT_EQ(window.showings, 1);
    // The outer pass goes on once the countdown closed: its click; the nested one's never.
    EXPECT_EQ(desktop.stream, (std::vector<std::string>{"6 0 0", "yield"}));
    EXPECT_EQ(Texts(),
              (Lines{"Shutdown windows", "Restart windows", "Simulating Mouse: Left Mouse Click"}));
}

}  // namespace
}  // namespace bw::test
