// Asking for the program in front only when the window in front changes.
#include "remote/foreground_watch.h"

namespace bw {

namespace {
// Window handles are reused; an old one may come back for another program's window.
constexpr std::size_t kMostWarnedWindows = 1000;
}  // namespace

const ProgramInFront& ForegroundWatch::Current() {
    const std::uintptr_t window = foreground_.Window();
    // Until a window comes to the front, current_ already describes "none" (window 0).
    if (window != current_.window) {
        current_ = window ? foreground_.Describe(window) : ProgramInFront{};
        current_.window = window;
    }
    return current_;
}

void ForegroundWatch::WarnIfUnreachable() {
    const ProgramInFront& front = Current();
    if (!front.runsAboveUs || warned_.contains(front.window)) return;
    if (warned_.size() >= kMostWarnedWindows) warned_.clear();
    warned_.insert(front.window);
    const std::string program = front.program.empty() ? "the program in front" : front.program;
    log_.Write(LogKind::Error, "Keys cannot reach " + program +
                                   ": it runs as administrator. Start Buttonwise as "
                                   "administrator to control it.");
}

}  // namespace bw
