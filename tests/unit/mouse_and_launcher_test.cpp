// Mouse actions under the repeat rules, with the yield after every click, and launching
// what a Run binding names.
#include <gtest/gtest.h>

#include <string>
#include <utility>
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
        desktop.stream.clear();
        for (int n = 0; n < repeats; ++n) {
            const auto count = static_cast<std::int16_t>(n);
            mouse.DoMouseAction(name, count, MoveStep(count));
        }
        return desktop.stream;
    }
};

TEST_F(MouseTest, AClickIsOnePressAndReleaseWithAYieldOncePerHoldAndAMoveSpeedsUp) {
    EXPECT_EQ(Hold("Left Mouse Click", 8), (Stream{"6 0 0", "yield"}));
    EXPECT_EQ(Hold("Middle Mouse Double Click", 8), (Stream{"96 0 0", "yield", "96 0 0", "yield"}));
    EXPECT_EQ(Hold("Mouse Move Right", 12),
              (Stream{"1 2 0", "1 7 0", "1 7 0", "1 8 0", "1 8 0", "1 8 0", "1 9 0"}));
    EXPECT_EQ(Hold("Mouse Move UP", 1), Stream{"1 0 -2"});
    // Names are compared exactly.
    for (const char* name : {"Mouse Move Up", "", "Left Mouse Click ", "left mouse click"})
        EXPECT_TRUE(Hold(name, 1).empty()) << name;
}

TEST_F(MouseTest, AButtonLineArrivingInTheYieldOfADoubleClickRunsBetweenItsHalves) {
    desktop.duringYield = [&, nested = false]() mutable {
        if (!std::exchange(nested, true)) mouse.DoMouseAction("Mouse Move Left", 0, 2);
    };
    mouse.DoMouseAction("Left Mouse Double Click", 0, 2);
    EXPECT_EQ(desktop.stream, (Stream{"6 0 0", "yield", "1 -2 0", "6 0 0", "yield"}));
}

TEST(LauncherTest, HandsTheItemWholeToTheShellInTheProgramsFolderAndSaysWhenItIsRefused) {
    FakeShell shell;
    FakeProgramFolder folder;
    RecordingLog log;
    Launcher launcher{shell, folder, log};
    launcher.RunFile("notepad.exe C:\\a.txt");  // not split
    launcher.RunFile("https://example.org/");
    EXPECT_EQ(shell.opened, (Stream{"notepad.exe C:\\a.txt | C:\\Program Files\\Buttonwise",
                                    "https://example.org/ | C:\\Program Files\\Buttonwise"}));
    EXPECT_TRUE(log.lines.empty());
    // Up to 32 the shell's answer is a refusal.
    shell.answer = 32;
    launcher.RunFile("C:\\gone.exe");
    shell.answer = 33;
    launcher.RunFile("C:\\here.exe");
    EXPECT_EQ(log.lines,
              (std::vector<RecordedLine>{{LogKind::Error,
                                          "'C:\\gone.exe' could not be opened: a library it "
                                          "needs was not found"}}));
}

}  // namespace
}  // namespace bw::test
