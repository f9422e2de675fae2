// The main window and its dialogs worked with real keys and clicks, the registry read from
// outside: rows edited and moved in place, the access keys and Remove, a button bound in the
// Add Action dialog and back after a restart, the tray, a second start and the exit question.
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>

#include "harness.h"
#include "platform/win32/send_input_mouse.h"

#include <shellapi.h>

namespace bw::test {
namespace {

using reader::ActionRowView;
using reader::LogRow;

// In the order of the journey: each test goes on with the rows the one before left.
class WindowE2eTest : public Journey {
  protected:
    static void SetUpTestSuite() {
        Start({{"ONE", "2", "Left Mouse Click"},
               {"TWO ü音", "2", "Right Mouse Click"},
               {"THREE", "2", "Left Mouse Click"}});
    }
    HWND window = reader::FindMainWindow();
    HWND list = GetDlgItem(window, ui::kIdActionList);
    // The middle of the action list's first row, just below the column headers.
    POINT FirstRow() const {
        RECT header{}, rows{};
        GetWindowRect(FindWindowExW(list, nullptr, L"SysHeader32", nullptr), &header);
        GetWindowRect(list, &rows);
        return {(rows.left + rows.right) / 2, header.bottom + 8};
    }
};

// Clicks as a mouse makes them, through the program's own SendInput wrapper.
void ClickAt(POINT screen, DWORD buttons = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP) {
    SetCursorPos(screen.x, screen.y);
    win32::SendInputMouse().MouseEvent(buttons, 0, 0);
}
void Click(HWND window) {
    RECT r{};
    if (!GetWindowRect(window, &r)) throw Failure("no window to click");
    ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}
// The focused window of the window's thread, and a popup menu of that thread while one is open.
HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                              : nullptr;
}
HWND OpenMenuOf(HWND window) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    for (HWND menu = nullptr; (menu = FindWindowExW(nullptr, menu, L"#32768", nullptr));)
        if (IsWindowVisible(menu) && GetWindowThreadProcessId(menu, nullptr) == thread) return menu;
    return nullptr;
}
// Waits until every saved value reads as given.
void ExpectSaved(std::initializer_list<std::pair<std::string, std::string>> values) {
    for (const auto& [name, value] : values)
        WaitUntil(
            name + " saved as \"" + value + "\"", [&] { return saved::Read(name) == value; },
            kActMs, [&] { return "; it is \"" + saved::Read(name).value_or("(none)") + "\""; });
}

TEST_F(WindowE2eTest, EditingAndMovingWithKeysAndClicksAreSavedInPlace) {
    BringToFront(window);
    ClickAt(FirstRow());
    ClickAt(FirstRow());  // a double-click edits the row
    HWND dialog = WaitForDialog(ui::kEditActionTitle);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, ui::kIdButtonName)), "ONE");
    Click(GetDlgItem(dialog, ui::kIdCancel));
    WaitUntil("the edit to close", [&] { return !IsWindow(dialog); });
    // The list has the focus back, on the first row: of the three rows selected, Enter edits
    // the one the focus went to; there the next mouse action, and OK.
    PressKeys({{VK_SHIFT, VK_DOWN}, {VK_SHIFT, VK_DOWN}, {VK_RETURN}});
    dialog = WaitForDialog(ui::kEditActionTitle);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, ui::kIdButtonName)), "THREE");
    PressKeys({{VK_MENU, 'M'}, {VK_DOWN}, {VK_RETURN}});
    ExpectSaved({{"ActionName3", "Right Mouse Click"}, {"ActionName1", "Left Mouse Click"}});
    WaitUntil("the edit to close", [&] { return !IsWindow(dialog); });
    // Moved up with Alt+Up, then down from the list's menu: every row gets both new values.
    PressKeys({{VK_MENU, VK_UP}});
    ExpectSaved({{"RemoteKey2", "THREE"}, {"RemoteKey3", "TWO ü音"}});
    ClickAt(FirstRow(), MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP);
    WaitUntil("the list's menu", [&] { return OpenMenuOf(list) != nullptr; });
    PressKeys({{'D'}});  // "Move &Down"
    ExpectSaved(
        {{"RemoteKey1", "THREE"}, {"RemoteKey2", "ONE"}, {"Program1", ""}, {"#ListCount", "3"}});
}

