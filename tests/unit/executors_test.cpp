// The executors: keyboard rows with their key names and key table; mouse rows under their
// repeat rules with the yield after every click; Run rows; the system actions with their
// keys, volume arithmetic and the countdown from 10 to 0 or to a cancel, including a second
// exit action that arrives while it counts.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "actions/action_list.h"
#include "emulation/keyboard.h"
#include "emulation/launcher.h"
#include "emulation/mouse.h"
#include "emulation/system_actions.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_executors.h"
#include "fakes/fake_keyboard_input.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_program_folder.h"
#include "fakes/fake_timer.h"
#include "fakes/recording_log.h"
#include "remote/action_dispatch.h"

namespace bw::test {
namespace {

using Events = std::vector<std::string>;

class KeyboardTest : public ::testing::Test {
  protected:
    FakeKeyboardInput input;
    Keyboard keyboard{input};
};

// Modifiers go down in the mask's order and up in the same order; no key is left down.
TEST_F(KeyboardTest, EachKindOfKeyboardRowSendsItsKeysAndTextGoesOutAsCharacters) {
    const struct {
        std::string text;
        std::uint8_t code, shift;
        std::int16_t type;
        Events expected;
    } cases[] = {
        {"", 65, 3, kKeyWithModifiers, {"v16", "v17", "v65", "^65", "^16", "^17"}},
        {"", 65, 7, kKeyWithModifiers, {"v16", "v17", "v18", "v65", "^65", "^16", "^17", "^18"}},
        {"", 0, 8, kKeyWithModifiers, {"v91", "^91"}},   // the Windows key alone
        {"", 65, 9, kKeyWithModifiers, {"v65", "^65"}},  // not a mask of the table
        {"", 0, 2, kKeyWithModifiers, {"v17", "^17"}},   // modifiers only
        {"", 0, 0, kKeyWithModifiers, {}},
        {"ignored", 65, 4, kPredefinedKey, {"v65", "^65"}},  // the mask is not used
        {"x", 65, 1, 4, {}},                                 // no such kind
        // Text goes out as characters, whatever the code and mask: letters, signs, those
        // of other languages, and one beyond the first plane as its two surrogates.
        {"aB 1!",
         99,
         7,
         kTextToType,
         {"vU+0061", "^U+0061", "vU+0042", "^U+0042", "vU+0020", "^U+0020", "vU+0031", "^U+0031",
          "vU+0021", "^U+0021"}},
        {"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80",
         0,
         0,
         kTextToType,
         {"vU+00E9", "^U+00E9", "vU+20AC", "^U+20AC", "vU+D83D", "^U+D83D", "vU+DE00", "^U+DE00"}},
        {"a\xFFz\t\n",
         0,
         0,
         kTextToType,  // no UTF-8: the replacement character; no control character
         {"vU+0061", "^U+0061", "vU+FFFD", "^U+FFFD", "vU+007A", "^U+007A"}},
    };
    for (const auto& c : cases) {
        input.events.clear();
        keyboard.Run(c.text, {c.type, c.shift, c.code});
        EXPECT_EQ(input.events, c.expected) << c.text << " " << int(c.code) << " " << int(c.shift);
        EXPECT_TRUE(input.down.empty()) << "a key was left down";
    }
}

TEST_F(KeyboardTest, KeyNamesShowTheModifiersBeforeTheTablesNameAndAreFoundWhateverTheirCase) {
    LoadKeyTable(keyboard, "17,Ctrl\n65,A\n112,F1\n65,Letter A\n179,Play/Pause\n");
    const std::tuple<int, int, const char*> names[] = {
        {65, 2, "Ctrl + A"},  // the first of two entries for 65
        {65, 7, "Shift + Ctrl + Alt + A"},
        {112, 5, "Shift + Alt + F1"},
        {17, 2, "Ctrl"},  // a modifier pressed alone
        {16, 1, ""},      // Shift itself, not in the table
        {200, 1, "Shift + "},
        {65, 8, "A"},
        {200, 0, ""},
    };
    for (const auto& [code, shift, name] : names)
        EXPECT_EQ(
            keyboard.KeyName(static_cast<std::int16_t>(code), static_cast<std::int16_t>(shift)),
            name);
    EXPECT_EQ(keyboard.FindPredefinedKey("play/pause"), 179);
    EXPECT_EQ(keyboard.FindPredefinedKey("LETTER a"), 65);
    EXPECT_EQ(keyboard.FindPredefinedKey("F1 "), std::nullopt);
    EXPECT_EQ(keyboard.FindPredefinedKey(""), std::nullopt);
}

TEST(ParseKeyMapTest, ReadsRecordsOfCodeAndNameAndLeavesOutTheUnusable) {
    const std::pair<std::string, std::vector<KeyMapEntry>> cases[] = {
        {"65,A\r\n112,F1\r\n", {{65, "A"}, {112, "F1"}}},
        {"65,A\n66,B", {{65, "A"}, {66, "B"}}},  // no line end at the end
        {"  65 ,  Letter A  \n", {{65, "Letter A"}}},
        {"188,\"Comma , key\"\n190,Dot\n", {{188, "Comma , key"}, {190, "Dot"}}},
        {"32,\"  Space \"\n", {{32, "Space"}}},
        {"65,A\n0,Nothing\n66,   \n67,C\n", {{65, "A"}, {67, "C"}}},  // skipped, no gap
        {"66,\n67,C\n", {{67, "C"}}},
        {"65,A\n\n   \n66,B\n", {{65, "A"}, {66, "B"}}},
        {"65\nA\n66,B\n", {{65, "A"}, {66, "B"}}},  // fields over line ends
        {"x,A\n99999,B\n6.5,C\n67,D\n", {{67, "D"}}},
        {"-1,Minus\n", {{-1, "Minus"}}},
        {"65,A\n66", {{65, "A"}}},
        {"\xEF\xBB\xBF\x36\x35,A\n", {{65, "A"}}},  // a byte order mark before "65"
        {"", {}},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseKeyMap(text), expected) << text;
}

TEST_F(KeyboardTest, TheKeyTableIsReadFromBesideTheProgramAsUtf8OrAnsiOrSaidMissing) {
    FakeProgramFolder folder;
    Latin1CodePage ansi;
    RecordingLog log;
    // A name in the ANSI code page; a folder at the root of a drive gets no second backslash.
    folder.files["C:\\Program Files\\Buttonwise\\KeyMap.ini"] = "196,\xC4 key\n";
    keyboard.LoadKeyMap(folder, ansi, log);
    EXPECT_EQ(keyboard.KeyMap(), (std::vector<KeyMapEntry>{{196, "\xC3\x84 key"}}));
    EXPECT_TRUE(log.lines.empty());
    folder.path = "D:\\";
    folder.files["D:\\KeyMap.ini"] = "13,Enter\n";
    keyboard.LoadKeyMap(folder, ansi, log);
    EXPECT_EQ(keyboard.KeyMap(), (std::vector<KeyMapEntry>{{13, "Enter"}}));

    folder.path = "E:";
    keyboard.LoadKeyMap(folder, ansi, log);
    EXPECT_TRUE(keyboard.KeyMap().empty());
    EXPECT_EQ(log.lines,
              (std::vector<RecordedLine>{{LogKind::Error,
                                          "The key table E:\\KeyMap.ini could not be read: The "
                                          "system cannot find the file specified."}}));
}

using Lines = std::vector<std::string>;

// The countdown's window: shows modally by running the test's script for as long as it is
// open, the way the real window's loop lets timers and button lines run; a script that
// leaves it open ends with the close box.
struct FakeCountdownWindow : CountdownView {
    Lines texts;  // every text shown, in order
    int showings = 0, broughtToTop = 0;
    bool open = false;
    std::function<void()> whileOpen;
    CountdownEvents* events = nullptr;

