// What the dispatch knows of the window in front: the program behind it, read once per
// window, and the one warning per window whose program keys cannot reach.
#pragma once

#include <set>
#include <string>

#include "platform/event_log_writer.h"
#include "platform/foreground_program.h"

namespace bw {

class ForegroundWatch {
  public:
    ForegroundWatch(ForegroundProgram& foreground, EventLogWriter& log)
        : foreground_(foreground), log_(log) {}

    // A line's pass begins: a window whose program could not be read is read again once.
    void BeginLine() { triedThisLine_ = false; }
    // The program in front now.
    const ProgramInFront& Current();

    // Before keys or mouse input go out: one error line for each window, however often
    // it is pressed at, whose program runs above this one, or whose rights cannot be read.
    // The input still goes out. Returns the program in front, as Current does (asking
    // twice would ask the window system twice).
    const ProgramInFront& WarnIfUnreachable();

  private:
    ForegroundProgram& foreground_;
    EventLogWriter& log_;
    WindowInFront window_;
    ProgramInFront current_;
    bool known_ = true;  // nothing in front: nothing to read
    bool triedThisLine_ = false;
    std::set<WindowInFront> warned_;
};

}  // namespace bw
