// "Buttonwise.exe /export FILE", "/import FILE" and "/add FILE", for scripts that back up or
// deploy a list: no window and no question, the result as the exit code. A running copy does
// the work itself, so that its list and the stored one stay the same (its next save would
// undo an import made beside it); without one, the start does it alone.
#pragma once

#include "platform/win32/windows_api.h"
#include "ui/bindings_transfer.h"

namespace bw::ui {

// WM_COPYDATA between the two: the command in dwData with a tag, so that no other
// program's data is taken for one; the answer is the result with a tag, so that a window
// that did not handle it (its answer 0) is not taken for "done".
inline constexpr ULONG_PTR kTransferTag = 0x42570000;
inline constexpr LRESULT kTransferAnswer = 0x4257A000;
// The running copy is still loading its list: asked again in a moment.
inline constexpr LRESULT kTransferNotReady = kTransferAnswer + 0x100;

// The program's arguments, without its own name.
std::vector<std::string> CommandLineArguments();

// The command for the running copy whose mutex this start found, once its window is there;
// Failed when there is none or it does not answer.
int HandOverTransfer(const CommandLineTransfer& transfer);
// The command done by this start, on the stored list.
int RunTransferAlone(const CommandLineTransfer& transfer);

}  // namespace bw::ui
