// Descriptions of Windows and Windows Sockets error numbers, as the system words them.
#pragma once

#include <string>

#include "platform/failure.h"

namespace bw::win32 {

std::string SystemErrorDescription(unsigned long code);

// A Failure with that Windows, Windows Sockets, registry or HRESULT error number and the
// system's words for it.
Failure SystemFailure(unsigned long code);
// A Failure for the calling thread's last Windows error.
Failure LastErrorFailure();

}  // namespace bw::win32
