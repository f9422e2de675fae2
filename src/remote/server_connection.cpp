// Connection state: Starting (no outcome yet), Connected, Down (outage reported, retrying).
// ErrorCount is the whole memory of the state: 1 while an outage is reported, else 0.
#include "remote/server_connection.h"

#include "platform/failure.h"

namespace bw {

ServerConnection::ServerConnection(TcpClient& wscLIRC, Timer& tmrWinLIRCCheck,
                                   StatusDisplay& display, EventLogWriter& log)
    : wscLIRC_(wscLIRC), tmrWinLIRCCheck_(tmrWinLIRCCheck), display_(display), log_(log) {
    tmrWinLIRCCheck_.SetInterval(kReconnectIntervalMs);
    tmrWinLIRCCheck_.SetEnabled(false);
    tmrWinLIRCCheck_.SetTickHandler([this] { tmrWinLIRCCheck_Timer(); });
    display_.SetStatusText(" ");
    display_.ShowStatusPicture(StatusPicture::Searching);
    display_.ShowServerPicture(ServerPicture::Running);
    wscLIRC_.SetEvents(this);
}

ServerConnection::~ServerConnection() {
    wscLIRC_.SetEvents(nullptr);
    tmrWinLIRCCheck_.SetTickHandler(nullptr);
}

void ServerConnection::Connect2WinLIRC() {
    // A new connection starts with a new line: nothing is left of the old one.
    framer_.Reset();
    ConnectionEnded();
    try {
        wscLIRC_.Close();
        wscLIRC_.Connect(kServerHost, kServerPort);
        ticksWithoutOutcome_ = 0;
        tmrWinLIRCCheck_.SetEnabled(true);
    } catch (const Failure& failure) {
        // Reported as an outage rather than in a box: that keeps the retries going, and a
        // box per tick would pile up modal windows while the failure lasts.
        LogError(failure.Description());
    }
}

void ServerConnection::wscLIRC_Connect() {
    ticksWithoutOutcome_.reset();
    connectedNotTurnedAway_ = true;
    LogOK(kServerRunningLine);
}

void ServerConnection::wscLIRC_Close() {
    ticksWithoutOutcome_.reset();
    ConnectionEnded();
    LogError(kServerNotRunningLine);
}

void ServerConnection::wscLIRC_Error(int number, const std::string& description) {
    ticksWithoutOutcome_.reset();
    ConnectionEnded();
    LogError(number == kConnectionRefused ? kServerNotRunningLine : description);
}

void ServerConnection::ConnectionEnded() {
    if (connectedNotTurnedAway_) serverFullReported_ = false;
    connectedNotTurnedAway_ = false;
}

void ServerConnection::wscLIRC_DataArrival() {
    // Always drain the client: the platform signals new data only after a read.
    const std::string bytes = wscLIRC_.Read();
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

void ServerConnection::tmrWinLIRCCheck_Timer() {
    display_.ShowStatusPicture(blinkOn_ ? StatusPicture::Error : StatusPicture::Searching);
    display_.ShowServerPicture(ServerPicture::NotRunning);
    blinkOn_ = !blinkOn_;
    // An attempt still under way is left to finish: its outcome may be the connection. Not
    // being connected a tick after the start is an outage all the same.
    if (ticksWithoutOutcome_ && *ticksWithoutOutcome_ + 1 < kTicksBeforeNewAttempt) {
        ++*ticksWithoutOutcome_;
        LogError(kServerNotRunningLine);
    } else {
        Connect2WinLIRC();
    }
}

void ServerConnection::LogOK(const std::string& message) {
    errorCount_ = 0;
    log_.Write(LogKind::OK, message);
    tmrWinLIRCCheck_.SetEnabled(false);
    display_.ShowServerPicture(ServerPicture::Running);
    display_.ShowStatusPicture(StatusPicture::Connected);
    display_.SetStatusText(kConnectedText);
}

void ServerConnection::LogError(const std::string& message) {
    if (errorCount_ >= 1) return;
    ++errorCount_;
    log_.Write(LogKind::Error, message);
    display_.SetStatusText(kNotRunningText);
    tmrWinLIRCCheck_.SetEnabled(true);
    display_.ShowStatusPicture(StatusPicture::Error);
    display_.ShowServerPicture(ServerPicture::NotRunning);
}

}  // namespace bw