    void ShowModal(CountdownEvents& e) override {
        ++showings;
        open = true;
        events = &e;
        e.Opened();
        if (whileOpen) whileOpen();
        Close();
    }
    void SetText(const std::string& text) override { texts.push_back(text); }
    void BringToTop() override { ++broughtToTop; }
    void Close() override {
        if (std::exchange(open, false)) events->Closed();
    }
};

class ExecutorsTest : public ::testing::Test {
  protected:
    FakeKeyboardInput keys;
    Keyboard keyboard{keys};
    FakeVolume volume;
    FakeWindowCommands windows;
    FakeCountdownWindow window;
    FakeTimer countdownTimer;
    FakeExitSession session;
    RecordingLog log;
    ExitCountdown countdown{window, countdownTimer, session, log};
    SystemActions system{keyboard, volume, windows, countdown, log};

    FakeMouseAndPump desktop;
    Mouse mouse{desktop, desktop};

    Lines Hold(const std::string& name, int repeats) {
        desktop.stream.clear();
        for (int n = 0; n < repeats; ++n) {
            const auto count = static_cast<std::int16_t>(n);
            mouse.Act(name, count, MoveStep(count));
        }
        return desktop.stream;
    }
    Lines Texts() const {
        Lines texts;
        for (const auto& line : log.lines) texts.push_back(line.text);
        return texts;
    }
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) ASSERT_TRUE(countdownTimer.Tick());
    }
};

