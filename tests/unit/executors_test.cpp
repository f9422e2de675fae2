// The executors against the desktop fake: keys and the key table, mouse, Run, the system
// actions with the volume and the exit countdown.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "emulation/launcher.h"
#include "emulation/mouse.h"
#include "emulation/system_actions.h"
#include "fakes.h"

namespace bw::test {
namespace {

struct ExecutorsTest : ::testing::Test, CoreRig {
    FakeDesktop desktop;
    Keyboard keyboard{desktop, log};
    FakeVolume volume;
    FakeCountdownWindow window{desktop};
    FakeTimer countdownTimer;
    ExitCountdown countdown{window, countdownTimer, desktop, log};
    SystemActions system{keyboard, volume, desktop, countdown, log};
    Mouse mouse{desktop, desktop, log};

    void Ticks(int n) {
        for (int i = 0; i < n; ++i) ASSERT_TRUE(countdownTimer.Tick());
    }
    // The countdown's texts from one number of seconds down to another; "top" as it opens.
    static Strings Counting(const std::string& exit, int from, int to) {
        Strings texts;
        for (int left = from; left >= to; --left) {
            texts.push_back(exit + " windows in " + std::to_string(left) + " seconds...");
            if (left == 10) texts.push_back("top");
        }
        return texts;
    }
};

// Modifiers go down and up in the mask's order. Text goes out as characters whatever the code
// and mask: beyond the first plane as two surrogates, no UTF-8 as U+FFFD, no control character.
TEST_F(ExecutorsTest, EachKindOfKeyboardRowSendsItsKeysAndTextGoesOutAsCharacters) {
    // clang-format off
    const std::tuple<std::string, std::uint8_t, std::uint8_t, std::int16_t, Strings> cases[] = {
        {"", 65, 7, kKeyWithModifiers, {"v16", "v17", "v18", "v65", "^65", "^16", "^17", "^18"}},
        {"", 0, 8, kKeyWithModifiers, {"v91", "^91"}}, {"", 0, 2, kKeyWithModifiers, {"v17", "^17"}},  // alone
        {"", 65, 9, kKeyWithModifiers, {"v65", "^65"}},  // not a mask of the table
        {"ignored", 65, 4, kPredefinedKey, {"v65", "^65"}}, {"x", 65, 1, 4, {}},  // mask unused; no such kind
        {"aB 1!", 99, 7, kTextToType, {"U+0061", "U+0042", "U+0020", "U+0031", "U+0021"}},
        {"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", 0, 0, kTextToType, {"U+00E9", "U+20AC", "U+D83D", "U+DE00"}},
        {"a\xFFz\t\n", 0, 0, kTextToType, {"U+0061", "U+FFFD", "U+007A"}},
    };
    // clang-format on
    for (const auto& [text, code, shift, type, expected] : cases) {
        desktop.calls.clear();
        keyboard.Run(text, {type, shift, code});
        EXPECT_EQ(desktop.calls, expected) << text << " " << int{code} << " " << int{shift};
    }
}

TEST_F(ExecutorsTest, TheKeyTableBesideTheProgramIsReadInUtf8OrAnsiAndNamesKeysOrIsSaidMissing) {
    // Records without a line end at the end, with fields over line ends, with a byte order
    // mark before "65"; unusable ones are skipped without a gap.
    // clang-format off
    const std::pair<std::string, std::vector<KeyMapEntry>> cases[] = {
        {"65,A\r\n112,F1\r\n", {{65, "A"}, {112, "F1"}}},  {"65,A\n66,B", {{65, "A"}, {66, "B"}}},
        {"  65 ,  Letter A  \n", {{65, "Letter A"}}},  {"32,\"  Space \"\n", {{32, "Space"}}},
        {"188,\"Comma , key\"\n190,Dot\n", {{188, "Comma , key"}, {190, "Dot"}}},
        {"65,A\n0,Nothing\n66,   \n67,C\n", {{65, "A"}, {67, "C"}}},  {"66,\n67,C\n", {{67, "C"}}},
        {"65,A\n\n   \n66,B\n", {{65, "A"}, {66, "B"}}},  {"65\nA\n66,B\n", {{65, "A"}, {66, "B"}}},
        {"x,A\n99999,B\n6.5,C\n67,D\n", {{67, "D"}}},  {"-1,Minus\n", {{-1, "Minus"}}},
        {"65,A\n66", {{65, "A"}}},  {"\xEF\xBB\xBF\x36\x35,A\n", {{65, "A"}}},  {"", {}},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseKeyMap(text), expected) << text;
    LoadKeyTable(keyboard, "17,Ctrl\n65,A\n112,F1\n65,Letter A\n196,\xC4 key\n");
    // The modifiers before the table's name: the first of two entries for 65; a modifier
    // alone; Shift itself, not in the table; a name in the ANSI code page.
    // clang-format off
    const std::tuple<std::int16_t, std::int16_t, const char*> names[] = {
        {65, 2, "Ctrl + A"}, {65, 7, "Shift + Ctrl + Alt + A"}, {112, 5, "Shift + Alt + F1"},
        {17, 2, "Ctrl"}, {16, 1, ""}, {200, 1, "Shift + "}, {65, 8, "A"}, {200, 0, ""},
        {196, 0, "\xC3\x84 key"},
    };
    // clang-format on
    for (const auto& [code, shift, name] : names)
        EXPECT_EQ(keyboard.KeyName(code, shift), name) << code << " " << shift;
    EXPECT_EQ(keyboard.FindPredefinedKey("F1 "), std::nullopt);
    FakeProgramFolder folder;
    Latin1CodePage ansi;
    folder.path = "D:\\";  // at the root of a drive: no second backslash
    folder.files["D:\\KeyMap.ini"] = "13,Enter\n";
    keyboard.LoadKeyMap(folder, ansi, log);
    EXPECT_EQ(keyboard.KeyMap(), (std::vector<KeyMapEntry>{{13, "Enter"}}));
    folder.path = "E:";
    keyboard.LoadKeyMap(folder, ansi, log);
    EXPECT_TRUE(keyboard.KeyMap().empty());
    EXPECT_EQ(log.lines, (LogLines{{LogKind::Error,
                                    "The key table E:\\KeyMap.ini could not be read: The system "
                                    "cannot find the file specified."}}));
}

TEST_F(ExecutorsTest, WindowActionsActOnceOnTheFirstLineAndUnknownNamesOnlyLog) {
    // Alt+F4, Alt+Tab, the Windows key, Windows+Pause; "volume up" is no name: the line only.
    // clang-format off
    const std::pair<const char*, Strings> actions[] = {
        {"Close the current windows", {"v18", "v115", "^115", "^18"}},  {"Open Start Menu", {"v91", "^91"}},
        {"Switch open windows (Alt+Tab)", {"v18", "v9", "^9", "^18"}},  {"volume up", {}},
        {"Open System properties dialog", {"v91", "v19", "^19", "^91"}},  {"Minimize the current windows", {"minimise"}},
    };
    // clang-format on
    for (const auto& [name, expected] : actions) {
        desktop.calls.clear();
        log.lines.clear();
        for (std::int16_t n = 0; n < 8; ++n) system.Run(name, n);
        EXPECT_EQ(desktop.calls, expected) << name;
        EXPECT_EQ(log.Texts(), Strings{name});
    }
}

TEST_F(ExecutorsTest, AVolumeButtonStepsOneDeviceOnThePressThenFromTheSixthRepeatWithinBounds) {
    volume.level = 8192;
    for (std::int16_t n = 0; n < 8; ++n) system.Run("Volume UP", n);
    EXPECT_EQ(volume.level, 8192u + 3 * 3000);  // at 0, 6 and 7
    EXPECT_EQ(log.Texts(), (Strings{"Volume set to: 17%", "Volume UP", "Volume set to: 21%",
                                    "Volume set to: 26%"}));
    // Levels are clamped: the level before, the step, the level set and what is said.
    // clang-format off
    const std::tuple<std::uint32_t, std::int16_t, std::uint32_t, const char*> cases[] = {
        {65535 - 2999, 3000, 65535, "100%"}, {65534 - 3000, 3000, 65535, "100%"},
        {65533 - 3000, 3000, 65533, "99%"},  {3001, -3000, 0, "0%"},
        {3002, -3000, 2, "0%"},              {100, -3000, 0, "0%"},
    };
    // clang-format on
    for (const auto& [before, step, level, percent] : cases) {
        volume.level = before;
        log.lines.clear();
        system.Run(step > 0 ? "Volume UP" : "Volume Down", 6);
        EXPECT_EQ(volume.level, level) << before << " " << step;
        EXPECT_EQ(log.Texts(), Strings{std::string("Volume set to: ") + percent});
    }
    volume = FakeVolume{};
    volume.muted = true;
    system.Run("Volume UP", 6);
    system.Run("Volume Down", 6);
    EXPECT_EQ(volume.calls, (Strings{"output#1", "level#1", "set#1", "unmute#1", "output#2",
                                     "level#2", "set#2"}));
    volume.failOn = Failure(2, "No device answers.");
    for (const char* refused : {"output", "set", "unmute"}) {
        volume.failingCall = refused;
        volume.muted = true;
        log.lines.clear();
        system.Run("Volume UP", 0);
        EXPECT_EQ(log.lines,
                  (LogLines{{LogKind::Error, "The volume could not be set: No device answers."},
                            {LogKind::Change, "Volume UP"}}))
            << refused;
    }
    // A level that cannot be read is no silence to step up from: nothing is set.
    volume = FakeVolume{};
    volume.level = std::nullopt;
    log.lines.clear();
    system.Run("Volume Down", 0);
    EXPECT_EQ(volume.calls, (Strings{"output#1", "level#1"}));
    EXPECT_EQ(log.Texts(), (Strings{"The volume could not be set: its level could not be read.",
                                    "Volume Down"}));
}

TEST_F(ExecutorsTest, AnExitCountsDownFromTenToTheSessionsEndUnlessCancelledOrClosed) {
    window.whileOpen = [&] { Ticks(10); };
    for (const char* exit : {"Log off windows", "Shutdown windows", "Restart windows"})
        system.Run(exit, 0);
    window.whileOpen = [&] {
        Ticks(4);
        window.events->CancelPressed();
    };
    system.Run("Shutdown windows", 0);
    window.whileOpen = [&] { Ticks(2); };  // then the close box
    system.Run("Shutdown windows", 0);
    EXPECT_FALSE(countdownTimer.Tick()) << "a tick after the window closed";
    // Each showing starts again from 10; a held exit button opens it once. A shutdown is
    // forced with the power switched off.
    window.whileOpen = [&] { Ticks(1); };
    for (std::int16_t n : {0, 1, 6}) system.Run("Restart windows", n);
    EXPECT_EQ(desktop.calls, Counting("Log off", 10, 0) + Strings{"end 4"} +
                                 Counting("Shutdown", 10, 0) + Strings{"end 13"} +
                                 Counting("Restart", 10, 0) + Strings{"end 6"} +
                                 Counting("Shutdown", 10, 6) + Counting("Shutdown", 10, 8) +
                                 Counting("Restart", 10, 9));
    desktop.failingCall = "end";
    desktop.failOn = Failure(1314, "A required privilege is not held by the client.");
    window.whileOpen = [&] { Ticks(10); };
    system.Run("Shutdown windows", 0);
    EXPECT_EQ(log.Texts(LogKind::Error).back(),
              "Shutdown windows failed: A required privilege is not held by the client.");
}

// Other presses while the countdown shows, through the whole dispatch: a second exit button
// takes it over; any other cancels it (it may not have the keyboard) and does nothing else.
TEST_F(ExecutorsTest, WhileTheCountdownShowsAnExitButtonTakesItOverAndAnyOtherPressCancelsIt) {
    list.AddSys("POWER", "Shutdown windows");
    list.AddMouse("POWER", "Left Mouse Click");
    list.AddSys("RESTART", "Restart windows");
    list.AddMouse("RESTART", "Right Mouse Click");
    list.AddMouse("OK", "Middle Mouse Click");
    const ActionExecutors executors{nullptr, std::bind_front(&Mouse::Act, &mouse),
                                    std::bind_front(&SystemActions::Run, &system), nullptr,
                                    std::bind_front(&ExitCountdown::CancelByButton, &countdown)};
    ActionDispatch dispatch{list, executors, log, failures, watch};
    window.whileOpen = [&] {
        Ticks(4);
        Line(dispatch, "RESTART", 0);  // its pass ends at the restart row
        Line(dispatch, "OK", 3);       // a repeat of a press that began before: no press
        Ticks(6);
    };
    Line(dispatch, "POWER", 0);
    // The restart at zero; then the outer pass goes on: its click, the nested one's never.
    EXPECT_EQ(desktop.calls, Counting("Shutdown", 10, 6) + Counting("Restart", 5, 0) +
                                 Strings({"end 6", "6 0 0", "yield"}));
    EXPECT_EQ(log.Texts(), (Strings{"Shutdown windows", "Restart windows",
                                    "Simulating Mouse: Middle Mouse Click",  // logged only
                                    "Simulating Mouse: Left Mouse Click"}));
    // The lines between the exit's and POWER's click: a bound (OK) or unbound (MUTE) button
    // cancels it, OK's click never comes, a second press acts; an exit for one program only
    // (DOWN) keeps its rule whatever is in front; at zero, a press is a press again.
    list.AddSys("DOWN", "Shutdown windows", {"player.exe"});
    const std::string cancelledBy = "Shutdown was cancelled: ",
                      middle = "Simulating Mouse: Middle Mouse Click";
    // clang-format off
    const std::pair<Strings, Strings> presses[] = {
        {{"OK"}, {cancelledBy + "OK was pressed."}},
        {{"MUTE", "OK"}, {cancelledBy + "MUTE was pressed.", middle}},
        {{"DOWN", "10 ticks", "OK"}, {middle}},  // the countdown runs out between the presses
    };
    // clang-format on
    for (const auto& [buttons, lines] : presses) {
        log.lines.clear();
        window.whileOpen = [&, &buttons = buttons] {
            for (const std::string& button : buttons)
                button == "10 ticks" ? Ticks(10) : Line(dispatch, button, 0);
        };
        Line(dispatch, "POWER", 0);
        EXPECT_EQ(log.Texts(), Strings{"Shutdown windows"} + lines +
                                   Strings{"Simulating Mouse: Left Mouse Click"})
            << buttons.front();
    }
    EXPECT_EQ(std::ranges::count(desktop.calls, std::string("end 13")), 1);
}

TEST_F(ExecutorsTest, AClickIsOnePressAndReleaseAndAYieldOncePerHoldAndAMoveSpeedsUp) {
    // A name, how many lines of a held button, and what goes out; names are compared exactly.
    // clang-format off
    const std::tuple<const char*, int, Strings> holds[] = {
        {"Left Mouse Click", 8, {"6 0 0", "yield"}}, {"Middle Mouse Double Click", 8, {"96 0 0", "yield", "96 0 0", "yield"}},
        {"Mouse Move Right", 12, {"1 2 0", "1 7 0", "1 7 0", "1 8 0", "1 8 0", "1 8 0", "1 9 0"}}, {"Mouse Move UP", 1, {"1 0 -2"}},
        {"Mouse Move Up", 1, {}}, {"", 1, {}}, {"Left Mouse Click ", 1, {}}, {"left mouse click", 1, {}},
    };
    // clang-format on
    for (const auto& [name, lines, calls] : holds) {
        desktop.calls.clear();
        for (std::int16_t n = 0; n < lines; ++n) mouse.Act(name, n, MoveStep(n));
        EXPECT_EQ(desktop.calls, calls) << name;
    }
    // A button line arriving in the yield of a double click runs between its halves.
    desktop.during = [&, nested = false](const std::string& call) mutable {
        if (call == "yield" && !std::exchange(nested, true)) mouse.Act("Mouse Move Left", 0, 2);
    };
    mouse.Act("Left Mouse Double Click", 0, 2);
    EXPECT_EQ(desktop.calls, (Strings{"6 0 0", "yield", "1 -2 0", "6 0 0", "yield"}));
}

TEST_F(ExecutorsTest, TheLauncherHandsTheItemWholeToTheShellInTheProgramsFolderOrSaysWhyNot) {
    FakeProgramFolder folder;
    Launcher launcher{desktop, folder, log};
    launcher.Open("notepad.exe C:\\a.txt");  // not split
    EXPECT_EQ(desktop.calls, Strings{"open notepad.exe C:\\a.txt | C:\\Program Files\\Buttonwise"});
    // Up to 32 the shell's answer is a refusal, and so is the desktop's while we run elevated.
    for (const long answer : {32L, 33L, kDesktopCouldNotStart}) {
        desktop.shellAnswer = answer;
        launcher.Open("C:\\" + std::to_string(answer) + ".exe");
    }
    EXPECT_EQ(log.Texts(LogKind::Error),
              (Strings{"'C:\\32.exe' could not be opened: a library it needs was not found",
                       "'C:\\-1.exe' could not be opened: Buttonwise runs as administrator, "
                       "and the desktop could not start it with your normal rights"}));
    EXPECT_EQ(log.lines.size(), 2u);
}

}  // namespace
}  // namespace bw::test
