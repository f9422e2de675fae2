// What the server sends, in arrivals of any size and content at any moments, through the
// connection, the framing, the parsing, the press tracker and the dispatch of a small list
// of bindings: one for a program and a remote, held keys, a held mouse button, a long press.
// Whatever comes, every key and button put down is up once the lines stop.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <set>

#include "actions/action_list.h"
#include "emulation/held_input.h"
#include "fakes.h"
#include "remote/action_dispatch.h"
#include "remote/button_messages.h"
#include "remote/button_presses.h"
#include "remote/server_connection.h"

using namespace bw;
using namespace bw::test;

namespace {

// Keys and buttons down at the end of what the desktop was sent: "v39" puts 39 down, "^39"
// lets it up; a mouse event "2 0 0" puts the left button down, "4 0 0" up.
std::set<std::string> StillDown(const Strings& calls) {
    std::set<std::string> down;
    for (const std::string& call : calls) {
        if (call[0] == 'v') down.insert(call.substr(1));
        if (call[0] == '^') down.erase(call.substr(1));
        if (call[0] >= '0' && call[0] <= '9') {
            const unsigned flags = static_cast<unsigned>(std::atoi(call.c_str()));
            for (unsigned button : {kMouseLeftDown, kMouseRightDown, kMouseMiddleDown}) {
                if (flags & button) down.insert("button " + std::to_string(button));
                if (flags & (button << 1)) down.erase("button " + std::to_string(button));
            }
        }
    }
    return down;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    FakeTcpClient client;
    FakeTimer reconnectTimer;
    FakeStatusDisplay display;
    RecordingLog log;
    ActionList list(log);
    const RowPlacement held{"", "", 0, When::Held}, onLong{"", "", 0, When::Long};
    list.AddKey("1", "PLAY", "F5", "116", "0");
    list.AddKey("3", "TEXT", "Hi 2", "0", "0");
    list.AddKey("2", "BAD", "x", "300", "0");  // a conversion that fails
    list.AddMouse("PLAY", "Mouse Move Right");
    list.AddRun("PLAY", "C:\\x.exe");
    list.AddKey("1", "PLAY", "Space", "32", "0", {"player.exe", "remote1"});
    list.AddKey("2", "RIGHT", "Shift + Right", "39", "1", held);
    list.AddKey("1", "BAD", "Right", "39", "0", held);  // held, then the failing row's box
    list.AddMouse("OK", "Left Mouse Click", held);
    list.AddKey("1", "OK", "Esc", "27", "0", onLong);
    list.AddKey("1", "PLAY", "F1", "112", "0", onLong);
    FakeDesktop desktop;
    Keyboard keyboard(desktop, log);
    Mouse mouse(desktop, desktop, log);
    FakeClock clock;
    ClockedTimer pressTimer(clock);
    HeldInput heldInput(keyboard, mouse, clock, [] { return KeyRepeat{250, 33}; });
    FakeMessageBoxes boxes;
    LineFailureReport failures(boxes, log);
    FakeForeground foreground;
    for (std::uintptr_t window = 1; window <= 3; ++window)
        foreground.programs[{window, 7}] = {window == 3 ? "" : "PLAYER.EXE", InputReach::Dropped};
    ForegroundWatch inFront(foreground, log);
    FakeExecutors executors;
    ActionExecutors wired = executors.Wire();
    wired.keyboard = std::bind_front(&Keyboard::Run, &keyboard);
    wired.mouse = std::bind_front(&Mouse::Act, &mouse);
    wired.hold = std::bind_front(&HeldInput::Hold, &heldInput);
    wired.release = std::bind_front(&HeldInput::ReleaseAll, &heldInput);
    ActionDispatch dispatch(list, wired, log, failures, inFront);
    ButtonPresses presses(dispatch, heldInput, clock, pressTimer, 800);
    Latin1CodePage ansi;
    std::size_t lines = 0;
    ButtonMessages buttons(display, failures, log, ansi,
                           [&](const std::string& name, std::int16_t n, const std::string& remote) {
                               if (n < 0) std::abort();  // counts are never negative
                               // The window in front changes now and then.
                               foreground.front = {1 + lines % 3, 7};
                               presses.OnLine(name, n, remote);
                           });
    ServerConnection connection(client, reconnectTimer, display, log);
    connection.SetEndHandler([&] { presses.DropPress(); });
    connection.SetLineHandler([&](const std::string& line) {
        if (line.size() > LineFramer::kMaxLineBytes || line.find('\n') != std::string::npos)
            std::abort();  // framing lets no long line or line feed through
        ++lines;
        buttons.OnLine(line);
    });
    auto passTime = [&](Millis ms) { pressTimer.RunUntil(clock.now + ms); };
    connection.Connect();
    client.Accept();
    while (input.remaining_bytes() > 0) {
        const std::size_t piece = input.ConsumeIntegralInRange<std::size_t>(1, 64);
        client.Send(input.ConsumeBytesAsString(piece));
        passTime(input.ConsumeIntegralInRange<Millis>(0, 600));
        if (input.ConsumeBool() && input.ConsumeBool()) {  // the server goes and comes back
            client.PeerCloses();
            connection.Connect();
            client.Accept();
        }
    }
    // Every executed action came from a line; a line runs at most three rows.
    if (executors.calls.size() > 3 * lines) std::abort();
    // Once the lines stop, silence ends the last press: nothing may stay down.
    passTime(10000);
    if (!StillDown(desktop.calls).empty() || pressTimer.Enabled())
        std::abort();
    return 0;
}
