// Presses in time: lines at given moments through the real tracker, dispatch and held input
// into the desktop fake; every way a press can end must let go of everything it put down.
#include <gtest/gtest.h>

#include <sstream>

#include "emulation/held_input.h"
#include "emulation/system_actions.h"
#include "fakes.h"
#include "remote/button_presses.h"
#include "remote/power_events.h"
#include "ui/press_display.h"

namespace bw::test {
namespace {

// What the screen shows, as a timeline: "VOL · Volume 4 % |4|@0" (a bar at 4 %), "hide@1500".
struct FakePressView : PressView {
    explicit FakePressView(std::function<Millis()> n) : now(std::move(n)) {}
    std::function<Millis()> now;
    std::string timeline, shown;
    void Show(const std::string& line, std::optional<int> bar) override {
        const std::string text = line + (bar ? " |" + std::to_string(*bar) + "|" : "");
        if (text != shown) Add(shown = text);
    }
    void Hide() override {
        if (!std::exchange(shown, "").empty()) Add("hide");
    }
    void Add(const std::string& text) {
        timeline += (timeline.empty() ? "" : " ") + text + "@" + std::to_string(now());
    }
};

struct PressTest : ::testing::Test, CoreRig {
    FakeDesktop desktop;
    FakeClock clock;
    ClockedTimer timer{clock};
    Millis start = 0;  // the moment a script's times count from
    Keyboard keyboard{desktop, log};
    Mouse mouse{desktop, desktop, log};
    std::optional<HeldInput> held{std::in_place, keyboard, mouse, clock,
                                  [] { return KeyRepeat{500, 100}; }};
    FakeVolume volume;
    FakeCountdownWindow window{desktop};
    FakeTimer countdownTimer, reconnectTimer;
    ExitCountdown countdown{window, countdownTimer, desktop, log};
    SystemActions system{keyboard, volume, desktop, countdown, log};
    SessionState session{clock, log};
    ActionDispatch dispatch{list,
                            {std::bind_front(&Keyboard::Run, &keyboard),
                             std::bind_front(&Mouse::Act, &mouse),
                             std::bind_front(&SystemActions::Run, &system),
                             [](const std::string& path) { return path != "gone.exe"; },
                             std::bind_front(&ExitCountdown::CancelByButton, &countdown),
                             std::bind_front(&HeldInput::Hold, &*held),
                             std::bind_front(&HeldInput::ReleaseAll, &*held),
                             std::bind_front(&SessionState::PassOver, &session)},
                            log,
                            failures,
                            watch};
    std::optional<ButtonPresses> presses{std::in_place, dispatch, *held, clock, timer, 800};
    FakeTcpClient client;
    FakeStatusDisplay display;
    ServerConnection connection{client, reconnectTimer, display, log};
    PowerEvents power{session, *presses, countdown, connection, log};
    FakeSettingsStore settings;
    ClockedTimer hideTimer{clock};
    FakePressView view{[this] { return clock.now - start; }};
    PressDisplay onScreen{view, hideTimer, clock, settings, log};

