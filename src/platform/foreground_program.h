// The window in front and the program it belongs to: bindings follow that program, and keys
// sent to a program that runs as administrator never arrive.
#pragma once

#include <cstdint>
#include <string>

namespace bw {

struct ProgramInFront {
    std::uintptr_t window = 0;  // 0 when no window is in front
    std::string program = {};   // the executable's file name; empty when it cannot be read
    bool runsAboveUs = false;   // at a higher integrity level than this program
};

class ForegroundProgram {
  public:
    virtual ~ForegroundProgram() = default;
    // One cheap question per press; the program behind a window is asked only for a new one.
    virtual std::uintptr_t Window() = 0;
    virtual ProgramInFront Describe(std::uintptr_t window) = 0;
};

}  // namespace bw
