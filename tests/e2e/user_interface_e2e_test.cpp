// The user interface as a user meets it, driven and read from outside: binding a button in
// the Add Action dialog by pressing it, the tray, the exit question, and one copy at a time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/utf16.h"
#include "program_under_test.h"
#include "real_input.h"
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

using UserInterfaceE2eTest = E2eTest;

bool Checked(HWND dialog, int option) {
    return SendMessageW(GetDlgItem(dialog, option), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Binding a button in the Add Action dialog with the keyboard alone, then what the custom key
// box and the arrow keys must not do, then a restart.
TEST_F(UserInterfaceE2eTest, AButtonBoundWithKeysInTheAddActionDialogIsSavedAndBackAfterARestart) {
    {
        ProgramUnderTest program;
        program.WaitFor("the connection", Connected, kStartMs);
        BringToFront(reader::FindMainWindow());
        PressKeys({VK_MENU, 'A'});
        HWND dialog = WaitForDialog(ui::kAddActionTitle);
        ASSERT_TRUE(dialog);
        HWND keyName = nullptr;
        WaitUntil("the dialog's controls",
                  [&] { return (keyName = GetDlgItem(dialog, ui::kIdLblKeyName)) != nullptr; });
        WaitUntil("the prompt", [&] { return TextOf(keyName) == "Press a key on Remote"; });
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, ui::kIdCmdAdd)));
        EXPECT_TRUE(Near(TextColour(keyName), GetSysColor(COLOR_GRAYTEXT)));

        Server("press VOLUP");
        WaitUntil("the learnt button", [&] { return TextOf(keyName) == "VOLUP"; });
        WaitUntil("Add to be enabled",
                  [&] { return IsWindowEnabled(GetDlgItem(dialog, ui::kIdCmdAdd)) != FALSE; });
        EXPECT_TRUE(Near(TextColour(keyName), GetSysColor(COLOR_WINDOWTEXT)));

        PressKeys({VK_MENU, 'A'});  // "&Action:", then the next type
        PressKeys({VK_DOWN});
        WaitUntil("the mouse pane",
                  [&] { return IsWindowVisible(GetDlgItem(dialog, ui::kIdCboAMosPre)) != FALSE; });
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, ui::kIdCboAKeyPre)));
        PressKeys({VK_MENU, 'M'});  // "&Mouse actions:", then the second one
        PressKeys({VK_DOWN});
        PressKeys({VK_RETURN});  // Add
        const ActionRowView row{
            "mouse", "VOLUP", "Simulating Mouse: Right Mouse Click", "Right Mouse Click", "",
            "",      ""};
        const MainWindowView view = program.WaitFor(
            "the new row", [](const MainWindowView& v) { return v.actions.size() == 1; }, kActMs);
        EXPECT_EQ(view.actions, std::vector<ActionRowView>{row});
        EXPECT_EQ(view.log.back(),
                  (LogRow{"change", "Mouse event 'Right Mouse Click' is assigned to 'VOLUP'"}));
        EXPECT_TRUE(IsWindow(dialog)) << "Continue adding buttons keeps it open";

        // Back to the keyboard pane. In the custom key box every combination is captured and
        // does nothing else, the dialog's own access keys included.
        PressKeys({VK_MENU, 'A'});
        PressKeys({VK_UP});
        PressKeys({VK_MENU, 'C'});
        HWND box = GetDlgItem(dialog, ui::kIdPicAKeyCustom);
        WaitUntil("the custom key box", [&] { return FocusOf(dialog) == box; });
        for (WORD letter : {'C', 'T', 'P'}) {
            PressKeys({VK_MENU, letter});
            const std::string name = std::string("Alt + ") + char(letter);
            WaitUntil(name + " captured", [&] { return TextOf(box) == name; });
            EXPECT_TRUE(Checked(dialog, ui::kIdOptAKeyCustom)) << name;
            EXPECT_FALSE(Checked(dialog, ui::kIdOptAKeyPre) || Checked(dialog, ui::kIdOptAKeyText));
        }

        // Arrow keys outside the options leave them alone: after the predefined key option
        // come the check box, Add and Cancel in the order of Tab.
        const int buttons[] = {ui::kIdChkAutoAdd, ui::kIdCmdAdd, ui::kIdAddCancel};
        for (int tabs = 1; tabs <= 3; ++tabs) {
            Click(GetDlgItem(dialog, ui::kIdOptAKeyPre));
            HWND button = GetDlgItem(dialog, buttons[tabs - 1]);
            for (int i = 0; i < tabs; ++i) PressKeys({VK_TAB});
            WaitUntil("the focus on a button", [&] { return FocusOf(dialog) == button; });
            for (WORD arrow : {VK_UP, VK_UP, VK_UP, VK_LEFT, VK_DOWN, VK_RIGHT}) PressKeys({arrow});
            PressKeys({VK_MENU, 'K'});  // moves the focus on: once it has, the arrows were seen
            WaitUntil("the focus to move on", [&] { return FocusOf(dialog) != button; });
            EXPECT_TRUE(Checked(dialog, ui::kIdOptAKeyPre)) << tabs;
            EXPECT_FALSE(Checked(dialog, ui::kIdOptAKeyText)) << tabs;
        }

        Click(GetDlgItem(dialog, ui::kIdAddCancel));
        WaitUntil("the dialog to close", [&] { return !IsWindow(dialog); });
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

