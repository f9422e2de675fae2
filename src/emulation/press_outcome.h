// What a press did, told as it happens, for whoever shows it to the person at the remote.
// Told on the path of the press: an implementation only takes notes, and draws later.
// This base takes no notes at all; it stands in where nothing shows the presses.
#pragma once

#include <string>

#include "actions/action_list.h"
#include "platform/foreground_program.h"

namespace bw {

class PressOutcome {
  public:
    virtual ~PressOutcome() = default;
    // A line of a press: its first, a repeat, or the one at which the press became long.
    virtual void Line(const std::string& /*button*/, bool /*first*/) {}
    // A row runs, or goes down for a held row; front: the program in front, for rows that
    // send input, else empty. Said again at each line the row runs at.
    virtual void Ran(const ActionRow& /*row*/, const ProgramInFront& /*front*/) {}
    // What the last row did to the sound: the new level, or the mute's new state.
    virtual void VolumeSet(int /*percent*/) {}
    virtual void MuteSet(bool /*muted*/) {}
    // The last row's action was refused: what did not happen ("Volume not set").
    virtual void NotDone(const std::string& /*what*/) {}
    // The last row failed: the press ended there with an "Error happened" box.
    virtual void Failed() {}
    // A short press of a button whose rows wait for a long press: nothing ran.
    virtual void TooShort() {}
    // The step of the press is over, or waits in a modal loop (the exit countdown, a
    // failure's box): what it told may be shown now, its keys having gone out.
    virtual void StepDone() {}
    // A row that the press would run, passed over (after a wake).
    virtual void NotRun(const ActionRow& /*row*/) {}
    // No row is bound to the button for the program in front (empty when it is unknown).
    virtual void NothingBound(const std::string& /*program*/) {}
    // The press only cancelled the exit countdown.
    virtual void CountdownCancelled() {}
};

}  // namespace bw
