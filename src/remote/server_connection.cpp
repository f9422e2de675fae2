// Connection state: Starting (no outcome yet), Connected, Down (outage reported, retrying).
#include "remote/server_connection.h"

#include "platform/failure.h"

namespace bw {

ServerConnection::ServerConnection(TcpClient& serverClient, Timer& reconnectTimer,
                                   StatusDisplay& display, EventLogWriter& log)
    : client_(serverClient), reconnectTimer_(reconnectTimer), display_(display), log_(log) {
    reconnectTimer_.SetInterval(kReconnectIntervalMs);
    reconnectTimer_.SetEnabled(false);
    reconnectTimer_.SetTickHandler([this] { OnReconnectTick(); });
    display_.SetStatusText(" ");
    display_.ShowStatusPicture(StatusPicture::Searching);
    display_.ShowServerPicture(ServerPicture::Running);
    client_.SetEvents(this);
}

ServerConnection::~ServerConnection() {
    client_.SetEvents(nullptr);
    reconnectTimer_.SetTickHandler(nullptr);
}

void ServerConnection::Connect() {
    // A new connection starts with a new line: nothing is left of the old one.
    framer_.Reset();
    waitingLines_.clear();
    ConnectionEnded();
    try {
        client_.Close();
        client_.Connect(kServerHost, kServerPort);
        ticksWithoutOutcome_ = 0;
        reconnectTimer_.SetEnabled(true);
    } catch (const Failure& failure) {
        // Reported as an outage rather than in a box: that keeps the retries going, and a
        // box per tick would pile up modal windows while the failure lasts.
        ShowOutage(failure.Description());
    }
}

void ServerConnection::Disconnect() {
    framer_.Reset();
    waitingLines_.clear();
    ConnectionEnded();
    ticksWithoutOutcome_.reset();
    reconnectTimer_.SetEnabled(false);
    client_.Close();
}

void ServerConnection::OnConnect() {
    ticksWithoutOutcome_.reset();
    connectedNotTurnedAway_ = true;
    ShowRunning(kServerRunningLine);
}

void ServerConnection::OnClose() {
    ticksWithoutOutcome_.reset();
    ConnectionEnded();
    ShowOutage(kServerNotRunningLine);
}

void ServerConnection::OnError(int number, const std::string& description) {
    ticksWithoutOutcome_.reset();
    ConnectionEnded();
    ShowOutage(number == kConnectionRefused ? kServerNotRunningLine : description);
}

void ServerConnection::ConnectionEnded() {
    if (onEnd_) onEnd_();
    if (connectedNotTurnedAway_) serverFullReported_ = false;
    connectedNotTurnedAway_ = false;
}

void ServerConnection::OnDataArrival(std::size_t) {
    // Always drain the client: the platform signals new data only after a read.
    const std::string bytes = client_.Read();
    for (FramedLine& line : framer_.Feed(bytes)) {
        if (line.kind == FramedLine::Kind::ServerFull) {
            // The server closes next, and every retry meets the same answer until a place
            // frees up: said once, not every two seconds.
            if (!serverFullReported_) log_.Write(LogKind::Error, line.text);
            serverFullReported_ = true;
            connectedNotTurnedAway_ = false;
        } else {
            serverFullReported_ = false;
            waitingLines_.push_back(std::move(line.text));
        }
    }
    HandWaitingLines();
}

void ServerConnection::HandWaitingLines() {
    while (!waitingLines_.empty()) {
        std::string line = std::move(waitingLines_.front());
        waitingLines_.pop_front();
        if (onLine_) onLine_(line);
    }
}

void ServerConnection::OnReconnectTick() {
    display_.ShowStatusPicture(blinkOn_ ? StatusPicture::Error : StatusPicture::Searching);
    display_.ShowServerPicture(ServerPicture::NotRunning);
    blinkOn_ = !blinkOn_;
    // An attempt still under way is left to finish: its outcome may be the connection. Not
    // being connected a tick after the start is an outage all the same.
    if (ticksWithoutOutcome_ && *ticksWithoutOutcome_ + 1 < kTicksBeforeNewAttempt) {
        ++*ticksWithoutOutcome_;
        ShowOutage(kServerNotRunningLine);
    } else {
        Connect();
    }
}

void ServerConnection::ShowRunning(const std::string& message) {
    outageReported_ = false;
    log_.Write(LogKind::OK, message);
    reconnectTimer_.SetEnabled(false);
    display_.ShowServerPicture(ServerPicture::Running);
    display_.ShowStatusPicture(StatusPicture::Connected);
    display_.SetStatusText(kConnectedText);
}

void ServerConnection::ShowOutage(const std::string& message) {
    if (outageReported_) return;
    outageReported_ = true;
    log_.Write(LogKind::Error, message);
    display_.SetStatusText(kNotRunningText);
    reconnectTimer_.SetEnabled(true);
    display_.ShowStatusPicture(StatusPicture::Error);
    display_.ShowServerPicture(ServerPicture::NotRunning);
}

}  // namespace bw
