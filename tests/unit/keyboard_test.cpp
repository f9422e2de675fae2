// Keyboard emulation: the exact key event streams, the names of key presses, the lookup of
// predefined keys, and reading the key table from KeyMap.ini.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "emulation/keyboard.h"
#include "fakes/fake_keyboard_input.h"
#include "fakes/fake_program_folder.h"
#include "fakes/recording_log.h"

namespace bw::test {
namespace {

using Events = std::vector<std::string>;

class KeyboardTest : public ::testing::Test {
  protected:
    FakeKeyboardInput input;
    Keyboard keyboard{input};
};

// Modifiers go down in the mask's order and up in the same order; no key is left down.
TEST_F(KeyboardTest, EachKindOfKeyboardRowSendsItsKeysAndTypingSkipsWhatCannotBeTyped) {
    const struct {
        std::string text;
        std::uint8_t code, shift;
        std::int16_t type;
        Events expected;
    } cases[] = {
        {"", 65, 3, kKeyWithModifiers, {"v16", "v17", "v65", "^65", "^16", "^17"}},
        {"", 65, 7, kKeyWithModifiers, {"v16", "v17", "v18", "v65", "^65", "^16", "^17", "^18"}},
        {"", 0, 8, kKeyWithModifiers, {"v91", "^91"}},   // the Windows key alone
        {"", 65, 9, kKeyWithModifiers, {"v65", "^65"}},  // not a mask of the table
        {"", 0, 2, kKeyWithModifiers, {"v17", "^17"}},   // modifiers only
        {"", 0, 0, kKeyWithModifiers, {}},
        {"ignored", 65, 4, kPredefinedKey, {"v65", "^65"}},  // the mask is not used
        {"x", 65, 1, 4, {}},                                 // no such kind
        {"aB 1!",
         99,
         7,
         kTextToType,
         {"v65", "^65", "v16", "v66", "^66", "^16", "v32", "^32", "v49", "^49"}},
        // The ends of each range, and the characters just beyond them.
        {"Z0@[`{/:", 0, 0, kTextToType, {"v16", "v90", "^90", "^16", "v48", "^48"}},
        // Characters beyond ASCII, written in UTF-8, are skipped whole, never half typed.
        {"\xC3\xA9z\xE2\x82\xAC\xF0\x9F\x98\x80!9",
         0,
         0,
         kTextToType,
         {"v90", "^90", "v57", "^57"}},
    };
    for (const auto& c : cases) {
        input.events.clear();
        keyboard.SimulateKeyboard(c.text, c.code, c.shift, c.type);
        EXPECT_EQ(input.events, c.expected) << c.text << " " << int(c.code) << " " << int(c.shift);
        EXPECT_TRUE(input.down.empty()) << "a key was left down";
    }
}

TEST_F(KeyboardTest, KeyNamesShowTheModifiersBeforeTheTablesNameAndAreFoundWhateverTheirCase) {
    keyboard.SetKeyMap(
        {{17, "Ctrl"}, {65, "A"}, {112, "F1"}, {65, "Letter A"}, {179, "Play/Pause"}});
    const std::tuple<int, int, const char*> names[] = {
        {65, 2, "Ctrl + A"},  // the first of two entries for 65
        {65, 7, "Shift + Ctrl + Alt + A"},
        {112, 5, "Shift + Alt + F1"},
        {17, 2, "Ctrl"},  // a modifier pressed alone
        {16, 1, ""},      // Shift itself, not in the table
        {200, 1, "Shift + "},
        {65, 8, "A"},
        {200, 0, ""},
    };
    for (const auto& [code, shift, name] : names)
        EXPECT_EQ(
            keyboard.GetKeyName(static_cast<std::int16_t>(code), static_cast<std::int16_t>(shift)),
            name);
    EXPECT_EQ(keyboard.FindPredefinedKey("play/pause"), 179);
    EXPECT_EQ(keyboard.FindPredefinedKey("LETTER a"), 65);
    EXPECT_EQ(keyboard.FindPredefinedKey("F1 "), std::nullopt);
    EXPECT_EQ(keyboard.FindPredefinedKey(""), std::nullopt);
}

TEST(ParseKeyMapTest, ReadsRecordsOfCodeAndNameAndLeavesOutTheUnusable) {
    const std::pair<std::string, std::vector<KeyMapEntry>> cases[] = {
        {"65,A\r\n112,F1\r\n", {{65, "A"}, {112, "F1"}}},
        {"65,A\n66,B", {{65, "A"}, {66, "B"}}},  // no line end at the end
        {"  65 ,  Letter A  \n", {{65, "Letter A"}}},
        {"188,\"Comma , key\"\n190,Dot\n", {{188, "Comma , key"}, {190, "Dot"}}},
        {"32,\"  Space \"\n", {{32, "Space"}}},
        {"65,A\n0,Nothing\n66,   \n67,C\n", {{65, "A"}, {67, "C"}}},  // skipped, no gap
        {"66,\n67,C\n", {{67, "C"}}},
        {"65,A\n\n   \n66,B\n", {{65, "A"}, {66, "B"}}},
        {"65\nA\n66,B\n", {{65, "A"}, {66, "B"}}},  // fields over line ends
        {"x,A\n99999,B\n6.5,C\n67,D\n", {{67, "D"}}},
        {"-1,Minus\n", {{-1, "Minus"}}},
        {"65,A\n66", {{65, "A"}}},
        {"\xEF\xBB\xBF\x36\x35,A\n", {{65, "A"}}},  // a byte order mark before "65"
        {"", {}},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseKeyMap(text), expected) << text;
}

TEST_F(KeyboardTest, TheKeyTableIsReadFromBesideTheProgramAsUtf8OrAnsiOrSaidMissing) {
    FakeProgramFolder folder;
    Latin1CodePage ansi;
    RecordingLog log;
    // A name in the ANSI code page; a folder at the root of a drive gets no second backslash.
    folder.files["C:\\Program Files\\Buttonwise\\KeyMap.ini"] = "196,\xC4 key\n";
    keyboard.LoadKeyMap(folder, ansi, log);
    EXPECT_EQ(keyboard.KeyMap(), (std::vector<KeyMapEntry>{{196, "\xC3\x84 key"}}));
    EXPECT_TRUE(log.lines.empty());
    folder.path = "D:\\";
    folder.files["D:\\KeyMap.ini"] = "13,Enter\n";
    keyboard.LoadKeyMap(folder, ansi, log);
    EXPECT_EQ(keyboard.KeyMap(), (std::vector<KeyMapEntry>{{13, "Enter"}}));

    folder.path = "E:";
    keyboard.LoadKeyMap(folder, ansi, log);
    EXPECT_TRUE(keyboard.KeyMap().empty());
    EXPECT_EQ(log.lines,
              (std::vector<RecordedLine>{{LogKind::Error,
                                          "The key table E:\\KeyMap.ini could not be read: The "
                                          "system cannot find the file specified."}}));
}

}  // namespace
}  // namespace bw::test
