// Key events through SendInput, each with its scan code and, for extended keys, the
// extended flag, the way a real keyboard reports them.
#pragma once

#include "platform/keyboard_input.h"

namespace bw::win32 {

class Win32KeyboardInput final : public KeyboardInput {
  public:
    void SendKey(std::uint8_t virtualKey, KeyDirection direction) override;
};

}  // namespace bw::win32
