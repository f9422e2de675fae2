// The TCP client over Windows Sockets, with its events posted to a hidden window
// (WSAAsyncSelect), so that they arrive on the user-interface thread.
#pragma once

#include "platform/tcp_client.h"
#include "platform/win32/message_window.h"
#include "platform/win32/unique_handle.h"

namespace bw::win32 {

class WinsockTcpClient final : public TcpClient {
  public:
    WinsockTcpClient();  // needs a WinsockSession

    void SetEvents(TcpClientEvents* events) override { events_ = events; }
    void Close() override;
    void Connect(const std::string& host, int port) override;
    std::string Read() override;

  private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnSocketEvent(int event, int error);
    void DeliverWaitingData(TcpClientEvents* events);

    TcpClientEvents* events_ = nullptr;
    UniqueSocket socket_;
    WPARAM connection_ = 0;  // counts the attempts
    bool connectReported_ = false;
    MessageWindow window_;
};

}  // namespace bw::win32
