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

    void SendCharacters(std::u16string_view units) override {
        for (const char16_t unit : units)
            for (const char direction : {'v', '^'}) {
                char text[12];
                std::snprintf(text, sizeof text, "%cU+%04X", direction, unsigned{unit});
                events.push_back(text);
            }
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