    PressTest() {
        dispatch.SetOutcome(onScreen);
        system.SetOutcome(onScreen);
        const RowPlacement held{"", "", 0, When::Held}, onLong{"", "", 0, When::Long};
        list.AddKey("1", "RIGHT", "Right", "39", "0", held);
        list.AddMouse("OK", "Left Mouse Click", held);
        list.AddKey("2", "SHIFTA", "Shift + A", "65", "1", held);
        list.AddKey("1", "MENU", "F1", "112", "0");
        list.AddKey("1", "MENU", "Esc", "27", "0", onLong);
        list.AddKey("1", "PLAY", "F5", "116", "0", onLong);
        // A held key, then a row whose stored key is no number: its box comes mid-pass.
        list.AddKey("1", "BAD", "Right", "39", "0", held);
        list.AddKey("1", "BAD", "x", "300", "0");
        list.AddKey("1", "KEY", "F5", "116", "0");
        list.AddMouse("CLICK", "Left Mouse Click");
        list.AddKey("1", "CLICK", "Esc", "27", "0", onLong);
        list.AddSys("NAP", "Sleep");
        list.AddSys("POWER", "Shutdown windows");
        list.AddSys("VOL", "Volume UP");
        list.AddSys("MUTE", "Mute");
        list.AddSys("SCREEN", "Turn off the screen");
        list.AddSys("HIB", "Hibernate");
        list.AddKey("3", "TEXT", "Hi", "0", "0");
        list.AddRun("RUN", "C:\\Tools\\notepad.exe");
        list.AddRun("GONE", "gone.exe");
        connection.Connect();
        client.Accept();
        client.during = [&](const std::string& call) {
            if (call != "read") desktop.calls.push_back("server " + call);
        };
        boxes.during = [&](const std::string&) { desktop.Record("box"); };
        desktop.during = [&](const std::string& call) {
            if (call != "box") desktop.calls.back() += "@" + std::to_string(clock.now - start);
            // A click's yield hands out what is queued, the press timer's tick among it.
            if (call == "yield" && timer.Enabled()) timer.Tick();
        };
    }
    // "300 OK 2 tv": at 300 ms a line of OK, repeat 2, from remote tv (r when not given);
    // "300 connection" ("list", "exit"): what cuts a press off then; "300 refuse 2": the
    // system does not take the next two key events; "0 front 1 x.exe": x.exe comes in front,
    // running as administrator (0: not; no name: nothing known); "0 unreadable": the sound
    // device stops saying its level; "2000": time passes.
    void Play(const std::string& script) {
        start = clock.now + 10000;  // long after whatever came before
        std::istringstream steps(script);
        for (std::string step; std::getline(steps, step, ',');) {
            std::istringstream words(step);
            Millis at = 0, repeat = 0;
            std::string what, remote = "r";
            words >> at >> what >> repeat >> remote;
            timer.RunUntil(start + at);
            hideTimer.RunUntil(start + at);
            if (what == "front") {  // "0 front 1 x.exe": x.exe in front, as administrator
                const InputReach reach = repeat ? InputReach::Dropped : InputReach::Arrives;
                foreground.Show(foreground.front.handle + 1, 7, {remote == "r" ? "" : remote, reach});
            } else if (what == "unreadable") {
                volume.level.reset();
            } else if (what == "refuse") {
                desktop.refuse = static_cast<int>(repeat);
            } else if (what == "suspend" || what == "wake" || what == "lock" ||
                       what == "unlock" || what == "end") {
                const std::map<std::string, void (PowerEvents::*)()> events{
                    {"suspend", &PowerEvents::Suspending}, {"wake", &PowerEvents::Resumed},
                    {"lock", &PowerEvents::Locked}, {"unlock", &PowerEvents::Unlocked},
                    {"end", &PowerEvents::Exiting}};
                (power.*events.at(what))();
                // As the program tells the display too.
                if (what == "suspend" || what == "wake") onScreen.SetAsleep(what == "suspend");
                if (what == "lock" || what == "unlock") onScreen.SetLocked(what == "lock");
            } else if (what == "connection" || what == "list") {
                presses->DropPress();
            } else if (what == "exit") {
                presses.reset();
                held.reset();
            } else if (!what.empty()) {
                presses->OnLine(what, static_cast<std::int16_t>(repeat), remote);
            }
        }
    }
};

TEST_F(PressTest, EveryPressLetsGoOfWhatItHeldAndALongPressIsNeverAlsoAShortOne) {
    // Lines come every 108 ms while a button is held: the release time is 250 ms until a
    // remote has been heard repeating (r, from the second case on; a and b), 270 ms after.
    // The key repeats from 500 ms, every 100 ms.
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"0 RIGHT 0, 2000", "v39@0 ^39@251"},  // a tap
        {"0 RIGHT 0, 108 RIGHT 1, 216 RIGHT 2, 324 RIGHT 3, 432 RIGHT 4, 540 RIGHT 5, 648 RIGHT 6, 2000",
         "v39@0 v39@500 v39@600 v39@700 v39@800 ^39@919"},  // no repeat once the lines stop
        // One repeat line lost: a gap of twice the usual does not cut the hold.
        {"0 RIGHT 0, 108 RIGHT 1, 216 RIGHT 2, 432 RIGHT 3, 540 RIGHT 4, 2000",
         "v39@0 v39@500 v39@600 v39@700 ^39@811"},
        // A remote slower than the first release time flaps once, then is heard repeating.
        {"0 RIGHT 0 s, 300 RIGHT 1 s, 600 RIGHT 2 s, 900 RIGHT 3 s, 2000",
         "v39@0 ^39@251 v39@300 v39@800 v39@900 v39@1000 v39@1100 v39@1200 v39@1300 ^39@1401"},
        {"0 SHIFTA 0, 100 SHIFTA 1, 2000", "v16@0 v65@0 ^65@371 ^16@371"},  // up in reverse
        {"0 OK 0, 108 OK 1, 216 OK 2, 2000", "2 0 0@0 4 0 0@487"},  // a button does not repeat
        // Long press: its row once at the first line past 800 ms, the Pressed row never;
        // a short press runs the Pressed row once, when the silence has ended it.
        {"0 MENU 0, 108 MENU 1, 216 MENU 2, 324 MENU 3, 432 MENU 4, 540 MENU 5, 648 MENU 6, 756 MENU 7, 864 MENU 8, 972 MENU 9, 2000",
         "v27@864 ^27@864"},
        {"0 MENU 0, 108 MENU 1, 216 MENU 2, 2000", "v112@487 ^112@487"},
        {"0 PLAY 0, 108 PLAY 1, 216 PLAY 2, 324 PLAY 3, 432 PLAY 4, 540 PLAY 5, 648 PLAY 6, 756 PLAY 7, 864 PLAY 8, 2000",
         "v116@864 ^116@864"},
        {"0 PLAY 0, 432 PLAY 4, 864 PLAY 8, 2000", ""},  // silences between: three short presses
        // The short press's click, run as the next button starts, yields to a tick: the next
        // press still starts.
        {"0 CLICK 0, 100 RIGHT 0, 2000", "6 0 0@100 yield@100 v39@100 ^39@371"},
        // Another button, another remote, a new first line: the held one goes up at once.
        {"0 RIGHT 0, 50 OK 0, 2000", "v39@0 ^39@50 2 0 0@50 4 0 0@321"},
        {"0 RIGHT 0 a, 100 RIGHT 1 b, 2000", "v39@0 ^39@100 v39@100 ^39@351"},
        {"0 RIGHT 0, 108 RIGHT 1, 216 RIGHT 0, 2000", "v39@0 ^39@216 v39@216 ^39@487"},
        // A first line or a repeat told twice within 50 ms is one line.
        {"0 RIGHT 0, 20 RIGHT 0, 2000", "v39@0 ^39@271"},
        {"0 KEY 0, 540 KEY 5, 550 KEY 5, 648 KEY 6, 2000", "v116@0 ^116@0 v116@540 ^116@540 v116@648 ^116@648"},
        // A failure mid-pass lets go before its box.
        {"0 BAD 0, 2000", "v39@0 ^39@0 box"},
        // A key-up the system does not take goes once more; refused again, it is named in
        // the log (below) and let up at the next press.
        {"0 RIGHT 0, 100 refuse 1, 2000", "v39@0 ^39@271"},
        {"0 RIGHT 0, 100 refuse 4, 500 OK 0, 2000", "v39@0 ^39@500 2 0 0@500 4 0 0@771"},
        // Cut off: the connection ends, the list changes, the program ends (the last case).
        {"0 RIGHT 0, 108 RIGHT 1, 150 connection, 2000", "v39@0 ^39@150"},
        {"0 SHIFTA 0, 150 list, 2000", "v16@0 v65@0 ^65@150 ^16@150"},
        {"0 MENU 0, 150 list, 2000", ""},  // a cut-off press is no short press
        {"0 OK 0, 150 exit", "2 0 0@0 4 0 0@150"},
    };
    // clang-format on
    for (const auto& [script, expected] : cases) {
        desktop.calls.clear();
        Play(script);
        std::string calls;
        for (const std::string& call : desktop.calls) calls += (calls.empty() ? "" : " ") + call;
        EXPECT_EQ(calls, expected) << script;
    }
    EXPECT_EQ(log.Texts(LogKind::Error),
              Strings(2, "The key number 39 could not be sent up: Windows did not take it."));
    // The stored long-press time: held within its bounds, the default for anything else.
    for (const auto& [stored, ms] : {std::pair{"", 800}, {"1200", 1200}, {"100", 300},
                                     {"99999", 5000}, {"0.5", 800}, {"-5", 800}})
        EXPECT_EQ(LongPressMsFrom(stored), ms) << stored;
}

