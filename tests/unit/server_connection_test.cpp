// The connection to the receiver server: its state table, the once-per-outage report, the
// reconnect ticks with their blinking picture, and failures of the socket calls themselves.
#include "remote/server_connection.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/fake_status_display.h"
#include "fakes/fake_tcp_client.h"
#include "fakes/fake_timer.h"
#include "fakes/recording_log.h"

namespace bw::test {
namespace {

const RecordedLine kOkLine{LogKind::OK, "WinLIRC is running."};
const RecordedLine kDownLine{LogKind::Error, "WinLIRC is not running!"};

class ServerConnectionTest : public ::testing::Test {
  protected:
    FakeTcpClient client;
    FakeTimer timer;
    FakeStatusDisplay display;
    RecordingLog log;
    ServerConnection connection{client, timer, display, log};

    void ExpectConnectedDisplay() {
        EXPECT_EQ(display.text, kConnectedText);
        EXPECT_EQ(display.status, StatusPicture::Connected);
        EXPECT_EQ(display.server, ServerPicture::Running);
        EXPECT_FALSE(timer.Enabled());
        EXPECT_EQ(connection.ErrorCount(), 0);
    }
    void ExpectDownDisplay() {
        EXPECT_EQ(display.text, kNotRunningText);
        EXPECT_EQ(display.server, ServerPicture::NotRunning);
        EXPECT_TRUE(timer.Enabled());
        EXPECT_EQ(connection.ErrorCount(), 1);
    }
};

TEST_F(ServerConnectionTest, StartsBlankSearchingWithTimerOffAndConnectsToTheFixedEndpoint) {
    EXPECT_EQ(display.text, " ");
    EXPECT_EQ(display.status, StatusPicture::Searching);
    EXPECT_EQ(display.server, ServerPicture::Running);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.interval, 2000);

    connection.Connect2WinLIRC();

    EXPECT_EQ(client.calls, (std::vector<std::string>{"close", "connect 127.0.0.1:8765"}));
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(display.text, " ");
}

TEST_F(ServerConnectionTest, ServerAbsentReportsOnceAndRetriesOnEveryTickWithBlinkingPicture) {
    connection.Connect2WinLIRC();
    client.Refuse();
    ASSERT_EQ(log.lines, std::vector<RecordedLine>{kDownLine});
    ExpectDownDisplay();
    EXPECT_EQ(display.status, StatusPicture::Error);

    display.statusHistory.clear();
    for (int tick = 0; tick < 6; ++tick) {
        ASSERT_TRUE(timer.Tick());
        client.Refuse();
    }

    EXPECT_EQ(log.lines, std::vector<RecordedLine>{kDownLine});
    EXPECT_EQ(client.Attempts(), 7);
    // Every attempt abandons the previous one first.
    for (std::size_t i = 0; i + 1 < client.calls.size(); i += 2) {
        EXPECT_EQ(client.calls[i], "close");
        EXPECT_EQ(client.calls[i + 1], "connect 127.0.0.1:8765");
    }
    using enum StatusPicture;
    EXPECT_EQ(display.statusHistory,
              (std::vector<StatusPicture>{Searching, Error, Searching, Error, Searching, Error}));
    ExpectDownDisplay();
}

TEST_F(ServerConnectionTest, BlinkGoesOnFromWhereTheLastOutageLeftIt) {
    connection.Connect2WinLIRC();
    client.Refuse();
    timer.Tick();  // searching; the next would show the error picture
    client.Accept();
    EXPECT_TRUE(connection.BlinkOn());

    client.PeerCloses();
    display.statusHistory.clear();
    timer.Tick();
    EXPECT_EQ(display.statusHistory, std::vector<StatusPicture>{StatusPicture::Error});
    EXPECT_FALSE(connection.BlinkOn());
}

// Every state against every event: the state afterwards and what was logged.
enum class State { Starting, Connected, Down };
enum class Event { Connect, Close, Refused, OtherError };

struct Transition {
    State from;
    Event event;
    State to;
    std::vector<RecordedLine> logged;
};

std::string NameOf(const Transition& t) {
    const char* states[] = {"Starting", "Connected", "Down"};
    const char* events[] = {"Connect", "Close", "Refused", "OtherError"};
    return std::string(states[static_cast<int>(t.from)]) + "_" + events[static_cast<int>(t.event)];
}

void PrintTo(const Transition& t, std::ostream* out) {
    *out << NameOf(t);
}

class TransitionTest : public ServerConnectionTest,
                       public ::testing::WithParamInterface<Transition> {};

TEST_P(TransitionTest, MovesAndLogsAsTheTableSays) {
    const Transition& t = GetParam();
    connection.Connect2WinLIRC();
    if (t.from == State::Connected) client.Accept();
    if (t.from == State::Down) client.Refuse();
    log.lines.clear();

    switch (t.event) {
        case Event::Connect:
            client.Accept();
            break;
        case Event::Close:
            client.PeerCloses();
            break;
        case Event::Refused:
            client.Refuse();
            break;
        case Event::OtherError:
            client.Fail(10053, "Software caused connection abort.");
            break;
    }

    EXPECT_EQ(log.lines, t.logged);
    if (t.to == State::Connected) ExpectConnectedDisplay();
    if (t.to == State::Down) ExpectDownDisplay();
}

const RecordedLine kAbortLine{LogKind::Error, "Software caused connection abort."};

INSTANTIATE_TEST_SUITE_P(
    StateTable, TransitionTest,
    ::testing::Values(Transition{State::Starting, Event::Connect, State::Connected, {kOkLine}},
                      Transition{State::Starting, Event::Close, State::Down, {kDownLine}},
                      Transition{State::Starting, Event::Refused, State::Down, {kDownLine}},
                      Transition{State::Starting, Event::OtherError, State::Down, {kAbortLine}},
                      Transition{State::Connected, Event::Connect, State::Connected, {kOkLine}},
                      Transition{State::Connected, Event::Close, State::Down, {kDownLine}},
                      Transition{State::Connected, Event::Refused, State::Down, {kDownLine}},
                      Transition{State::Connected, Event::OtherError, State::Down, {kAbortLine}},
                      Transition{State::Down, Event::Connect, State::Connected, {kOkLine}},
                      Transition{State::Down, Event::Close, State::Down, {}},
                      Transition{State::Down, Event::Refused, State::Down, {}},
                      Transition{State::Down, Event::OtherError, State::Down, {}}),
    [](const ::testing::TestParamInfo<Transition>& info) { return NameOf(info.param); });

TEST_F(ServerConnectionTest, FailingConnectCallIsAnOutageAndTheNextTickRetries) {
    client.failConnect = Failure(10055,
                                 "An operation on a socket could not be performed because "
                                 "the system lacked sufficient buffer space.");
    connection.Connect2WinLIRC();

    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].kind, LogKind::Error);
    EXPECT_EQ(log.lines[0].text, client.failConnect->Description());
    ExpectDownDisplay();

    timer.Tick();  // still failing: nothing more is logged, the retries go on
    EXPECT_EQ(log.lines.size(), 1u);
    EXPECT_TRUE(timer.Enabled());

    client.failConnect.reset();
    timer.Tick();
    client.Accept();
    EXPECT_EQ(log.lines.back(), kOkLine);
    ExpectConnectedDisplay();
}

