// The main window as a user meets it, driven with real keys and clicks and read from
// outside: the tray and one copy at a time, the access keys and removing a row, and the
// boxes that belong to the window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "ui/win32/control_ids.h"

#include <shellapi.h>
#include "window_driver.h"

namespace bw::test {
namespace {

using reader::MainWindowView;

using MainWindowE2eTest = E2eTest;

// The menu bar's access keys win over the buttons', the buttons keep theirs where no menu
// shares the letter, and no keystroke removes a row but Remove's own Space.
TEST_F(MainWindowE2eTest, TheMenuBarsAccessKeysComeFirstAndOnlyRemoveItselfRemovesRows) {
    saved::WriteRows({{"OK", "2", "Left Mouse Click"}, {"RUN", "4", "C:\\x.exe"}});
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);
    HWND window = reader::FindMainWindow();
    HWND list = GetDlgItem(window, ui::kIdActionList);
    RECT header{}, r{};
    GetWindowRect(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), &header);
    GetWindowRect(list, &r);
    auto menuFor = [&](std::initializer_list<WORD> keys) {
        PressKeys(keys);
        const bool opened = WaitUntil("a menu to open", [&] { return OpenMenuOf(window); });
        PressKeys({VK_ESCAPE});
        PressKeys({VK_ESCAPE});
        WaitUntil("the menu to close", [&] { return !OpenMenuOf(window); });
        return opened;
    };
    BringToFront(window);
    ClickAt({r.left + 60, header.bottom + 6});  // the first row
    program.WaitFor("the first row selected",
                    [](const MainWindowView& v) { return v.actions[0].selected; });
    for (WORD letter : {'R', 'F', 'H'}) EXPECT_TRUE(menuFor({VK_MENU, letter})) << char(letter);
    // A plain R on a button is no access key either: Tab goes to "Add Action".
    PressKeys({VK_TAB});
    WaitUntil("Add Action focused",
              [&] { return FocusOf(window) == GetDlgItem(window, ui::kIdAddActionButton); });
    PressKeys({'R'});
    EXPECT_TRUE(menuFor({VK_MENU, 'R'}));  // once it opens, the R before it was handled
    EXPECT_EQ(saved::Read("#ListCount"), "2");

    // Remove itself: Space on the focused button. (Alt+A, which no menu shares, opens the
    // Add Action dialog in its own journey.)
    PressKeys({VK_TAB});
    WaitUntil("Remove focused",
              [&] { return FocusOf(window) == GetDlgItem(window, ui::kIdRemoveButton); });
    PressKeys({VK_SPACE});
    program.WaitFor("the removal", [](const MainWindowView& v) { return v.actions.size() == 1; });
    EXPECT_EQ(saved::Read("#ListCount"), "1");
    EXPECT_EQ(saved::Read("RemoteKey1"), "RUN");
}

// Minimised, the window lives in the tray: a click on the icon (as the shell reports it)
// brings it back, and so does a second start, which then ends. The exit question (like
// the About box, which follows the same rule) belongs to the main window while it shows,
// whichever way it was asked for; from the tray with the window hidden, it stands alone.
TEST_F(MainWindowE2eTest, TheTrayAndASecondStartBringItBackAndItsBoxesBelongToTheShownWindow) {
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);
    HWND window = reader::FindMainWindow();
    HWND tray = FindWindowW(ui::kTrayWindowClass, nullptr);
    ASSERT_TRUE(tray) << "no tray icon window";
    for (bool secondStart : {false, true}) {
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        program.WaitFor("the window to hide", [](const MainWindowView& v) { return !v.visible; });
        if (secondStart)
            EXPECT_EQ(ProgramUnderTest::StartAnotherCopy(kStartMs), 0u);
        else
            PostMessageW(tray, ui::kTrayCallbackMessage, 0, MAKELPARAM(NIN_SELECT, ui::kTrayIconId));
        program.WaitFor("the window to come back",
                        [](const MainWindowView& v) { return v.visible; });
        EXPECT_FALSE(IsIconic(window));
    }
    int windows = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, ui::kMainWindowClass, nullptr));)
        ++windows;
    EXPECT_EQ(windows, 1);

    // E&xit from the tray menu (opened by the shell's callback), with the window shown, then
    // minimised into the tray from the window's menu: No keeps it, Yes ends it.
    for (bool hidden : {false, true}) {
        if (hidden) {
            BringToFront(window);
            PressKeys({VK_MENU, VK_SPACE});
            WaitUntil("the window menu", [&] { return OpenMenuOf(window); });
            PressKeys({'N'});
            program.WaitFor("the window to hide",
                            [](const MainWindowView& v) { return !v.visible; });
        }
        reader::TrayMenu(true);
        WaitUntil("the tray menu", [&] { return OpenMenuOf(window); });
        PressKeys({'X'});
        HWND question = WaitForDialog(L"Buttonwise");
        ASSERT_TRUE(question);
        EXPECT_EQ(GetWindow(question, GW_OWNER), hidden ? nullptr : window);
        PressKeys({hidden ? WORD{'Y'} : WORD{'N'}});
        EXPECT_EQ(program.Ends(hidden ? kActMs : 500), hidden);
    }
    EXPECT_EQ(FindWindowW(ui::kTrayWindowClass, nullptr), nullptr);
}

}  // namespace
}  // namespace bw::test