// As Windows tells them: nothing stays held across a sleep, a lock or the session's end; no
// countdown outlives a sleep; a wake reconnects at once, leaves the repeats of a press from
// before the sleep alone, and runs no row that would power the computer down for 5 s (the
// press that woke it may come after the wake); the lock screen gets no keys, the volume
// still steps.
TEST_F(PressTest, SleepWakeLockAndTheSessionsEndLetGoAndPassOverWhatMustNotRun) {
    const std::string asleep = "The computer is going to sleep.", woke = "The computer woke up.";
    // clang-format off
    const std::tuple<const char*, const char*, Strings> cases[] = {
        {"0 RIGHT 0, 100 RIGHT 1, 150 suspend, 160 suspend, 200 RIGHT 2, 300 wake, 310 wake, 400 RIGHT 3, 2000",
         "v39@0 ^39@150 server close server close server connect 127.0.0.1:8765", {asleep, woke}},
        {"0 suspend, 100 wake, 1300 NAP 0, 1500 NAP 1, 5000 POWER 0, 5200 NAP 0, 6000",
         "server close server close server connect 127.0.0.1:8765 Sleep in 10 seconds...@5200 top@5200",
         {asleep, woke, "NAP: 'Sleep' was not run: the computer woke up 1.2 s ago.",
          "POWER: 'Shutdown windows' was not run: the computer woke up 4.9 s ago.", "Sleep"}},
        {"0 RIGHT 0, 50 lock, 100 KEY 0, 200 VOL 0, 250 MUTE 0, 300 KEY 0, 350 MUTE 0, 380 SCREEN 0, 400 unlock, 500 KEY 0, 2000",
         "v39@0 ^39@50 screen off@380 v116@500 ^116@500",
         {"Keys cannot reach the locked screen.", "Volume set to: 4%", "Volume UP", "Mute", "Muted",
          "Mute", "Sound on", "Turn off the screen"}},
        {"0 SHIFTA 0, 100 end", "v16@0 v65@0 ^65@100 ^16@100", {}},
    };
    // clang-format on
    for (const auto& [script, expected, lines] : cases) {
        desktop.calls.clear();
        log.lines.clear();
        Play(script);
        std::string calls;
        for (const std::string& call : desktop.calls) calls += (calls.empty() ? "" : " ") + call;
        EXPECT_EQ(calls, expected) << script;
        std::erase_if(log.lines, [](auto& line) { return line.text.starts_with("Simulating"); });
        EXPECT_EQ(log.Texts(), lines) << script;
    }
    // A countdown open as the computer goes to sleep is cancelled; one that runs out suspends.
    window.whileOpen = [&] { power.Suspending(); };
    Play("0 POWER 0");
    EXPECT_EQ(log.lines.back().text, "Shutdown was cancelled: the computer is going to sleep.");
    window.whileOpen = [&] {
        for (int tick = 0; tick < kCountdownSeconds; ++tick) countdownTimer.Tick();
    };
    Play("0 wake, 6000 HIB 0");
    EXPECT_EQ(desktop.calls.back(), "hibernate@6000");
}

