// Include this instead of <windows.h>: it fixes the Windows version and keeps the macros
// min/max and the rarely used parts of the headers out.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#include <windows.h>
#include <winsock2.h>
// After windows.h, which it needs.
#include <commctrl.h>
