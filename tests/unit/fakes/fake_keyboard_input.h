// Records the key events sent and knows which keys are down now, like the desktop would.
#pragma once

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "platform/keyboard_input.h"

namespace bw::test {

class FakeKeyboardInput : public KeyboardInput {
  public:
    std::vector<std::string> events;  // "v65", "^65": down, up; "vU+00FC": a character
    std::set<std::uint8_t> down;
    std::set<char16_t> charactersDown;

    void SendCharacter(char16_t unit, KeyDirection direction) override {
        const bool isDown = direction == KeyDirection::Down;
        char text[12];
        std::snprintf(text, sizeof text, "%cU+%04X", isDown ? 'v' : '^', unsigned{unit});
        events.push_back(text);
        if (isDown)
            charactersDown.insert(unit);
        else
            charactersDown.erase(unit);
    }

    void SendKey(std::uint8_t key, KeyDirection direction) override {
        const bool isDown = direction == KeyDirection::Down;
        std::string event(1, isDown ? 'v' : '^');
        event += std::to_string(key);
        events.push_back(event);
        if (isDown)
            down.insert(key);
        else
            down.erase(key);
    }
};

}  // namespace bw::test
