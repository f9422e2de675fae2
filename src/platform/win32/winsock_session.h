// Windows Sockets started for the lifetime of this object.
#pragma once

namespace bw::win32 {

class WinsockSession {
  public:
    WinsockSession();  // throws Failure when Windows Sockets 2.2 cannot start
    ~WinsockSession();
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
};

}  // namespace bw::win32
