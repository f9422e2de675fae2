// The foreground window and its program: the executable's file name, and whether it runs
// at a higher integrity level than this program (input sent to it would be dropped).
#pragma once

#include <optional>
#include <string>

#include "platform/foreground_program.h"
#include "platform/win32/windows_api.h"

namespace bw::win32 {

class ForegroundProcess : public ForegroundProgram {
  public:
    WindowInFront Window() override;
    ProgramInFront Describe(const WindowInFront& window) override;
};

// The file name of the program a window belongs to (for a Store app's frame, the app's);
// empty when it cannot be read.
std::string ProgramOfWindow(HWND window);
// Whether input and the input state of the window's own process can be reached from here.
InputReach ReachOfWindow(HWND window);
// The desktop shell's process when this program runs with other rights than the desktop
// (started as administrator, or with another account's password): programs it starts
// should then be started by that shell, with the user's normal rights. Nothing otherwise.
std::optional<DWORD> ShellProcessToStartAs();

}  // namespace bw::win32
