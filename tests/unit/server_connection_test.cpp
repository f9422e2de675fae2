// The connection to the receiver server: its state table, the once-per-outage report, the
// reconnect ticks with their blinking picture, failures of the socket calls themselves,
// and the lines it hands on.
#include "remote/server_connection.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/fake_status_display.h"
#include "fakes/fake_tcp_client.h"
#include "fakes/fake_timer.h"
#include "fakes/recording_log.h"

namespace bw::test {
namespace {

using Lines = std::vector<std::string>;
const RecordedLine kOkLine{LogKind::OK, "WinLIRC is running."};
const RecordedLine kDownLine{LogKind::Error, "WinLIRC is not running!"};
const RecordedLine kAbortLine{LogKind::Error, "Software caused connection abort."};

class ServerConnectionTest : public ::testing::Test {
  protected:
    FakeTcpClient client;
    FakeTimer timer;
    FakeStatusDisplay display;
    RecordingLog log;
    ServerConnection connection{client, timer, display, log};
    Lines received;

    void SetUp() override {
        connection.SetLineHandler([this](const std::string& line) { received.push_back(line); });
    }
    void Connected() {
        connection.Connect2WinLIRC();
        client.Accept();
    }
    bool ShowsConnected() const {
        return display.text == kConnectedText && display.status == StatusPicture::Connected &&
               display.server == ServerPicture::Running && !timer.Enabled();
    }
    bool ShowsDown() const {
        return display.text == kNotRunningText && display.server == ServerPicture::NotRunning &&
               timer.Enabled();
    }
};

// What the status shows at each step is what the end-to-end connection journey reads; here,
// what it cannot see: each attempt abandons the one before, and a new outage's blink goes
// on from where the last one left it.
TEST_F(ServerConnectionTest, RetriesEveryTickClosingFirstAndTheBlinkGoesOnAcrossOutages) {
    EXPECT_EQ(display.text, " ");
    EXPECT_EQ(timer.interval, 2000);
    connection.Connect2WinLIRC();
    client.Refuse();
    display.statusHistory.clear();
    for (int tick = 0; tick < 5; ++tick) {
        ASSERT_TRUE(timer.Tick());
        client.Refuse();
    }
    EXPECT_EQ(log.lines, std::vector<RecordedLine>{kDownLine});
    ASSERT_EQ(client.calls.size(), 12u);
    for (std::size_t i = 0; i < client.calls.size(); i += 2)
        EXPECT_EQ(client.calls[i] + " " + client.calls[i + 1], "close connect 127.0.0.1:8765");
    using enum StatusPicture;
    EXPECT_EQ(display.statusHistory,
              (std::vector<StatusPicture>{Searching, Error, Searching, Error, Searching}));
    client.Accept();
    EXPECT_TRUE(ShowsConnected());
    client.PeerCloses();
    display.statusHistory.clear();
    timer.Tick();
    EXPECT_EQ(display.statusHistory, std::vector<StatusPicture>{Error});
}

// Every state against every event: what was logged and whether it is down afterwards.
TEST_F(ServerConnectionTest, EveryStateMovesAndLogsAsTheTableSays) {
    const std::vector<RecordedLine> ok{kOkLine}, down{kDownLine}, abort{kAbortLine}, none;
    const struct {
        const char *from, *event;
        const std::vector<RecordedLine>& logged;
    } table[] = {
        {"starting", "connect", ok},    {"starting", "close", down},
        {"starting", "refused", down},  {"starting", "error", abort},
        {"connected", "connect", ok},   {"connected", "close", down},
        {"connected", "refused", down}, {"connected", "error", abort},
        {"down", "connect", ok},        {"down", "close", none},
        {"down", "refused", none},      {"down", "error", none},
    };
    for (const auto& t : table) {
        FakeTcpClient fresh;
        FakeTimer freshTimer;
        ServerConnection c{fresh, freshTimer, display, log};
        c.Connect2WinLIRC();
        if (t.from == std::string("connected")) fresh.Accept();
        if (t.from == std::string("down")) fresh.Refuse();
        log.lines.clear();
        const std::string event = t.event;
        if (event == "connect") fresh.Accept();
        if (event == "close") fresh.PeerCloses();
        if (event == "refused") fresh.Refuse();
        if (event == "error") fresh.Fail(10053, kAbortLine.text);
        const bool isDown = event != "connect";
        EXPECT_EQ(log.lines, t.logged) << t.from << " " << event;
        EXPECT_EQ(freshTimer.Enabled(), isDown) << t.from << " " << event;
        EXPECT_EQ(display.text, isDown ? kNotRunningText : kConnectedText)
            << t.from << " " << event;
    }
}

TEST_F(ServerConnectionTest, AFailingConnectOrCloseCallIsAnOutageAndTheTicksRetry) {
    client.failConnect = Failure(10055, "No buffer space.");
    connection.Connect2WinLIRC();
    EXPECT_EQ(log.lines, (std::vector<RecordedLine>{{LogKind::Error, "No buffer space."}}));
    EXPECT_TRUE(ShowsDown());
    timer.Tick();  // still failing: nothing more is logged, the retries go on
    EXPECT_EQ(log.lines.size(), 1u);
    client.failConnect.reset();
    timer.Tick();
    client.Accept();
    EXPECT_EQ(log.lines.back(), kOkLine);
    EXPECT_TRUE(ShowsConnected());
}

TEST_F(ServerConnectionTest, DataIsDrainedAndHandedOnInOrderWithoutTheOldConnectionsHalfLine) {
    Connected();
    client.Send("0f 00 UP r\n0f 01 UP r\n0f 00 PL");
    client.Send(std::string("AY r\r\n\xff\n", 8));
    EXPECT_EQ(client.calls.back(), "read");
    EXPECT_EQ(received, (Lines{"0f 00 UP r", "0f 01 UP r", "0f 00 PLAY r", "\xff"}));

    // A new connection forgets the old one's half line and open packet.
    received.clear();
    client.Send("0f 00 PL");
    Connected();
    client.Send("BEGIN\nSIG");
    Connected();
    client.Send("0f 00 STOP r\n");
    EXPECT_EQ(received, Lines{"0f 00 STOP r"});

    // The first line's action opens a modal window, in which the next data arrives.
    received.clear();
    connection.SetLineHandler([this](const std::string& line) {
        received.push_back(line);
        if (line == "1") client.Send("3\n");
    });
    client.Send("1\n2\n");
    EXPECT_EQ(received, (Lines{"1", "2", "3"}));
}

TEST_F(ServerConnectionTest, AFullServerIsOneErrorLineNotAButtonAndNotOnEveryRetry) {
    const RecordedLine full{LogKind::Error, "Sorry the server is full."};
    auto fullLines = [&] { return std::count(log.lines.begin(), log.lines.end(), full); };
    for (int attempt = 0; attempt < 3; ++attempt) {
        Connected();
        client.Send("Sorry the server is full.\n");
        client.PeerCloses();
    }
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(fullLines(), 1);

    // Once a place freed up and the server spoke, a later refusal is news again.
    Connected();
    client.Send("0f 00 PLAY r\nSorry the server is full.\n");
    EXPECT_EQ(received, Lines{"0f 00 PLAY r"});
    EXPECT_EQ(fullLines(), 2);

    // So is one after a connection that was kept without a word, however it ended.
    for (bool byRetry : {false, true}) {
        Connected();
        if (!byRetry) client.PeerCloses();
        Connected();
        client.Send("Sorry the server is full.\n");
        client.PeerCloses();
    }
    EXPECT_EQ(fullLines(), 4);
}

}  // namespace
}  // namespace bw::test
