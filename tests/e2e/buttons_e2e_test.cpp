// What a pressed button does, as a user meets it: the connection and its outages; saved bindings
// loaded at start; keys typed into the window in front as a keyboard types them, held or not;
// bindings for one program or remote; Run bindings; the exit countdown, which a covering player
// cannot hide and any button cancels.
#include <filesystem>
#include <fstream>
#include <ranges>
#include <stop_token>
#include <thread>

#include "harness.h"
#include "platform/win32/send_input_mouse.h"
#include "ui/win32/on_screen/press_window.h"

#include <shellapi.h>

namespace bw::test {
namespace {

using reader::ActionRowView;
using reader::LogRow;

// One reconnect tick plus the time a connection takes, with room for a loaded machine.
constexpr int kOneTickMs = 2000 + 1500;

TEST(ConnectionE2eTest, OneLineForEachOutageAndEachReturnHoweverLongEachLasts) {
    Server("stop");
    saved::Clear();  // no bindings: only the connection's lines
    ProgramUnderTest program;
    std::vector<LogRow> expected{{"error", "WinLIRC is not running!"}};
    auto logIs = [&](const MainWindowView& v) { return v.log == expected; };
    MainWindowView view = program.WaitFor("the outage report", logIs, kStartMs);
    EXPECT_EQ(view.title, "Buttonwise");
    for (int outage = 1; outage <= 3; ++outage) {
        EXPECT_EQ(view.status,
                  "WinLIRC is not running.  You must run and configure WinLIRC  to use Buttonwise");
        EXPECT_EQ(view.serverPicture, "WinLIRC not running");
        // Two changes of the small picture are two reconnect ticks, refused again.
        std::vector<std::string> blinks{view.statusPicture};
        auto blinked = [&](const MainWindowView& v) {
            if (v.statusPicture != blinks.back()) blinks.push_back(v.statusPicture);
            return blinks.size() > 2;
        };
        program.WaitFor("the status picture to blink", blinked, 3 * kOneTickMs);
        EXPECT_EQ(program.Read().log, expected) << "the retries wrote nothing";
        if (outage == 3) break;
        Server("start");  // in the middle of the retries: connected within one tick
        expected.push_back({"ok", "WinLIRC is running."});
        view = program.WaitFor("the return of the server", logIs, kOneTickMs);
        EXPECT_TRUE(Connected(view)) << view.status;
        EXPECT_EQ(view.statusPicture, "Connected");
        EXPECT_EQ(view.serverPicture, "WinLIRC running");
        Server("stop");
        expected.push_back(expected.front());
        view = program.WaitFor("the outage report", logIs, kOneTickMs);
    }
}

const std::string kBin = win32::ModuleFolder().Path(), kProbe = kBin + "\\buttonwise-probe.exe",
                  kGone = kBin + "\\no-such-program.exe";
const std::filesystem::path kStarts =  // where the probe, run by a binding, notes each start
    std::filesystem::temp_directory_path() / "buttonwise-starts.txt";

// The whole lines of a file another program keeps writing: the last may be on its way.
std::vector<std::string> FileLines(const std::filesystem::path& path) {
    std::ifstream in{path, std::ios::binary};
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line) && !in.eof(); lines.push_back(line)) {
        if (line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
        if (line.ends_with('\r')) line.pop_back();  // written in text mode
    }
    return lines;
}

// "v116 ^116 c72": the first word of each event the probe wrote.
std::string Keys(const std::vector<std::string>& events) {
    std::string keys;
    for (const std::string& e : events)
        keys += (keys.empty() ? "" : " ") + e.substr(0, e.find(' '));
    return keys;
}

// The probe in front (with --content-of, not: it has no window to offer) and the events it got;
// given a program name, a copy of that name runs, so that bindings for that program apply.
class ProbeWindow {
  public:
    explicit ProbeWindow(const std::wstring& mode = {}, const std::wstring& programName = {}) {
        wchar_t file[MAX_PATH];
        GetTempFileNameW(kStarts.parent_path().c_str(), L"bwp", 0, file);
        file_ = file;
        std::wstring program = BesideTheTests(L"buttonwise-probe.exe");
        if (!programName.empty()) {
            copy_ = kStarts.parent_path() / programName;
            if (!CopyFileW(program.c_str(), copy_.c_str(), FALSE))
                throw Failure("the probe could not be copied to " + win32::Narrow(copy_));
            program = copy_;
        }
        process_ = StartProcess(L"\"" + program + L"\" \"" + file_ + L"\" " + mode);
        const bool content = mode.starts_with(L"--content-of");
        auto ready = [&] {
            DWORD foreground = 0;
            window_ = content ? nullptr : GetForegroundWindow();
            GetWindowThreadProcessId(GetForegroundWindow(), &foreground);
            const auto lines = FileLines(file_);
            return (content || foreground == GetProcessId(process_.get())) && !lines.empty() &&
                   lines[0] == "ready";
        };
        WaitUntil(std::string("the probe ready") + (content ? "" : " in front"), ready, 20000);
    }
    ~ProbeWindow() {
        TerminateProcess(process_.get(), 0);
        WaitForSingleObject(process_.get(), 10000);
        DeleteFileW(file_.c_str());
        if (!copy_.empty()) DeleteFileW(copy_.c_str());
    }
    HWND Window() const { return window_; }
    // Every event received and not yet taken, after the line "ready".
    std::vector<std::string> Events() const {
        std::vector<std::string> events = FileLines(file_);
        events.erase(events.begin(), events.begin() + std::min(seen_ + 1, events.size()));
        return events;
    }
    // Takes `count` events once they came: what comes later, or more, shows in the next call.
    std::vector<std::string> Take(std::size_t count) {
        std::vector<std::string> events;
        WaitUntil(
            std::to_string(count) + " events in the probe",
            [&] { return (events = Events()).size() >= count; }, kActMs,
            [&] { return "; it received " + Keys(events); });
        events.resize(count);
        seen_ += count;
        return events;
    }

