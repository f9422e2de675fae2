// Typing on the user's behalf: predefined keys, keys with Shift/Ctrl/Alt, short texts, and
// the key table the user picks predefined keys from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "actions/action_catalogue.h"
#include "emulation/key_map.h"
#include "platform/code_page.h"
#include "platform/event_log_writer.h"
#include "platform/keyboard_input.h"
#include "platform/program_folder.h"

namespace bw {

inline constexpr const char* kKeyMapFile = "KeyMap.ini";

class Keyboard {
  public:
    explicit Keyboard(KeyboardInput& input) : input_(input) {}

    // Modifiers down, the key down and up (none for code 0), modifiers up in the same order.
    void PressKey(std::uint8_t KeyCode, std::int32_t Shift);
    // One keyboard row. A text to type holds UTF-8 and goes out character by character,
    // any character of any language.
    void SimulateKeyboard(const std::string& Text, std::uint8_t KeyCode, std::uint8_t KeyShift,
                          std::int16_t KeyType);

    // "Ctrl + " and the table's name of the key, as a key press is shown to the user.
    std::string GetKeyName(std::int16_t KeyCode, std::int16_t Shift) const;
    // The code of the first entry of that name in any letter case.
    std::optional<std::int16_t> FindPredefinedKey(const std::string& Name) const;

    // Reads KeyMap.ini from the program folder. A missing or unreadable file leaves the
    // table empty and says so in the log; the program goes on without predefined keys.
    void LoadKeyMap(ProgramFolder& folder, CodePage& ansi, EventLogWriter& log);
    void SetKeyMap(std::vector<KeyMapEntry> entries) { keyMap_ = std::move(entries); }
    const std::vector<KeyMapEntry>& KeyMap() const { return keyMap_; }

  private:
    // All modifier keys of the mask in one direction.
    void SendModifierKeys(std::int32_t Shift, KeyDirection Flags);

    KeyboardInput& input_;
    std::vector<KeyMapEntry> keyMap_;
};

}  // namespace bw
