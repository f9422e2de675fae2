// A TCP client that records what the logic asks of it and lets a test play the server:
// accept, refuse, close, send. Either call can be told to fail.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/failure.h"
#include "platform/tcp_client.h"

namespace bw::test {

class FakeTcpClient : public TcpClient {
  public:
    std::vector<std::string> calls;
    std::optional<Failure> failConnect;
    TcpClientEvents* events = nullptr;

    void SetEvents(TcpClientEvents* e) override { events = e; }
    void Close() override {
        calls.push_back("close");
        open_ = false;
        pending_.clear();
    }
    void Connect(const std::string& host, int port) override {
        calls.push_back("connect " + host + ":" + std::to_string(port));
        if (failConnect) throw *failConnect;
        open_ = true;
    }
    std::string Read() override {
        calls.push_back("read");
        return std::exchange(pending_, {});
    }

    // The server's side. Events come only for an attempt that is under way, as on Windows.
    void Accept() {
        if (open_ && events) events->OnConnect();
    }
    void Refuse() {
        Fail(10061,
             "No connection could be made because the target machine "
             "actively refused it.");
    }
    void Fail(int number, const std::string& description) {
        if (open_ && events) events->OnError(number, description);
    }
    void PeerCloses() {
        if (open_ && events) events->OnClose();
    }
    void Send(const std::string& bytes) {
        pending_ += bytes;
        if (open_ && events) events->OnDataArrival(pending_.size());
    }

  private:
    bool open_ = false;
    std::string pending_;
};

}  // namespace bw::test
