// Saved bindings as a user meets them: they load at start, and a bound button types into
// the window in front, however the server's writes cut the lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "probe_window.h"
#include "program_under_test.h"
#include "ui/win32/control_ids.h"
#include "user_settings.h"
#include "user_steps.h"

namespace bw::test {
namespace {

using reader::ActionRowView;
using reader::LogRow;
using reader::MainWindowView;

std::string Line(const std::string& button, int repeat = 0) {
    char count[8];
    std::snprintf(count, sizeof count, "%02x", repeat);
    return "000000000000f40b " + std::string(count) + " " + button + " remote1\n";
}

// A predefined key, a text and a custom key with Ctrl, as the Add Action dialog saves them.
const std::map<std::string, std::string> kThreeRows = {
    {"#ListCount", "3"},  {"RemoteKey1", "PLAY"},
    {"ActionType1", "1"}, {"ActionName1", "F5"},
    {"KeyCode1", "116"},  {"KeyShift1", "0"},
    {"KeyType1", "1"},    {"RemoteKey2", "TEXT"},
    {"ActionType2", "1"}, {"ActionName2", "Hi 2"},
    {"KeyCode2", "0"},    {"KeyShift2", "0"},
    {"KeyType2", "3"},    {"RemoteKey3", "CUSTOM"},
    {"ActionType3", "1"}, {"ActionName3", "Ctrl + Home"},
    {"KeyCode3", "36"},   {"KeyShift3", "2"},
    {"KeyType3", "2"},
};

const char* kF5 = "v116 ^116";
const char* kHi2 = "v16 v72 ^72 ^16 v73 ^73 v32 ^32 v50 ^50";
const char* kCtrlHome = "v17 v36 ^36 ^17";

using BindingsE2eTest = E2eTest;

TEST_F(BindingsE2eTest, SavedBindingsLoadAndEachWholeLineOfABoundButtonTypesItsKeysOnce) {
    UserSettings::Write(kThreeRows);
    ProgramUnderTest program;
    const MainWindowView view = program.WaitFor("the connection", Connected, kStartMs);

    ASSERT_GE(view.log.size(), 3u);
    EXPECT_EQ(std::vector<LogRow>(view.log.begin(), view.log.begin() + 3),
              (std::vector<LogRow>{
                  {"change", "Keyboard shortcut 'F5' is assigned to 'PLAY'"},
                  {"change", "Keyboard shortcut 'Hi 2' is assigned to 'TEXT'"},
                  {"change", "Keyboard shortcut 'Ctrl + Home' is assigned to 'CUSTOM'"}}));
    EXPECT_EQ(view.actions,
              (std::vector<ActionRowView>{
                  {"keyboard", "PLAY", "Simulating Keyboard: F5", "F5", "116", "0", "1", false},
                  {"keyboard", "TEXT", "Simulating Keyboard: Hi 2", "Hi 2", "0", "0", "3", false},
                  {"keyboard", "CUSTOM", "Simulating Keyboard: Ctrl + Home", "Ctrl + Home", "36",
                   "2", "2", false}}));

    ProbeWindow probe;
    Server("press PLAY");
    const std::vector<KeyEvent> f5 = probe.Take(2, kActMs);
    EXPECT_EQ(Keys(f5), kF5);
    for (const KeyEvent& e : f5) {
        EXPECT_NE(e.scanCode, 0) << "F5 without its scan code";
        EXPECT_FALSE(e.extended);
    }

    ExpectTyped(probe, "press TEXT", kHi2);

    Server("press CUSTOM");
    const std::vector<KeyEvent> ctrlHome = probe.Take(4, kActMs);
    EXPECT_EQ(Keys(ctrlHome), kCtrlHome);
    for (const KeyEvent& e : ctrlHome) {
        EXPECT_NE(e.scanCode, 0);
        // Home is an extended key; without the flag it would be the keypad's 7.
        EXPECT_EQ(e.extended, e.virtualKey == 36) << e.virtualKey;
    }

    // Every press wrote its action to the log.
    const MainWindowView after = program.Read();
    EXPECT_EQ(CountLog(after, "Simulating Keyboard: F5"), 1u);
    EXPECT_EQ(CountLog(after, "Simulating Keyboard: Hi 2"), 1u);
    EXPECT_EQ(CountLog(after, "Simulating Keyboard: Ctrl + Home"), 1u);

    // Every whole line acts once, however the server's writes cut the lines.
    ExpectTyped(probe, "raw " + Hex(Line("PLAY") + Line("CUSTOM")),
                std::string(kF5) + " " + kCtrlHome);
    ExpectTyped(probe, "paced 300 " + Hex("000000000000f40b 00 PL") + " " + Hex("AY remote1\n"),
                kF5);
    // Reply packets of the server, one with a bound button's line inside, act not at all:
    // the next press is the first thing typed.
    Server("raw " + Hex("BEGIN\nSIGHUP\nEND\nBEGIN\n" + Line("PLAY") + "END\n"));
    ExpectTyped(probe, "press TEXT", kHi2);

    // Held with repeat counts 0 to 7: on the press, then from the fifth repeat on.
    ExpectTyped(probe, "hold PLAY 8", std::string(kF5) + " " + kF5 + " " + kF5 + " " + kF5);
    ExpectTyped(probe, "press CUSTOM", kCtrlHome);
    EXPECT_EQ(CountLog(program.Read(), "Simulating Keyboard: F5"), 7u);
    EXPECT_TRUE(probe.Events().empty()) << Keys(probe.Events());
}

}  // namespace
}  // namespace bw::test
