// What the portable core asks of Windows, played in memory: each fake records its calls as
// text, in order, and can fail where Windows can. The fuzzers use them: no GoogleTest here.
#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "emulation/exit_countdown.h"
#include "emulation/keyboard.h"
#include "platform/code_page.h"
#include "platform/failure.h"
#include "platform/foreground_program.h"
#include "platform/message_boxes.h"
#include "platform/message_pump.h"
#include "platform/mouse_input.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/system_services.h"
#include "platform/tcp_client.h"
#include "platform/timer.h"
#include "remote/action_dispatch.h"
#include "remote/status_display.h"

namespace bw::test {

using Strings = std::vector<std::string>;

inline Strings operator+(Strings a, const Strings& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Every call as text, in order. A test can run code inside a call, as a modal window's loop
// would, and have the calls that start with failingCall throw failOn.
struct Recorder {
    Strings calls;
    std::function<void(const std::string& call)> during;
    std::optional<Failure> failOn;
    std::string failingCall;
    void Record(const std::string& call) {
        calls.push_back(call);
        if (during) during(call);
        if (failOn && call.starts_with(failingCall)) throw *failOn;
    }
};

// Action names as the tests write them: only names the catalogue has, so that a renamed
// action fails the tests that use it instead of leaving them with a name no binding holds.
inline std::string MouseName(const std::string& name) {
    return FindMouseAction(name) ? name : throw Failure(name + " is no mouse action");
}
inline std::string SystemName(const std::string& name) {
    return FindSystemAction(name) ? name : throw Failure(name + " is no system action");
}

struct RecordedLine {
    LogKind kind;
    std::string text;
    bool operator==(const RecordedLine&) const = default;
};
using LogLines = std::vector<RecordedLine>;

struct RecordingLog : EventLogWriter {
    LogLines lines;
    void Write(LogKind kind, const std::string& text) override { lines.push_back({kind, text}); }
    Strings Texts(std::optional<LogKind> only = {}) const {
        Strings texts;
        for (const auto& [kind, text] : lines)
            if (!only || kind == *only) texts.push_back(text);
        return texts;
    }
};

// A box as the fake records it: "title: text (style)".
inline std::string Box(const std::string& text, const std::string& title, unsigned style) {
    return title + ": " + text + " (" + std::to_string(style) + ")";
}
inline std::string FailureBox(const std::string& text) {
    return Box(text, kErrorBoxTitle, 0x10);
}

// Answers every box with a set answer; during runs in the box's modal loop.
struct FakeMessageBoxes : MessageBoxes, Recorder {
    int answer = kIdOk;
    std::vector<std::optional<std::size_t>> choices;  // the next questions' answers, in turn
    int Show(const std::string& text, const std::string& title, unsigned style) override {
        Record(Box(text, title, style));
        return answer;
    }
    std::optional<std::size_t> Choose(const std::string& text, const std::string& title,
                                      const std::vector<std::string>& answers) override {
        std::string asked = title + ": " + text + " [";
        for (const std::string& a : answers) asked += (asked.back() == '[' ? "" : "|") + a;
        Record(asked + "]");
        if (choices.empty()) return std::nullopt;
        const std::optional<std::size_t> chosen = choices.front();
        choices.erase(choices.begin());
        return chosen;
    }
};

// Records every write in order and can be told to refuse writes from a given one on.
struct FakeSettingsStore : SettingsStore {
    std::map<std::string, std::string> values;  // by "application\section\key"
    Strings writes;                             // "key=value", in order
    std::optional<std::size_t> failFromWrite;   // 0 refuses the first write

    static std::string Path(const std::string& a, const std::string& s, const std::string& k) {
        return a + "\\" + s + "\\" + k;
    }
    std::string Read(const std::string& a, const std::string& s, const std::string& k,
                     const std::string& fallback) override {
        const auto it = values.find(Path(a, s, k));
        return it == values.end() ? fallback : it->second;
    }
    void Write(const std::string& a, const std::string& s, const std::string& k,
               const std::string& value) override {
        if (failFromWrite && writes.size() >= *failFromWrite) throw Failure(5, "Access is denied.");
        writes.push_back(k + "=" + value);
        values[Path(a, s, k)] = value;
    }
    // The list's own section.
    std::string& Key(const std::string& key) { return values[Path("Buttonwise", "Key", key)]; }
};

struct FakeProgramFolder : ProgramFolder {
    std::string path = "C:\\Program Files\\Buttonwise";
    std::map<std::string, std::string> files;  // by full path
    std::string Path() override { return path; }
    std::string ReadFile(const std::string& file) override {
        const auto it = files.find(file);
        if (it == files.end()) throw Failure(2, "The system cannot find the file specified.");
        return it->second;
    }
};

// Windows-1252 as far as the tests need it: bytes from 0xA0 on are the Latin-1 letters.
struct Latin1CodePage : CodePage {
    std::string AnsiToUtf8(std::string_view bytes) override {
        std::string text;
        for (const unsigned char c : bytes) {
            if (c >= 0x80) text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(c < 0x80 ? c : 0x80 | (c & 0x3F));
        }
        return text;
    }
};

// Loads the key table from KeyMap.ini's text ("65,A" lines), the way the program does.
inline void LoadKeyTable(Keyboard& keyboard, const std::string& keyMap) {
    FakeProgramFolder folder;
    folder.files[FileInFolder(folder.path, kKeyMapFile)] = keyMap;
    Latin1CodePage ansi;
    RecordingLog log;
    keyboard.LoadKeyMap(folder, ansi, log);
}

// Ticks when the test says so, and only while enabled, like the real one.
struct FakeTimer : Timer {
    int interval = 0;
    bool enabled = false;
    std::function<void()> onTick;
    void SetTickHandler(std::function<void()> handler) override { onTick = std::move(handler); }
    void SetInterval(int milliseconds) override { interval = milliseconds; }
    void SetEnabled(bool e) override { enabled = e; }
    bool Enabled() const override { return enabled; }
    bool Tick() {  // whether a tick happened
        if (!enabled || !onTick) return false;
        onTick();
        return true;
    }
};

struct FakeClock : Clock {
    Millis now = 0;
    Millis Now() override { return now; }
};

// A timer on a test's clock: it ticks once its interval has passed since it was set, as
// SetTimer's does, however much time the test lets pass in one step.
struct ClockedTimer : FakeTimer {
    explicit ClockedTimer(FakeClock& c) : clock(c) {}
    FakeClock& clock;
    Millis setAt = 0;
    void SetInterval(int milliseconds) override {
        FakeTimer::SetInterval(milliseconds);
        setAt = clock.now;
    }
    void SetEnabled(bool e) override {
        if (e && !enabled) setAt = clock.now;
        FakeTimer::SetEnabled(e);
    }
    // Each tick due up to the moment, with the clock at the tick's time.
    void RunUntil(Millis moment) {
        while (enabled && setAt + interval <= moment) {
            clock.now = setAt += interval;
            Tick();
        }
        clock.now = moment;
    }
};

// Lets a test play the server: accept, refuse, close, send. Events come only for an
// attempt that is under way, as on Windows.
struct FakeTcpClient : TcpClient, Recorder {
    TcpClientEvents* events = nullptr;
    bool open = false;
    std::string pending;

    void SetEvents(TcpClientEvents* e) override { events = e; }
    void Close() override {
        Record("close");
        open = false;
        pending.clear();
    }
    void Connect(const std::string& host, int port) override {
        Record("connect " + host + ":" + std::to_string(port));
        open = true;
    }
    std::string Read() override {
        Record("read");
        return std::exchange(pending, {});
    }
    bool Live() const { return open && events; }
    void Accept() {
        if (Live()) events->OnConnect();
    }
    void Refuse() { Fail(10061, "No connection could be made: the target machine refused it."); }
    void Fail(int number, const std::string& text) {
        if (Live()) events->OnError(number, text);
    }
    void PeerCloses() {
        if (Live()) events->OnClose();
    }
    void Send(const std::string& bytes) {
        pending += bytes;
        if (Live()) events->OnDataArrival(pending.size());
    }
};

struct FakeStatusDisplay : StatusDisplay {
    std::optional<std::string> text;
    std::optional<ServerPicture> server;
    std::vector<StatusPicture> statuses;  // every small picture shown, in order
    std::vector<int> receiveFrames;
    void SetStatusText(const std::string& t) override { text = t; }
    void ShowStatusPicture(StatusPicture p) override { statuses.push_back(p); }
    void ShowServerPicture(ServerPicture p) override { server = p; }
    void ShowReceiveFrame(int frame) override { receiveFrames.push_back(frame); }
};

// The desktop as the executors see it: keys down and up ("v65", "^65"), characters typed
// ("U+00FC", one per UTF-16 unit), mouse events ("6 0 0", "1 -7 0"), yields, the window in
// front minimised, the session ended ("end 13") and items opened ("open item | folder").
struct FakeDesktop : KeyboardInput,
                     MouseInput,
                     MessagePump,
                     WindowCommands,
                     ExitSession,
                     Shell,
                     Recorder {
    long shellAnswer = 42;
    int refuse = 0;  // how many of the next key and mouse events the system does not take
    bool Taken() { return refuse == 0 || refuse-- == 0; }
    void SendCharacters(std::u16string_view units) override {
        for (const char16_t unit : units) {
            char code[8];
            std::snprintf(code, sizeof code, "U+%04X", unsigned{unit});
            Record(code);
        }
    }
    bool SendKey(std::uint8_t key, KeyDirection direction) override {
        if (!Taken()) return false;
        Record((direction == KeyDirection::Down ? "v" : "^") + std::to_string(key));
        return true;
    }
    bool MouseEvent(std::uint32_t flags, int dx, int dy) override {
        if (!Taken()) return false;
        Record(std::to_string(flags) + " " + std::to_string(dx) + " " + std::to_string(dy));
        return true;
    }
    void DoEvents() override { Record("yield"); }
    void MinimizeForegroundWindow() override { Record("minimise"); }
    void TurnOffScreen() override { Record("screen off"); }
    void EndSession(std::uint32_t flags) override { Record("end " + std::to_string(flags)); }
    void Suspend(bool hibernate) override { Record(hibernate ? "hibernate" : "sleep"); }
    long Open(const std::string& item, const std::string& folder) override {
        Record("open " + item + " | " + folder);
        return shellAnswer;
    }
};

// The default output device, a new one for every step: "set#2" is the second device's
// write, and "output#2" the step that took it.
struct FakeVolume : Volume, Recorder {
    std::optional<std::uint32_t> level = 0;  // nothing: the device does not say it
    bool muted = false;
    int devices = 0;

    struct Device : AudioOutput {
        explicit Device(FakeVolume& v) : volume(v), number("#" + std::to_string(v.devices)) {}
        FakeVolume& volume;
        std::string number;
        std::optional<std::uint32_t> Level() override {
            volume.Record("level" + number);
            return volume.level;
        }
        void SetLevel(std::uint32_t value) override {
            volume.Record("set" + number);
            volume.level = value;
        }
        std::optional<bool> Muted() override { return volume.muted; }
        void SetMuted(bool muted) override {
            volume.Record((muted ? "mute" : "unmute") + number);
            volume.muted = muted;
        }
    };
    std::unique_ptr<AudioOutput> DefaultOutput() override {
        Record("output#" + std::to_string(++devices));
        return std::make_unique<Device>(*this);
    }
};

// Runs the test's script while open, as the real loop runs timers and lines, then the close
// box. Its texts and "top" go to the desktop's calls: one timeline shows the session's end.
struct FakeCountdownWindow : CountdownView {
    explicit FakeCountdownWindow(Recorder& d) : desktop(d) {}
    Recorder& desktop;
    bool open = false;
    std::function<void()> whileOpen;
    CountdownEvents* events = nullptr;

    void ShowModal(CountdownEvents& e) override {
        open = true;
        events = &e;
        e.Opened();
        if (whileOpen) whileOpen();
        Close();
    }
    void SetText(const std::string& text) override { desktop.Record(text); }
    void BringToTop() override { desktop.Record("top"); }
    void Close() override {
        if (std::exchange(open, false)) events->Closed();
    }
};

// Answers for each window what the test says of it; for any other, no program can be read.
struct FakeForeground : ForegroundProgram {
    WindowInFront front;
    std::map<WindowInFront, ProgramInFront> programs;
    int lookups = 0;
    WindowInFront Window() override { return front; }
    ProgramInFront Describe(const WindowInFront& window) override {
        ++lookups;
        const auto it = programs.find(window);
        return it == programs.end() ? ProgramInFront{} : it->second;
    }
    void Show(std::uintptr_t handle, std::uint32_t process, ProgramInFront program) {
        front = {handle, process};
        programs[front] = std::move(program);
    }
};

// The executors of the four action types: "key F5 116 0 1", "mouse Left Mouse Click 0 2",
// "sys Volume UP 3", "run C:\x.exe".
struct FakeExecutors : Recorder {
    bool systemGoesOn = true;  // false as when an exit takes the countdown over
    ActionExecutors Wire() {
        auto n = [](int value) { return " " + std::to_string(value); };
        return {[this, n](const std::string& value, const KeyStroke& stroke) {
                    Record("key " + value + n(stroke.key) + n(stroke.modifiers) + n(stroke.kind));
                },
                [this, n](const std::string& name, std::int16_t repeats, std::int16_t step) {
                    Record("mouse " + name + n(repeats) + n(step));
                },
                [this, n](const std::string& name, std::int16_t repeats) {
                    Record("sys " + name + n(repeats));
                    return systemGoesOn;
                },
                [this](const std::string& path) { return Record("run " + path), true; }};
    }
};

// What the tests build the core on: the list, whose lines of adding rows go to a log of their
// own, the log, the box of a failure and the window in front.
struct CoreRig {
    RecordingLog bindings, log;
    ActionList list{bindings};
    FakeMessageBoxes boxes;
    LineFailureReport failures{boxes, log};
    FakeForeground foreground;
    ForegroundWatch watch{foreground, log};
};

// One line of a press, as the press tracker tells it: a count of 0 starts a press.
inline void Line(ActionDispatch& dispatch, const std::string& button, std::int16_t repeat,
                 const std::string& remote = {}) {
    dispatch.OnPress({repeat == 0 ? PressEvent::Kind::Start : PressEvent::Kind::Repeat, button,
                      remote, repeat});
}

}  // namespace bw::test
