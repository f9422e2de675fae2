// The user interface as a user meets it, driven and read from outside: binding a button in
// the Add Action dialog by pressing it, the tray, the exit question, and one copy at a time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/utf16.h"
#include "program_under_test.h"
#include "ui/win32/control_ids.h"
#include "user_settings.h"
#include "user_steps.h"
#include "window_driver.h"

namespace bw::test {
namespace {

using reader::ActionRowView;
using reader::LogRow;
using reader::MainWindowView;

// The colour the control's text is drawn in, taken from the screen: its darkest pixel.
COLORREF TextColour(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    HDC screen = GetDC(nullptr);
    COLORREF darkest = RGB(255, 255, 255);
    int darkness = 3 * 255;
    for (int y = r.top + 2; y < r.bottom - 2; ++y)
        for (int x = r.left + 2; x < r.right - 2; ++x) {
            const COLORREF c = GetPixel(screen, x, y);
            const int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
            if (sum < darkness) {
                darkness = sum;
                darkest = c;
            }
        }
    ReleaseDC(nullptr, screen);
    return darkest;
}

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
               std::abs(GetBValue(a) - GetBValue(b)) <
           60;
}

// Waits for a condition on other windows while the program is watched.
void WaitUntil(const ProgramUnderTest& program, const std::string& what,
               const std::function<bool()>& condition) {
    program.WaitFor(
        what, [&](const MainWindowView&) { return condition(); }, kActMs);
}

class UserInterfaceE2eTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Server("start");
        UserSettings::Clear();
    }
    void TearDown() override {
        UserSettings::Clear();
        Server("stop");
    }
};

TEST_F(UserInterfaceE2eTest, AButtonPressedInTheAddActionDialogIsBoundSavedAndBackAfterARestart) {
    {
        ProgramUnderTest program;
        program.WaitFor("the connection", Connected, kStartMs);
        reader::PostCommand(ui::kIdMiAddNewAction);
        HWND dialog = WaitForDialog(ui::kAddActionTitle);
        ASSERT_TRUE(dialog);
        HWND keyName = nullptr;
        WaitUntil(program, "the dialog's controls",
                  [&] { return (keyName = GetDlgItem(dialog, ui::kIdLblKeyName)) != nullptr; });
        WaitUntil(program, "the prompt",
                  [&] { return TextOf(keyName) == "Press a key on Remote"; });
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, ui::kIdCmdAdd)));
        EXPECT_TRUE(Near(TextColour(keyName), GetSysColor(COLOR_GRAYTEXT)));

        Server("press VOLUP");
        WaitUntil(program, "the learnt button", [&] { return TextOf(keyName) == "VOLUP"; });
        WaitUntil(program, "Add to be enabled",
                  [&] { return IsWindowEnabled(GetDlgItem(dialog, ui::kIdCmdAdd)) != FALSE; });
        EXPECT_TRUE(Near(TextColour(keyName), GetSysColor(COLOR_WINDOWTEXT)));

        reader::ChooseActionType(dialog, 2);
        WaitUntil(program, "the mouse pane",
                  [&] { return IsWindowVisible(GetDlgItem(dialog, ui::kIdCboAMosPre)) != FALSE; });
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, ui::kIdCboAKeyPre)));
        ASSERT_TRUE(reader::ChooseListItem(dialog, ui::kIdCboAMosPre, "Right Mouse Click"));
        reader::ClickButton(dialog, ui::kIdCmdAdd);
        const ActionRowView row{
            "mouse", "VOLUP", "Simulating Mouse: Right Mouse Click", "Right Mouse Click", "",
            "",      ""};
        const MainWindowView view = program.WaitFor(
            "the new row", [](const MainWindowView& v) { return v.actions.size() == 1; }, kActMs);
        EXPECT_EQ(view.actions, std::vector<ActionRowView>{row});
        EXPECT_EQ(view.log.back(),
                  (LogRow{"change", "Mouse event 'Right Mouse Click' is assigned to 'VOLUP'"}));
        EXPECT_TRUE(IsWindow(dialog)) << "Continue adding buttons keeps it open";

        reader::ClickButton(dialog, ui::kIdAddCancel);
        WaitUntil(program, "the dialog to close", [&] { return !IsWindow(dialog); });
        EXPECT_EQ(UserSettings::Read("#ListCount"), "1");
        EXPECT_EQ(UserSettings::Read("RemoteKey1"), "VOLUP");
        EXPECT_EQ(UserSettings::Read("ActionType1"), "2");
        EXPECT_EQ(UserSettings::Read("ActionName1"), "Right Mouse Click");
    }
    ProgramUnderTest restarted;
    const MainWindowView view = restarted.WaitFor(
        "the saved row", [](const MainWindowView& v) { return v.actions.size() == 1; }, kStartMs);
    EXPECT_EQ(view.actions[0].Action, "Simulating Mouse: Right Mouse Click");
}

