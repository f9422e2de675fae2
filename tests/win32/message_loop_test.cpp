// What delivers through the message loop, against the real API: timer ticks, paced calls, the
// Winsock client against a loopback server (reconnecting is the connection journey's).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/paced_call.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_timer.h"
#include "platform/win32/winsock_session.h"
#include "platform/win32/winsock_tcp_client.h"

namespace bw::test {
namespace {

// The loop run the way the program's own loop runs, until the condition holds or time is up.
bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 5000) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;; MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT)) {
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageW(&message);
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
    }
}

// Waits, without handling anything, until a message in [first, last] is queued.
bool WaitUntilQueued(unsigned first, unsigned last, int timeoutMs = 5000) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (MSG queued; !PeekMessageW(&queued, nullptr, first, last, PM_NOREMOVE); Sleep(5))
        if (GetTickCount64() >= deadline) return false;
    return true;
}

using std::chrono::milliseconds;

TEST(Win32TimerTest, QueuedTickOfAStoppedTimerIsDropped) {
    win32::WindowTimer timer;
    int ticks = 0;
    timer.SetTickHandler([&] { ++ticks; });
    timer.SetInterval(1);
    timer.SetEnabled(true);
    // Let a WM_TIMER become due without handling it, then stop the timer.
    ASSERT_TRUE(WaitUntilQueued(WM_TIMER, WM_TIMER));
    timer.SetEnabled(false);
    PumpUntil([] { return false; }, 50);
    EXPECT_EQ(ticks, 0);
}

TEST(PacedCallTest, ABurstOfAsksIsAnsweredOnceWhenItIsOver) {
    int calls = 0;
    win32::PacedCall call([&] { ++calls; }, milliseconds(20), milliseconds(10000));
    for (int i = 0; i < 100; ++i) call.Ask();
    EXPECT_EQ(calls, 0) << "called on the way";
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(calls, 1);
}

TEST(PacedCallTest, AStreamThatNeverEmptiesTheQueueIsStillAnswered) {
    int calls = 0;
    win32::PacedCall call([&] { ++calls; }, milliseconds(20), milliseconds(50));
    // Each message asks, as each button line does through the log it writes.
    win32::MessageWindow stream([&](UINT message, WPARAM, LPARAM) {
        if (message == WM_APP + 7) call.Ask();
        return message == WM_APP + 7;
    });
    // One message posted for each one handled: the queue never empties, so no timer comes.
    for (const ULONGLONG deadline = GetTickCount64() + 3000;
         !calls && GetTickCount64() < deadline;) {
        PostMessageW(stream.Handle(), WM_APP + 7, 0, 0);
        if (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    EXPECT_EQ(calls, 1) << "no call in 3 s of a steady stream";
}

using win32::UniqueSocket;

// Records events as text, and reads what arrives the way the program does.
class WinsockTcpClientTest : public ::testing::Test, public TcpClientEvents {
  protected:
    win32::WinsockSession winsock;
    win32::WinsockTcpClient client;
    std::vector<std::string> events;
    std::string received, errorDescription;
    std::size_t largestRead = 0;

    void SetUp() override { client.SetEvents(this); }
    void OnConnect() override { events.push_back("connect"); }
    void OnClose() override { events.push_back("close"); }
    void OnDataArrival(std::size_t) override {
        if (events.empty() || events.back() != "data") events.push_back("data");
        const std::string bytes = client.Read();
        largestRead = std::max(largestRead, bytes.size());
        received += bytes;
    }
    void OnError(int number, const std::string& description) override {
        events.push_back("error " + std::to_string(number));
        errorDescription = description;
    }

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
    // Connects the client and returns the server's end, once the client saw the connect event.
    UniqueSocket Connect(const UniqueSocket& listener, int port) {
        client.Connect("127.0.0.1", port);
        UniqueSocket server(accept(listener.get(), nullptr, nullptr));
        EXPECT_TRUE(server);
        EXPECT_TRUE(PumpUntil([&] { return !events.empty(); }));
        EXPECT_EQ(events, std::vector<std::string>{"connect"});
        return server;
    }
    static void Send(const UniqueSocket& server, const std::string& bytes) {
        send(server.get(), bytes.data(), static_cast<int>(bytes.size()), 0);
    }
};

TEST_F(WinsockTcpClientTest, ConnectsReceivesEverythingAndSeesThePeerCloseAfterTheLastData) {
    int port = 0;
    const UniqueSocket listener = Listen(port);
    UniqueSocket server = Connect(listener, port);
    const std::string line = "000000000000f40b 00 PLAY remote1\n";
    Send(server, line);
    // A sender faster than the reader: each read takes a bounded part, the events bring the
    // rest, and nothing is lost.
    const std::string flood(1024 * 1024, 'x');
    std::thread sender([&] { Send(server, flood); });
    ASSERT_TRUE(PumpUntil([&] { return received.size() == line.size() + flood.size(); }, 20000));
    sender.join();
    EXPECT_EQ(received.substr(0, line.size()), line);
    EXPECT_LE(largestRead, TcpClient::kReadLimitBytes);
    // Data sent just before the peer closes still arrives first.
    Send(server, line);
    server.reset();
    ASSERT_TRUE(PumpUntil([&] { return events.back() == "close"; }));
    EXPECT_EQ(events, (std::vector<std::string>{"connect", "data", "close"}));
    EXPECT_EQ(received.size(), 2 * line.size() + flood.size());
}

TEST_F(WinsockTcpClientTest, EventsQueuedForAClosedConnectionNeverArriveAndRefusalComesAlone) {
    client.Close();  // closing an idle client is harmless
    int port = 0, refusing = 0;
    Listen(refusing);  // bound once to learn a free number, then closed: nothing listens there
    const UniqueSocket listener = Listen(port);
    UniqueSocket server = Connect(listener, port);
    Send(server, "0000000000000002 00 OK remote1\n");
    server.reset();
    // Wait, without handling them, until the data and close notifications are queued.
    ASSERT_TRUE(WaitUntilQueued(WM_APP + 16, WM_APP + 16 + 255)) << "nothing was queued";
    events.clear();
    client.Close();
    client.Connect("127.0.0.1", refusing);
    ASSERT_TRUE(PumpUntil([&] { return !events.empty(); }));
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(events, std::vector<std::string>{"error 10061"});
    EXPECT_FALSE(errorDescription.empty());
    EXPECT_TRUE(received.empty());
}

}  // namespace
}  // namespace bw::test
