// Mouse actions under the repeat rules, with the yield after every click, and launching
// what a Run binding names, successes and refusals.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "emulation/launcher.h"
#include "emulation/mouse.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_program_folder.h"
#include "fakes/recording_log.h"
#include "remote/action_dispatch.h"

namespace bw::test {
namespace {

using Stream = std::vector<std::string>;

class MouseTest : public ::testing::Test {
  protected:
    FakeMouseAndPump desktop;
    Mouse mouse{desktop, desktop};

    Stream Hold(const std::string& name, int repeats) {
        for (int n = 0; n < repeats; ++n) {
            const auto count = static_cast<std::int16_t>(n);
            mouse.DoMouseAction(name, count, MoveStep(count));
        }
        return desktop.stream;
    }
};

TEST_F(MouseTest, EachClickIsOnePressAndReleaseFollowedByAYield) {
    const std::pair<const char*, Stream> clicks[] = {
        {"Left Mouse Click", {"6 0 0", "yield"}},
        {"Right Mouse Click", {"24 0 0", "yield"}},
        {"Middle Mouse Click", {"96 0 0", "yield"}},
        {"Left Mouse Double Click", {"6 0 0", "yield", "6 0 0", "yield"}},
        {"Right Mouse Double Click", {"24 0 0", "yield", "24 0 0", "yield"}},
        {"Middle Mouse Double Click", {"96 0 0", "yield", "96 0 0", "yield"}},
    };
    for (const auto& [name, expected] : clicks) {
        desktop.stream.clear();
        EXPECT_EQ(Hold(name, 8), expected) << name << ": a held button clicks once";
    }
}

TEST_F(MouseTest, AHeldMovePausesAfterItsFirstStepThenSpeedsUp) {
    EXPECT_EQ(Hold("Mouse Move Right", 12),
              (Stream{"1 2 0", "1 7 0", "1 7 0", "1 8 0", "1 8 0", "1 8 0", "1 9 0"}));
    desktop.stream.clear();
    mouse.DoMouseAction("Mouse Move UP", 0, 2);
    mouse.DoMouseAction("Mouse Move Down", 6, 7);
    mouse.DoMouseAction("Mouse Move Left", 100, 22);
    EXPECT_EQ(desktop.stream, (Stream{"1 0 -2", "1 0 7", "1 -22 0"}));
}

TEST_F(MouseTest, NamesAreComparedExactly) {
    for (const char* name :
         {"Mouse Move Up", "mouse move up", "", "Left Mouse Click ", "left mouse click"})
        mouse.DoMouseAction(name, 0, 2);
    EXPECT_TRUE(desktop.stream.empty());
}

TEST_F(MouseTest, AButtonLineArrivingInTheYieldOfADoubleClickRunsBetweenItsHalves) {
    bool nested = false;
    desktop.duringYield = [&] {
        if (nested) return;
        nested = true;
        mouse.DoMouseAction("Mouse Move Left", 0, 2);
    };
    mouse.DoMouseAction("Left Mouse Double Click", 0, 2);
    EXPECT_EQ(desktop.stream, (Stream{"6 0 0", "yield", "1 -2 0", "6 0 0", "yield"}));
}

class LauncherTest : public ::testing::Test {
  protected:
    FakeShell shell;
    FakeProgramFolder folder;
    RecordingLog log;
    Launcher launcher{shell, folder, log};
};

TEST_F(LauncherTest, HandsTheItemWholeToTheShellWithTheProgramsFolder) {
    launcher.RunFile("C:\\Tools\\edit.exe");
    launcher.RunFile("notepad.exe C:\\a.txt");  // not split
    launcher.RunFile("https://example.org/");
    EXPECT_EQ(shell.opened,
              (std::vector<std::string>{"C:\\Tools\\edit.exe | C:\\Program Files\\Buttonwise",
                                        "notepad.exe C:\\a.txt | C:\\Program Files\\Buttonwise",
                                        "https://example.org/ | C:\\Program Files\\Buttonwise"}));
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(LauncherTest, ARefusalIsAnErrorLineNamingTheItemAndTheReason) {
    // Up to 32 the shell's answer is a refusal; an answer without words is given as it is.
    const std::pair<long, const char*> refusals[] = {
        {2, "the file was not found"},
        {32, "a library it needs was not found"},
        {-5, "the shell answered -5"},
    };
    for (const auto& [answer, reason] : refusals) {
        log.lines.clear();
        shell.answer = answer;
        launcher.RunFile("C:\\gone.exe");
        EXPECT_EQ(
            log.lines,
            (std::vector<RecordedLine>{
                {LogKind::Error, std::string("'C:\\gone.exe' could not be opened: ") + reason}}));
    }
    log.lines.clear();
    shell.answer = 33;  // the lowest answer that means success
    launcher.RunFile("C:\\here.exe");
    EXPECT_TRUE(log.lines.empty());
}

}  // namespace
}  // namespace bw::test
