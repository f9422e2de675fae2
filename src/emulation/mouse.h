// Mouse actions bound to remote buttons: clicks and double clicks of the three buttons, and
// pointer moves that speed up while the button is held.
#pragma once

#include <cstdint>
#include <string>

#include "platform/message_pump.h"
#include "platform/mouse_input.h"

namespace bw {

class Mouse {
  public:
    Mouse(MouseInput& input, MessagePump& pump) : input_(input), pump_(pump) {}

    // A click happens on the first line of a press only; a move on the first line and
    // from repeat 6 on. Names are compared exactly; an unknown one does nothing.
    void Act(const std::string& name, std::int16_t repeat, std::int16_t step);

  private:
    void Click(std::uint32_t flags);

    MouseInput& input_;
    MessagePump& pump_;
};

}  // namespace bw
