// Keyboard emulation: the exact key event streams, the names of key presses, the lookup of
// predefined keys, and reading the key table from KeyMap.ini.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
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

    void ExpectAllKeysUp() { EXPECT_TRUE(input.down.empty()) << "a key was left down"; }
};

TEST_F(KeyboardTest, PressKeyReleasesModifiersInTheOrderItPressedThem) {
    struct Case {
        std::uint8_t code;
        std::int32_t shift;
        Events expected;
    };
    const Case cases[] = {
        {65, 3, {"v16", "v17", "v65", "^65", "^16", "^17"}},
        {65, 7, {"v16", "v17", "v18", "v65", "^65", "^16", "^17", "^18"}},
        {65, 6, {"v17", "v18", "v65", "^65", "^17", "^18"}},
        {0, 8, {"v91", "^91"}},  // the Windows key alone
        {115, 0, {"v115", "^115"}},
        {65, 9, {"v65", "^65"}},  // not a mask of the table: no modifier
        {65, -1, {"v65", "^65"}},
        {0, 0, {}},
    };
    for (const Case& c : cases) {
        input.events.clear();
        keyboard.PressKey(c.code, c.shift);
        EXPECT_EQ(input.events, c.expected) << int(c.code) << " with " << c.shift;
        ExpectAllKeysUp();
    }
}

TEST_F(KeyboardTest, SimulateKeyboardPerformsEachKindOfKeyboardRow) {
    keyboard.SimulateKeyboard("ignored", 65, 4, kPredefinedKey);  // the mask is not used
    EXPECT_EQ(input.events, (Events{"v65", "^65"}));

    input.events.clear();
    keyboard.SimulateKeyboard("", 0, 2, kKeyWithModifiers);  // modifiers only
    EXPECT_EQ(input.events, (Events{"v17", "^17"}));

    input.events.clear();
    keyboard.SimulateKeyboard("x", 65, 1, 4);  // no such kind
    keyboard.SimulateKeyboard("x", 65, 1, 0);
    EXPECT_TRUE(input.events.empty());
    ExpectAllKeysUp();
}

TEST_F(KeyboardTest, TypingTakesSpacesDigitsAndLettersAndSkipsEverythingElse) {
    keyboard.SimulateKeyboard("aB 1!", 99, 7, kTextToType);
    EXPECT_EQ(input.events,
              (Events{"v65", "^65", "v16", "v66", "^66", "^16", "v32", "^32", "v49", "^49"}));

    // The ends of each range, and the characters just beyond them.
    input.events.clear();
    keyboard.SimulateKeyboard("Z0@[`{/:", 0, 0, kTextToType);
    EXPECT_EQ(input.events, (Events{"v16", "v90", "^90", "^16", "v48", "^48"}));

    // Characters beyond ASCII, written in UTF-8, are skipped whole, never half typed.
    input.events.clear();
    keyboard.SimulateKeyboard(
        "\xC3\xA9z\xE2\x82\xAC\xF0\x9F\x98\x80"
        "9",
        0, 0, kTextToType);
    EXPECT_EQ(input.events, (Events{"v90", "^90", "v57", "^57"}));
    ExpectAllKeysUp();
}

class KeyNamesTest : public KeyboardTest {
  protected:
    void SetUp() override {
        keyboard.SetKeyMap(
            {{17, "Ctrl"}, {65, "A"}, {112, "F1"}, {65, "Letter A"}, {179, "Play/Pause"}});
    }
};

TEST_F(KeyNamesTest, GetKeyNameShowsTheModifiersBeforeTheTablesName) {
    EXPECT_EQ(keyboard.GetKeyName(65, 2), "Ctrl + A");  // the first of two entries for 65
    EXPECT_EQ(keyboard.GetKeyName(65, 7), "Shift + Ctrl + Alt + A");
    EXPECT_EQ(keyboard.GetKeyName(112, 5), "Shift + Alt + F1");
    EXPECT_EQ(keyboard.GetKeyName(17, 2), "Ctrl");  // a modifier pressed alone
    EXPECT_EQ(keyboard.GetKeyName(16, 1), "");      // Shift itself, not in the table
    EXPECT_EQ(keyboard.GetKeyName(200, 1), "Shift + ");
    EXPECT_EQ(keyboard.GetKeyName(65, 8), "A");
    EXPECT_EQ(keyboard.GetKeyName(65, 0), "A");
    EXPECT_EQ(keyboard.GetKeyName(200, 0), "");
}

TEST_F(KeyNamesTest, FindPredefinedKeyIgnoresCaseButNotSpaces) {
    EXPECT_EQ(keyboard.FindPredefinedKey("play/pause"), 179);
    EXPECT_EQ(keyboard.FindPredefinedKey("LETTER a"), 65);
    EXPECT_EQ(keyboard.FindPredefinedKey("F1 "), std::nullopt);
    EXPECT_EQ(keyboard.FindPredefinedKey(""), std::nullopt);

    keyboard.SetKeyMap({});
    EXPECT_EQ(keyboard.FindPredefinedKey("A"), std::nullopt);
    EXPECT_EQ(keyboard.GetKeyName(65, 2), "Ctrl + ");
}

