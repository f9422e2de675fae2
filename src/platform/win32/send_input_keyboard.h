// Key events through SendInput, each with its scan code and, for extended keys, the
// extended flag, the way a real keyboard reports them.
#pragma once

#include "platform/keyboard_input.h"
#include "platform/win32/windows_api.h"

namespace bw::win32 {

class SendInputKeyboard final : public KeyboardInput {
  public:
    bool SendKey(std::uint8_t virtualKey, KeyDirection direction) override;
    void SendCharacters(std::u16string_view units) override;

  private:
    // The layout of the window in front when the last key went down: a key goes up with
    // the scan code it went down with, and asking which window is in front costs a round
    // trip to the window system on the path of every press.
    HKL layout_ = nullptr;
};

}  // namespace bw::win32
