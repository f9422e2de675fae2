// Synthetic mouse input: button presses and relative pointer motion.
#pragma once

#include <cstdint>

namespace bw {

// The flags of a mouse event, as Windows numbers them.
inline constexpr std::uint32_t kMouseMove = 0x0001;
inline constexpr std::uint32_t kMouseLeftDown = 0x0002, kMouseLeftUp = 0x0004;
inline constexpr std::uint32_t kMouseRightDown = 0x0008, kMouseRightUp = 0x0010;
inline constexpr std::uint32_t kMouseMiddleDown = 0x0020, kMouseMiddleUp = 0x0040;

class MouseInput {
  public:
    virtual ~MouseInput() = default;
    // One event: a press and release together when both flags are given; dx and dy are a
    // relative move in mickeys, to which the user's pointer speed applies. False when the
    // system did not take it.
    virtual bool MouseEvent(std::uint32_t flags, int dx, int dy) = 0;
};

}  // namespace bw
