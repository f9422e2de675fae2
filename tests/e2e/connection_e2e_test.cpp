// Connect and reconnect as a user sees it in the main window: the status text and pictures,
// and one log line per outage and per return of the server, however long each lasts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"

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

const LogRow kOk{"ok", "WinLIRC is running."};
const LogRow kDown{"error", "WinLIRC is not running!"};
// One reconnect tick plus the time a connection takes, with room for a loaded machine.
constexpr int kOneTickMs = 2000 + 1500;

using ConnectionE2eTest = E2eTest;  // no saved bindings: only the connection's lines

TEST_F(ConnectionE2eTest, OneLineForEachOutageAndEachReturnHoweverLongEachLasts) {
    Server("stop");
    ProgramUnderTest program;
    std::vector<LogRow> expected{kDown};
    auto logIs = [&](const MainWindowView& v) { return v.log == expected; };
    MainWindowView view = program.WaitFor("the outage report", logIs, kStartMs);
    EXPECT_EQ(view.title, "Buttonwise");
    for (int outage = 1; outage <= 3; ++outage) {
        EXPECT_EQ(view.status,
                  "WinLIRC is not running.  You must run and configure WinLIRC  to use Buttonwise");
        EXPECT_EQ(view.serverPicture, "WinLIRC not running");
        // Two changes of the small picture are two reconnect ticks, refused again.
        std::vector<std::string> blinks{program.Read().statusPicture};
        program.WaitFor(
            "the status picture to blink",
            [&](const MainWindowView& v) {
                if (v.statusPicture != blinks.back()) blinks.push_back(v.statusPicture);
                return blinks.size() > 2;
            },
            3 * kOneTickMs);
        EXPECT_EQ(program.Read().log, expected) << "the retries wrote nothing";
        if (outage == 3) break;

        Server("start");  // in the middle of the retries: connected within one tick
        expected.push_back(kOk);
        view = program.WaitFor("the return of the server", logIs, kOneTickMs);
        EXPECT_EQ(view.status,
                  "WinLIRC is running. You can assign actions to remote control keys now.");
        EXPECT_EQ(view.statusPicture, "Connected");
        EXPECT_EQ(view.serverPicture, "WinLIRC running");
        Server("stop");
        expected.push_back(kDown);
        view = program.WaitFor("the outage report", logIs, kOneTickMs);
    }
}

}  // namespace
}  // namespace bw::test
