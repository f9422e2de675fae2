// Binding a button in the Add Action dialog as a user does, with real keys and clicks: the
// button and its remote learnt by pressing it, the panes, one remote and one program, the
// custom key box, the arrow keys, and a restart that brings the binding back.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "harness.h"
#include "ui/win32/control_ids.h"

namespace bw::test {
namespace {

using reader::ActionRowView;
using reader::LogRow;
using reader::MainWindowView;

bool Checked(HWND dialog, int option) {
    return SendMessageW(GetDlgItem(dialog, option), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

using AddActionE2eTest = E2eTest;

const ActionRowView kAdded{"mouse", "VOLUP on tv",
                           "Simulating Mouse: Right Mouse Click (player.exe)"};

TEST_F(AddActionE2eTest, AButtonBoundWithKeysAndClicksIsSavedAndBackAfterARestart) {
    {
        ProgramUnderTest program;
        program.WaitFor("the connection", Connected, kStartMs);
        BringToFront(reader::FindMainWindow());
        PressKeys({VK_MENU, 'A'});
        HWND dialog = WaitForDialog(ui::kAddActionTitle);
        ASSERT_TRUE(dialog);
        HWND keyName = nullptr;
        WaitUntil("the prompt", [&] {
            keyName = GetDlgItem(dialog, ui::kIdButtonName);
            return keyName && TextOf(keyName) == "Press a key on Remote";
        });
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, ui::kIdAdd)));
        Server("press VOLUP tv");
        WaitUntil("the learnt button", [&] { return TextOf(keyName) == "VOLUP"; });
        EXPECT_EQ(TextOf(GetDlgItem(dialog, ui::kIdRemoteName)), "tv");
        WaitUntil("Add to be enabled",
                  [&] { return IsWindowEnabled(GetDlgItem(dialog, ui::kIdAdd)); });
        PressKeys({VK_MENU, 'A'});  // "&Action:", then the next type
        PressKeys({VK_DOWN});
        WaitUntil("the mouse pane",
                  [&] { return IsWindowVisible(GetDlgItem(dialog, ui::kIdMouseActions)); });
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, ui::kIdPredefinedKeys)));
        PressKeys({VK_MENU, 'M'});  // "&Mouse actions:", then the second one
        PressKeys({VK_DOWN});
        PressKeys({VK_MENU, 'O'});  // "&Only for this remote"
        PressKeys({VK_MENU, 'F'});  // "Only while this program is in &front:"
        for (char c : std::string("player.exe"))
            PressKeys({c == '.' ? WORD{VK_OEM_PERIOD} : static_cast<WORD>(std::toupper(c))});
        PressKeys({VK_RETURN});  // Add
        // The log follows the list a moment later; the wait fails the test without the line.
        const LogRow bound{"change",
                           "Mouse event 'Right Mouse Click' is assigned to 'VOLUP on tv' while "
                           "player.exe is in front"};
        const auto view = program.WaitFor("the new row and its line", [&](const MainWindowView& v) {
            return v.actions.size() == 1 && !v.log.empty() && v.log.back() == bound;
        });
        EXPECT_EQ(view.actions, std::vector{kAdded});
        EXPECT_TRUE(IsWindow(dialog)) << "Continue adding buttons keeps it open";

        // Back to the keyboard pane. In the custom key box every combination is captured and
        // does nothing else, the dialog's own access keys included.
        PressKeys({VK_MENU, 'A'});
        PressKeys({VK_UP});
        PressKeys({VK_MENU, 'C'});
        HWND box = GetDlgItem(dialog, ui::kIdCustomKey);
        WaitUntil("the custom key box", [&] { return FocusOf(dialog) == box; });
        for (WORD letter : {'C', 'T', 'P'}) {
            PressKeys({VK_MENU, letter});
            const std::string name = std::string("Alt + ") + char(letter);
            WaitUntil(name + " captured", [&] { return TextOf(box) == name; });
            EXPECT_TRUE(Checked(dialog, ui::kIdCustomOption)) << name;
            EXPECT_FALSE(Checked(dialog, ui::kIdPredefinedOption) || Checked(dialog, ui::kIdTextOption));
        }

        // Arrow keys outside the options leave them alone: after the predefined key option
        // come the remote's check box, the program box and its browse button, the check box,
        // Add and Cancel in the order of Tab.
        const std::pair<int, int> stops[] = {{1, ui::kIdOnlyForRemote},
                                             {4, ui::kIdContinueAdding},
                                             {5, ui::kIdAdd},
                                             {6, ui::kIdCancel}};
        for (const auto& [tabs, id] : stops) {
            Click(GetDlgItem(dialog, ui::kIdPredefinedOption));
            HWND button = GetDlgItem(dialog, id);
            for (int i = 0; i < tabs; ++i) PressKeys({VK_TAB});
            WaitUntil("the focus on a button", [&] { return FocusOf(dialog) == button; });
            for (WORD arrow : {VK_UP, VK_UP, VK_UP, VK_LEFT, VK_DOWN, VK_RIGHT}) PressKeys({arrow});
            PressKeys({VK_MENU, 'K'});  // moves the focus on: once it has, the arrows were seen
            WaitUntil("the focus to move on", [&] { return FocusOf(dialog) != button; });
            EXPECT_TRUE(Checked(dialog, ui::kIdPredefinedOption)) << tabs;
            EXPECT_FALSE(Checked(dialog, ui::kIdTextOption)) << tabs;
        }
        Click(GetDlgItem(dialog, ui::kIdCancel));
        WaitUntil("the dialog to close", [&] { return !IsWindow(dialog); });
        for (const auto& [name, value] : {std::pair{"#ListCount", "1"},
                                          {"RemoteKey1", "VOLUP"},
                                          {"ActionType1", "2"},
                                          {"ActionName1", "Right Mouse Click"},
                                          {"Program1", "player.exe"},
                                          {"Remote1", "tv"}})
            EXPECT_EQ(saved::Read(name), value) << name;
    }
    ProgramUnderTest restarted;
    const auto view = restarted.WaitFor(
        "the saved row", [](const MainWindowView& v) { return v.actions.size() == 1; }, kStartMs);
    EXPECT_EQ(view.actions, std::vector{kAdded}) << "loaded back as it was";
}

}  // namespace
}  // namespace bw::test
