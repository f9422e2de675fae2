#include "button_server.h"

#include <cstdlib>

#include "platform/failure.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/winsock_session.h"

namespace bw::test {

std::string ButtonServer::Command(const std::string& command) {
    static win32::WinsockSession winsock;
    const char* portText = std::getenv("BUTTONSERVER_CONTROL_PORT");
    const int port = portText ? std::atoi(portText) : 8766;

    win32::UniqueSocket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        throw Failure(WSAGetLastError(), "the button-line server is not running");
    // The longest command, a held button, answers within seconds.
    const DWORD deadlineMs = 60000;
    setsockopt(s.get(), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&deadlineMs),
               sizeof deadlineMs);
    const std::string request = command + "\n";
    send(s.get(), request.data(), static_cast<int>(request.size()), 0);
    std::string answer;
    char buffer[512];
    int n = 0;
    while ((n = recv(s.get(), buffer, sizeof buffer, 0)) > 0) answer.append(buffer, n);
    if (n < 0) throw Failure(WSAGetLastError(), "the button-line server did not answer " + command);
    while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r')) answer.pop_back();
    return answer;
}

}  // namespace bw::test
