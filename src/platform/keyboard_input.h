// Synthetic key strokes into the desktop, one event at a time, in the order they are sent.
#pragma once

#include <cstdint>
#include <string_view>

namespace bw {

enum class KeyDirection { Down, Up };

class KeyboardInput {
  public:
    virtual ~KeyboardInput() = default;
    // The platform adds what the key needs beyond its virtual-key code (its scan code and,
    // for extended keys, the extended flag). False when the system did not take the event
    // (another program's input may block it); nothing is waited for.
    virtual bool SendKey(std::uint8_t virtualKey, KeyDirection direction) = 0;
    // Text, each UTF-16 unit down and up, arriving as those characters whatever the keyboard
    // layout and Caps Lock of the window in front, all at once: the user's own keys cannot
    // come between them.
    virtual void SendCharacters(std::u16string_view units) = 0;
};

}  // namespace bw
