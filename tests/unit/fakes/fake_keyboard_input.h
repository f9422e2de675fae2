// Records the key events sent and knows which keys are down now, like the desktop would.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/keyboard_input.h"

namespace bw::test {

class FakeKeyboardInput : public KeyboardInput {
  public:
    std::vector<std::string> events;  // "v65", "^65": down, up
    std::set<std::uint8_t> down;

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
