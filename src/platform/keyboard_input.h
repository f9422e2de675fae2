// Synthetic key strokes into the desktop, one event at a time, in the order they are sent.
#pragma once

#include <cstdint>

namespace bw {

enum class KeyDirection { Down, Up };

class KeyboardInput {
  public:
    virtual ~KeyboardInput() = default;
    // The platform adds what the key needs beyond its virtual-key code (its scan code and,
    // for extended keys, the extended flag); nothing is waited for or reported.
    virtual void SendKey(std::uint8_t virtualKey, KeyDirection direction) = 0;
    // One UTF-16 unit of text, arriving as that character whatever the keyboard layout and
    // Caps Lock of the window in front.
    virtual void SendCharacter(char16_t unit, KeyDirection direction) = 0;
};

}  // namespace bw
