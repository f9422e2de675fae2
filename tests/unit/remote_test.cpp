// The remote side: how arrivals are cut into lines and taken apart into button and count,
// what one line does in the main window (animation, the Add Action hand-off, the dispatch
// with its guard, the bytes' encoding), and the connection to the server: its state table,
// the once-per-outage report, the reconnect ticks, and the lines it hands on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/fake_message_boxes.h"
#include "fakes/fake_program_folder.h"
#include "fakes/fake_status_display.h"
#include "fakes/fake_tcp_client.h"
#include "fakes/fake_timer.h"
#include "fakes/recording_log.h"
#include "platform/failure.h"
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
        {"0 7fff X r", {32767, "X", "r"}}, {"0 8000 X r", {32767, "X", "r"}},
        {"0 ffffffffffff X r", {32767, "X", "r"}}, {"0 0C VOL+ tv", {12, "VOL+", "tv"}},
        {"0 00  PLAY r", {0, "", "PLAY"}}, {"0 00 PLAY", {0, "PLAY", ""}}, {"0 05", {5, "", ""}},
        {"0 00 PLAY r more", {0, "PLAY", "r"}}, {"0 00 PLAY  r", {0, "PLAY", ""}},
        {"0", {0, "", ""}}, {"", {0, "", ""}}, {"0 00 Grüße r", {0, "Grüße", "r"}},
    };
    // clang-format on
    for (const auto& [line, expected] : cases) EXPECT_EQ(ParseButtonLine(line), expected) << line;
}

using Kind = FramedLine::Kind;

std::vector<FramedLine> FeedAll(LineFramer& framer, const std::vector<std::string>& arrivals) {
    std::vector<FramedLine> lines;
    for (const std::string& bytes : arrivals)
        for (FramedLine& line : framer.Feed(bytes)) lines.push_back(std::move(line));
    return lines;
}

std::vector<FramedLine> Buttons(const std::vector<std::string>& texts) {
    std::vector<FramedLine> lines;
    for (const std::string& t : texts) lines.push_back({Kind::Button, t});
    return lines;
}

const std::string kLongLine(LineFramer::kMaxLineBytes + 1, 'x');
const std::string kLongestLine(LineFramer::kMaxLineBytes, 'y');
const std::string kMegabyte(1024 * 1024, 'z');  // a server without line ends

TEST(LineFramerTest, GivesEveryWholeLineOnceInOrderWhateverTheReads) {
    const struct {
        std::vector<std::string> arrivals;
        std::vector<FramedLine> expected;
    } cases[] = {
        {{"c 00 UP r\n"}, Buttons({"c 00 UP r"})},
        {{"c 00 UP r\nc 01 UP r\n"}, Buttons({"c 00 UP r", "c 01 UP r"})},
        {{"c", " 00", " OK", " r", "\n"}, Buttons({"c 00 OK r"})},
        {{"a 00 A r\nb 00 B", " r\n"}, Buttons({"a 00 A r", "b 00 B r"})},
        {{"c 00 UP r"}, {}},  // an unfinished line waits
        {{"c 00 UP r\r\n"}, Buttons({"c 00 UP r"})},
        {{"c 00 UP r\r\r\n"}, Buttons({"c 00 UP r\r"})},  // only one CR goes
        {{"\n"}, Buttons({""})},
        {{kLongLine + "\nc 00 OK r\n"}, Buttons({"c 00 OK r"})},  // dropped up to its end
        {{kMegabyte, kMegabyte, "\nc 00 OK r\n"}, Buttons({"c 00 OK r"})},
        {{kLongestLine + "\n"}, Buttons({kLongestLine})},
        {{"BEGIN\nSIGHUP\nEND\nc 00 OK r\n"}, Buttons({"c 00 OK r"})},  // a packet
        {{"c 00 A r\nBEG", "IN\r\nLIST\nSUCCESS\nDATA\n1\nc 00 B r\nE", "ND\n", "c 00 C r\n"},
         Buttons({"c 00 A r", "c 00 C r"})},
        {{"Sorry the server is full.\n"}, {{Kind::ServerFull, "Sorry the server is full."}}},
    };
    for (const auto& c : cases) {
        LineFramer framer;
        EXPECT_EQ(FeedAll(framer, c.arrivals), c.expected) << c.arrivals.front().substr(0, 40);
    }
}