  private:
    std::wstring file_, copy_;
    win32::UniqueKernelHandle process_;
    HWND window_ = nullptr;
    std::size_t seen_ = 0;
};

void ExpectTyped(ProbeWindow& probe, const std::string& command, const std::string& keys) {
    Server(command);
    EXPECT_EQ(Keys(probe.Take(std::ranges::count(keys, ' ') + 1)), keys) << command;
}

// Each saved row, as the Add Action dialog and earlier versions save them, and how it shows.
// clang-format off
const std::pair<std::vector<std::string>, ActionRowView> kBindings[] = {
    {{"PLAY", "1", "F5", "116", "0", "1", "player-a.exe"}, {"keyboard", "PLAY", "Simulating Keyboard: F5 (player-a.exe)"}},
    {{"PLAY", "1", "Space", "32", "0", "1", "PLAYER-B.EXE"}, {"keyboard", "PLAY", "Simulating Keyboard: Space (PLAYER-B.EXE)"}},
    {{"PLAY", "1", "Play/Pause", "179", "0", "1"}, {"keyboard", "PLAY", "Simulating Keyboard: Play/Pause"}},
    {{"STOP", "1", "End", "35", "0", "1", "", "tv"}, {"keyboard", "STOP on tv", "Simulating Keyboard: End"}},
    {{"PLAY", "1", "Home", "36", "0", "1", "player-c"}, {"keyboard", "PLAY", "Simulating Keyboard: Home (player-c)"}},
    {{"TEXT", "1", "Hi 2 ü€𝄞", "0", "0", "3"}, {"keyboard", "TEXT", "Simulating Keyboard: Hi 2 ü€𝄞"}},
    {{"CUSTOM", "1", "Ctrl + Home", "36", "2", "2"}, {"keyboard", "CUSTOM", "Simulating Keyboard: Ctrl + Home"}},
    {{"OK", "2", "Left Mouse Click"}, {"mouse", "OK", "Simulating Mouse: Left Mouse Click"}},
    {{"RUN", "4", kProbe}, {"run", "RUN", "Running: buttonwise-probe.exe"}},
    {{"GONE", "4", kGone}, {"run", "GONE", "Running: no-such-program.exe"}},
    {{"POWER", "3", "Shutdown windows"}, {"system", "POWER", "System Event: Shutdown windows"}},
    {{"POWER", "4", kProbe}, {"run", "POWER", "Running: buttonwise-probe.exe"}},  // once its countdown was cancelled
    {{"ESC", "1", "Escape", "27", "0", "1"}, {"keyboard", "ESC", "Simulating Keyboard: Escape"}},
    {{"HOLD", "1", "Right", "39", "0", "1", "", "", "hold"}, {"keyboard", "HOLD", "Simulating Keyboard: Right (held)"}},
    {{"LONG", "1", "F2", "113", "0", "1", "", "", "long"}, {"keyboard", "LONG", "Simulating Keyboard: F2 (long press)"}},
    {{"LONG", "1", "F3", "114", "0", "1"}, {"keyboard", "LONG", "Simulating Keyboard: F3"}},
    {{"NAP", "3", "Sleep"}, {"system", "NAP", "System Event: Sleep"}},
};
// clang-format on

// In the order of the journey: the Play/Pause lines are counted, and the exit comes last.
class ButtonsE2eTest : public Journey {
  protected:
    static void SetUpTestSuite() {
        const auto rows = kBindings | std::views::keys;
        Start({rows.begin(), rows.end()});
    }
    void SetUp() override { std::filesystem::remove(kStarts); }
    // Waits until the log shows exactly `count` change lines of that text.
    static void WaitForLines(const std::string& text, std::ptrdiff_t count) {
        program->WaitFor(std::to_string(count) + " lines \"" + text + "\"", [&](auto& v) {
            return std::ranges::count(v.log, LogRow{"change", text}) == count;
        });
    }
};

TEST_F(ButtonsE2eTest, SavedRowsLoadWithTheirProgramsAndRemotesIntoTheListAndTheLog) {
    const MainWindowView view = program->Read();
    const auto shown = kBindings | std::views::values;
    EXPECT_EQ(view.actions, std::vector<ActionRowView>(shown.begin(), shown.end()));
    const LogRow text{"change", "Keyboard shortcut 'Hi 2 ü€𝄞' is assigned to 'TEXT'"};
    EXPECT_EQ(std::ranges::count(view.log, text), 1);
    EXPECT_EQ(view.log.size(), std::size(kBindings) + 1) << "a line a row, and the connection's";
}

const std::string kPlay = "v179 ^179";

TEST_F(ButtonsE2eTest, ABoundButtonTypesItsKeysWithTheKeyboardsScanCodesOncePerLineHeldOrNot) {
    ProbeWindow probe;
    // The scan codes of a real keyboard, also where the layout knows none (media keys); Home is
    // an extended key: without the flag it would be the keypad's 7.
    Server("press PLAY");
    EXPECT_EQ(probe.Take(2), (std::vector<std::string>{"v179 34 1", "^179 34 1"}));
    Server("press CUSTOM");
    EXPECT_EQ(probe.Take(4),
              (std::vector<std::string>{"v17 29 0", "v36 71 1", "^36 71 1", "^17 29 0"}));
    // Text arrives as characters (VK_PACKET, 231, and each UTF-16 unit), whatever the layout: on
    // French keys, the key 2 would have typed an é.
    std::string text;
    for (int unit : {72, 105, 32, 50, 32, 252, 8364, 0xD834, 0xDD1E})  // "Hi 2 ü€𝄞" in UTF-16
        text += " v231 c" + std::to_string(unit) + " ^231";
    ExpectTyped(probe, "press TEXT", text.substr(1));
    // Held with repeat counts 0 to 7: on the press, then from the fifth repeat on.
    ExpectTyped(probe, "hold PLAY 8", kPlay + " " + kPlay + " " + kPlay + " " + kPlay);
    ExpectTyped(probe, "press CUSTOM", "v17 v36 ^36 ^17");
    RECT r{};
    GetWindowRect(probe.Window(), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);  // a click goes where it points
    ExpectTyped(probe, "press OK", "v1 ^1");
    // The log follows the keys a moment later.
    WaitForLines("Simulating Keyboard: Play/Pause", 5);
    EXPECT_TRUE(probe.Events().empty()) << Keys(probe.Events());
}

// Under Wine an exit at zero would end every program of the prefix: the countdown journeys keep
// their waits short, and a guard cancels a countdown still open after eight seconds (with
// Cancel's own notification: a safety net, not a user's step).
constexpr int kInsideTheCountdownMs = 2000;
std::jthread CountdownGuard(HWND countdown) {
    return std::jthread([countdown](std::stop_token stop) {
        for (int tenths = 0; tenths < 80 && !stop.stop_requested(); ++tenths) Sleep(100);
        if (!stop.stop_requested()) PostMessageW(countdown, WM_COMMAND, IDCANCEL, 0);
    });
}

// The events the probe got up to the first that starts with `last`, as they come.
std::vector<std::string> EventsUntil(ProbeWindow& probe, const std::string& last) {
    std::vector<std::string> events;
    auto found = [&] {
        events = probe.Events();
        return std::ranges::any_of(events, [&](auto& e) { return e.starts_with(last); });
    };
    WaitUntil("the probe to get " + last, found, kActMs, [&] { return "; it got " + Keys(events); });
    return probe.Take(static_cast<std::size_t>(
        std::ranges::find_if(events, [&](auto& e) { return e.starts_with(last); }) -
        events.begin() + 1));
}

unsigned long long TimeOf(const std::string& event) {
    return std::stoull(event.substr(event.rfind(' ') + 1));
}

// No line says a button was let go: a held key goes up when the lines stop. Meanwhile it
// repeats as a keyboard's key does, from the keyboard delay on. A long press gives the long
// row's key and never the short row's; a short press the short row's, once its silence ended
// it.
TEST_F(ButtonsE2eTest, AHeldKeyStaysDownAndRepeatsAndALongPressIsNeverAlsoAShortOne) {
    ProbeWindow probe(L"--times");
    UINT delay = 1;
    SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &delay, 0);
    Server("hold HOLD 12");  // 12 lines 108 ms apart: held for about 1.2 s
    const unsigned long long lastLine = GetTickCount64();
    const std::vector<std::string> held = EventsUntil(probe, "^39");
    const std::string keys = Keys(held);
    ASSERT_TRUE(keys.starts_with("v39 r39") && keys.ends_with("r39 ^39")) << keys;
    EXPECT_EQ(std::ranges::count(held, 'v', [](auto& e) { return e[0]; }), 1) << keys;
    EXPECT_GE(TimeOf(held[1]) - TimeOf(held[0]), (delay + 1) * 250 - 20) << "repeated early";
    // Up a release time (about 270 ms) after the last line; the rest is room for a slow run.
    EXPECT_LT(TimeOf(held.back()) - lastLine, 1500u) << "let go late";
    Server("hold LONG 12");
    EXPECT_EQ(Keys(EventsUntil(probe, "^113")), "v113 ^113");
    Server("press LONG");
    EXPECT_EQ(Keys(EventsUntil(probe, "^114")), "v114 ^114");
    Sleep(500);  // a short row that came late, or twice, would come in this time
    EXPECT_TRUE(probe.Events().empty()) << Keys(probe.Events());
}

