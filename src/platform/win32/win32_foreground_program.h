// The foreground window and its program: the executable's file name, and whether it runs
// at a higher integrity level than this program (input sent to it would be dropped).
#pragma once

#include <string>

#include "platform/foreground_program.h"
#include "platform/win32/win32_config.h"

namespace bw::win32 {

class Win32ForegroundProgram : public ForegroundProgram {
  public:
    Win32ForegroundProgram();
    WindowInFront Window() override;
    ProgramInFront Describe(const WindowInFront& window) override;

  private:
    DWORD ownLevel_;
};

// The file name of the program a window belongs to (for a Store app's frame, the app's);
// empty when it cannot be read.
std::string ProgramOfWindow(HWND window);

}  // namespace bw::win32