using Texts = std::vector<std::string>;

class FakeDialog : public LearnMode {
  public:
    bool open = true, fail = false;
    Texts learnt;
    bool IsOpen() const override { return open; }
    void Learn(const std::string& name, const std::string& remote) override {
        if (fail) throw Failure(91, "Object variable or With block variable not set");
        learnt.push_back(name + " " + remote);
    }
};

class ButtonMessagesTest : public ::testing::Test {
  protected:
    FakeStatusDisplay display;
    FakeMessageBoxes boxes;
    RecordingLog log;
    LineFailureReport failures{boxes, log};
    Latin1CodePage ansi;
    Texts dispatched;
    ButtonMessages buttons{
        display, failures, log, ansi,
        [this](const std::string& name, std::int16_t count, const std::string& remote) {
            dispatched.push_back(name + " " + std::to_string(count) + " " + remote);
        }};
    FakeDialog dialog;
};

TEST_F(ButtonMessagesTest, EveryLineIsDispatchedWithItsButtonAndCountInUtf8OrTheAnsiCodePage) {
    buttons.OnLine("000000000000f40b 0a PLAY remote1");
    buttons.OnLine("0 00");  // malformed: an empty button name
    buttons.OnLine("0 00 Gr\xC3\xBC\xC3\x9F r");
    buttons.OnLine("0 00 Gr\xFC\xDF r");
    EXPECT_EQ(dispatched, (Texts{"PLAY 10 remote1", " 0 ", "Gr\xC3\xBC\xC3\x9F 0 r",
                                 "Gr\xC3\xBC\xC3\x9F 0 r"}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ButtonMessagesTest, TheAnimationStepsOnEveryThirdCountAndCyclesThroughSixFrames) {
    for (int count = 0; count <= 6; ++count)
        buttons.HandleLine("0 0" + std::to_string(count) + " UP r");
    EXPECT_EQ(display.receiveFrames, (std::vector<int>{1, 2, 3}));
    buttons.HandleLine("0 0c UP r");
    buttons.HandleLine("0 0a UP r");  // 10: no step
    for (int press = 0; press < 3; ++press) buttons.HandleLine("0 00 UP r");
    EXPECT_EQ(display.receiveFrames, (std::vector<int>{1, 2, 3, 4, 5, 6, 1}));
}

TEST_F(ButtonMessagesTest, AnOpenAddActionDialogLearnsEveryButtonAndAFailureThereIsShown) {
    buttons.HandleLine("0 00 PLAY r");  // no dialog yet
    buttons.SetLearnMode(&dialog);
    dialog.open = false;
    buttons.HandleLine("0 00 STOP r");
    dialog.open = true;
    buttons.HandleLine("0 00 UP r");
    buttons.HandleLine("0 00 DOWN r");
    EXPECT_EQ(dialog.learnt, (Texts{"UP r", "DOWN r"}));
    EXPECT_EQ(dispatched.size(), 4u);
    // A name with a NUL in it would be saved cut short: refused, learnt and bound nowhere.
    buttons.OnLine(std::string("0 00 UP r\0x", 11));
    buttons.OnLine(std::string("0 00 U\0P r", 10));
    EXPECT_EQ(dispatched.size() + dialog.learnt.size(), 6u);
    EXPECT_EQ(log.lines,
              (std::vector<RecordedLine>{{LogKind::Error,
                                          "The line \"0 00 UP r\\0x\" was refused: a button or "
                                          "remote name in it holds a NUL character."},
                                         {LogKind::Error,
                                          "The line \"0 00 U\\0P r\" was refused: a button or "
                                          "remote name in it holds a NUL character."}}));
    // A failing dialog shows a box and the line is not dispatched.
    dialog.fail = true;
    buttons.HandleLine("0 00 UP r");
    EXPECT_EQ(dispatched.size(), 4u);
    EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{{"Object variable or With block variable not set",
                                                   "Error happened", 0x10}}));
}

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
        connection.Connect();
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
    connection.Connect();
    // Windows takes about a tick to refuse a closed port: a tick never cancels the attempt
    // under way, which may yet connect, but the outage is said at the first one; an attempt
    // without an outcome for five ticks is given up for a new one.
    for (int tick = 1; tick < kTicksBeforeNewAttempt; ++tick) ASSERT_TRUE(timer.Tick());
    EXPECT_EQ(client.calls, (Lines{"close", "connect 127.0.0.1:8765"}));
    EXPECT_EQ(log.lines, std::vector<RecordedLine>{kDownLine});
    timer.Tick();
    client.Refuse();
    display.statusHistory.clear();
    for (int tick = 0; tick < 5; ++tick) {
        ASSERT_TRUE(timer.Tick());
        client.Refuse();
    }
    EXPECT_EQ(log.lines, std::vector<RecordedLine>{kDownLine});
    ASSERT_EQ(client.calls.size(), 14u);
    for (std::size_t i = 0; i < client.calls.size(); i += 2)
        EXPECT_EQ(client.calls[i] + " " + client.calls[i + 1], "close connect 127.0.0.1:8765");
    using enum StatusPicture;
    EXPECT_EQ(display.statusHistory,
              (std::vector<StatusPicture>{Error, Searching, Error, Searching, Error}));
    client.Accept();
    EXPECT_TRUE(ShowsConnected());
    client.PeerCloses();
    display.statusHistory.clear();
    timer.Tick();
    EXPECT_EQ(display.statusHistory, std::vector<StatusPicture>{Searching});
}

