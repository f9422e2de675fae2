// Typing on the user's behalf: predefined keys, keys with Shift/Ctrl/Alt, short texts, and
// the key table the user picks predefined keys from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "actions/action_catalogue.h"
#include "actions/action_list.h"
#include "emulation/key_map.h"
#include "platform/code_page.h"
#include "platform/event_log_writer.h"
#include "platform/keyboard_input.h"
#include "platform/program_folder.h"

namespace bw {

inline constexpr const char* kKeyMapFile = "KeyMap.ini";

class Keyboard {
  public:
    Keyboard(KeyboardInput& input, EventLogWriter& log) : input_(input), log_(log) {}

    // One key event. One the system did not take goes once more: a key that is not let up
    // stays down for every program. A second refusal is said in the log, naming the key,
    // and returns false.
    bool SendKey(std::uint8_t key, KeyDirection direction);
    // The keys of a stroke in the order they go down: its modifiers, then the key itself.
    static std::vector<std::uint8_t> KeysDown(const KeyStroke& stroke);

    // Modifiers down, the key down and up (none for code 0), modifiers up in the same order.
    void PressKey(std::uint8_t key, std::int32_t modifiers);
    // One keyboard row: its value (the key's name, or a text to type in UTF-8, which goes
    // out character by character, any character of any language) and its numbers.
    void Run(const std::string& value, const KeyStroke& stroke);

    // "Ctrl + " and the table's name of the key, as a key press is shown to the user.
    std::string KeyName(std::int16_t key, std::int16_t modifiers) const;
    // The code of the first entry of that name in any letter case.
    std::optional<std::int16_t> FindPredefinedKey(const std::string& name) const;

    // Reads KeyMap.ini from the program folder. A missing or unreadable file leaves the
    // table empty and says so in the log; the program goes on without predefined keys.
    void LoadKeyMap(ProgramFolder& folder, CodePage& ansi, EventLogWriter& log);
    const std::vector<KeyMapEntry>& KeyMap() const { return keyMap_; }

  private:
    // All modifier keys of the mask in one direction.
    void SendModifierKeys(std::int32_t modifiers, KeyDirection direction);

    KeyboardInput& input_;
    EventLogWriter& log_;
    std::vector<KeyMapEntry> keyMap_;
};

}  // namespace bw
