// The remote side: lines framed and parsed, what a line does, the connection and its retries.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "fakes.h"
#include "remote/button_line.h"
#include "remote/button_messages.h"
#include "remote/line_framer.h"
#include "remote/server_connection.h"

namespace bw::test {
namespace {

TEST(ParseButtonLineTest, TakesTheRepeatCountButtonAndRemoteAsTheServerWroteThem) {
    // The count ends at the first non-digit, is 0 without a leading digit, and at most its
    // largest value; two spaces make an empty button name; the remote name may be missing.
    // clang-format off
    const std::pair<const char*, ButtonLine> cases[] = {
        {"000000000000f40b 00 PLAY remote1", {0, "PLAY", "remote1"}}, {"0 0a PLAY r", {10, "PLAY", "r"}},
        {"0 1g X r", {1, "X", "r"}},   {"0 g1 X r", {0, "X", "r"}},   {"0 100 X r", {256, "X", "r"}},
        {"0 7fff X r", {32767, "X", "r"}}, {"0 8000 X r", {32767, "X", "r"}}, {"0 0C VOL+ tv", {12, "VOL+", "tv"}},
        {"0 ffffffffffff X r", {32767, "X", "r"}}, {"0 00  PLAY r", {0, "", "PLAY"}}, {"0 00 PLAY", {0, "PLAY", ""}},
        {"0 05", {5, "", ""}}, {"0 00 PLAY r more", {0, "PLAY", "r"}}, {"0 00 PLAY  r", {0, "PLAY", ""}},
        {"0", {0, "", ""}}, {"", {0, "", ""}}, {"0 00 Grüße r", {0, "Grüße", "r"}},
    };
    // clang-format on
    for (const auto& [line, expected] : cases) EXPECT_EQ(ParseButtonLine(line), expected) << line;
}

TEST(LineFramerTest, GivesEveryWholeLineOnceInOrderWhateverTheReads) {
    const std::string longLine(LineFramer::kMaxLineBytes + 1, 'x'),
        longest(LineFramer::kMaxLineBytes, 'y'), megabyte(1024 * 1024, 'z');
    // The arrivals, and the lines framed: a server's refusal as "full: " and its text.
    // clang-format off
    const std::pair<Strings, Strings> cases[] = {
        {{"c 00 UP r\nc 01 UP r\n"}, {"c 00 UP r", "c 01 UP r"}},  {{"c", " 00", " OK", " r", "\n"}, {"c 00 OK r"}},
        {{"a 00 A r\nb 00 B", " r\n"}, {"a 00 A r", "b 00 B r"}},  {{"\n"}, {""}},  {{longest + "\n"}, {longest}},
        {{"c 00 UP r"}, {}},  // an unfinished line waits
        {{"c 00 UP r\r\n"}, {"c 00 UP r"}},  {{"c 00 UP r\r\r\n"}, {"c 00 UP r\r"}},  // only one CR goes
        {{longLine + "\nc 00 OK r\n"}, {"c 00 OK r"}},  // dropped up to its end
        {{megabyte, megabyte, "\nc 00 OK r\n"}, {"c 00 OK r"}},  // a server without line ends
        {{"BEGIN\nSIGHUP\nEND\nc 00 OK r\n"}, {"c 00 OK r"}},  // a packet
        {{"c 00 A r\nBEG", "IN\r\nLIST\nSUCCESS\nDATA\n1\nc 00 B r\nE", "ND\n", "c 00 C r\n"}, {"c 00 A r", "c 00 C r"}},
        {{"Sorry the server is full.\n"}, {"full: Sorry the server is full."}},
    };
    // clang-format on
    for (const auto& [arrivals, expected] : cases) {
        LineFramer framer;
        Strings lines;
        for (const std::string& bytes : arrivals)
            for (const FramedLine& l : framer.Feed(bytes))
                lines.push_back(l.kind == FramedLine::Kind::Button ? l.text : "full: " + l.text);
        EXPECT_EQ(lines, expected) << arrivals.front().substr(0, 40);
    }
}

struct FakeDialog : LearnMode, Recorder {
    bool open = true;
    bool IsOpen() const override { return open; }
    void Learn(const std::string& b, const std::string& r) override { Record(b + " " + r); }
};

struct ButtonMessagesTest : ::testing::Test, CoreRig {
    FakeStatusDisplay display;
    Latin1CodePage ansi;
    Strings dispatched;
    ButtonMessages buttons{
        display, failures, log, ansi,
        [this](const std::string& name, std::int16_t count, const std::string& remote) {
            dispatched.push_back(name + " " + std::to_string(count) + " " + remote);
        }};
    FakeDialog dialog;
};

TEST_F(ButtonMessagesTest, EveryLineIsDispatchedInUtf8OrAnsiAndEveryThirdCountStepsTheAnimation) {
    for (const char* count : {"00", "02", "03", "04", "05", "06", "0c", "0a", "00", "00", "00"})
        buttons.HandleLine(std::string("0 ") + count + " UP r");
    EXPECT_EQ(display.receiveFrames, (std::vector<int>{1, 2, 3, 4, 5, 6, 1}));
    dispatched.clear();
    buttons.OnLine("000000000000f40b 0a PLAY remote1");
    buttons.OnLine("0 00");  // malformed: an empty button name
    buttons.OnLine("0 00 Gr\xC3\xBC\xC3\x9F r");
    buttons.OnLine("0 00 Gr\xFC\xDF r");
    EXPECT_EQ(dispatched, (Strings{"PLAY 10 remote1", " 0 ", "Gr\xC3\xBC\xC3\x9F 0 r",
                                   "Gr\xC3\xBC\xC3\x9F 0 r"}));
}

TEST_F(ButtonMessagesTest, AnOpenAddActionDialogLearnsEveryButtonAndAFailureThereIsShown) {
    buttons.HandleLine("0 00 PLAY r");  // no dialog yet
    buttons.SetLearnMode(&dialog);
    dialog.open = false;
    buttons.HandleLine("0 00 STOP r");
    dialog.open = true;
    buttons.HandleLine("0 00 UP r");
    buttons.HandleLine("0 00 DOWN r");
    EXPECT_EQ(dialog.calls, (Strings{"UP r", "DOWN r"}));
    // A name with a NUL in it would be saved cut short: refused, learnt and bound nowhere.
    buttons.OnLine(std::string("0 00 UP r\0x", 11));
    buttons.OnLine(std::string("0 00 U\0P r", 10));
    EXPECT_EQ(dispatched.size() + dialog.calls.size(), 6u);
    const std::string refused =
        "\" was refused: a button or remote name in it holds a NUL character.";
    EXPECT_EQ(log.Texts(LogKind::Error),
              (Strings{"The line \"0 00 UP r\\0x" + refused, "The line \"0 00 U\\0P r" + refused}));
    dialog.failOn = Failure(91, "Object variable or With block variable not set");
    buttons.HandleLine("0 00 UP r");
    EXPECT_EQ(dispatched.size(), 4u);
    EXPECT_EQ(boxes.calls, Strings{FailureBox("Object variable or With block variable not set")});
}

const RecordedLine kOkLine{LogKind::OK, kServerRunningLine};
const RecordedLine kDownLine{LogKind::Error, kServerNotRunningLine};

struct ServerConnectionTest : ::testing::Test {
    FakeTcpClient client;
    FakeTimer timer;
    FakeStatusDisplay display;
    RecordingLog log;
    ServerConnection connection{client, timer, display, log};
    Strings received;

