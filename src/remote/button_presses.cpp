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
    Schedule();
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
    // The end first: a repeat due at the same moment would come after the button was let go.
    Handle(tracker_.OnTime(clock_.Now()));
    if (tracker_.LinesFlowing(clock_.Now())) held_.OnTime();
    Schedule();
}

void ButtonPresses::Handle(const std::vector<PressEvent>& events) {
    // A step may run a modal loop (the countdown, a click's yield) in which more lines and
    // ticks are handled at once, so that a press can cancel the countdown. The tracker has
    // then moved on: a press this batch would start has already ended, and its other steps
    // name a press the dispatch is no longer at.
    for (const PressEvent& event : events)
        if (event.kind != PressEvent::Kind::Start || event.press == tracker_.CurrentPress())
            dispatch_.OnPress(event);
    // Nothing stays down once no press is under way, however the steps went.
    if (!tracker_.CurrentPress()) held_.ReleaseAll();
}

void ButtonPresses::Schedule() {
    std::optional<Millis> due = tracker_.NextDeadline();
    // A repeat only while the lines come: the silence that ends the press repeats nothing.
    if (const std::optional<Millis> repeat = held_.NextDeadline();
        repeat && tracker_.LinesFlowing(clock_.Now()))
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