TEST_F(ExecutorsTest, WindowActionsActOnceOnTheFirstLineAndUnknownNamesOnlyLog) {
    const std::pair<const char*, Lines> actions[] = {
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
        for (std::int16_t n = 0; n < 8; ++n) system.Run(name, n);
        EXPECT_EQ(keys.events, expected) << name;
        EXPECT_EQ(Texts(), Lines{name});
    }
    EXPECT_EQ(windows.minimised, 1);
    EXPECT_TRUE(volume.set.empty());
    EXPECT_EQ(window.showings, 0);
}

TEST_F(ExecutorsTest, AHeldVolumeButtonStepsOnThePressThenFromTheSixthRepeatWithinBounds) {
    volume.level = 8192;
    for (std::int16_t n = 0; n < 8; ++n) system.Run("Volume UP", n);
    // 8192 + 3000 on the master level, then twice more at repeats 6 and 7.
    EXPECT_EQ(volume.set, (std::vector<std::uint32_t>{11192, 14192, 17192}));
    EXPECT_EQ(Texts(), (Lines{"Volume set to: 17%", "Volume UP", "Volume set to: 21%",
                              "Volume set to: 26%"}));
    // Levels are clamped.
    const std::tuple<std::uint32_t, std::int16_t, std::uint32_t, const char*> cases[] = {
        {65535 - 2999, 3000, 65535, "100%"},
        {65534 - 3000, 3000, 65535, "100%"},
        {65533 - 3000, 3000, 65533, "99%"},
        {3001, -3000, 0, "0%"},
        {3002, -3000, 2, "0%"},
        {100, -3000, 0, "0%"}};
    for (const auto& [before, step, level, percent] : cases) {
        volume.level = before;
        volume.set.clear();
        log.lines.clear();
        system.Run(step > 0 ? "Volume UP" : "Volume Down", 6);
        EXPECT_EQ(volume.set, std::vector<std::uint32_t>{level}) << percent;
        EXPECT_EQ(Texts(), Lines{std::string("Volume set to: ") + percent});
    }
}

TEST_F(ExecutorsTest, EachStepReadsAndSetsOneDeviceUnmutesItAndSaysWhenItFails) {
    volume.muted = true;
    system.Run("Volume UP", 6);
    system.Run("Volume Down", 6);
    EXPECT_EQ(volume.calls, (Lines{"level#1", "set#1", "unmute#1", "level#2", "set#2"}));
    EXPECT_FALSE(volume.muted);
    for (auto refuse :
         {&FakeVolume::refuseOutput, &FakeVolume::refuseSet, &FakeVolume::refuseUnmute}) {
        volume.refuseOutput = volume.refuseSet = volume.refuseUnmute = std::nullopt;
        volume.*refuse = Failure(2, "No device answers.");
        volume.muted = true;
        log.lines.clear();
        system.Run("Volume UP", 0);
        EXPECT_EQ(log.lines,
                  (std::vector<RecordedLine>{
                      {LogKind::Error, "The volume could not be set: No device answers."},
                      {LogKind::Change, "Volume UP"}}));
    }
    // A level that cannot be read is no silence to step up from: nothing is set.
    volume = FakeVolume{};
    volume.level = std::nullopt;
    log.lines.clear();
    system.Run("Volume Down", 0);
    EXPECT_EQ(volume.calls, Lines{"level#1"});
    EXPECT_EQ(Texts(),
              (Lines{"The volume could not be set: its level could not be read.", "Volume Down"}));
}

