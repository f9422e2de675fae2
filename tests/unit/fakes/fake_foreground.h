// The window in front as a test sets it, counting how often its program was looked up.
#pragma once

#include "platform/foreground_program.h"

namespace bw::test {

struct FakeForeground : ForegroundProgram {
    ProgramInFront front;
    int described = 0;
    std::uintptr_t Window() override { return front.window; }
    ProgramInFront Describe(std::uintptr_t) override {
        ++described;
        return front;
    }
};

}  // namespace bw::test
