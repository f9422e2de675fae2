// Mouse events through SendInput.
#pragma once

#include "platform/mouse_input.h"

namespace bw::win32 {

class SendInputMouse final : public MouseInput {
  public:
    bool MouseEvent(std::uint32_t flags, int dx, int dy) override;
};

}  // namespace bw::win32
