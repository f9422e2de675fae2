// The Winsock client against a real loopback server: the events the connection logic
// relies on, their order, refusal as 10061, and silence from connections already closed.
#include "platform/win32/winsock_tcp_client.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "message_pump.h"
#include "platform/failure.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/winsock_session.h"

namespace bw::test {
namespace {

using win32::UniqueSocket;

// Records events as text, and reads what arrives the way the program does.
class RecordingEvents : public TcpClientEvents {
  public:
    explicit RecordingEvents(TcpClient& client) : client_(client) { client.SetEvents(this); }
    std::vector<std::string> events;
    std::string received;
    std::size_t largestRead = 0;
    std::string errorDescription;

    void OnConnect() override { events.push_back("connect"); }
    void OnClose() override { events.push_back("close"); }
    void OnDataArrival(std::size_t) override {
        if (events.empty() || events.back() != "data") events.push_back("data");
        const std::string bytes = client_.Read();
        largestRead = std::max(largestRead, bytes.size());
        received += bytes;
    }
    void OnError(int number, const std::string& description) override {
        events.push_back("error " + std::to_string(number));
        errorDescription = description;
    }

  private:
    TcpClient& client_;
};

UniqueSocket Listen(int& port) {
    UniqueSocket s(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(bind(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(listen(s.get(), 4), 0);
    int length = sizeof address;
    getsockname(s.get(), reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return s;
}

// A port where nothing listens: bound once to learn a free number, then closed.
int RefusingPort() {
    int port = 0;
    Listen(port);
    return port;
}

class WinsockTcpClientTest : public ::testing::Test {
  protected:
    win32::WinsockSession winsock;
    win32::WinsockTcpClient client;
    RecordingEvents recorder{client};

    // Connects the client to the listener and returns the server's end, once the client
    // has seen the connect event.
    UniqueSocket ConnectTo(const UniqueSocket& listener, int port) {
        client.Connect("127.0.0.1", port);
        UniqueSocket server(accept(listener.get(), nullptr, nullptr));
        EXPECT_TRUE(server);
        EXPECT_TRUE(PumpUntil([&] { return !recorder.events.empty(); }));
        EXPECT_EQ(recorder.events.empty() ? "" : recorder.events[0], "connect");
        return server;
    }
    // Connects where nothing listens: the refusal must arrive, and nothing after it.
    void ExpectRefusalAlone() {
        client.Connect("127.0.0.1", RefusingPort());
        ASSERT_TRUE(PumpUntil([&] { return !recorder.events.empty(); }));
        PumpUntil([] { return false; }, 200);
        EXPECT_EQ(recorder.events, std::vector<std::string>{"error 10061"});
    }
    void Send(const UniqueSocket& server, const std::string& bytes) {
        send(server.get(), bytes.data(), static_cast<int>(bytes.size()), 0);
    }
};

TEST_F(WinsockTcpClientTest, ConnectsReceivesEverythingAndSeesThePeerCloseAfterTheLastData) {
    int port = 0;
    UniqueSocket listener = Listen(port);
    UniqueSocket server = ConnectTo(listener, port);
    const std::string line = "000000000000f40b 00 PLAY remote1\n";
    Send(server, line);
    // A sender faster than the reader: each read takes a bounded part, the events bring
    // the rest, and nothing is lost.
    const std::string flood(1024 * 1024, 'x');
    std::thread sender([&] { Send(server, flood); });
    ASSERT_TRUE(
        PumpUntil([&] { return recorder.received.size() == line.size() + flood.size(); }, 20000));
    sender.join();
    EXPECT_EQ(recorder.received.substr(0, line.size()), line);
    EXPECT_LE(recorder.largestRead, TcpClient::kReadLimitBytes);
    // Data sent just before the peer closes still arrives first.
    Send(server, line);
    server.reset();
    ASSERT_TRUE(PumpUntil([&] { return recorder.events.back() == "close"; }));
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"connect", "data", "close"}));
    EXPECT_EQ(recorder.received.size(), 2 * line.size() + flood.size());
}

TEST_F(WinsockTcpClientTest, EventsQueuedForAClosedConnectionNeverArriveAndReconnectingWorks) {
    client.Close();  // closing an idle client is harmless
    int port = 0;
    UniqueSocket listener = Listen(port);
    UniqueSocket server = ConnectTo(listener, port);
    Send(server, "0000000000000002 00 OK remote1\n");
    server.reset();
    // Wait, without handling them, until the data and close notifications are queued.
    ASSERT_TRUE(WaitUntilQueued(WM_APP + 16, WM_APP + 16 + 255)) << "nothing was queued";
    recorder.events.clear();
    client.Close();
    ExpectRefusalAlone();  // refused as 10061, with a description, and nothing else
    EXPECT_FALSE(recorder.errorDescription.empty());
    EXPECT_TRUE(recorder.received.empty());
    for (int attempt = 0; attempt < 2; ++attempt) {
        recorder.events.clear();
        client.Close();
        server = ConnectTo(listener, port);
    }
}

}  // namespace
}  // namespace bw::test
