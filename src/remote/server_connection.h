// Keeps the one connection to the receiver server: connects at start-up, shows whether the
// server runs, reports each outage once, and retries every two seconds while it is down.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "platform/event_log_writer.h"
#include "platform/tcp_client.h"
#include "platform/timer.h"
#include "remote/line_framer.h"
#include "remote/status_display.h"

namespace bw {

inline constexpr const char* kServerHost = "127.0.0.1";
inline constexpr int kServerPort = 8765;
inline constexpr int kReconnectIntervalMs = 2000;
inline constexpr int kConnectionRefused = 10061;  // WSAECONNREFUSED
// Windows takes about two seconds to refuse a connection to a closed port of this machine,
// a tick's length: a tick must never cancel the attempt that would have succeeded. One
// without an outcome for this many ticks, ten seconds, is given up for a new one; a server
// that answers at all answers long before.
inline constexpr int kTicksBeforeNewAttempt = 5;

inline constexpr const char* kServerRunningLine = "WinLIRC is running.";
inline constexpr const char* kServerNotRunningLine = "WinLIRC is not running!";
inline constexpr const char* kConnectedText =
    "WinLIRC is running. You can assign actions to remote control keys now.";
inline constexpr const char* kNotRunningText =
    "WinLIRC is not running.  You must run and configure WinLIRC  to use Buttonwise";

class ServerConnection : private TcpClientEvents {
  public:
    // One received button line, as bytes, without its line end.
    using LineHandler = std::function<void(const std::string& line)>;

    // Leaves the display in its starting state and the reconnect timer disabled.
    ServerConnection(TcpClient& serverClient, Timer& reconnectTimer, StatusDisplay& display,
                     EventLogWriter& log);
    ~ServerConnection() override;
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    void SetLineHandler(LineHandler handler) { onLine_ = std::move(handler); }
    // Told when a connection ends or is given up for a new one: no line will end a press
    // that it began.
    void SetEndHandler(std::function<void()> handler) { onEnd_ = std::move(handler); }

    // Starts one connection attempt, abandoning any earlier one. Until its outcome the
    // reconnect timer runs: the outage is said at the first tick without one.
    void Connect();
    // Closes the connection and stops retrying, as the computer goes to sleep; Connect
    // starts again.
    void Disconnect();

  private:
    // The socket's events, as the client delivers them, and the reconnect timer's tick.
    void OnConnect() override;
    void OnClose() override;
    void OnDataArrival(std::size_t bytesAvailable) override;
    void OnError(int number, const std::string& description) override;
    void OnReconnectTick();

    // Log lines with the status steps around them; an outage is reported once.
    void ShowRunning(const std::string& message);
    void ShowOutage(const std::string& message);
    void HandWaitingLines();
    // The connection that just ended was a real one: the next refusal is news again.
    void ConnectionEnded();

    TcpClient& client_;
    Timer& reconnectTimer_;
    StatusDisplay& display_;
    EventLogWriter& log_;
    LineHandler onLine_;
    std::function<void()> onEnd_;
    LineFramer framer_;
    // Lines received but not yet handled. A handler may run a modal loop in which more data
    // arrives; that nested arrival goes on with this queue, so lines keep their order.
    std::deque<std::string> waitingLines_;
    // "Sorry the server is full." is said once per run of refusals, until a connection is
    // kept: one that was made and ended without being turned away, or that brought lines.
    bool serverFullReported_ = false;
    bool connectedNotTurnedAway_ = false;
    bool outageReported_ = false;  // the whole memory of the state, with the attempt below
    bool blinkOn_ = false;
    std::optional<int> ticksWithoutOutcome_;  // nothing: no attempt under way
};

}  // namespace bw
