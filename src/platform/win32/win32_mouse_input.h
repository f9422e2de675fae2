// Mouse events through SendInput, and the yield that lets waiting messages run.
#pragma once

#include "platform/message_pump.h"
#include "platform/mouse_input.h"

namespace bw::win32 {

class Win32MouseInput final : public MouseInput {
  public:
    void MouseEvent(std::uint32_t flags, int dx, int dy) override;
};

class Win32MessagePump final : public MessagePump {
  public:
    void DoEvents() override;
};

}  // namespace bw::win32