// What the person on the sofa sees of each press: the button and what it did, or why it did
// nothing, until 1.5 s after the press's last line; nothing under a locked screen.
TEST_F(PressTest, EachPressShowsItsButtonAndWhatItDidUntilAMomentAfterItsLastLine) {
    const std::string front = "0 front 0 player.exe, ";
    // clang-format off
    const std::pair<std::string, const char*> cases[] = {
        {front + "0 KEY 0, 3000", "KEY · F5 → player.exe@0 hide@1500"},
        {"0 front 0, 0 TEXT 0, 3000", "TEXT · \"Hi\"@0 hide@1500"},  // nothing known in front
        {front + "0 RIGHT 0, 108 RIGHT 1, 216 RIGHT 2, 3000", "RIGHT · Right (held) → player.exe@0 hide@1716"},
        {"0 OK 0, 3000", "OK · Left Mouse Click (held)@0 hide@1500"},
        {front + "0 MENU 0, 108 MENU 1, 216 MENU 2, 324 MENU 3, 432 MENU 4, 540 MENU 5, 648 MENU 6, 756 MENU 7, 864 MENU 8, 3000",
         "MENU@0 MENU · Esc (long press) → player.exe@864 hide@2364"},
        {front + "0 MENU 0, 108 MENU 1, 3000", "MENU@0 MENU · F1 → player.exe@379 hide@1608"},
        {"0 VOL 0, 108 VOL 1, 216 VOL 2, 324 VOL 3, 432 VOL 4, 540 VOL 5, 648 VOL 6, 756 VOL 7, 3000",
         "VOL · Volume 4 % |4|@0 VOL · Volume 9 % |9|@648 VOL · Volume 13 % |13|@756 hide@2256"},
        {"0 MUTE 0, 100 MUTE 0, 3000", "MUTE · Muted@0 MUTE · Sound on@100 hide@1600"},
        {"0 unreadable, 0 VOL 0, 3000", "VOL · Volume not set@0 hide@1500"},  // the device's level
        {"0 NAP 0, 3000", "NAP · Sleep in 10 s@0 hide@1500"},
        {"0 RUN 0, 3000", "RUN · Run notepad.exe@0 hide@1500"},
        {"0 GONE 0, 3000", "GONE · gone.exe not opened@0 hide@1500"},
        {front + "0 STOP 0, 3000", "STOP · nothing bound for player.exe@0 hide@1500"},
        {"0 front 0, 0 STOP 0, 3000", "STOP · nothing bound@0 hide@1500"},
        {"0 front 1 admin.exe, 0 KEY 0, 3000", "KEY · Keys cannot reach admin.exe (administrator)@0 hide@1500"},
        {front + "0 KEY 0, 100 suspend, 200 wake, 300 NAP 0, 3000",
         "KEY · F5 → player.exe@0 hide@100 NAP · Sleep was not run@300 hide@1800"},
        // A press that began under the lock shows its own rows once unlocked, and goes.
        {front + "0 KEY 0, 100 lock, 200 KEY 0, 300 MENU 0, 400 unlock, 3000",
         "KEY · F5 → player.exe@0 hide@100 MENU · F1 → player.exe@571 hide@2071"},
        {front + "0 BAD 0, 3000", "BAD · Right (held) → player.exe, x failed@0 hide@1500"},
        {"0 PLAY 0, 3000", "PLAY@0 PLAY · hold it for its long press@271 hide@1500"},
    };
    // clang-format on
    for (const auto& [script, expected] : cases) {
        view.timeline.clear();
        Play(script);
        EXPECT_EQ(view.timeline, expected) << script;
    }
    // The line shows while an exit's countdown or a failure's box waits, not after it.
    std::string during;
    window.whileOpen = [&] { during = view.shown; };
    boxes.during = [&](const std::string&) { during += " | " + view.shown; };
    Play("0 NAP 0, 3000, 3000 BAD 0, 6000");
    EXPECT_EQ(during, "NAP · Sleep in 10 s | BAD · Right (held) → player.exe, x failed");
    // Off: nothing shows and the choice is kept; a stored value that is not "0" keeps it on.
    onScreen.SetEnabled(false);
    view.timeline.clear();
    Play("0 KEY 0, 3000");
    EXPECT_EQ(view.timeline, "");
    EXPECT_EQ(settings.writes, Strings{"ShowPresses=0"});
    for (const auto& [stored, on] : {std::pair{"0", false}, {"1", true}, {"", true}, {"no", true}}) {
        settings.values["Buttonwise\\Settings\\ShowPresses"] = stored;
        FakeTimer unused;
        EXPECT_EQ(PressDisplay(view, unused, clock, settings, log).Enabled(), on) << stored;
    }
    for (const auto& [item, name] : {std::pair{"C:\\Tools\\notepad.exe", "notepad.exe"},
                                     {"\"C:\\A B\\x.exe\" --full", "x.exe"},
                                     {"https://example.com/", "example.com"}, {"C:\\Music\\", "Music"}})
        EXPECT_EQ(RunItemName(item), name);
}

}  // namespace
}  // namespace bw::test
