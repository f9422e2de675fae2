// Saved bindings as a user meets them: they load at start, and a bound button types into the
// window in front with the keyboard's scan codes, held or not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
#include "probe_window.h"

namespace bw::test {
namespace {

using reader::ActionRowView;
using reader::LogRow;
using reader::MainWindowView;

// A predefined key, a text and a custom key with Ctrl, as the Add Action dialog saves them.
const std::vector<saved::Row> kThreeRows = {
    {"PLAY", "1", "Play/Pause", "179", "0", "1"},
    {"TEXT", "1", "Hi 2 \xC3\xBC\xE2\x82\xAC", "0", "0", "3"},
    {"CUSTOM", "1", "Ctrl + Home", "36", "2", "2"}};
// Text arrives as characters (VK_PACKET, 231, and the character it makes), whatever the
// layout: on French keys, the key 2 would have typed an é.
const std::string kPlay = "v179 ^179",
                  kHi2 =
                      "v231 c72 ^231 v231 c105 ^231 v231 c32 ^231 v231 c50 ^231 v231 c32 ^231 "
                      "v231 c252 ^231 v231 c8364 ^231",
                  kCtrlHome = "v17 v36 ^36 ^17";

using BindingsE2eTest = E2eTest;

TEST_F(BindingsE2eTest, SavedBindingsLoadAndEachWholeLineOfABoundButtonTypesItsKeysOnce) {
    saved::WriteRows(kThreeRows);
    ProgramUnderTest program;
    const auto view = program.WaitFor("the connection", Connected, kStartMs);
    ASSERT_GE(view.log.size(), 3u);
    EXPECT_EQ(std::vector<LogRow>(view.log.begin(), view.log.begin() + 3),
              (std::vector<LogRow>{
                  {"change", "Keyboard shortcut 'Play/Pause' is assigned to 'PLAY'"},
                  {"change", "Keyboard shortcut 'Hi 2 \xC3\xBC\xE2\x82\xAC' is assigned to 'TEXT'"},
                  {"change", "Keyboard shortcut 'Ctrl + Home' is assigned to 'CUSTOM'"}}));
    EXPECT_EQ(
        view.actions,
        (std::vector<ActionRowView>{
            {"keyboard", "PLAY", "Simulating Keyboard: Play/Pause"},
            {"keyboard", "TEXT", "Simulating Keyboard: Hi 2 \xC3\xBC\xE2\x82\xAC"},
            {"keyboard", "CUSTOM", "Simulating Keyboard: Ctrl + Home"}}));

    ProbeWindow probe;
    for (const auto& [button, keys] : {std::pair{"PLAY", kPlay}, {"CUSTOM", kCtrlHome}}) {
        Server(std::string("press ") + button);
        const auto events = probe.Take(keys == kPlay ? 2 : 4, kActMs);
        EXPECT_EQ(Keys(events), keys);
        for (const KeyEvent& e : events) {
            // The scan codes of a real keyboard, also where the layout knows none (media keys);
            // Home is an extended key: without the flag it would be the keypad's 7.
            EXPECT_EQ(e.scanCode, e.virtualKey == 179  ? 0x22
                                  : e.virtualKey == 36 ? 0x47
                                                       : 0x1D)
                << e.virtualKey;
            EXPECT_EQ(e.extended, e.virtualKey != 17) << e.virtualKey;
        }
    }
    ExpectTyped(probe, "press TEXT", kHi2);

    // Held with repeat counts 0 to 7: on the press, then from the fifth repeat on.
    ExpectTyped(probe, "hold PLAY 8", kPlay + " " + kPlay + " " + kPlay + " " + kPlay);
    ExpectTyped(probe, "press CUSTOM", kCtrlHome);
    // The log follows the keys a moment later; the wait fails the test unless it shows five.
    program.WaitFor("five Play/Pause lines in the log", [](const MainWindowView& v) {
        return CountLog(v, "Simulating Keyboard: Play/Pause") == 5;
    });
    EXPECT_TRUE(probe.Events().empty()) << Keys(probe.Events());
}

}  // namespace
}  // namespace bw::test
