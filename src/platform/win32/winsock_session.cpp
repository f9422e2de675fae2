// WSAStartup and WSACleanup around the program's run.
#include "platform/win32/winsock_session.h"

#include "platform/win32/system_error.h"
#include "platform/win32/windows_api.h"

namespace bw::win32 {

WinsockSession::WinsockSession() {
    WSADATA data{};
    if (const int error = WSAStartup(MAKEWORD(2, 2), &data); error != 0) throw SystemFailure(error);
}

WinsockSession::~WinsockSession() {
    WSACleanup();
}

}  // namespace bw::win32