// The menu bar's access keys win over the buttons', which keep theirs where no menu shares the
// letter (Alt+A opens Add Action in the next test); only Remove's own Space removes a row.
TEST_F(WindowE2eTest, TheMenuBarsAccessKeysComeFirstAndOnlyRemoveItselfRemovesRows) {
    auto menuFor = [&](WORD letter) {
        PressKeys({{VK_MENU, letter}});
        WaitUntil("a menu to open", [&] { return OpenMenuOf(window); });
        PressKeys({{VK_ESCAPE}, {VK_ESCAPE}});
        WaitUntil("the menu to close", [&] { return !OpenMenuOf(window); });
    };
    auto focusOn = [&](int id) {
        PressKeys({{VK_TAB}});
        WaitUntil("the focus on button " + std::to_string(id),
                  [&] { return FocusOf(window) == GetDlgItem(window, id); });
    };
    BringToFront(window);
    ClickAt(FirstRow());
    auto selected = [](const MainWindowView& v) {
        return v.actions.size() > 1 && v.actions[0].selected;
    };
    const auto rows = program->WaitFor("the first row selected", selected).actions;
    for (WORD letter : {'R', 'F', 'H'}) menuFor(letter);
    focusOn(ui::kIdAddActionButton);  // where a plain R is no access key either
    PressKeys({{'R'}});
    menuFor('R');  // once it opens, the R before it was handled
    EXPECT_EQ(saved::Read("#ListCount"), std::to_string(rows.size()));
    focusOn(ui::kIdRemoveButton);
    PressKeys({{VK_SPACE}});
    program->WaitFor("the removal",
                     [&](const MainWindowView& v) { return v.actions.size() == rows.size() - 1; });
    ExpectSaved({{"#ListCount", std::to_string(rows.size() - 1)}, {"RemoteKey1", rows[1].button}});
}

bool Checked(HWND dialog, int option) {
    return SendMessageW(GetDlgItem(dialog, option), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

TEST_F(WindowE2eTest, AButtonBoundWithKeysAndClicksIsSavedAndBackAfterARestart) {
    const std::size_t rows = program->Read().actions.size() + 1;
    BringToFront(window);
    PressKeys({{VK_MENU, 'A'}});
    HWND dialog = WaitForDialog(ui::kAddActionTitle);
    HWND keyName = GetDlgItem(dialog, ui::kIdButtonName);
    WaitUntil("the prompt", [&] { return TextOf(keyName) == "Press a key on Remote"; });
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, ui::kIdAdd)));
    Server("press VOLUP tv");
    WaitUntil("the learnt button", [&] { return TextOf(keyName) == "VOLUP"; });
    EXPECT_EQ(TextOf(GetDlgItem(dialog, ui::kIdRemoteName)), "tv");
    WaitUntil("Add to be enabled", [&] { return IsWindowEnabled(GetDlgItem(dialog, ui::kIdAdd)); });
    PressKeys({{VK_MENU, 'A'}, {VK_DOWN}});  // "&Action:", then the next type
    WaitUntil("the mouse pane",
              [&] { return IsWindowVisible(GetDlgItem(dialog, ui::kIdMouseActions)); });
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, ui::kIdPredefinedKeys)));
    // "&Mouse actions:", the second one, "&Only for this remote", "Only while this program is
    // in &front:" player.exe, and Add.
    PressKeys({{VK_MENU, 'M'}, {VK_DOWN}, {VK_MENU, 'O'}, {VK_MENU, 'F'}});
    for (char c : std::string("player.exe"))
        PressKeys({{c == '.' ? WORD{VK_OEM_PERIOD} : static_cast<WORD>(std::toupper(c))}});
    PressKeys({{VK_RETURN}});
    // The log follows the list a moment later; the wait fails the test without the line.
    const LogRow bound{"change",
                       "Mouse event 'Right Mouse Click' is assigned to 'VOLUP on tv' while "
                       "player.exe is in front"};
    const auto view = program->WaitFor("the new row and its line", [&](const MainWindowView& v) {
        return v.actions.size() == rows && !v.log.empty() && v.log.back() == bound;
    });
    EXPECT_EQ(view.actions.back(),
              (reader::ActionRowView{"mouse", "VOLUP on tv",
                                     "Simulating Mouse: Right Mouse Click (player.exe)"}));
    EXPECT_TRUE(IsWindow(dialog)) << "Continue adding buttons keeps it open";

    // Back to the keyboard pane. In the custom key box every combination is captured and does
    // nothing else, the dialog's own access keys included.
    PressKeys({{VK_MENU, 'A'}, {VK_UP}, {VK_MENU, 'C'}});
    HWND box = GetDlgItem(dialog, ui::kIdCustomKey);
    WaitUntil("the custom key box", [&] { return FocusOf(dialog) == box; });
    for (WORD letter : {'C', 'T', 'P'}) {
        PressKeys({{VK_MENU, letter}});
        const std::string name = std::string("Alt + ") + char(letter);
        WaitUntil(name + " captured", [&] { return TextOf(box) == name; });
        EXPECT_TRUE(Checked(dialog, ui::kIdCustomOption)) << name;
        EXPECT_FALSE(Checked(dialog, ui::kIdPredefinedOption) ||
                     Checked(dialog, ui::kIdTextOption));
    }
    // Arrow keys on the buttons Tab reaches after the predefined key option leave the options
    // alone. Alt+K moves the focus on: once it has, the arrows were seen.
    const std::pair<int, int> stops[] = {
        {2, ui::kIdOnlyForRemote}, {5, ui::kIdContinueAdding}, {6, ui::kIdAdd}, {7, ui::kIdCancel}};
    for (const auto& [tabs, id] : stops) {
        Click(GetDlgItem(dialog, ui::kIdPredefinedOption));
        HWND button = GetDlgItem(dialog, id);
        for (int i = 0; i < tabs; ++i) PressKeys({{VK_TAB}});
        WaitUntil("the focus on a button", [&] { return FocusOf(dialog) == button; });
        PressKeys({{VK_UP}, {VK_UP}, {VK_UP}, {VK_LEFT}, {VK_DOWN}, {VK_RIGHT}, {VK_MENU, 'K'}});
        WaitUntil("the focus to move on", [&] { return FocusOf(dialog) != button; });
        EXPECT_TRUE(Checked(dialog, ui::kIdPredefinedOption) && !Checked(dialog, ui::kIdTextOption))
            << tabs;
    }
    Click(GetDlgItem(dialog, ui::kIdCancel));
    WaitUntil("the dialog to close", [&] { return !IsWindow(dialog); });
    const std::string n = std::to_string(rows);
    ExpectSaved({{"#ListCount", n},
                 {"RemoteKey" + n, "VOLUP"},
                 {"ActionType" + n, "2"},
                 {"ActionName" + n, "Right Mouse Click"},
                 {"Program" + n, "player.exe"},
                 {"Remote" + n, "tv"}});

    auto before = program->Read().actions;
    for (auto& row : before) row.selected = false;  // a selection is not saved
    program.emplace();                              // the copy running ends first
    const auto restarted = program->WaitFor(
        "the saved rows", [&](const MainWindowView& v) { return v.actions.size() == rows; },
        kStartMs);
    EXPECT_EQ(restarted.actions, before) << "loaded back as they were";
}

