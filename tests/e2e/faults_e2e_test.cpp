// Faults from outside, each followed by the question whether the program still answers,
// says what happened, and kept what was saved: a server that hangs up at once, again and
// again; a megabyte without a line feed; a flood of lines; settings that cannot be written;
// a key table that is missing or garbage.
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
#include "ui/win32/control_ids.h"
#include "user_settings.h"
#include "user_steps.h"
#include "window_driver.h"

namespace bw::test {
namespace {

using reader::LogRow;
using reader::MainWindowView;

const LogRow kOk{"ok", "WinLIRC is running."};
const LogRow kDown{"error", "WinLIRC is not running!"};

// A count from the server's status line ("... accepted=12").
int Accepted() {
    const std::string status = ButtonServer::Command("status");
    const std::size_t at = status.find("accepted=");
    return at == std::string::npos ? -1 : std::stoi(status.substr(at + 9));
}

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

class FaultsE2eTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Server("start");
        UserSettings::Clear();
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Buttonwise");
        Server("stop");
    }
};

TEST_F(FaultsE2eTest, AServerThatHangsUpAtOnceFiftyTimesIsFiftyOutagesAndNoBox) {
    Server("accept-close");
    ProgramUnderTest program;
    // A retry every two seconds: fifty of them take a while.
    program.WaitFor(
        "fifty hang-ups", [](const MainWindowView&) { return Accepted() >= 50; },
        50 * 2000 + 30000);
    EXPECT_FALSE(AnyDialogOf(program));
    Server("start");
    const MainWindowView view = program.WaitFor(
        "the connection that stays",
        [](const MainWindowView& v) { return !v.log.empty() && v.log.back() == kOk; }, 10000);
    // Each hang-up: the connection, then one outage line; never two in a row.
    for (std::size_t i = 1; i < view.log.size(); ++i)
        EXPECT_NE(view.log[i], view.log[i - 1]) << "line " << i;
    EXPECT_GE(Count(view, "error"), 50u);
    EXPECT_EQ(Count(view, "error"), Count(view, "ok") - 1);
    EXPECT_FALSE(AnyDialogOf(program));
}

TEST_F(FaultsE2eTest, AMegabyteWithoutALineFeedIsDroppedAndTheNextLineActs) {
    UserSettings::Write(kPlayIsF5);
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);
    ProbeWindow probe;
    const std::size_t before = program.MemoryInUse();
    Server("flood 1048576");
    Server("raw 0a");  // the end of that line, which is dropped whole
    ExpectTyped(probe, "press PLAY", "v116 ^116");
    const std::size_t after = program.MemoryInUse();
    EXPECT_LT(after, before + 8u * 1024 * 1024) << before << " -> " << after;
    EXPECT_FALSE(AnyDialogOf(program));
}

TEST_F(FaultsE2eTest, TwentyThousandLinesForAnUnboundButtonLeaveTheBoundPressActing) {
    UserSettings::Write(kPlayIsF5);
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);
    ProbeWindow probe;
    Server("burst NOPE 20000");
    Server("press PLAY");
    EXPECT_EQ(Keys(probe.Take(2, 60000)), "v116 ^116");
    EXPECT_EQ(program.Read().actions.size(), 1u) << "the window answers";
}

TEST_F(FaultsE2eTest, SettingsThatCannotBeWrittenAreReportedAndTheListStaysAsTheUserLeftIt) {
    // Under a volatile key no lasting key can be made: every save fails.
    HKEY parent = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Buttonwise", 0,
                        nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &parent, nullptr),
        ERROR_SUCCESS);
    RegCloseKey(parent);
    ProgramUnderTest program;
    program.WaitFor("the connection", Connected, kStartMs);

    reader::PostCommand(ui::kIdMiAddNewAction);
    HWND dialog = WaitForDialog(ui::kAddActionTitle);
    ASSERT_TRUE(dialog);
    program.WaitFor(
        "the dialog's controls",
        [&](const MainWindowView&) { return GetDlgItem(dialog, ui::kIdLblKeyName) != nullptr; },
        kActMs);
    Server("press VOLUP");
    program.WaitFor(
        "the learnt button",
        [&](const MainWindowView&) {
            return TextOf(GetDlgItem(dialog, ui::kIdLblKeyName)) == "VOLUP";
        },
        kActMs);
    reader::ChooseActionType(dialog, 2);
    reader::ClickButton(dialog, ui::kIdCmdAdd);
    const MainWindowView view = program.WaitFor(
        "the failure report", [](const MainWindowView& v) { return Count(v, "error") > 0; },
        kActMs);
    EXPECT_EQ(view.log.back().text.rfind("The action list could not be saved: ", 0), 0u)
        << view.log.back().text;
    ASSERT_EQ(view.actions.size(), 1u);
    EXPECT_EQ(view.actions[0].Action, "Simulating Mouse: Left Mouse Click");
    reader::ClickButton(dialog, ui::kIdAddCancel);
    program.WaitFor(
        "the dialog to close", [&](const MainWindowView&) { return !IsWindow(dialog); }, kActMs);
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
