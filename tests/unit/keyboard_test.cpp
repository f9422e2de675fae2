// Keyboard emulation: the exact key event streams, the names of key presses, the lookup of
// predefined keys, and reading the key table from KeyMap.ini.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "emulation/keyboard.h"
#include "fakes/fake_keyboard_input.h"
#include "fakes/fake_program_folder.h"
#include "fakes/recording_log.h"
#include "platform/key_scan_codes.h"

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

// The table that ships beside the program, every key with what a real keyboard reports for
// it: whether it comes with the E0 prefix (the extended flag), and the scan code to send
// when a layout knows none (0 where every layout does).
struct ShippedKey {
    const char* name;
    int code;
    bool extended;
    int fallbackScan;
};
constexpr bool E0 = true, no = false;
// clang-format off
constexpr ShippedKey kShippedKeys[] = {
    {"Play/Pause", 179, E0, 0x22}, {"Stop", 178, E0, 0x24}, {"Next Track", 176, E0, 0x19},
    {"Previous Track", 177, E0, 0x10}, {"Volume Up", 175, E0, 0x30},
    {"Volume Down", 174, E0, 0x2E}, {"Mute", 173, E0, 0x20}, {"Up", 38, E0, 0},
    {"Down", 40, E0, 0}, {"Left", 37, E0, 0}, {"Right", 39, E0, 0}, {"Enter", 13, no, 0},
    {"Escape", 27, no, 0}, {"Space", 32, no, 0}, {"Backspace", 8, no, 0}, {"Tab", 9, no, 0},
    {"Home", 36, E0, 0}, {"End", 35, E0, 0}, {"Page Up", 33, E0, 0}, {"Page Down", 34, E0, 0},
    {"Insert", 45, E0, 0}, {"Delete", 46, E0, 0}, {"F1", 112, no, 0}, {"F2", 113, no, 0},
    {"F3", 114, no, 0}, {"F4", 115, no, 0}, {"F5", 116, no, 0}, {"F6", 117, no, 0},
    {"F7", 118, no, 0}, {"F8", 119, no, 0}, {"F9", 120, no, 0}, {"F10", 121, no, 0},
    {"F11", 122, no, 0}, {"F12", 123, no, 0}, {"F13", 124, no, 0x64}, {"F14", 125, no, 0x65},
    {"F15", 126, no, 0x66}, {"F16", 127, no, 0x67}, {"F17", 128, no, 0x68},
    {"F18", 129, no, 0x69}, {"F19", 130, no, 0x6A}, {"F20", 131, no, 0x6B},
    {"F21", 132, no, 0x6C}, {"F22", 133, no, 0x6D}, {"F23", 134, no, 0x6E},
    {"F24", 135, no, 0x76}, {"A", 65, no, 0}, {"B", 66, no, 0}, {"C", 67, no, 0},
    {"D", 68, no, 0}, {"E", 69, no, 0}, {"F", 70, no, 0}, {"G", 71, no, 0}, {"H", 72, no, 0},
    {"I", 73, no, 0}, {"J", 74, no, 0}, {"K", 75, no, 0}, {"L", 76, no, 0}, {"M", 77, no, 0},
    {"N", 78, no, 0}, {"O", 79, no, 0}, {"P", 80, no, 0}, {"Q", 81, no, 0}, {"R", 82, no, 0},
    {"S", 83, no, 0}, {"T", 84, no, 0}, {"U", 85, no, 0}, {"V", 86, no, 0}, {"W", 87, no, 0},
    {"X", 88, no, 0}, {"Y", 89, no, 0}, {"Z", 90, no, 0}, {"0", 48, no, 0}, {"1", 49, no, 0},
    {"2", 50, no, 0}, {"3", 51, no, 0}, {"4", 52, no, 0}, {"5", 53, no, 0}, {"6", 54, no, 0},
    {"7", 55, no, 0}, {"8", 56, no, 0}, {"9", 57, no, 0}, {"Num 0", 96, no, 0},
    {"Num 1", 97, no, 0}, {"Num 2", 98, no, 0}, {"Num 3", 99, no, 0}, {"Num 4", 100, no, 0},
    {"Num 5", 101, no, 0}, {"Num 6", 102, no, 0}, {"Num 7", 103, no, 0}, {"Num 8", 104, no, 0},
    {"Num 9", 105, no, 0}, {"Num *", 106, no, 0}, {"Num +", 107, no, 0}, {"Num -", 109, no, 0},
    {"Num .", 110, no, 0}, {"Num /", 111, E0, 0}, {"Num Lock", 144, E0, 0},
    {"Browser Back", 166, E0, 0x6A}, {"Browser Forward", 167, E0, 0x69},
    {"Browser Refresh", 168, E0, 0x67}, {"Browser Stop", 169, E0, 0x68},
    {"Browser Search", 170, E0, 0x65}, {"Browser Favorites", 171, E0, 0x66},
    {"Browser Home", 172, E0, 0x32}, {"Mail", 180, E0, 0x6C}, {"Media Select", 181, E0, 0x6D},
    {"Launch App 1", 182, E0, 0x6B}, {"Launch App 2", 183, E0, 0x21}, {"Shift", 16, no, 0},
    {"Ctrl", 17, no, 0}, {"Alt", 18, no, 0}, {"Windows", 91, E0, 0}, {"Right Windows", 92, E0, 0},
    {"Applications", 93, E0, 0}, {"Caps Lock", 20, no, 0}, {"Scroll Lock", 145, no, 0},
    {"Print Screen", 44, E0, 0}, {"Pause", 19, no, 0}, {"Sleep", 95, E0, 0},
    {"Semicolon", 186, no, 0}, {"Equals", 187, no, 0}, {"Comma", 188, no, 0},
    {"Minus", 189, no, 0}, {"Period", 190, no, 0}, {"Slash", 191, no, 0},
    {"Grave Accent", 192, no, 0}, {"Left Bracket", 219, no, 0}, {"Backslash", 220, no, 0},
    {"Right Bracket", 221, no, 0}, {"Apostrophe", 222, no, 0},
};
// clang-format on

TEST(ShippedKeyMapTest, EveryShippedKeyIsKnownWithItsExtendedFlagAndScanCode) {
    std::ifstream file(BUTTONWISE_SOURCE_DIR "/data/KeyMap.ini", std::ios::binary);
    ASSERT_TRUE(file) << "KeyMap.ini is missing";
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    const std::vector<KeyMapEntry> table = ParseKeyMap(text);
    // Every line a record, in the order of the list above.
    ASSERT_EQ(table.size(), static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    ASSERT_EQ(table.size(), std::size(kShippedKeys));
    for (std::size_t i = 0; i < table.size(); ++i) {
        const ShippedKey& key = kShippedKeys[i];
        EXPECT_EQ(table[i], (KeyMapEntry{static_cast<std::int16_t>(key.code), key.name}));
        const auto vk = static_cast<std::uint8_t>(key.code);
        EXPECT_EQ(IsExtendedKey(vk), key.extended) << key.name;
        EXPECT_EQ(FallbackScanCode(vk), key.fallbackScan) << key.name;
    }
}

}  // namespace
}  // namespace bw::test
