// Asking for the program in front only when the window in front changes.
#include "remote/foreground_watch.h"

namespace bw {

namespace {
// Window handles are reused; an old one may come back for another program's window.
constexpr std::size_t kMostWarnedWindows = 1000;
}  // namespace

const ProgramInFront& ForegroundWatch::Current() {
    const WindowInFront window = foreground_.Window();
    // A window whose program could not be read (it was starting, or ending) is read again
    // at the next line, not taken for a nameless one for the rest of its life.
    if (window != window_ || (!known_ && !triedThisLine_)) {
        window_ = window;
        current_ = window.handle ? foreground_.Describe(window) : ProgramInFront{};
        known_ = !window.handle || !current_.program.empty();
        triedThisLine_ = true;
    }
    return current_;
}

const ProgramInFront& ForegroundWatch::WarnIfUnreachable() {
    const ProgramInFront& front = Current();
    if (front.reach == InputReach::Arrives || warned_.contains(window_)) return front;
    if (warned_.size() >= kMostWarnedWindows) warned_.clear();
    warned_.insert(window_);
    const std::string program = front.program.empty() ? "the program in front" : front.program;
    log_.Write(LogKind::Error,
               front.reach == InputReach::Dropped
                   ? "Keys cannot reach " + program +
                         ": it runs as administrator. Start Buttonwise as administrator to "
                         "control it."
                   : "Keys may not reach " + program + ": it runs with other rights.");
    return front;
}

}  // namespace bw
