// The countdown's window on the real system: its text, and every way out (Cancel, Enter,
// Escape, the close box) ending the modal loop with the events the logic relies on; and
// the shell's answer for an item that is not there.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_config.h"
#include "platform/win32/win32_timer.h"
#include "ui/win32/control_ids.h"
#include "ui/win32/frm_exit_windows_time_out.h"

namespace bw::test {
namespace {

// Does, inside the modal loop, what a user would do, then records what the window told.
class ScriptedEvents : public CountdownEvents {
  public:
    ScriptedEvents(ui::FrmExitWindowsTimeOut& window, std::function<void(HWND)> userAction)
        : window_(window), userAction_(std::move(userAction)) {}

    std::vector<std::string> events;
    std::string labelText;

    void Form_Load() override {
        events.push_back("load");
        window_.SetText("Shutdown windows in 10 seconds...");
        // The user acts once the window is there and its loop runs.
        later_.SetInterval(10);
        later_.SetTickHandler([this] {
            later_.SetEnabled(false);
            HWND dialog = FindWindowW(L"#32770", ui::kCountdownTitle);
            ASSERT_NE(dialog, nullptr);
            wchar_t text[200] = {};
            GetDlgItemTextW(dialog, ui::kIdLblStatic, text, 200);
            labelText = win32::Narrow(text);
            userAction_(dialog);
        });
        later_.SetEnabled(true);
    }
    void cmdCancel_Click() override {
        events.push_back("cancel");
        window_.Close();
    }
    void Form_Unload() override { events.push_back("unload"); }

  private:
    ui::FrmExitWindowsTimeOut& window_;
    std::function<void(HWND)> userAction_;
    win32::Win32Timer later_;
};

void PressKey(HWND dialog, WPARAM key) {
    HWND focus = GetDlgItem(dialog, ui::kIdCmdCancel);
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
}

TEST(CountdownWindowTest, CancelEnterAndEscapeCancelAndTheCloseBoxUnloads) {
    const std::pair<const char*, std::function<void(HWND)>> ways[] = {
        {"Cancel", [](HWND d) { SendMessageW(GetDlgItem(d, ui::kIdCmdCancel), BM_CLICK, 0, 0); }},
        {"Enter", [](HWND d) { PressKey(d, VK_RETURN); }},
        {"Escape", [](HWND d) { PressKey(d, VK_ESCAPE); }},
    };
    for (const auto& [name, action] : ways) {
        ui::FrmExitWindowsTimeOut window;
        ScriptedEvents events(window, action);
        window.ShowModal(events);  // returns only once the window closed
        EXPECT_EQ(events.labelText, "Shutdown windows in 10 seconds...") << name;
        EXPECT_EQ(events.events, (std::vector<std::string>{"load", "cancel", "unload"})) << name;
        EXPECT_EQ(FindWindowW(L"#32770", ui::kCountdownTitle), nullptr) << name;
    }

    ui::FrmExitWindowsTimeOut window;
    ScriptedEvents events(window, [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); });
    window.ShowModal(events);
    EXPECT_EQ(events.events, (std::vector<std::string>{"load", "unload"}));
}

TEST(ShellTest, AnItemThatIsNotThereIsRefusedWithTheShellsReason) {
    win32::Win32Shell shell;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string folder = win32::Narrow(temp);
    EXPECT_EQ(shell.Open(folder + "no such program here.exe", folder), ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace bw::test