// Minimised, the window lives in the tray: a double click on the icon (as the shell
// reports it) brings it back, and so does a second start, which then ends.
TEST_F(UserInterfaceE2eTest, MinimisedItComesBackByADoubleClickOnTheIconOrASecondStart) {
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);
    HWND window = reader::FindMainWindow();
    HWND tray = FindWindowW(ui::kTrayWindowClass, nullptr);
    ASSERT_TRUE(tray) << "no tray icon window";
    for (bool secondStart : {false, true}) {
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        program.WaitFor(
            "the window to hide", [](const MainWindowView& v) { return !v.visible; }, kActMs);
        if (secondStart)
            EXPECT_EQ(ProgramUnderTest::StartAnotherCopy(kStartMs), 0u);
        else
            PostMessageW(tray, ui::kTrayCallbackMessage, ui::kTrayIconId, WM_LBUTTONDBLCLK);
        program.WaitFor(
            "the window to come back", [](const MainWindowView& v) { return v.visible; }, kActMs);
        EXPECT_FALSE(IsIconic(window));
    }
    int windows = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, ui::kMainWindowClass, nullptr));)
        ++windows;
    EXPECT_EQ(windows, 1);
}

// The saved rows, read back from the registry.
std::string SavedButtons() {
    std::string buttons;
    const int count = std::stoi(UserSettings::Read("#ListCount").value_or("0"));
    for (int i = 1; i <= count; ++i)
        buttons += UserSettings::Read("RemoteKey" + std::to_string(i)).value_or("?") + " ";
    return buttons;
}

// The access keys with real keystrokes: the menu bar's win over the buttons', the buttons
// keep theirs where no menu shares the letter, and no keystroke removes a row but Remove's
// own Space.
TEST_F(UserInterfaceE2eTest, TheMenuBarsAccessKeysComeFirstAndOnlyRemoveItselfRemovesRows) {
    UserSettings::Write({{"#ListCount", "2"},
                         {"RemoteKey1", "OK"},
                         {"ActionType1", "2"},
                         {"ActionName1", "Left Mouse Click"},
                         {"RemoteKey2", "RUN"},
                         {"ActionType2", "4"},
                         {"ActionName2", "C:\\x.exe"}});
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);
    HWND window = reader::FindMainWindow();
    HWND list = GetDlgItem(window, ui::kIdLstActions);
    BringToFront(window);
    RECT header{}, r{};
    GetWindowRect(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), &header);
    GetWindowRect(list, &r);
    ClickAt({r.left + 60, header.bottom + 6});  // the first row
    program.WaitFor(
        "the first row selected",
        [](const MainWindowView& v) { return v.actions.size() == 2 && v.actions[0].selected; },
        kActMs);

    auto menuFor = [&](std::initializer_list<WORD> keys) {
        PressKeys(keys);
        const bool opened = WaitUntil("a menu to open", [&] { return OpenMenuOf(window); });
        PressKeys({VK_ESCAPE});
        PressKeys({VK_ESCAPE});
        WaitUntil("the menu to close", [&] { return !OpenMenuOf(window); });
        return opened;
    };
    for (WORD letter : {'R', 'F', 'H'}) EXPECT_TRUE(menuFor({VK_MENU, letter})) << char(letter);
    // A plain R on a button is no access key either: Tab goes to "Add Action".
    PressKeys({VK_TAB});
    WaitUntil("Add Action focused",
              [&] { return FocusOf(window) == GetDlgItem(window, ui::kIdCmdAddAction); });
    PressKeys({'R'});
    EXPECT_TRUE(menuFor({VK_MENU, 'R'}));  // once it opens, the R before it was handled
    EXPECT_EQ(program.Read().actions.size(), 2u);
    EXPECT_EQ(SavedButtons(), "OK RUN ");

    // Where no menu shares the letter, the button keeps its key: Alt+A adds.
    PressKeys({VK_MENU, 'A'});
    HWND dialog = WaitForDialog(ui::kAddActionTitle);
    ASSERT_TRUE(dialog);
    WaitUntil("the dialog's Cancel", [&] { return GetDlgItem(dialog, ui::kIdAddCancel); });
    Click(GetDlgItem(dialog, ui::kIdAddCancel));
    WaitUntil("the dialog to close", [&] { return !IsWindow(dialog); });

    // Remove itself: Space on the focused button.
    BringToFront(window);
    ClickAt({r.left + 60, header.bottom + 6});
    PressKeys({VK_TAB});
    PressKeys({VK_TAB});
    WaitUntil("Remove focused",
              [&] { return FocusOf(window) == GetDlgItem(window, ui::kIdCmdRemove); });
    PressKeys({VK_SPACE});
    program.WaitFor(
        "the removal", [](const MainWindowView& v) { return v.actions.size() == 1; }, kActMs);
    EXPECT_EQ(SavedButtons(), "RUN ");
    EXPECT_EQ(UserSettings::Read("RemoteKey2"), "RUN") << "rows beyond the count stay unread";

    // File, New Action list asks first: No keeps the list, Yes clears and saves it.
    for (WORD answer : {'N', 'Y'}) {
        PressKeys({VK_MENU, 'F'});
        PressKeys({'N'});
        HWND question = WaitForDialog(L"Remove all Actions?");
        ASSERT_TRUE(question);
        PressKeys({answer});
        WaitUntil("the question to close", [&] { return !IsWindow(question); });
        if (answer == 'N') {
            EXPECT_EQ(program.Read().actions.size(), 1u);
        }
    }
    program.WaitFor(
        "the list to empty", [](const MainWindowView& v) { return v.actions.empty(); }, kActMs);
    EXPECT_EQ(SavedButtons(), "");
    EXPECT_EQ(UserSettings::Read("#ListCount"), "0");
}

