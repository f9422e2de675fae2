// Include this instead of <windows.h>: winsock2.h must come before it, and commctrl.h after
// it. The build defines the Windows version, Unicode, and leaves out min/max and the rarely
// used parts of the headers.
#pragma once

// clang-format off
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
// clang-format on
