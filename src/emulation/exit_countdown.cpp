// The countdown's ticks and ways out, and the forced end of the session at zero.
#include "emulation/exit_countdown.h"

#include "platform/failure.h"
#include "platform/scoped_flag.h"

namespace bw {

namespace {

constexpr std::uint32_t kEwxForce = 4;
constexpr std::uint32_t kEwxPowerOff = 8;

}  // namespace

ExitCountdown::ExitCountdown(CountdownView& window, Timer& countdownTimer, ExitSession& session,
                             EventLogWriter& log)
    : window_(window), timer_(countdownTimer), session_(session), log_(log) {
    timer_.SetInterval(1000);
    timer_.SetEnabled(false);
    timer_.SetTickHandler([this] { OnTick(); });
}

ExitCountdown::~ExitCountdown() {
    timer_.SetTickHandler(nullptr);
}

bool ExitCountdown::Show(const ExitKind& kind) {
    kind_ = kind;
    if (shown_) return false;
    const ScopedFlag shown(shown_);
    window_.ShowModal(*this);
    return true;
}

std::string CountdownText(const ExitKind& kind, int secondsLeft) {
    return std::string(kind.coming) + " in " + std::to_string(secondsLeft) + " seconds...";
}

std::string ExitCountdown::Text() const {
    return CountdownText(kind_, kCountdownSeconds - secondsElapsed_);
}

void ExitCountdown::Opened() {
    counting_ = true;
    window_.SetText(Text());
    timer_.SetEnabled(true);
    window_.BringToTop();
}

void ExitCountdown::OnTick() {
    if (!shown_) return;
    ++secondsElapsed_;
    window_.SetText(Text());
    if (secondsElapsed_ >= kCountdownSeconds) {
        counting_ = false;
        timer_.SetEnabled(false);
        ForceExitWindows();
        window_.Close();
    }
}

bool ExitCountdown::Cancel(const std::string& reason) {
    // At zero the session end is asked for already; a second press in the same arrival
    // finds it cancelled.
    if (!counting_) return false;
    log_.LogChange(std::string(kind_.name) + " was cancelled: " + reason);
    CancelPressed();
    return true;
}

void ExitCountdown::CancelPressed() {
    counting_ = false;
    secondsElapsed_ = 0;
    window_.Close();
}

void ExitCountdown::Closed() {
    counting_ = false;
    secondsElapsed_ = 0;
    // The timer belongs to the window: no tick after it closed.
    timer_.SetEnabled(false);
}

void ExitCountdown::ForceExitWindows() {
    try {
        if (kind_.type == kExitSleep || kind_.type == kExitHibernate) {
            session_.Suspend(kind_.type == kExitHibernate);
        } else {
            std::uint32_t flags = static_cast<std::uint32_t>(kind_.type) + kEwxForce;
            // Without it Windows halts at "it is now safe to switch off" instead.
            if (kind_.type == kExitShutdown) flags += kEwxPowerOff;
            session_.EndSession(flags);
        }
    } catch (const Failure& failure) {
        std::string line = kind_.coming;
        line += " failed: ";
        line += failure.Description();
        log_.Write(LogKind::Error, line);
    }
}

}  // namespace bw
