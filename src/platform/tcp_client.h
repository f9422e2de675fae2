// The TCP client the remote link reads button lines from. Connecting is asynchronous:
// the outcome arrives later as an event, always on the user-interface thread.
#pragma once

#include <cstddef>
#include <string>

namespace bw {

class TcpClientEvents {
  public:
    virtual ~TcpClientEvents() = default;
    virtual void OnConnect() = 0;
    virtual void OnClose() = 0;
    virtual void OnDataArrival(std::size_t bytesAvailable) = 0;
    // number is a Windows Sockets error number (10061 for a refused connection).
    virtual void OnError(int number, const std::string& description) = 0;
};

class TcpClient {
  public:
    virtual ~TcpClient() = default;

    // Events of a connection that has been closed are never delivered.
    virtual void SetEvents(TcpClientEvents* events) = 0;

    // Closes the connection in whatever state it is; closing a closed client does nothing.
    // Throws Failure only if the platform call itself fails.
    virtual void Close() = 0;

    // Starts connecting and returns at once. Throws Failure if the attempt cannot even start;
    // every outcome of a started attempt (refusal included) arrives as an event.
    virtual void Connect(const std::string& host, int port) = 0;

    // What has arrived, as raw bytes, up to kReadLimitBytes; empty when nothing is waiting.
    // Whatever is left brings another data-arrival event. So a server that sends without
    // pause never keeps the user-interface thread in one read: about a hundred lines per
    // event, and the window's other messages in between.
    virtual std::string Read() = 0;

    static constexpr std::size_t kReadLimitBytes = 4096;
};

}  // namespace bw