// Wine can neither sleep nor lock: the test sends the program's top-level window what Windows
// would, while the window is hidden in the tray as a media PC's usually is.
TEST_F(ButtonsE2eTest, ASleepLetsGoAndClosesAndAWakeReconnectsAtOnceButRunsNoSleepForAWhile) {
    HWND window = reader::FindMainWindow();
    PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    program->WaitFor("the window in the tray", [](auto& v) { return !v.visible; });
    ProbeWindow probe;
    std::string holdFailed;
    std::jthread holding([&] {  // about two seconds; a throw here would end the journey
        try {
            Server("hold HOLD 20");
        } catch (const Failure& failure) {
            holdFailed = failure.Description();
        }
    });
    EventsUntil(probe, "v39");
    reader::Ask(window, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    const std::string keys = Keys(EventsUntil(probe, "^39"));
    EXPECT_EQ(keys.find("v39"), std::string::npos) << keys;
    WaitUntil("the connection to close",
              [] { return Server("status").find(" clients=0 ") != std::string::npos; });
    // The wake connects at once, not at the next retry; Windows says it twice, once when a
    // user is there.
    holding.join();
    EXPECT_EQ(holdFailed, "");
    const unsigned long long woke = GetTickCount64();
    for (WPARAM wake : {PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND})
        reader::Ask(window, WM_POWERBROADCAST, wake, 0);
    Server("wait-clients 1 500");
    for (const char* line : {"The computer is going to sleep.", "The computer woke up."})
        WaitForLines(line, 1);
    // The press that woke the computer may come after the wake: no sleep for 5 s.
    Server("press NAP");
    program->WaitFor("the sleep not run", [](const MainWindowView& v) {
        return !v.log.empty() && v.log.back().text.starts_with("NAP: 'Sleep' was not run: the "
                                                               "computer woke up 0.");
    });
    EXPECT_EQ(reader::FindDialog(ui::kCountdownTitle), nullptr);
    Sleep(static_cast<DWORD>(woke + 6000 - std::min(GetTickCount64(), woke + 6000)));
    Server("press NAP");
    HWND countdown = WaitForDialog(ui::kCountdownTitle);
    const std::jthread guard = CountdownGuard(countdown);
    EXPECT_EQ(TextOf(GetDlgItem(countdown, ui::kIdCountdownText)), "Sleep in 10 seconds...");
    Server("press ESC");
    WaitForLines("Sleep was cancelled: ESC was pressed.", 1);
    PostMessageW(FindWindowW(ui::kTrayWindowClass, nullptr), ui::kTrayCallbackMessage, 0,
                 MAKELPARAM(NIN_SELECT, ui::kTrayIconId));
    program->WaitFor("the window back from the tray", [](auto& v) { return v.visible; });
}

TEST_F(ButtonsE2eTest, AButtonActsForTheProgramInFrontAndOnlyForItsRemote) {
    const std::size_t logged = program->Read().log.size();
    ProbeWindow first({}, L"player-a.exe");
    ExpectTyped(first, "press PLAY", "v116 ^116");
    ProbeWindow second({}, L"player-b.exe");
    ExpectTyped(second, "press PLAY", "v32 ^32");
    BringToFront(first.Window());
    ExpectTyped(first, "press PLAY", "v116 ^116");
    ProbeWindow other;  // a program without rows of its own gets the global one
    ExpectTyped(other, "press PLAY", kPlay);
    // The line from another remote acts on nothing: the next key is the next line's.
    Server("press STOP remote1");
    ExpectTyped(other, "press PLAY", kPlay);
    ExpectTyped(other, "press STOP tv", "v35 ^35");
    EXPECT_TRUE(first.Events().empty() && second.Events().empty() && other.Events().empty());
    // A Store app's frame belongs to the frame host; the app inside it is what PLAY means,
    // here by its name without the extension.
    ProbeWindow frame(L"--frame", L"ApplicationFrameHost.exe");
    const ProbeWindow app(
        L"--content-of=" + std::to_wstring(reinterpret_cast<std::uintptr_t>(frame.Window())),
        L"Player-C.exe");
    BringToFront(frame.Window());
    ExpectTyped(frame, "press PLAY", "v36 ^36");
    // The programs' names were read through their processes, none found above this one.
    const auto log = program->Read().log;
    for (auto line = log.begin() + static_cast<std::ptrdiff_t>(logged); line != log.end(); ++line)
        EXPECT_NE(line->kind, "error") << line->text;
}

TEST_F(ButtonsE2eTest, ARunBindingStartsItsProgramOncePerPressInButtonwisesFolderOrSaysWhyNot) {
    Server("hold RUN 6");
    Server("press RUN");
    WaitUntil("two starts of the probe", [] { return FileLines(kStarts).size() >= 2; });
    EXPECT_EQ(FileLines(kStarts), (std::vector<std::string>{kBin, kBin}));
    WaitForLines("Running: buttonwise-probe.exe", 2);  // the log follows a moment later
    Server("press GONE");
    const LogRow failed{"error", "'" + kGone + "' could not be opened: the file was not found"};
    const auto view = program->WaitFor("the failure in the log", [&](const MainWindowView& v) {
        return !v.log.empty() && v.log.back() == failed;
    });
    EXPECT_EQ(std::ranges::count(view.log, std::string("error"), &LogRow::kind), 1) << "GONE's";
}

// Whether the press display is on, as stored.
std::optional<std::string> ShowPresses() { return saved::Read("ShowPresses", saved::kOptions); }

bool PressLineGone() {
    HWND line = FindWindowW(ui::kPressWindowClass, nullptr);
    return !line || !IsWindowVisible(line);
}

// The press shows above a covering player, which keeps the foreground and gets its key, and a
// click on the line goes through to it; the Remote control menu turns the display off.
TEST_F(ButtonsE2eTest, APressShowsOnTheScreenWithoutTakingTheFocusOrAClickUntilTurnedOff) {
    ProbeWindow player(L"--cover");
    Server("press ESC");
    EXPECT_EQ(Keys(player.Take(2)), "v27 ^27");
    HWND shown = nullptr;
    const std::string line = "ESC · Escape → buttonwise-probe.exe";
    WaitUntil("the press on the screen: " + line, [&] {
        shown = FindWindowW(ui::kPressWindowClass, nullptr);
        return shown && IsWindowVisible(shown) && TextOf(shown) == line;
    });
    HWND above = GetTopWindow(nullptr);  // the first of the two in the order of the screen
    while (above && above != shown && above != player.Window()) above = GetWindow(above, GW_HWNDNEXT);
    EXPECT_EQ(above, shown) << "the player covers the press";
    RECT r{};
    GetWindowRect(shown, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    win32::SendInputMouse mouse;
    mouse.MouseEvent(MOUSEEVENTF_LEFTDOWN, 0, 0);
    mouse.MouseEvent(MOUSEEVENTF_LEFTUP, 0, 0);
    EXPECT_EQ(Keys(player.Take(2)), "v1 ^1") << "the click did not go through";
    EXPECT_TRUE(IsWindowVisible(shown)) << "the line went before the click: nothing was tested";
    EXPECT_EQ(GetForegroundWindow(), player.Window());
    WaitUntil("the press to leave the screen, 1.5 s after it", PressLineGone, 5000);

    BringToFront(reader::FindMainWindow());
    PressKeys({{VK_MENU, 'R'}, {'S'}});
    WaitUntil("the display turned off and stored", [] { return ShowPresses() == "0"; });
    BringToFront(player.Window());
    Server("press ESC");
    EXPECT_EQ(Keys(player.Take(2)), "v27 ^27");
    Sleep(500);  // the line would be drawn within 10 ms of the key
    EXPECT_FALSE(IsWindowVisible(shown)) << "shown while turned off";
    BringToFront(reader::FindMainWindow());
    PressKeys({{VK_MENU, 'R'}, {'S'}});
    WaitUntil("the display turned on again", [] { return ShowPresses() == "1"; });
}

TEST_F(ButtonsE2eTest, ACoveringPlayerDoesNotHideTheCountdownAndAnyButtonCancelsIt) {
    ProbeWindow player(L"--cover");
    Server("press POWER");
    HWND countdown = WaitForDialog(ui::kCountdownTitle);
    const std::jthread guard = CountdownGuard(countdown);
    WaitUntil(
        "the countdown in front", [&] { return GetForegroundWindow() == countdown; },
        kInsideTheCountdownMs);
    HWND above = GetTopWindow(nullptr);  // the first of the two in the order of the screen
    while (above && above != countdown && above != player.Window())
        above = GetWindow(above, GW_HWNDNEXT);
    EXPECT_EQ(above, countdown) << "the player covers the countdown";
    EXPECT_EQ(TextOf(GetDlgItem(countdown, ui::kIdCountdownText)),
              "Shutdown windows in 10 seconds...");
    EXPECT_EQ(TextOf(GetDlgItem(countdown, ui::kIdCountdownHint)),
              "Press any button on the remote to cancel.");
    // Any button cancels it, keyboard focus or not, and does nothing else: not even ESC's key.
    Server("press ESC");
    // A dialog without owner takes Wine two seconds to close.
    WaitUntil(
        "the countdown to close", [&] { return !IsWindow(countdown); }, 2 * kInsideTheCountdownMs);
    EXPECT_TRUE(player.Events().empty()) << "the player got " << Keys(player.Events());
    WaitForLines("Shutdown was cancelled: ESC was pressed.", 1);
    // The pass that waited for the countdown goes on with its next row.
    WaitUntil("POWER's Run row", [] { return FileLines(kStarts).size() == 1; });
    // The line of the pass that went on after the countdown goes too.
    WaitUntil("the press line to leave the screen", PressLineGone, 5000);
}

TEST_F(ButtonsE2eTest, YesToTheExitQuestionEndsAtOnceThoughAPassWaitsUnderneath) {
    Server("press POWER");
    const std::jthread guard = CountdownGuard(WaitForDialog(ui::kCountdownTitle));
    HWND window = reader::FindMainWindow();
    BringToFront(window);
    PressKeys({{VK_MENU, 'F'}, {'X'}});
    EXPECT_EQ(GetWindow(WaitForDialog(L"Buttonwise", kInsideTheCountdownMs), GW_OWNER), window);
    PressKeys({{VK_RETURN}});  // Yes
    // Wine's shell takes two seconds to remove an icon, and its process end two more.
    EXPECT_TRUE(program->Ends(5000));
    EXPECT_TRUE(FileLines(kStarts).empty()) << "the rest of POWER's pass ran";
    EXPECT_EQ(FindWindowW(ui::kTrayWindowClass, nullptr), nullptr);
}

}  // namespace
}  // namespace bw::test
