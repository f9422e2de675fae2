// The yield that lets waiting messages run, as a click's executor needs it.
#pragma once

#include "platform/message_pump.h"

namespace bw::win32 {

class PeekMessagePump final : public MessagePump {
  public:
    void DoEvents() override;
};

}  // namespace bw::win32