    void SetUp() override {
        connection.SetLineHandler([this](const std::string& line) { received.push_back(line); });
    }
    void Connected() {
        connection.Connect();
        client.Accept();
    }
};

// The status at each step is the connection journey's; here, what it cannot see: each attempt
// abandons the one before, and a new outage's blink goes on from where the last one left it.
TEST_F(ServerConnectionTest, RetriesEveryTickClosingFirstAndTheBlinkGoesOnAcrossOutages) {
    EXPECT_EQ(display.text, " ");
    EXPECT_EQ(timer.interval, 2000);
    connection.Connect();
    // Windows takes about a tick to refuse a closed port: a tick leaves the attempt under way,
    // which may yet connect, but says the outage; five ticks without an outcome start anew.
    for (int tick = 1; tick < kTicksBeforeNewAttempt; ++tick) ASSERT_TRUE(timer.Tick());
    EXPECT_EQ(client.calls, (Strings{"close", "connect 127.0.0.1:8765"}));
    EXPECT_EQ(log.lines, LogLines{kDownLine});
    timer.Tick();
    client.Refuse();
    display.statuses.clear();
    for (int tick = 0; tick < 5; ++tick) {
        ASSERT_TRUE(timer.Tick());
        client.Refuse();
    }
    EXPECT_EQ(log.lines, LogLines{kDownLine});
    ASSERT_EQ(client.calls.size(), 14u);
    for (std::size_t i = 0; i < client.calls.size(); i += 2)
        EXPECT_EQ(client.calls[i] + " " + client.calls[i + 1], "close connect 127.0.0.1:8765");
    using enum StatusPicture;
    EXPECT_EQ(display.statuses,
              (std::vector<StatusPicture>{Error, Searching, Error, Searching, Error}));
    client.Accept();
    EXPECT_EQ(std::pair(display.statuses.back(), display.server),
              std::pair(Connected, std::optional(ServerPicture::Running)));
    client.PeerCloses();
    display.statuses.clear();
    timer.Tick();
    EXPECT_EQ(display.statuses, std::vector<StatusPicture>{Searching});
}

// Every state against every event: what was logged and whether it is down afterwards. A
// connect call that fails at once is an outage too, not a box: the ticks go on retrying.
TEST_F(ServerConnectionTest, EveryStateMovesAndLogsAsTheTableSays) {
    const LogLines ok{kOkLine}, down{kDownLine}, none, abort{{LogKind::Error, "Connection abort."}},
        noBuffer{{LogKind::Error, "No buffer space."}};
    const std::string events[] = {"connect", "close", "refused", "error", "failed call"};
    // clang-format off
    const std::pair<std::string, std::array<LogLines, 5>> table[] = {
        {"starting",  {ok, down, down, abort, noBuffer}},
        {"connected", {ok, down, down, abort, noBuffer}},
        {"down",      {ok, none, none, none, none}},
    };
    // clang-format on
    for (const auto& [from, logged] : table)
        for (std::size_t e = 0; e < std::size(events); ++e) {
            FakeTcpClient fresh;
            FakeTimer freshTimer;
            ServerConnection c{fresh, freshTimer, display, log};
            c.Connect();
            if (from == "connected") fresh.Accept();
            if (from == "down") fresh.Refuse();
            log.lines.clear();
            const std::string& event = events[e];
            if (event == "connect") fresh.Accept();
            if (event == "close") fresh.PeerCloses();
            if (event == "refused") fresh.Refuse();
            if (event == "error") fresh.Fail(10053, "Connection abort.");
            if (event == "failed call") {
                fresh.failingCall = "connect";
                fresh.failOn = Failure(10055, "No buffer space.");
                c.Connect();
                freshTimer.Tick();  // still failing: nothing more is said
            }
            const bool isDown = event != "connect";
            EXPECT_EQ(log.lines, logged[e]) << from << " " << event;
            EXPECT_EQ(freshTimer.Enabled(), isDown) << from << " " << event;
            EXPECT_EQ(display.text, isDown ? kNotRunningText : kConnectedText) << from << event;
        }
}

TEST_F(ServerConnectionTest, DataIsHandedOnInOrderWithoutTheOldHalfLineAndAFullServerSaidOnce) {
    Connected();
    client.Send("0f 00 UP r\n0f 01 UP r\n0f 00 PL");
    client.Send(std::string("AY r\r\n\xff\n", 8));
    EXPECT_EQ(received, (Strings{"0f 00 UP r", "0f 01 UP r", "0f 00 PLAY r", "\xff"}));

    // A new connection forgets the old one's half line and open packet.
    received.clear();
    client.Send("0f 00 PL");
    Connected();
    client.Send("BEGIN\nSIG");
    Connected();
    client.Send("0f 00 STOP r\n");
    EXPECT_EQ(received, Strings{"0f 00 STOP r"});

    // The first line's action opens a modal window, in which the next data arrives.
    received.clear();
    connection.SetLineHandler([this](const std::string& line) {
        received.push_back(line);
        if (line == "1") client.Send("3\n");
    });
    client.Send("1\n2\n");
    EXPECT_EQ(received, (Strings{"1", "2", "3"}));

    received.clear();
    auto fullLines = [&] { return std::ranges::count(log.Texts(LogKind::Error), kServerFullLine); };
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
    EXPECT_EQ(received, Strings{"0f 00 PLAY r"});
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
