// Bindings for one program or one remote acting on the keys of the right window, and rows
// edited and moved with real keys and clicks; the registry read from outside.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "probe_window.h"
#include "ui/win32/control_ids.h"

namespace bw::test {
namespace {

using reader::ActionRowView;
using reader::MainWindowView;

using ScopedBindingsE2eTest = E2eTest;

TEST_F(ScopedBindingsE2eTest, AButtonActsForTheProgramInFrontAndOnlyForItsRemote) {
    saved::WriteRows({{"PLAY", "1", "F5", "116", "0", "1", "player-a.exe"},
                      {"PLAY", "1", "Space", "32", "0", "1", "PLAYER-B.EXE"},
                      {"PLAY", "1", "Play/Pause", "179", "0", "1"},
                      {"STOP", "1", "End", "35", "0", "1", "", "tv"},
                      {"PLAY", "1", "Home", "36", "0", "1", "player-c"}});
    ProgramUnderTest program;
    const MainWindowView view = program.WaitFor("the connection", Connected, kStartMs);
    ASSERT_EQ(view.actions.size(), 5u);
    EXPECT_EQ(view.actions[0].action, "Simulating Keyboard: F5 (player-a.exe)");
    EXPECT_EQ(view.actions[3].button, "STOP on tv");

    ProbeWindow first({}, L"player-a.exe");
    ExpectTyped(first, "press PLAY", "v116 ^116");
    ProbeWindow second({}, L"player-b.exe");
    ExpectTyped(second, "press PLAY", "v32 ^32");
    BringToFront(first.Window());
    ExpectTyped(first, "press PLAY", "v116 ^116");
    ProbeWindow other;  // a program without rows of its own gets the global one
    ExpectTyped(other, "press PLAY", "v179 ^179");
    // The line from another remote acts on nothing: the next key is the next line's.
    Server("press STOP remote1");
    ExpectTyped(other, "press PLAY", "v179 ^179");
    ExpectTyped(other, "press STOP tv", "v35 ^35");
    EXPECT_TRUE(first.Events().empty() && second.Events().empty() && other.Events().empty());
    // A Store app's frame belongs to the frame host; the app inside it is what PLAY means,
    // here by its name without the extension.
    ProbeWindow frame(L"--frame", L"ApplicationFrameHost.exe");
    const ProbeWindow app(
        L"--content-of=" + std::to_wstring(reinterpret_cast<std::uintptr_t>(frame.Window())),
        L"Player-C.exe");
    BringToFront(frame.Window());
    ExpectTyped(frame, "press PLAY", "v36 ^36");
    // The programs' names were read through their processes, none found above this one.
    for (const reader::LogRow& line : program.Read().log)
        EXPECT_NE(line.kind, "error") << line.text;
}

// Waits until the saved value reads as expected; the wait fails the test otherwise.
void ExpectSaved(const std::string& name, const std::string& value) {
    WaitUntil(
        name + " saved as \"" + value + "\"", [&] { return saved::Read(name) == value; }, kActMs,
        [&] { return "; it is \"" + saved::Read(name).value_or("(none)") + "\""; });
}

// The middle of the action list's first row, just below the column headers.
POINT FirstRow(HWND list) {
    RECT header{}, rows{};
    GetWindowRect(FindWindowExW(list, nullptr, L"SysHeader32", nullptr), &header);
    GetWindowRect(list, &rows);
    return {(rows.left + rows.right) / 2, header.bottom + 8};
}

TEST_F(ScopedBindingsE2eTest, EditingAndMovingWithKeysAndClicksAreSavedInPlace) {
    saved::WriteRows({{"ONE", "2", "Left Mouse Click"},
                      {"TWO", "2", "Right Mouse Click"},
                      {"THREE", "2", "Left Mouse Click"}});
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);
    HWND list = GetDlgItem(reader::FindMainWindow(), ui::kIdActionList);
    BringToFront(reader::FindMainWindow());

    const POINT first = FirstRow(list);
    ClickAt(first);
    ClickAt(first);  // a double-click edits the row
    HWND dialog = WaitForDialog(ui::kEditActionTitle);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, ui::kIdButtonName)), "ONE");
    Click(GetDlgItem(dialog, ui::kIdCancel));
    WaitUntil("the edit to close", [&] { return !IsWindow(dialog); });

    // The list has the focus back, on the first row: of the three rows selected, Enter edits
    // the one the focus went to.
    PressKeys({VK_SHIFT, VK_DOWN});
    PressKeys({VK_SHIFT, VK_DOWN});
    PressKeys({VK_RETURN});
    dialog = WaitForDialog(ui::kEditActionTitle);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, ui::kIdButtonName)), "THREE");
    PressKeys({VK_MENU, 'M'});  // the next mouse action, then OK
    PressKeys({VK_DOWN});
    PressKeys({VK_RETURN});
    ExpectSaved("ActionName3", "Right Mouse Click");
    EXPECT_EQ(saved::Read("ActionName1"), "Left Mouse Click") << "cancelling changed nothing";
    EXPECT_EQ(saved::Read("#ListCount"), "3");

    WaitUntil("the edit to close", [&] { return !IsWindow(dialog); });
    PressKeys({VK_MENU, VK_UP});
    ExpectSaved("RemoteKey2", "THREE");
    ClickAt(first, MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP);
    WaitUntil("the list's menu", [&] { return OpenMenuOf(list) != nullptr; });
    PressKeys({'D'});  // "Move &Down"
    ExpectSaved("RemoteKey1", "THREE");
    EXPECT_EQ(saved::Read("RemoteKey2"), "ONE");
    EXPECT_EQ(saved::Read("Program1"), "") << "every row gets both values";
}

}  // namespace
}  // namespace bw::test