TEST(ParseKeyMapTest, ReadsRecordsOfCodeAndNameAndLeavesOutTheUnusable) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<KeyMapEntry> expected;
    };
    const Case cases[] = {
        {"one record per line", "65,A\r\n112,F1\r\n", {{65, "A"}, {112, "F1"}}},
        {"no line end at the end", "65,A\n66,B", {{65, "A"}, {66, "B"}}},
        {"spaces trimmed", "  65 ,  Letter A  \n", {{65, "Letter A"}}},
        {"quoted name with a comma",
         "188,\"Comma , key\"\n190,Dot\n",
         {{188, "Comma , key"}, {190, "Dot"}}},
        {"quoted name trimmed", "32,\"  Space \"\n", {{32, "Space"}}},
        {"code 0 and blank name skipped, no gap",
         "65,A\n0,Nothing\n66,   \n67,C\n",
         {{65, "A"}, {67, "C"}}},
        {"empty name before the line end", "66,\n67,C\n", {{67, "C"}}},
        {"blank lines ignored", "65,A\n\n   \n66,B\n", {{65, "A"}, {66, "B"}}},
        {"fields over line ends", "65\nA\n66,B\n", {{65, "A"}, {66, "B"}}},
        {"code not a whole 16-bit number", "x,A\n99999,B\n6.5,C\n67,D\n", {{67, "D"}}},
        {"negative code kept", "-1,Minus\n", {{-1, "Minus"}}},
        {"code without a name at the end", "65,A\n66", {{65, "A"}}},
        {"byte order mark",
         "\xEF\xBB\xBF"
         "65,A\n",
         {{65, "A"}}},
        {"empty file", "", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseKeyMap(c.text), c.expected) << c.name;
}

class LoadKeyMapTest : public KeyboardTest {
  protected:
    FakeProgramFolder folder;
    Latin1CodePage ansi;
    RecordingLog log;
    const std::string file = "C:\\Program Files\\Buttonwise\\KeyMap.ini";
};

TEST_F(LoadKeyMapTest, ReadsTheFileBesideTheProgramAsUtf8OrAnsi) {
    folder.files[file] = "65,A\n196,\xC3\x84 key\n";  // UTF-8
    keyboard.LoadKeyMap(folder, ansi, log);
    EXPECT_EQ(keyboard.KeyMap(), (std::vector<KeyMapEntry>{{65, "A"}, {196, "\xC3\x84 key"}}));

    folder.files[file] = "196,\xC4 key\n";  // the same name in the ANSI code page
    keyboard.LoadKeyMap(folder, ansi, log);
    EXPECT_EQ(keyboard.KeyMap(), (std::vector<KeyMapEntry>{{196, "\xC3\x84 key"}}));
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(LoadKeyMapTest, AFolderAtTheRootOfADriveGetsNoSecondBackslash) {
    folder.path = "D:\\";
    folder.files["D:\\KeyMap.ini"] = "13,Enter\n";
    keyboard.LoadKeyMap(folder, ansi, log);
    EXPECT_EQ(keyboard.KeyMap(), (std::vector<KeyMapEntry>{{13, "Enter"}}));
}

TEST_F(LoadKeyMapTest, AMissingFileIsOneErrorLineAndAnEmptyTable) {
    keyboard.SetKeyMap({{65, "A"}});
    keyboard.LoadKeyMap(folder, ansi, log);
    EXPECT_TRUE(keyboard.KeyMap().empty());
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].kind, LogKind::Error);
    EXPECT_EQ(
        log.lines[0].text,
        "The key table " + file + " could not be read: The system cannot find the file specified.");
}

// The table that ships beside the program: every line a record, every name and code once,
// and the keys a remote is wanted for.
TEST(ShippedKeyMapTest, EveryLineIsAKeyAndTheKeysPeopleWantAreThere) {
    std::ifstream file(BUTTONWISE_SOURCE_DIR "/data/KeyMap.ini", std::ios::binary);
    ASSERT_TRUE(file) << "KeyMap.ini is missing";
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));

    FakeKeyboardInput input;
    Keyboard keyboard(input);
    keyboard.SetKeyMap(ParseKeyMap(text));
    const std::vector<KeyMapEntry>& table = keyboard.KeyMap();
    EXPECT_EQ(table.size(), lines);
    std::set<int> codes;
    std::set<std::string> names;
    for (const KeyMapEntry& entry : table) {
        EXPECT_TRUE(entry.code >= 1 && entry.code <= 255) << entry.name;
        EXPECT_TRUE(codes.insert(entry.code).second) << "code twice: " << entry.code;
        EXPECT_TRUE(names.insert(entry.name).second) << "name twice: " << entry.name;
    }
    const std::pair<const char*, int> wanted[] = {
        {"Play/Pause", 0xB3},
        {"Stop", 0xB2},
        {"Next Track", 0xB0},
        {"Previous Track", 0xB1},
        {"Volume Up", 0xAF},
        {"Volume Down", 0xAE},
        {"Mute", 0xAD},
        {"Browser Back", 0xA6},
        {"Enter", 13},
        {"Escape", 27},
        {"Tab", 9},
        {"Space", 32},
        {"Backspace", 8},
        {"Page Down", 34},
        {"Delete", 46},
        {"F1", 112},
        {"F24", 135},
        {"A", 65},
        {"Z", 90},
        {"0", 48},
        {"Num 9", 105},
    };
    for (const auto& [name, code] : wanted)
        EXPECT_EQ(keyboard.FindPredefinedKey(name), code) << name;
}

}  // namespace
}  // namespace bw::test
