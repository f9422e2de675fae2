// The window in front and the program it belongs to: bindings follow that program, and keys
// sent to a program that runs as administrator never arrive.
#pragma once

#include <compare>
#include <cstdint>
#include <string>

namespace bw {

// A window handle names a window only while it lives: Windows hands the number out again,
// possibly to another program's window. With its process it names one window.
struct WindowInFront {
    std::uintptr_t handle = 0;  // 0 when no window is in front
    std::uint32_t process = 0;
    auto operator<=>(const WindowInFront&) const = default;
};

// Whether input sent to a program arrives: never when it runs at a higher integrity level
// than this program (Windows drops it), perhaps not when its level cannot be read (it was
// started with another account's rights).
enum class InputReach { Arrives, Dropped, Unknown };

struct ProgramInFront {
    std::string program = {};  // the executable's file name; empty when it cannot be read
    InputReach reach = InputReach::Arrives;
};

class ForegroundProgram {
  public:
    virtual ~ForegroundProgram() = default;
    // One cheap question per line; the program behind a window is asked for a new one, and
    // again at the next line while it cannot be read.
    virtual WindowInFront Window() = 0;
    virtual ProgramInFront Describe(const WindowInFront& window) = 0;
};

}  // namespace bw