TEST_F(ServerConnectionTest, FailingCloseWhileConnectedIsAnOutageToo) {
    connection.Connect2WinLIRC();
    client.Accept();
    client.failClose = Failure(10093,
                               "Either the application has not called WSAStartup, or "
                               "WSAStartup failed.");
    connection.Connect2WinLIRC();

    EXPECT_EQ(log.lines.back().text, client.failClose->Description());
    ExpectDownDisplay();
    EXPECT_EQ(client.calls.back(), "close");  // no connect after a failed close
}

TEST_F(ServerConnectionTest, ArrivingDataIsDrainedAndHandedOnLineByLine) {
    connection.Connect2WinLIRC();
    client.Accept();
    client.Send("no handler yet\n");
    EXPECT_EQ(client.calls.back(), "read");

    std::vector<std::string> received;
    connection.SetLineHandler([&](const std::string& line) { received.push_back(line); });
    client.Send("0f 00 UP r\n0f 01 UP r\n0f 00 PL");
    client.Send(std::string("AY r\r\n\xff\n", 8));
    EXPECT_EQ(received,
              (std::vector<std::string>{"0f 00 UP r", "0f 01 UP r", "0f 00 PLAY r", "\xff"}));
    EXPECT_EQ(log.lines, std::vector<RecordedLine>{kOkLine});
}

TEST_F(ServerConnectionTest, ANewConnectionDropsTheHalfLineOfTheOldOne) {
    std::vector<std::string> received;
    connection.SetLineHandler([&](const std::string& line) { received.push_back(line); });
    connection.Connect2WinLIRC();
    client.Accept();
    client.Send("0f 00 PL");
    connection.Connect2WinLIRC();
    client.Accept();
    client.Send("0f 00 STOP r\n");
    EXPECT_EQ(received, std::vector<std::string>{"0f 00 STOP r"});
}

TEST_F(ServerConnectionTest, LinesArrivingInsideAHandlersModalLoopKeepTheirOrder) {
    std::vector<std::string> received;
    connection.SetLineHandler([&](const std::string& line) {
        received.push_back(line);
        // The first line's action opens a modal window, in which the next data arrives.
        if (line == "1") client.Send("3\n");
    });
    connection.Connect2WinLIRC();
    client.Accept();
    client.Send("1\n2\n");
    EXPECT_EQ(received, (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(ServerConnectionTest, AFullServerIsOneErrorLineNotAButtonAndNotOnEveryRetry) {
    std::vector<std::string> received;
    connection.SetLineHandler([&](const std::string& line) { received.push_back(line); });
    const RecordedLine full{LogKind::Error, "Sorry the server is full."};
    for (int attempt = 0; attempt < 3; ++attempt) {
        connection.Connect2WinLIRC();
        client.Accept();
        client.Send("Sorry the server is full.\n");
        client.PeerCloses();
    }
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(), full), 1);

    // Once a place freed up and the server spoke, a later refusal is news again.
    connection.Connect2WinLIRC();
    client.Accept();
    client.Send("0f 00 PLAY r\nSorry the server is full.\n");
    EXPECT_EQ(received, std::vector<std::string>{"0f 00 PLAY r"});
    EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(), full), 2);

    // So is one after a connection that was kept without a word, however it ended.
    for (bool byRetry : {false, true}) {
        connection.Connect2WinLIRC();
        client.Accept();
        if (!byRetry) client.PeerCloses();
        connection.Connect2WinLIRC();
        client.Accept();
        client.Send("Sorry the server is full.\n");
        client.PeerCloses();
    }
    EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(), full), 4);
}

}  // namespace
}  // namespace bw::test