TEST_F(ExecutorsTest, AnExitCountsDownFromTenAndEndsTheSessionOnTheTenthTick) {
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
        system.Run(name, 0);
        Lines expected;
        for (int left = 10; left >= 0; --left)
            expected.push_back(std::string(word) + " windows in " + std::to_string(left) +
                               " seconds...");
        EXPECT_EQ(window.texts, expected);
        EXPECT_EQ(session.requests, std::vector<std::uint32_t>{flags}) << name;
        EXPECT_FALSE(countdownTimer.Enabled());
    }
    EXPECT_EQ(window.broughtToTop, 3);
}

TEST_F(ExecutorsTest, CancelAndTheCloseBoxEndTheCountdownWithoutAnExitAndARefusalIsSaid) {
    window.whileOpen = [&] {
        Ticks(4);
        window.events->CancelPressed();
    };
    system.Run("Shutdown windows", 0);
    window.whileOpen = [&] { Ticks(2); };  // then the close box
    system.Run("Shutdown windows", 0);
    EXPECT_TRUE(session.requests.empty());
    EXPECT_FALSE(countdownTimer.Tick()) << "a tick after the window closed";
    // The next showing starts again from 10; a held exit button opens it once.
    window.texts.clear();
    window.whileOpen = [&] { Ticks(1); };
    for (std::int16_t n : {0, 1, 6}) system.Run("Restart windows", n);
    EXPECT_EQ(window.texts,
              (Lines{"Restart windows in 10 seconds...", "Restart windows in 9 seconds..."}));
    EXPECT_EQ(window.showings, 3);

    session.refuse = Failure(1314, "A required privilege is not held by the client.");
    window.whileOpen = [&] { Ticks(10); };
    system.Run("Shutdown windows", 0);
    EXPECT_EQ(log.lines.back(), (RecordedLine{LogKind::Error,
                                              "Shutdown windows failed: A required "
                                              "privilege is not held by the client."}));
}

