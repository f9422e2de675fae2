// Events still queued for a socket that has been closed must not reach the new connection,
// and socket handles are reused, so each connection gets a notification message number of
// its own (one of 256 in turn) and its early outcome carries the connection's number.
#include "platform/win32/winsock_tcp_client.h"

#include <ws2tcpip.h>

#include "platform/failure.h"
#include "platform/win32/system_error.h"

namespace bw::win32 {

namespace {

// An outcome that the connect call knew at once, delivered later like any other.
constexpr UINT kEarlyOutcomeMessage = WM_APP + 1;
constexpr UINT kFirstSocketMessage = WM_APP + 16;
constexpr UINT kSocketMessageCount = 256;

// Errors that are the outcome of a started attempt rather than a failure to start one.
bool IsConnectOutcome(int error) {
    return error == WSAECONNREFUSED || error == WSAETIMEDOUT || error == WSAENETUNREACH ||
           error == WSAEHOSTUNREACH;
}

}  // namespace

WinsockTcpClient::WinsockTcpClient()
    : window_([this](UINT message, WPARAM wParam, LPARAM lParam) {
          return OnMessage(message, wParam, lParam);
      }) {}

void WinsockTcpClient::Close() {
    if (!socket_) return;
    const SOCKET s = socket_.release();
    // Stop the notifications first, so nothing more is queued for this socket.
    WSAAsyncSelect(s, window_.Handle(), 0, 0);
    if (closesocket(s) == SOCKET_ERROR) throw SystemFailure(WSAGetLastError());
}

void WinsockTcpClient::Connect(const std::string& host, int port) {
    if (socket_) throw SystemFailure(WSAEISCONN);

    if (port <= 0 || port > 65535) throw SystemFailure(WSAEADDRNOTAVAIL);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    // The server is addressed by number; a name would need a blocking look-up.
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1)
        throw SystemFailure(WSAHOST_NOT_FOUND);

    UniqueSocket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!s) throw SystemFailure(WSAGetLastError());
    ++connection_;
    const UINT message = kFirstSocketMessage + connection_ % kSocketMessageCount;
    if (WSAAsyncSelect(s.get(), window_.Handle(), message, FD_CONNECT | FD_READ | FD_CLOSE) ==
        SOCKET_ERROR)
        throw SystemFailure(WSAGetLastError());

    connectReported_ = false;
    if (connect(s.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
        SOCKET_ERROR) {
        const int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK) {
            if (!IsConnectOutcome(error)) throw SystemFailure(error);
            PostMessageW(window_.Handle(), kEarlyOutcomeMessage, connection_, error);
        }
    } else {
        PostMessageW(window_.Handle(), kEarlyOutcomeMessage, connection_, 0);
    }
    socket_ = std::move(s);
}

std::string WinsockTcpClient::Read() {
    if (!socket_) return {};
    char buffer[kReadLimitBytes];
    // A recv that leaves data behind has Windows post FD_READ again.
    const int n = recv(socket_.get(), buffer, sizeof buffer, 0);
    // Would block, closed or failed: the events tell which.
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

bool WinsockTcpClient::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kEarlyOutcomeMessage) {
        if (socket_ && wParam == connection_) OnSocketEvent(FD_CONNECT, static_cast<int>(lParam));
        return true;
    }
    if (message < kFirstSocketMessage || message >= kFirstSocketMessage + kSocketMessageCount)
        return false;
    const bool current = socket_ && static_cast<SOCKET>(wParam) == socket_.get() &&
                         message == kFirstSocketMessage + connection_ % kSocketMessageCount;
    if (current) OnSocketEvent(WSAGETSELECTEVENT(lParam), WSAGETSELECTERROR(lParam));
    return true;
}

void WinsockTcpClient::OnSocketEvent(int event, int error) {
    // The handlers may close or reconnect this client: nothing here touches it afterwards.
    TcpClientEvents* events = events_;
    switch (event) {
        case FD_CONNECT:
            if (connectReported_) return;
            connectReported_ = true;
            if (!events) return;
            if (error)
                events->OnError(error, SystemErrorDescription(static_cast<unsigned long>(error)));
            else
                events->OnConnect();
            return;
        case FD_READ:
            DeliverWaitingData(events);
            return;
        case FD_CLOSE: {
            // What the peer sent before it closed is still delivered first.
            const WPARAM attempt = connection_;
            DeliverWaitingData(events);
            // The handler may have closed or reconnected: then this close is no longer news.
            if (!socket_ || connection_ != attempt) return;
            if (events) events->OnClose();
            return;
        }
        default:
            return;
    }
}

void WinsockTcpClient::DeliverWaitingData(TcpClientEvents* events) {
    u_long available = 0;
    ioctlsocket(socket_.get(), FIONREAD, &available);
    if (events && available > 0) events->OnDataArrival(available);
}

}  // namespace bw::win32
