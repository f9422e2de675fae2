// Binding a button in the Add Action dialog as a user does, with real keys and clicks: the
// button learnt by pressing it, the panes, the custom key box, the arrow keys, a restart
// that brings the binding back, and a save that the settings store refuses.
#include <gtest/gtest.h>

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

// Opens the dialog with Alt+A on the main window and teaches it a button.
HWND OpenAndLearn(const std::string& button) {
    BringToFront(reader::FindMainWindow());
    PressKeys({VK_MENU, 'A'});
    HWND dialog = WaitForDialog(ui::kAddActionTitle);
    if (!dialog) return nullptr;
    HWND keyName = nullptr;
    WaitUntil("the prompt", [&] {
        keyName = GetDlgItem(dialog, ui::kIdLblKeyName);
        return keyName && TextOf(keyName) == "Press a key on Remote";
    });
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, ui::kIdCmdAdd)));
    Server("press " + button);
    WaitUntil("the learnt button", [&] { return TextOf(keyName) == button; });
    WaitUntil("Add to be enabled",
              [&] { return IsWindowEnabled(GetDlgItem(dialog, ui::kIdCmdAdd)); });
    return dialog;
}

using AddActionE2eTest = E2eTest;

TEST_F(AddActionE2eTest, AButtonBoundWithKeysAndClicksIsSavedAndBackAfterARestart) {
    {
        ProgramUnderTest program;
        program.WaitFor("the connection", Connected, kStartMs);
        HWND dialog = OpenAndLearn("VOLUP");
        ASSERT_TRUE(dialog);
        PressKeys({VK_MENU, 'A'});  // "&Action:", then the next type
        PressKeys({VK_DOWN});
        WaitUntil("the mouse pane",
                  [&] { return IsWindowVisible(GetDlgItem(dialog, ui::kIdCboAMosPre)); });
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, ui::kIdCboAKeyPre)));
        PressKeys({VK_MENU, 'M'});  // "&Mouse actions:", then the second one
        PressKeys({VK_DOWN});
        PressKeys({VK_RETURN});  // Add
        const auto view = program.WaitFor(
            "the new row", [](const MainWindowView& v) { return v.actions.size() == 1; });
        EXPECT_EQ(view.actions, (std::vector<ActionRowView>{{"mouse", "VOLUP",
                                                             "Simulating Mouse: Right Mouse Click",
                                                             "Right Mouse Click", "", "", ""}}));
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
        for (const auto& [name, value] : {std::pair{"#ListCount", "1"},
                                          {"RemoteKey1", "VOLUP"},
                                          {"ActionType1", "2"},
                                          {"ActionName1", "Right Mouse Click"}})
            EXPECT_EQ(saved::Read(name), value) << name;
    }
    ProgramUnderTest restarted;
    const auto view = restarted.WaitFor(
        "the saved row", [](const MainWindowView& v) { return v.actions.size() == 1; }, kStartMs);
    EXPECT_EQ(view.actions[0].Action, "Simulating Mouse: Right Mouse Click");
}

TEST_F(AddActionE2eTest, AFailedSaveShowsTheFailureAndTheDialogStaysOpen) {
    // Under a volatile key no lasting key can be made: every save fails. Only the program's
    // own key is volatile, so that the next test can write again once it is deleted.
    for (const auto& [path, options] :
         {std::pair{L"Software\\VB and VBA Program Settings", REG_OPTION_NON_VOLATILE},
          {L"Software\\VB and VBA Program Settings\\Buttonwise", REG_OPTION_VOLATILE}}) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, options, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);
    HWND dialog = OpenAndLearn("VOLUP");
    ASSERT_TRUE(dialog);
    PressKeys({VK_RETURN});  // Add, with the first predefined key
    HWND box = WaitForDialog(L"Error happened");
    ASSERT_TRUE(box);
    const auto view = program.Read();
    EXPECT_EQ(view.log.back().text.rfind("The action list could not be saved: ", 0), 0u)
        << view.log.back().text;
    ASSERT_EQ(view.actions.size(), 1u);
    EXPECT_EQ(view.actions[0].Action, "Simulating Keyboard: Play/Pause");
    PressKeys({VK_RETURN});
    WaitUntil("the box to close", [&] { return !IsWindow(box); });
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog closed as if the binding were saved";
    Click(GetDlgItem(dialog, ui::kIdAddCancel));
    WaitUntil("the dialog to close", [&] { return !IsWindow(dialog); });
}

}  // namespace
}  // namespace bw::test
