// Mouse actions bound to remote buttons: clicks and double clicks of the three buttons, and
// pointer moves that speed up while the button is held.
#pragma once

#include <cstdint>
#include <string>

#include "platform/event_log_writer.h"
#include "platform/message_pump.h"
#include "platform/mouse_input.h"

namespace bw {

class Mouse {
  public:
    Mouse(MouseInput& input, MessagePump& pump, EventLogWriter& log)
        : input_(input), pump_(pump), log_(log) {}

    // One event, sent once more when the system did not take it, then said in the log (and
    // false): a button that is not let up stays down for every program.
    bool Send(std::uint32_t flags, int dx = 0, int dy = 0);

    // A click happens on the first line of a press only; a move on the first line and
    // from repeat 6 on. Names are compared exactly; an unknown one does nothing.
    void Act(const std::string& name, std::int16_t repeat, std::int16_t step);

  private:
    void Click(std::uint32_t flags);

    MouseInput& input_;
    MessagePump& pump_;
    EventLogWriter& log_;
};

}  // namespace bw