// Every value the list is stored in, by name.
std::map<std::string, std::string> SavedList() {
    std::map<std::string, std::string> values{{"#ListCount", saved::Read("#ListCount").value_or("")}};
    const int count = std::stoi(values["#ListCount"]);
    for (int n = 1; n <= count; ++n)
        for (const char* name : {"RemoteKey", "ActionType", "ActionName", "KeyCode", "KeyShift",
                                 "KeyType", "Program", "Remote", "Press", "Check", "PressCheck"})
            values[name + std::to_string(n)] = saved::Read(name + std::to_string(n)).value_or("-");
    return values;
}

// The exit code of Buttonwise started with the arguments.
DWORD StartedWith(const std::wstring& arguments) {
    const auto started =
        StartProcess(L"\"" + BesideTheTests(L"Buttonwise.exe") + L"\" " + arguments);
    WaitUntil("Buttonwise " + win32::Narrow(arguments) + " to end",
              [&] { return WaitForSingleObject(started.get(), 0) == WAIT_OBJECT_0; }, kStartMs);
    DWORD code = 99;
    GetExitCodeProcess(started.get(), &code);
    return code;
}

// File, Export and Import with keys: the list and every stored value read back the same,
// through Buttonwise and through the Registry Editor; a command line's import goes to the
// running copy, whose list shows it at once.
TEST_F(WindowE2eTest, AnExportedListImportsBackTheSameByMenuByTheRegistryEditorAndByCommand) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / L"bw e2e bindings.reg",
                                other = std::filesystem::temp_directory_path() / L"bw e2e other.reg";
    DeleteFileW(file.c_str());
    auto rows = program->Read().actions;
    for (auto& row : rows) row.selected = false;
    const auto values = SavedList();
    auto lists = [&](const std::vector<ActionRowView>& expected) {
        program->WaitFor("the list of " + std::to_string(expected.size()) + " rows", [&](auto& v) {
            auto shown = v.actions;
            for (auto& row : shown) row.selected = false;
            return shown == expected;
        });
    };
    BringToFront(window);
    PressKeys({{VK_MENU, 'F'}, {'E'}});
    HWND dialog = WaitForDialog(L"Export bindings");
    reader::Type(file.wstring(), VK_RETURN);
    WaitUntil("the exported file", [&] { return std::filesystem::exists(file); });
    PressKeys({{VK_MENU, 'F'}, {'N'}});
    WaitForDialog(L"Remove all Actions?");
    PressKeys({{'Y'}});
    lists({});
    PressKeys({{VK_MENU, 'F'}, {'I'}});
    dialog = WaitForDialog(L"Import bindings");
    reader::Type(file.wstring(), VK_RETURN);
    WaitUntil("the open dialog to close", [&] { return !IsWindow(dialog); });
    WaitForDialog(L"Import bindings");  // the question
    PressKeys({{'R'}});                 // Replace the list
    lists(rows);
    EXPECT_EQ(SavedList(), values);

    saved::Clear();
    const auto regedit = StartProcess(L"regedit.exe /s \"" + file.wstring() + L"\"");
    WaitUntil("the Registry Editor's import",
              [&] { return WaitForSingleObject(regedit.get(), 0) == WAIT_OBJECT_0; }, kStartMs);
    EXPECT_EQ(SavedList(), values);

    // Only the file's key is read: another key in it, and a deletion, change nothing.
    std::ofstream(other, std::ios::binary)
        << "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n\"RemoteKey1\"=\"NO\"\r\n\r\n"
           "[-HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Buttonwise]\r\n\r\n"
           "[HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Buttonwise\\Key]\r\n"
           "\"RemoteKey1\"=\"CMD\"\r\n\"ActionType1\"=\"2\"\r\n\"ActionName1\"=\"Left Mouse Click\"\r\n"
           "\"#ListCount\"=\"1\"\r\n";
    const std::vector<ActionRowView> command{{"mouse", "CMD", "Simulating Mouse: Left Mouse Click"}};
    EXPECT_EQ(StartedWith(L"/import \"" + other.wstring() + L"\""), 0u);
    lists(command);
    EXPECT_EQ(StartedWith(L"/add \"" + file.wstring() + L"\""), 0u);
    auto both = command;
    both.insert(both.end(), rows.begin(), rows.end());
    lists(both);
    EXPECT_EQ(StartedWith(L"/import \"" + file.wstring() + L".missing\""), 2u);
    std::ofstream(other, std::ios::binary) << "not a bindings file";
    EXPECT_EQ(StartedWith(L"/import \"" + other.wstring() + L"\""), 1u);
    EXPECT_EQ(program->Read().actions.size(), both.size()) << "a refused file changed the list";
    DeleteFileW(file.c_str());
    DeleteFileW(other.c_str());
}