// The About box and the exit question belong to the main window while it shows, whichever
// way they were asked for; from the tray with the window hidden, the question stands alone.
TEST_F(UserInterfaceE2eTest, TheAboutBoxAndTheExitQuestionAreOwnedByTheShownMainWindow) {
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);
    HWND window = reader::FindMainWindow();
    BringToFront(window);
    PressKeys({VK_MENU, 'H'});
    WaitUntil("the Help menu", [&] { return OpenMenuOf(window); });
    PressKeys({'A'});
    HWND about = WaitForDialog(L"About Buttonwise");
    ASSERT_TRUE(about);
    EXPECT_EQ(GetWindow(about, GW_OWNER), window);
    EXPECT_FALSE(IsWindowEnabled(window));
    PressKeys({VK_RETURN});
    WaitUntil("the About box to close", [&] { return !IsWindow(about); });
    EXPECT_TRUE(IsWindowEnabled(window));

    // From the tray menu (opened by the shell's callback), E&xit.
    reader::TrayMenu(true);
    WaitUntil("the tray menu", [&] { return OpenMenuOf(window); });
    PressKeys({'X'});
    HWND question = WaitForDialog(L"Buttonwise");
    ASSERT_TRUE(question);
    EXPECT_EQ(GetWindow(question, GW_OWNER), window);
    PressKeys({'N'});
    WaitUntil("the question to close", [&] { return !IsWindow(question); });
    EXPECT_FALSE(program.Ends(0));

    // Minimised into the tray from the window's menu, then E&xit from the tray: Yes ends it.
    BringToFront(window);
    PressKeys({VK_MENU, VK_SPACE});
    WaitUntil("the window menu", [&] { return OpenMenuOf(window); });
    PressKeys({'N'});
    program.WaitFor(
        "the window to hide", [](const MainWindowView& v) { return !v.visible; }, kActMs);
    reader::TrayMenu(true);
    WaitUntil("the tray menu", [&] { return OpenMenuOf(window); });
    PressKeys({'X'});
    question = WaitForDialog(L"Buttonwise");
    ASSERT_TRUE(question);
    EXPECT_EQ(GetWindow(question, GW_OWNER), nullptr);
    PressKeys({'Y'});
    EXPECT_TRUE(program.Ends(kActMs));
    EXPECT_EQ(FindWindowW(ui::kTrayWindowClass, nullptr), nullptr);
}

}  // namespace
}  // namespace bw::test
