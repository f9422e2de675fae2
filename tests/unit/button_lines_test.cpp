// Button lines: how arrivals are cut into lines (whatever the reads look like), which lines
// are left out, how one line is taken apart into button name and repeat count, and what one
// line does in the main window: the receive animation, the hand-off to the Add Action dialog
// while it learns a button, the dispatch with its failure guard, and the bytes' encoding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_message_boxes.h"
#include "fakes/fake_program_folder.h"
#include "fakes/fake_status_display.h"
#include "fakes/recording_log.h"
#include "platform/failure.h"
#include "remote/button_line.h"
#include "remote/button_messages.h"
#include "remote/line_framer.h"

namespace bw::test {
namespace {

TEST(ParseButtonLineTest, TakesTheRepeatCountAndButtonNameAsTheServerWroteThem) {
    // The count ends at the first non-digit, is 0 without a leading digit, and at most its
    // largest value; two spaces make an empty button name; the remote name may be missing.
    // clang-format off
    const std::pair<const char*, ButtonLine> cases[] = {
        {"000000000000f40b 00 PLAY remote1", {0, "PLAY"}}, {"000000000000f40b 0a PLAY r", {10, "PLAY"}},
        {"000000000000f40b 0C VOL+ remote1", {12, "VOL+"}}, {"0 1g X r", {1, "X"}},
        {"0 g1 X r", {0, "X"}},            {"0 100 X r", {256, "X"}},  {"0 7fff X r", {32767, "X"}},
        {"0 8000 X r", {32767, "X"}},      {"0 ffffffffffff X r", {32767, "X"}},
        {"0 00  PLAY r", {0, ""}},         {"0 00 PLAY", {0, "PLAY"}}, {"0 00 PLAY r more", {0, "PLAY"}},
        {"0 05", {5, ""}},   {"0", {0, ""}},   {"", {0, ""}},   {"0 00 Grüße r", {0, "Grüße"}},
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
    void Learn(const std::string& name) override {
        if (fail) throw Failure(91, "Object variable or With block variable not set");
        learnt.push_back(name);
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
    ButtonMessages buttons{display, failures, ansi,
                           [this](const std::string& name, std::int16_t count) {
                               dispatched.push_back(name + " " + std::to_string(count));
                           }};
    FakeDialog dialog;
};

TEST_F(ButtonMessagesTest, EveryLineIsDispatchedWithItsButtonAndCountInUtf8OrTheAnsiCodePage) {
    buttons.OnLine("000000000000f40b 0a PLAY remote1");
    buttons.OnLine("0 00");  // malformed: an empty button name
    buttons.OnLine("0 00 Gr\xC3\xBC\xC3\x9F r");
    buttons.OnLine("0 00 Gr\xFC\xDF r");
    EXPECT_EQ(dispatched, (Texts{"PLAY 10", " 0", "Gr\xC3\xBC\xC3\x9F 0", "Gr\xC3\xBC\xC3\x9F 0"}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ButtonMessagesTest, TheAnimationStepsOnEveryThirdCountAndCyclesThroughSixFrames) {
    for (int count = 0; count <= 6; ++count)
        buttons.ProcessKeys("0 0" + std::to_string(count) + " UP r");
    EXPECT_EQ(display.receiveFrames, (std::vector<int>{1, 2, 3}));
    buttons.ProcessKeys("0 0c UP r");
    buttons.ProcessKeys("0 0a UP r");  // 10: no step
    for (int press = 0; press < 3; ++press) buttons.ProcessKeys("0 00 UP r");
    EXPECT_EQ(display.receiveFrames, (std::vector<int>{1, 2, 3, 4, 5, 6, 1}));
}

TEST_F(ButtonMessagesTest, AnOpenAddActionDialogLearnsEveryButtonAndAFailureThereIsShown) {
    buttons.ProcessKeys("0 00 PLAY r");  // no dialog yet
    buttons.SetLearnMode(&dialog);
    dialog.open = false;
    buttons.ProcessKeys("0 00 STOP r");
    dialog.open = true;
    buttons.ProcessKeys("0 00 UP r");
    buttons.ProcessKeys("0 00 DOWN r");
    EXPECT_EQ(dialog.learnt, (Texts{"UP", "DOWN"}));
    EXPECT_EQ(dispatched.size(), 4u);

    // A failing dialog shows a box and the line is not dispatched.
    dialog.fail = true;
    buttons.ProcessKeys("0 00 UP r");
    EXPECT_EQ(dispatched.size(), 4u);
    EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{{"Object variable or With block variable not set",
                                                   "Error happened", 0x10}}));
}

}  // namespace
}  // namespace bw::test