// Other buttons pressed while the countdown shows, through the whole dispatch: a second exit
// button takes it over; any other press cancels it, since it may not have the keyboard, and
// does nothing else.
TEST_F(ExecutorsTest, WhileTheCountdownShowsAnExitButtonTakesItOverAndAnyOtherPressCancelsIt) {
    RecordingLog bindings;
    ActionList list{bindings};
    list.AddSys("POWER", "Shutdown windows");
    list.AddMouse("POWER", "Left Mouse Click");
    list.AddSys("RESTART", "Restart windows");
    list.AddMouse("RESTART", "Right Mouse Click");
    list.AddMouse("OK", "Middle Mouse Click");
    FakeMessageBoxes boxes;
    LineFailureReport failures{boxes, log};
    FakeForeground foreground;
    ForegroundWatch watch{foreground, log};
    ActionDispatch dispatch{list,
                            {nullptr, std::bind_front(&Mouse::Act, &mouse),
                             std::bind_front(&SystemActions::Run, &system), nullptr,
                             std::bind_front(&ExitCountdown::CancelByButton, &countdown)},
                            log,
                            failures,
                            watch};
    window.whileOpen = [&] {
        Ticks(4);
        dispatch.RunActions("RESTART", 0);  // its pass ends at the restart row
        dispatch.RunActions("OK", 3);       // a repeat of a press that began before: no press
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
    EXPECT_EQ(desktop.stream, (Lines{"6 0 0", "yield"}));
    EXPECT_EQ(Texts(), (Lines{"Shutdown windows", "Restart windows",
                              "Simulating Mouse: Middle Mouse Click",  // logged, not clicked
                              "Simulating Mouse: Left Mouse Click"}));
    // Presses while it shows, and the lines they add between the exit's and POWER's click: a
    // bound (OK) and an unbound (MUTE) button cancel it, and OK's click never comes; a second
    // press finds it cancelled and acts; an exit button for one program only (DOWN) keeps
    // its rule, whatever is in front; at zero, a press is a press again.
    list.AddSys("DOWN", "Shutdown windows", {"player.exe"});
    const std::string cancelledBy = "Shutdown was cancelled: ";
    const std::pair<std::function<void()>, Lines> presses[] = {
        {[&] { dispatch.RunActions("OK", 0); }, {cancelledBy + "OK was pressed."}},
        {[&] {
             dispatch.RunActions("MUTE", 0);
             dispatch.RunActions("OK", 0);
         },
         {cancelledBy + "MUTE was pressed.", "Simulating Mouse: Middle Mouse Click"}},
        {[&] {
             dispatch.RunActions("DOWN", 0);
             Ticks(10);
             dispatch.RunActions("OK", 0);
         },
         {"Simulating Mouse: Middle Mouse Click"}},
    };
    for (const auto& [press, lines] : presses) {
        log.lines.clear();
        window.whileOpen = press;
        dispatch.RunActions("POWER", 0);
        EXPECT_FALSE(window.open);
        Lines expected{"Shutdown windows"};
        expected.insert(expected.end(), lines.begin(), lines.end());
        expected.push_back("Simulating Mouse: Left Mouse Click");
        EXPECT_EQ(Texts(), expected);
    }
    EXPECT_EQ(session.requests.size(), 2u);
}

TEST_F(ExecutorsTest, AClickIsOnePressAndReleaseWithAYieldOncePerHoldAndAMoveSpeedsUp) {
    EXPECT_EQ(Hold("Left Mouse Click", 8), (Lines{"6 0 0", "yield"}));
    EXPECT_EQ(Hold("Middle Mouse Double Click", 8), (Lines{"96 0 0", "yield", "96 0 0", "yield"}));
    EXPECT_EQ(Hold("Mouse Move Right", 12),
              (Lines{"1 2 0", "1 7 0", "1 7 0", "1 8 0", "1 8 0", "1 8 0", "1 9 0"}));
    EXPECT_EQ(Hold("Mouse Move UP", 1), Lines{"1 0 -2"});
    // Names are compared exactly.
    for (const char* name : {"Mouse Move Up", "", "Left Mouse Click ", "left mouse click"})
        EXPECT_TRUE(Hold(name, 1).empty()) << name;
}

TEST_F(ExecutorsTest, AButtonLineArrivingInTheYieldOfADoubleClickRunsBetweenItsHalves) {
    desktop.duringYield = [&, nested = false]() mutable {
        if (!std::exchange(nested, true)) mouse.Act("Mouse Move Left", 0, 2);
    };
    mouse.Act("Left Mouse Double Click", 0, 2);
    EXPECT_EQ(desktop.stream, (Lines{"6 0 0", "yield", "1 -2 0", "6 0 0", "yield"}));
}

TEST(LauncherTest, HandsTheItemWholeToTheShellInTheProgramsFolderAndSaysWhenItIsRefused) {
    FakeShell shell;
    FakeProgramFolder folder;
    RecordingLog log;
    Launcher launcher{shell, folder, log};
    launcher.Open("notepad.exe C:\\a.txt");  // not split
    EXPECT_EQ(shell.opened, (Lines{"notepad.exe C:\\a.txt | C:\\Program Files\\Buttonwise"}));
    EXPECT_TRUE(log.lines.empty());
    // Up to 32 the shell's answer is a refusal.
    shell.answer = 32;
    launcher.Open("C:\\gone.exe");
    shell.answer = 33;
    launcher.Open("C:\\here.exe");
    shell.answer = kDesktopCouldNotStart;  // run as administrator, and the desktop would not
    launcher.Open("C:\\tool.exe");
    EXPECT_EQ(log.lines,
              (std::vector<RecordedLine>{
                  {LogKind::Error,
                   "'C:\\gone.exe' could not be opened: a library it needs was not found"},
                  {LogKind::Error,
                   "'C:\\tool.exe' could not be opened: Buttonwise runs as administrator, and "
                   "the desktop could not start it with your normal rights"}}));
}

}  // namespace
}  // namespace bw::test