TEST_F(UserInterfaceE2eTest, MinimisingHidesTheWindowAndADoubleClickOnTheTrayIconRestoresIt) {
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);
    HWND window = reader::FindMainWindow();
    HWND tray = FindWindowW(ui::kTrayWindowClass, nullptr);
    ASSERT_TRUE(tray) << "no tray icon window";

    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    program.WaitFor(
        "the window to hide", [](const MainWindowView& v) { return !v.visible; }, kActMs);
    // What the shell reports for the icon: a single click and a right press do nothing.
    SendMessageW(tray, WM_LBUTTONDOWN, 1, WM_LBUTTONDOWN);
    SendMessageW(tray, WM_LBUTTONDOWN, 1, WM_RBUTTONDOWN);
    EXPECT_FALSE(program.Read().visible);
    PostMessageW(tray, WM_LBUTTONDOWN, 1, WM_LBUTTONDBLCLK);
    program.WaitFor(
        "the window to come back", [](const MainWindowView& v) { return v.visible; }, kActMs);
    EXPECT_FALSE(IsIconic(window));
}

TEST_F(UserInterfaceE2eTest, ExitAsksFirstAlsoFromTheTrayAndYesEndsTheProgram) {
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);
    reader::PostCommand(ui::kIdMiExit);
    HWND question = WaitForDialog(L"Buttonwise");
    ASSERT_TRUE(question);
    EXPECT_EQ(GetWindow(question, GW_OWNER), reader::FindMainWindow());
    Answer(question, IDNO);
    WaitUntil(program, "the question to close", [&] { return !IsWindow(question); });
    EXPECT_FALSE(program.Ends(0));

    // With the window in the tray the question stands alone, and Yes ends the program.
    PostMessageW(reader::FindMainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    program.WaitFor(
        "the window to hide", [](const MainWindowView& v) { return !v.visible; }, kActMs);
    reader::PostCommand(ui::kIdMiExitTray);
    question = WaitForDialog(L"Buttonwise");
    ASSERT_TRUE(question);
    EXPECT_EQ(GetWindow(question, GW_OWNER), nullptr);
    Answer(question, IDYES);
    EXPECT_TRUE(program.Ends(kActMs));
    EXPECT_EQ(FindWindowW(ui::kTrayWindowClass, nullptr), nullptr);
}

TEST_F(UserInterfaceE2eTest, ASecondStartBringsTheRunningCopyUpAndEnds) {
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);
    PostMessageW(reader::FindMainWindow(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    program.WaitFor(
        "the window to hide", [](const MainWindowView& v) { return !v.visible; }, kActMs);
    EXPECT_EQ(ProgramUnderTest::StartAnotherCopy(kStartMs), 0u);
    program.WaitFor(
        "the running copy to show", [](const MainWindowView& v) { return v.visible; }, kActMs);
    int windows = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, ui::kMainWindowClass, nullptr));)
        ++windows;
    EXPECT_EQ(windows, 1);
}

}  // namespace
}  // namespace bw::test
