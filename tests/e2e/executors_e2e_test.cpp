// Run and exit bindings as a user meets them: a Run binding starts a program once per press
// in Buttonwise's folder, and an exit shows the countdown, which a covering player cannot
// hide, any button of the remote cancels, and a Yes to the exit question ends with the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "harness.h"
#include "platform/win32/module_folder.h"
#include "probe_window.h"
#include "ui/win32/control_ids.h"

namespace bw::test {
namespace {

std::string BinFolder() {
    return win32::ModuleFolder().Path();
}

std::wstring MarkerFile() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"buttonwise-marker.txt";
}

// The folders the marker program was started in, one per start.
std::vector<std::string> MarkerStarts() {
    std::ifstream in{std::filesystem::path(MarkerFile())};
    std::vector<std::string> starts;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) starts.push_back(line);
    }
    return starts;
}

class ExecutorsE2eTest : public E2eTest {
  protected:
    void SetUp() override {
        E2eTest::SetUp();
        DeleteFileW(MarkerFile().c_str());
        const std::string marker = BinFolder() + "\\buttonwise-marker.exe";
        saved::WriteRows({{"RUN", "4", marker},
                          {"POWER", "3", "Shutdown windows"},
                          {"POWER", "4", marker},  // once its countdown was cancelled
                          {"ESC", "1", "Escape", "27", "0", "1"}});
        program.emplace();
        program->WaitFor("the connection", Connected, kStartMs);
    }
    std::optional<ProgramUnderTest> program;
};

// A Run binding starts its program once per press, held or not, in Buttonwise's folder.
TEST_F(ExecutorsE2eTest, ARunBindingStartsItsProgramOncePerPressInButtonwisesFolder) {
    Server("hold RUN 6");
    Server("press RUN");
    WaitUntil("two starts of the marker", [] { return MarkerStarts().size() >= 2; });
    EXPECT_EQ(MarkerStarts(), (std::vector<std::string>{BinFolder(), BinFolder()}));
    // The log follows the starts a moment later; the wait fails the test unless it shows two.
    const auto view = program->WaitFor("two Running lines", [](const reader::MainWindowView& v) {
        return CountLog(v, "Running: buttonwise-marker.exe") == 2;
    });
    for (const auto& row : view.log) EXPECT_NE(row.kind, "error") << row.text;
}

// Under Wine an exit at zero would end every program of the prefix: the countdown tests keep
// their waits short, and a guard cancels a countdown still open after eight seconds.
constexpr int kInsideTheCountdownMs = 2000;

std::jthread CountdownGuard(HWND countdown) {
    return std::jthread([countdown](std::stop_token stop) {
        for (int tenths = 0; tenths < 80 && !stop.stop_requested(); ++tenths) Sleep(100);
        // Cancel's own notification: a safety net, not a user's step.
        if (!stop.stop_requested()) PostMessageW(countdown, WM_COMMAND, IDCANCEL, 0);
    });
}

// Whether the first window is above the second in the order of the screen.
bool Above(HWND upper, HWND lower) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == upper) return true;
        if (w == lower) return false;
    }
    return false;
}

TEST_F(ExecutorsE2eTest, ACoveringPlayerDoesNotHideTheCountdownAndAnyButtonCancelsIt) {
    ProbeWindow player(L"--cover");
    Server("press POWER");
    HWND countdown = WaitForDialog(ui::kCountdownTitle);
    ASSERT_TRUE(countdown);
    const std::jthread guard = CountdownGuard(countdown);
    ASSERT_TRUE(WaitUntil(
        "the countdown in front", [&] { return GetForegroundWindow() == countdown; },
        kInsideTheCountdownMs));
    EXPECT_TRUE(Above(countdown, player.Window()));
    EXPECT_EQ(TextOf(GetDlgItem(countdown, ui::kIdCountdownText)), "Shutdown windows in 10 seconds...");
    EXPECT_EQ(TextOf(GetDlgItem(countdown, ui::kIdCountdownHint)),
              "Press any button on the remote to cancel.");
    // Any button cancels it, keyboard focus or not, and does nothing else: not even ESC's key.
    Server("press ESC");
    // A dialog without owner takes Wine two seconds to close.
    ASSERT_TRUE(WaitUntil(
        "the countdown to close", [&] { return !IsWindow(countdown); }, 2 * kInsideTheCountdownMs));
    EXPECT_TRUE(player.Events().empty()) << "the player got " << Keys(player.Events());
    program->WaitFor("the cancel in the log", [](const reader::MainWindowView& v) {
        return CountLog(v, "Shutdown was cancelled: ESC was pressed.") == 1;
    });
    // The pass that waited for the countdown goes on with its next row.
    WaitUntil("POWER's Run row", [] { return MarkerStarts().size() == 1; });
}

TEST_F(ExecutorsE2eTest, YesToTheExitQuestionEndsAtOnceThoughAPassWaitsUnderneath) {
    Server("press POWER");
    HWND countdown = WaitForDialog(ui::kCountdownTitle);
    ASSERT_TRUE(countdown);
    const std::jthread guard = CountdownGuard(countdown);
    HWND window = reader::FindMainWindow();
    BringToFront(window);
    PressKeys({VK_MENU, 'F'});
    PressKeys({'X'});
    HWND question = WaitForDialog(L"Buttonwise", kInsideTheCountdownMs);
    ASSERT_TRUE(question);
    EXPECT_EQ(GetWindow(question, GW_OWNER), window);
    PressKeys({VK_RETURN});  // Yes
    // Wine's shell takes two seconds to remove an icon, and its process end two more.
    EXPECT_TRUE(program->Ends(5000));
    EXPECT_TRUE(MarkerStarts().empty()) << "the rest of POWER's pass ran";
    EXPECT_EQ(FindWindowW(ui::kTrayWindowClass, nullptr), nullptr);
}

}  // namespace
}  // namespace bw::test
