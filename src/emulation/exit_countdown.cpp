// The countdown's ticks and ways out, and the forced end of the session at zero.
#include "emulation/exit_countdown.h"

#include "platform/failure.h"
#include "platform/scoped_flag.h"

namespace bw {

namespace {

constexpr std::uint32_t kEwxForce = 4;
constexpr std::uint32_t kEwxPowerOff = 8;

}  // namespace

ExitCountdown::ExitCountdown(CountdownWindow& window, Timer& tmrExit, ExitSession& session,
                             EventLogWriter& log)
    : window_(window), tmrExit_(tmrExit), session_(session), log_(log) {
    tmrExit_.SetInterval(1000);
    tmrExit_.SetEnabled(false);
    tmrExit_.SetTickHandler([this] { tmrExit_Timer(); });
}

ExitCountdown::~ExitCountdown() {
    tmrExit_.SetTickHandler(nullptr);
}

void ExitCountdown::Show() {
    if (shown_) throw Failure(kFailureAlreadyShown, "Form already displayed; can't show modally");
    const ScopedFlag shown(shown_);
    window_.ShowModal(*this);
}

std::string CountdownText(const std::string& typeName, int secondsLeft) {
    return typeName + " windows in " + std::to_string(secondsLeft) + " seconds...";
}

std::string ExitCountdown::Text() const {
    return CountdownText(ExitTypeName, kCountdownSeconds - secondsElapsed_);
}

void ExitCountdown::Form_Load() {
    counting_ = true;
    window_.SetText(Text());
    tmrExit_.SetEnabled(true);
    window_.BringToTop();
}

void ExitCountdown::tmrExit_Timer() {
    if (!shown_) return;
    ++secondsElapsed_;
    window_.SetText(Text());
    if (secondsElapsed_ >= kCountdownSeconds) {
        counting_ = false;
        tmrExit_.SetEnabled(false);
        ForceExitWindows(ExitType);
        window_.Close();
    }
}

bool ExitCountdown::Cancel(const std::string& reason) {
    // At zero the session end is asked for already; a second press in the same arrival
    // finds it cancelled.
    if (!counting_) return false;
    log_.LogChange(ExitTypeName + " was cancelled: " + reason);
    cmdCancel_Click();
    return true;
}

void ExitCountdown::cmdCancel_Click() {
    counting_ = false;
    secondsElapsed_ = 0;
    window_.Close();
}

void ExitCountdown::Form_Unload() {
    counting_ = false;
    secondsElapsed_ = 0;
    // The timer belongs to the window: no tick after it closed.
    tmrExit_.SetEnabled(false);
}

void ExitCountdown::ForceExitWindows(std::int32_t type) {
    std::uint32_t flags = static_cast<std::uint32_t>(type) + kEwxForce;
    // Without it Windows halts at "it is now safe to switch off" instead of switching off.
    if (type == kExitShutdown) flags += kEwxPowerOff;
    try {
        session_.EndSession(flags);
    } catch (const Failure& failure) {
        std::string line = ExitTypeName;
        line += " windows failed: ";
        line += failure.Description();
        log_.Write(LogKind::Error, line);
    }
}

}  // namespace bw
