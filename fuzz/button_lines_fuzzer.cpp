// What the server sends, in arrivals of any size and content, through the connection, the
// framing, the parsing and the dispatch of a small list of bindings, one of them for a
// program and a remote.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "actions/action_list.h"
#include "fakes.h"
#include "remote/action_dispatch.h"
#include "remote/button_messages.h"
#include "remote/server_connection.h"

using namespace bw;
using namespace bw::test;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    FakeTcpClient client;
    FakeTimer timer;
    FakeStatusDisplay display;
    RecordingLog log;
    ActionList list(log);
    list.AddKey("1", "PLAY", "F5", "116", "0");
    list.AddKey("3", "TEXT", "Hi 2", "0", "0");
    list.AddKey("2", "BAD", "x", "300", "0");  // a conversion that fails
    list.AddMouse("PLAY", "Mouse Move Right");
    list.AddRun("PLAY", "C:\\x.exe");
    list.AddKey("1", "PLAY", "Space", "32", "0", {"player.exe", "remote1"});
    FakeExecutors executors;
    FakeMessageBoxes boxes;
    LineFailureReport failures(boxes, log);
    FakeForeground foreground;
    for (std::uintptr_t window = 1; window <= 3; ++window)
        foreground.programs[{window, 7}] = {window == 3 ? "" : "PLAYER.EXE", InputReach::Dropped};
    ForegroundWatch inFront(foreground, log);
    ActionDispatch dispatch(list, executors.Wire(), log, failures, inFront);
    Latin1CodePage ansi;
    std::size_t lines = 0;
    ButtonMessages buttons(display, failures, log, ansi,
                           [&](const std::string& name, std::int16_t n, const std::string& remote) {
                               if (n < 0) std::abort();  // counts are never negative
                               // The window in front changes now and then.
                               foreground.front = {1 + lines % 3, 7};
                               dispatch.RunActions(name, n, remote);
                           });
    ServerConnection connection(client, timer, display, log);
    connection.SetLineHandler([&](const std::string& line) {
        if (line.size() > LineFramer::kMaxLineBytes || line.find('\n') != std::string::npos)
            std::abort();  // framing lets no long line or line feed through
        ++lines;
        buttons.OnLine(line);
    });
    connection.Connect();
    client.Accept();
    while (input.remaining_bytes() > 0) {
        const std::size_t piece = input.ConsumeIntegralInRange<std::size_t>(1, 64);
        client.Send(input.ConsumeBytesAsString(piece));
        if (input.ConsumeBool()) {  // the server goes and comes back now and then
            client.PeerCloses();
            connection.Connect();
            client.Accept();
        }
    }
    // Every dispatched action came from a line; a line dispatches at most three of them.
    if (executors.calls.size() > 3 * lines) std::abort();
    return 0;
}