// Every state against every event: what was logged and whether it is down afterwards. A
// connect call that fails at once is an outage too, not a box: the ticks go on retrying.
TEST_F(ServerConnectionTest, EveryStateMovesAndLogsAsTheTableSays) {
    const std::vector<RecordedLine> ok{kOkLine}, down{kDownLine}, abort{kAbortLine}, none,
        noBuffer{{LogKind::Error, "No buffer space."}};
    const struct {
        const char *from, *event;
        const std::vector<RecordedLine>& logged;
    } table[] = {
        {"starting", "connect", ok},
        {"starting", "close", down},
        {"starting", "refused", down},
        {"starting", "error", abort},
        {"connected", "connect", ok},
        {"connected", "close", down},
        {"connected", "refused", down},
        {"connected", "error", abort},
        {"down", "connect", ok},
        {"down", "close", none},
        {"down", "refused", none},
        {"down", "error", none},
        {"starting", "failed call", noBuffer},
        {"down", "failed call", none},
    };
    for (const auto& t : table) {
        FakeTcpClient fresh;
        FakeTimer freshTimer;
        ServerConnection c{fresh, freshTimer, display, log};
        c.Connect();
        if (t.from == std::string("connected")) fresh.Accept();
        if (t.from == std::string("down")) fresh.Refuse();
        log.lines.clear();
        const std::string event = t.event;
        if (event == "connect") fresh.Accept();
        if (event == "close") fresh.PeerCloses();
        if (event == "refused") fresh.Refuse();
        if (event == "error") fresh.Fail(10053, kAbortLine.text);
        if (event == "failed call") {
            fresh.failConnect = Failure(10055, "No buffer space.");
            c.Connect();
            freshTimer.Tick();  // still failing: nothing more is said
        }
        const bool isDown = event != "connect";
        EXPECT_EQ(log.lines, t.logged) << t.from << " " << event;
        EXPECT_EQ(freshTimer.Enabled(), isDown) << t.from << " " << event;
        EXPECT_EQ(display.text, isDown ? kNotRunningText : kConnectedText)
            << t.from << " " << event;
    }
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
