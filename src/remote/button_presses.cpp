// Lines and ticks into press steps, and the one timer set for the earliest thing due.
#include "remote/button_presses.h"

#include <algorithm>

namespace bw {

ButtonPresses::ButtonPresses(ActionDispatch& dispatch, HeldInput& held, Clock& clock,
                             Timer& timer, Millis longPressMs)
    : dispatch_(dispatch), held_(held), clock_(clock), timer_(timer), tracker_(longPressMs) {
    timer_.SetTickHandler([this] { OnTick(); });
}

void ButtonPresses::OnLine(const std::string& button, std::int16_t repeat,
                           const std::string& remote) {
    Handle(tracker_.OnLine(button, remote, repeat, clock_.Now()));
}

void ButtonPresses::DropPress(bool sleeping) {
    Handle(tracker_.DropPress(sleeping));
    // A press that had already ended may have left a repeat going in a pass cut short.
    held_.ReleaseAll();
    Schedule();
}

void ButtonPresses::OnTick() {
    timer_.SetEnabled(false);
    armedFor_.reset();
    held_.OnTime();
    Handle(tracker_.OnTime(clock_.Now()));
}

void ButtonPresses::Handle(const std::vector<PressEvent>& events) {
    // A step may run a modal loop (the countdown) in which more lines come and are handled
    // at once, so that a press can cancel it. The tracker has then moved on, and what is
    // left of this batch is out of date: a press it would start has already ended.
    const std::uint64_t batch = ++handled_;
    for (const PressEvent& event : events)
        if (handled_ == batch) dispatch_.OnPress(event);
    // Nothing stays down once no press is under way, however the steps went.
    if (!tracker_.NextDeadline()) held_.ReleaseAll();
    Schedule();
}

void ButtonPresses::Schedule() {
    std::optional<Millis> due = tracker_.NextDeadline();
    if (const std::optional<Millis> repeat = held_.NextDeadline())
        due = due ? std::min(*due, *repeat) : *repeat;
    if (!due) {
        armedFor_.reset();
        return timer_.SetEnabled(false);
    }
    // Every line moves the press's end later: a timer set for earlier wakes, finds the
    // press still going and sets itself again. Setting it at every line would cost two
    // calls into the system per line under a flood.
    if (armedFor_ && *armedFor_ <= *due) return;
    armedFor_ = *due;
    timer_.SetEnabled(false);
    timer_.SetInterval(static_cast<int>(std::max<Millis>(1, *due - clock_.Now())));
    timer_.SetEnabled(true);
}

}  // namespace bw
