// Button lines: how arrivals are cut into lines (whatever the reads look like), which lines
// are left out, and how one line is taken apart into button name and repeat count.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "remote/button_line.h"
#include "remote/line_framer.h"

namespace bw::test {
namespace {

struct ParseCase {
    const char* line;
    ButtonLine expected;
};

TEST(ParseButtonLineTest, TakesTheRepeatCountAndButtonNameAsTheServerWroteThem) {
    const ParseCase cases[] = {
        {"000000000000f40b 00 PLAY remote1", {0, "PLAY"}},
        {"000000000000f40b 0a PLAY remote1", {10, "PLAY"}},
        {"000000000000f40b 0C VOL+ remote1", {12, "VOL+"}},
        {"0 1g X r", {1, "X"}},     // the count ends at the first non-digit
        {"0 g1 X r", {0, "X"}},     // no leading digit: 0
        {"0 100 X r", {256, "X"}},  // three digits after 255 repeats
        {"0 7fff X r", {32767, "X"}},
        {"0 8000 X r", {32767, "X"}},  // too large for the count: its largest value
        {"0 ffffffffffff X r", {32767, "X"}},
        {"0 00  PLAY r", {0, ""}},   // two spaces: an empty button name
        {"0 00 PLAY", {0, "PLAY"}},  // no remote name
        {"0 00 PLAY r extra words", {0, "PLAY"}},
        {"0 05", {5, ""}},
        {"0", {0, ""}},
        {"", {0, ""}},
        {"0 00 Grüße r", {0, "Grüße"}},
    };
    for (const ParseCase& c : cases) EXPECT_EQ(ParseButtonLine(c.line), c.expected) << c.line;
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
        {{kLongLine.substr(0, 700), kLongLine.substr(700), "more", "\nc 00 OK r\n"},
         Buttons({"c 00 OK r"})},
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

TEST(LineFramerTest, NewConnectionForgetsHalfLinesAndOpenPackets) {
    LineFramer framer;
    framer.Feed("c 00 HA");
    framer.Reset();
    EXPECT_EQ(framer.Feed("LF r\n"), Buttons({"LF r"}));
    framer.Feed("BEGIN\nSIG");
    framer.Reset();
    EXPECT_EQ(framer.Feed("c 00 OK r\n"), Buttons({"c 00 OK r"}));
}

}  // namespace
}  // namespace bw::test