// Minimised, the window lives in the tray: a click on the icon (as the shell reports it) brings
// it back, and so does a second start, which then ends. The exit question (like the About box)
// belongs to the main window while it shows; from the tray with the window hidden, to none.
TEST_F(WindowE2eTest, TheTrayAndASecondStartBringItBackAndItsBoxesBelongToTheShownWindow) {
    program->WaitFor("the connection", Connected, kStartMs);
    HWND tray = FindWindowW(ui::kTrayWindowClass, nullptr);
    ASSERT_TRUE(tray) << "no tray icon window";
    auto shows = [&](bool visible) {
        program->WaitFor(visible ? "the window to show" : "the window to hide",
                         [&](const MainWindowView& v) { return v.visible == visible; });
    };
    for (bool secondStart : {false, true}) {
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        shows(false);
        if (secondStart) {
            const auto second = StartProcess(L"\"" + BesideTheTests(L"Buttonwise.exe") + L"\"");
            WaitUntil(
                "the second copy to end",
                [&] { return WaitForSingleObject(second.get(), 0) == WAIT_OBJECT_0; }, kStartMs);
            DWORD code = 1;
            EXPECT_TRUE(GetExitCodeProcess(second.get(), &code) && code == 0) << code;
        } else {
            PostMessageW(tray, ui::kTrayCallbackMessage, 0,
                         MAKELPARAM(NIN_SELECT, ui::kTrayIconId));
        }
        shows(true);
        EXPECT_FALSE(IsIconic(window));
    }
    EXPECT_EQ(FindWindowExW(nullptr, window, ui::kMainWindowClass, nullptr), nullptr);
    EXPECT_EQ(FindWindowW(ui::kMainWindowClass, nullptr), window) << "one main window";

    // E&xit from the tray menu (opened by the shell's callback), with the window shown, then
    // minimised into the tray from the window's menu: No keeps it, Yes ends it.
    for (bool hidden : {false, true}) {
        if (hidden) {
            BringToFront(window);
            PressKeys({{VK_MENU, VK_SPACE}});
            WaitUntil("the window menu", [&] { return OpenMenuOf(window); });
            PressKeys({{'N'}});
            shows(false);
        }
        reader::TrayMenu(true);
        WaitUntil("the tray menu", [&] { return OpenMenuOf(window); });
        PressKeys({{'X'}});
        EXPECT_EQ(GetWindow(WaitForDialog(L"Buttonwise"), GW_OWNER), hidden ? nullptr : window);
        PressKeys({{hidden ? WORD{'Y'} : WORD{'N'}}});
        EXPECT_EQ(program->Ends(hidden ? kActMs : 500), hidden);
    }
    EXPECT_EQ(FindWindowW(ui::kTrayWindowClass, nullptr), nullptr);
}

}  // namespace
}  // namespace bw::test
