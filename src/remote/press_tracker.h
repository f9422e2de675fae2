// Tells presses apart in the stream of button lines: which line starts a press, which goes
// on with it, when the button has been held long enough for a long press, and when the
// press is over. Servers do not all send a line when a button is let go, so a press ends
// by the next line of another button, by a new first line, or by silence.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace bw {

struct PressEvent {
    // Drop: the press was cut off (the connection went, the list changed, the program
    // ends); it lets go of what it holds and does nothing else.
    enum class Kind { Start, Repeat, Long, End, Drop };
    Kind kind;
    std::string button, remote;
    std::int16_t repeat = 0;  // the line's count, for Start and Repeat
    std::uint64_t press = 0;  // which press, numbered from 1 as they start
    bool operator==(const PressEvent&) const = default;
};

inline constexpr Millis kDefaultLongPressMs = 800;
inline constexpr Millis kShortestLongPressMs = 300, kLongestLongPressMs = 5000;
// The stored long-press time ("LongPressMs"): a number of milliseconds, held within its
// bounds; anything else is the default.
Millis LongPressMsFrom(const std::string& stored);

class PressTracker {
  public:
    // Silence is measured against the gaps a remote's repeat lines come at: until one has
    // been heard repeating, this long; afterwards within these bounds.
    static constexpr Millis kFirstReleaseMs = 250, kShortestReleaseMs = 100,
                            kLongestReleaseMs = 500;
    // A first line as close as this behind the first line of the same press is the same
    // press told twice (a server with two receivers, a remote that sends a frame twice):
    // no one presses a button twice in 50 ms.
    static constexpr Millis kDuplicateMs = 50;

    explicit PressTracker(Millis longPressMs = kDefaultLongPressMs) : longPressMs_(longPressMs) {}

    // What one line means, after what the time up to it already meant.
    std::vector<PressEvent> OnLine(const std::string& button, const std::string& remote,
                                   std::int16_t repeat, Millis now);
    // What the passing of time means: a press ended by silence.
    std::vector<PressEvent> OnTime(Millis now);
    // Drops the press under way, if there is one. Across a sleep, the repeat lines of a
    // press that began before it may still come after the wake: they start nothing until
    // a first line does.
    std::vector<PressEvent> DropPress(bool sleeping = false);
    // When OnTime will next have something to say.
    std::optional<Millis> NextDeadline() const;
    // The press under way, 0 for none.
    std::uint64_t CurrentPress() const { return press_ ? press_->number : 0; }
    // Whether its lines still come at the remote's pace: a held key repeats only while they
    // do, not through the silence that ends the press.
    bool LinesFlowing(Millis now) const;

    // How long a press from this remote may stay silent before it is over.
    Millis ReleaseMs(const std::string& remote) const;

  private:
    struct Press {
        std::string button, remote;
        Millis started = 0, lastLine = 0;
        std::int16_t lastRepeat = 0;
        bool longReached = false;
        std::uint64_t number = 0;
    };
    // The last press silence ended: a remote whose repeats come slower than the first wait
    // is still heard repeating.
    struct Ended {
        std::string button, remote;
        Millis lastLine = 0;
        std::int16_t lastRepeat = 0;
    };

    void Start(std::vector<PressEvent>& events, const std::string& button,
               const std::string& remote, std::int16_t repeat, Millis now);
    void End(std::vector<PressEvent>& events, PressEvent::Kind kind = PressEvent::Kind::End);
    void LearnGap(const std::string& remote, Millis gap);
    Millis MedianGap(const std::string& remote) const;

    Millis longPressMs_;
    bool afterSleep_ = false;
    std::optional<Press> press_;
    std::optional<Ended> ended_;
    std::uint64_t presses_ = 0;
    std::map<std::string, std::deque<Millis>> gaps_;  // the latest repeat gaps by remote
};

}  // namespace bw
