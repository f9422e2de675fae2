// The press state machine and the release time learnt from each remote's repeat lines.
#include "remote/press_tracker.h"

#include <algorithm>

#include "platform/decimal_text.h"

namespace bw {

namespace {

// Enough gaps to outvote a few lost lines, few enough to follow a remote that changes.
constexpr std::size_t kGapsKept = 16;

}  // namespace

Millis LongPressMsFrom(const std::string& stored) {
    const std::optional<long long> ms = ParseWholeNumber(stored, 0, 1000000000);
    return ms ? std::clamp<Millis>(*ms, kShortestLongPressMs, kLongestLongPressMs)
              : kDefaultLongPressMs;
}

Millis PressTracker::MedianGap(const std::string& remote) const {
    const auto found = gaps_.find(remote);
    // Until heard, the gap the first release time allows for.
    if (found == gaps_.end() || found->second.empty()) return kFirstReleaseMs * 2 / 5;
    std::vector<Millis> gaps(found->second.begin(), found->second.end());
    std::nth_element(gaps.begin(), gaps.begin() + static_cast<std::ptrdiff_t>(gaps.size() / 2),
                     gaps.end());
    return gaps[gaps.size() / 2];
}

Millis PressTracker::ReleaseMs(const std::string& remote) const {
    const Millis median = MedianGap(remote);
    if (gaps_.find(remote) == gaps_.end()) return kFirstReleaseMs;
    // Counted from when the next line was due, half again the gap: one lost repeat line
    // (a gap of twice the usual) must not cut a hold in two, and a let-go button must not
    // seem held for long.
    return std::clamp(median + median * 3 / 2, kShortestReleaseMs, kLongestReleaseMs);
}

bool PressTracker::LinesFlowing(Millis now) const {
    return press_ && now - press_->lastLine <= MedianGap(press_->remote) * 3 / 2;
}

void PressTracker::LearnGap(const std::string& remote, Millis gap) {
    std::deque<Millis>& gaps = gaps_[remote];
    gaps.push_back(gap);
    if (gaps.size() > kGapsKept) gaps.pop_front();
}

void PressTracker::Start(std::vector<PressEvent>& events, const std::string& button,
                         const std::string& remote, std::int16_t repeat, Millis now) {
    press_ = Press{button, remote, now, now, repeat, false, ++presses_};
    events.push_back({PressEvent::Kind::Start, button, remote, repeat, press_->number});
}

void PressTracker::End(std::vector<PressEvent>& events, PressEvent::Kind kind) {
    if (!press_) return;
    events.push_back({kind, press_->button, press_->remote, 0, press_->number});
    if (kind == PressEvent::Kind::End)
        ended_ = Ended{press_->button, press_->remote, press_->lastLine, press_->lastRepeat};
    press_.reset();
}

std::vector<PressEvent> PressTracker::OnTime(Millis now) {
    std::vector<PressEvent> events;
    if (press_ && now - press_->lastLine > ReleaseMs(press_->remote)) End(events);
    return events;
}

std::vector<PressEvent> PressTracker::DropPress(bool sleeping) {
    afterSleep_ = afterSleep_ || sleeping;
    std::vector<PressEvent> events;
    End(events, PressEvent::Kind::Drop);
    return events;
}

std::optional<Millis> PressTracker::NextDeadline() const {
    if (!press_) return std::nullopt;
    return press_->lastLine + ReleaseMs(press_->remote) + 1;
}

std::vector<PressEvent> PressTracker::OnLine(const std::string& button, const std::string& remote,
                                             std::int16_t repeat, Millis now) {
    std::vector<PressEvent> events = OnTime(now);
    const bool same = press_ && press_->button == button && press_->remote == remote;
    // The same line told twice (two receivers hear one remote): a first line, or a repeat
    // whose count does not go on.
    if (same && repeat <= press_->lastRepeat && now - press_->lastLine < kDuplicateMs &&
        (repeat != 0 || press_->lastRepeat == 0))
        return events;
    if (!same && ended_ && ended_->button == button && ended_->remote == remote &&
        repeat == ended_->lastRepeat + 1 && now - ended_->lastLine <= kLongestReleaseMs)
        LearnGap(remote, now - ended_->lastLine);
    ended_.reset();
    if (repeat == 0) afterSleep_ = false;
    if (!same && repeat != 0 && afterSleep_) return events;
    if (!same || repeat == 0) {
        End(events);
        Start(events, button, remote, repeat, now);
    } else {
        // A count that goes on by one is the next frame of the same hold: its gap is what
        // the remote repeats at.
        if (repeat == press_->lastRepeat + 1) LearnGap(remote, now - press_->lastLine);
        press_->lastLine = now;
        press_->lastRepeat = repeat;
        events.push_back({PressEvent::Kind::Repeat, button, remote, repeat, press_->number});
    }
    // A line that comes once the button has been held for the long-press time proves it
    // was: a moment taken from a timer alone would call a press long that ended just
    // before it, while its silence was still being waited out.
    if (press_ && !press_->longReached && now - press_->started >= longPressMs_) {
        press_->longReached = true;
        events.push_back({PressEvent::Kind::Long, button, remote, 0, press_->number});
    }
    return events;
}

}  // namespace bw
