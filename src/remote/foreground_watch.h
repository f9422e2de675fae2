// What the dispatch knows of the window in front: the program behind it, read once per
// window, and the one warning per window whose program keys cannot reach.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "platform/event_log_writer.h"
#include "platform/foreground_program.h"

namespace bw {

class ForegroundWatch {
  public:
    ForegroundWatch(ForegroundProgram& foreground, EventLogWriter& log)
        : foreground_(foreground), log_(log) {}

    // The program in front now.
    const ProgramInFront& Current();

    // Before keys or mouse input go out: one error line for each window, however often
    // it is pressed at, whose program runs above this one. The input still goes out.
    void WarnIfUnreachable();

  private:
    ForegroundProgram& foreground_;
    EventLogWriter& log_;
    ProgramInFront current_;
    std::set<std::uintptr_t> warned_;
};

}  // namespace bw
