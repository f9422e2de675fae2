// Faults from outside, each followed by the question whether the program still answers,
// says what happened, and kept what was saved: settings that cannot be written, a binding
// that fails while its button is held, lines without pause for half a minute, a key table
// that is missing or garbage.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "button_server.h"
#include "platform/win32/utf16.h"
#include "probe_window.h"
#include "program_under_test.h"
#include "real_input.h"
#include "ui/win32/control_ids.h"
#include "user_settings.h"
#include "user_steps.h"
#include "window_driver.h"

namespace bw::test {
namespace {

using reader::LogRow;
using reader::MainWindowView;

std::size_t Count(const MainWindowView& v, const std::string& kind) {
    return static_cast<std::size_t>(
        std::count_if(v.log.begin(), v.log.end(), [&](const LogRow& r) { return r.kind == kind; }));
}

// A message box or any other dialog of the program, which a fault must not bring up.
bool AnyDialogOf(const ProgramUnderTest&) {
    const DWORD self = [] {
        DWORD id = 0;
        GetWindowThreadProcessId(reader::FindMainWindow(), &id);
        return id;
    }();
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", nullptr));) {
        DWORD id = 0;
        GetWindowThreadProcessId(w, &id);
        if (id == self && IsWindowVisible(w)) return true;
    }
    return false;
}

const std::map<std::string, std::string> kPlayIsF5 = {
    {"#ListCount", "1"}, {"RemoteKey1", "PLAY"}, {"ActionType1", "1"}, {"ActionName1", "F5"},
    {"KeyCode1", "116"}, {"KeyShift1", "0"},     {"KeyType1", "1"},
};

using FaultsE2eTest = E2eTest;

TEST_F(FaultsE2eTest, AFailedSaveFromAddShowsTheFailureAndTheDialogStaysOpen) {
    // Under a volatile key no lasting key can be made: every save fails. Only the program's
    // own key is volatile, so that the next test can write again once it is deleted.
    for (DWORD options : {REG_OPTION_NON_VOLATILE, REG_OPTION_VOLATILE}) {
        HKEY key = nullptr;
        const wchar_t* path = options == REG_OPTION_VOLATILE
                                  ? L"Software\\VB and VBA Program Settings\\Buttonwise"
                                  : L"Software\\VB and VBA Program Settings";
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, options, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);

    BringToFront(reader::FindMainWindow());
    PressKeys({VK_MENU, 'A'});
    HWND dialog = WaitForDialog(ui::kAddActionTitle);
    ASSERT_TRUE(dialog);
    WaitUntil("the dialog's controls", [&] { return GetDlgItem(dialog, ui::kIdLblKeyName); });
    Server("press VOLUP");
    WaitUntil("the learnt button",
              [&] { return TextOf(GetDlgItem(dialog, ui::kIdLblKeyName)) == "VOLUP"; });
    PressKeys({VK_RETURN});  // Add, with the first predefined key
    HWND box = WaitForDialog(L"Error happened");
    ASSERT_TRUE(box);
    const MainWindowView view = program.Read();
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

// A keyboard row whose code is no number fails on every pass that reaches it.
TEST_F(FaultsE2eTest, AHeldButtonThatFailsShowsOneBoxAndLogsTheOtherFailures) {
    UserSettings::Write({{"#ListCount", "1"},
                         {"RemoteKey1", "BAD"},
                         {"ActionType1", "1"},
                         {"ActionName1", "F5"},
                         {"KeyCode1", "x"},
                         {"KeyShift1", "0"},
                         {"KeyType1", "1"}});
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);
    Server("hold BAD 20");  // answers after the last line
    // Repeats 0 and 5 to 19 fail; the first failure's box is open for all the others.
    const LogRow failure{"error", "Type mismatch"};
    program.WaitFor(
        "fifteen failures in the log",
        [&](const MainWindowView& v) {
            return std::count(v.log.begin(), v.log.end(), failure) == 15;
        },
        kActMs);
    std::vector<HWND> boxes;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", L"Error happened"));)
        if (IsWindowVisible(w)) boxes.push_back(w);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(TextOf(GetDlgItem(boxes[0], 0xFFFF)), "Type mismatch");
    BringToFront(boxes[0]);
    PressKeys({VK_RETURN});
    WaitUntil("the box to close", [&] { return !IsWindow(boxes[0]); });
}

TEST_F(FaultsE2eTest, AServerThatSendsWithoutPauseNeverHoldsTheWindow) {
    UserSettings::Write(kPlayIsF5);
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);
    ProbeWindow probe;
    Server("stream NOPE 30");
    unsigned long long slowest = 0;
    int readings = 0;
    while (ButtonServer::Command("status").find("streaming=yes") != std::string::npos) {
        const unsigned long long start = NowMs();
        program.Read();
        slowest = std::max(slowest, NowMs() - start);
        ++readings;
        Sleep(100);
    }
    EXPECT_GT(readings, 20);
    EXPECT_LT(slowest, 1000u) << "the window did not answer for " << slowest << " ms";
    // Behind what the connection still holds of the stream.
    Server("press PLAY");
    EXPECT_EQ(Keys(probe.Take(2, 60000)), "v116 ^116");
}

// Buttonwise.exe alone in a folder of its own, with whatever KeyMap.ini the test gives it.
std::wstring LonelyCopy(const std::string* keyMap) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"bw key table";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring exe = folder + L"\\Buttonwise.exe";
    CopyFileW(ProgramUnderTest::DefaultPath().c_str(), exe.c_str(), FALSE);
    const std::wstring table = folder + L"\\KeyMap.ini";
    DeleteFileW(table.c_str());
    if (keyMap) {
        std::ofstream out(std::filesystem::path(table), std::ios::binary);
        out << *keyMap;
    }
    return exe;
}

TEST_F(FaultsE2eTest, AMissingOrGarbageKeyTableLeavesTheSavedListLoading) {
    UserSettings::Write(kPlayIsF5);
    {
        ProgramUnderTest program(LonelyCopy(nullptr));
        const MainWindowView view = program.WaitFor("the connection", Connected, kStartMs);
        ASSERT_EQ(view.actions.size(), 1u);
        EXPECT_EQ(view.log[0].kind, "error");
        EXPECT_NE(view.log[0].text.find("KeyMap.ini could not be read: "), std::string::npos)
            << view.log[0].text;
        EXPECT_EQ(view.log[1], (LogRow{"change", "Keyboard shortcut 'F5' is assigned to 'PLAY'"}));
    }
    std::mt19937 random(20261206);
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    ProgramUnderTest program(LonelyCopy(&garbage));
    const MainWindowView view = program.WaitFor("the connection", Connected, kStartMs);
    ASSERT_EQ(view.actions.size(), 1u);
    EXPECT_EQ(Count(view, "error"), 0u);
    EXPECT_FALSE(AnyDialogOf(program));
}

}  // namespace
}  // namespace bw::test
