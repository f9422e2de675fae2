// The connection as a user sees it in the main window: the status text and pictures, and
// one log line per outage and per return of the server, however long each lasts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_under_test.h"
#include "user_settings.h"
#include "user_steps.h"

namespace bw::reader {
// Failure messages show log rows as the reader prints them.
std::ostream& operator<<(std::ostream& out, const LogRow& row) {
    return out << row.kind << ": " << row.text;
}
}  // namespace bw::reader

namespace bw::test {
namespace {

using reader::LogRow;
using reader::MainWindowView;

const std::string kConnectedText =
    "WinLIRC is running. You can assign actions to remote control keys now.";
const std::string kNotRunningText =
    "WinLIRC is not running.  You must run and configure WinLIRC  to use Buttonwise";
const LogRow kOk{"ok", "WinLIRC is running."};
const LogRow kDown{"error", "WinLIRC is not running!"};

// One reconnect tick plus the time a connection takes, with room for a loaded machine.
constexpr int kOneTickMs = 2000 + 1500;

bool Shows(const MainWindowView& v, const std::vector<LogRow>& log) {
    return v.log == log;
}

// The small picture's changes from now on, until `changes` of them were seen.
std::vector<std::string> WatchStatusPicture(const ProgramUnderTest& program, int changes) {
    std::vector<std::string> seen{program.Read().statusPicture};
    program.WaitFor(
        "the status picture to blink",
        [&](const MainWindowView& v) {
            if (v.statusPicture != seen.back()) seen.push_back(v.statusPicture);
            return static_cast<int>(seen.size()) > changes;
        },
        (changes + 1) * kOneTickMs);
    return seen;
}

using ConnectionE2eTest = E2eTest;  // no saved bindings: only the connection's lines

TEST_F(ConnectionE2eTest, OneLineForEachOutageAndEachReturnHoweverLongEachLasts) {
    Server("stop");
    ProgramUnderTest program;
    std::vector<LogRow> expected{kDown};
    auto view = program.WaitFor(
        "the outage report", [](const MainWindowView& v) { return !v.log.empty(); }, kStartMs);
    EXPECT_EQ(view.title, "Buttonwise");
    EXPECT_TRUE(view.visible);
    for (int outage = 1; outage <= 3; ++outage) {
        EXPECT_EQ(view.log, expected) << "outage " << outage;
        EXPECT_EQ(view.status, kNotRunningText);
        EXPECT_EQ(view.serverPicture, "WinLIRC not running");
        // Each change of the small picture is one reconnect tick, refused again.
        const auto blinks = WatchStatusPicture(program, outage == 1 ? 4 : 2);
        if (outage == 1) {
            EXPECT_EQ(blinks, (std::vector<std::string>{"Error", "Searching", "Error", "Searching",
                                                        "Error"}));
        }
        EXPECT_EQ(program.Read().log, expected) << "the retries wrote nothing";
        if (outage == 3) break;

        Server("start");  // in the middle of the retries: connected within one tick
        expected.push_back(kOk);
        view = program.WaitFor(
            "the return of the server", [&](const MainWindowView& v) { return Shows(v, expected); },
            kOneTickMs);
        EXPECT_EQ(view.status, kConnectedText);
        EXPECT_EQ(view.statusPicture, "Connected");
        EXPECT_EQ(view.serverPicture, "WinLIRC running");

        Server("stop");
        expected.push_back(kDown);
        view = program.WaitFor(
            "the outage report", [&](const MainWindowView& v) { return Shows(v, expected); },
            kOneTickMs);
    }
}

}  // namespace
}  // namespace bw::test
