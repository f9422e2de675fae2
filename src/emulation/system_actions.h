// The system actions: volume steps and mute, window commands, fixed key combinations, the
// screen off, and log off, restart, shutdown, sleep or hibernation after the countdown.
#pragma once

#include <cstdint>
#include <string>

#include "emulation/exit_countdown.h"
#include "emulation/keyboard.h"
#include "emulation/press_outcome.h"
#include "platform/event_log_writer.h"
#include "platform/system_services.h"

namespace bw {

inline constexpr std::int16_t kVolumeStep = 3000;

class SystemActions {
  public:
    SystemActions(Keyboard& keyboard, Volume& volume, WindowCommands& windows,
                  ExitCountdown& countdown, EventLogWriter& log)
        : keyboard_(keyboard),
          volume_(volume),
          windows_(windows),
          countdown_(countdown),
          log_(log) {}

    // Volume steps act on the first line and from repeat 6 on; everything else on the first
    // line only. An exit action returns when its countdown closes; asked while the
    // countdown shows, it takes the countdown over and returns false at once: the pass that
    // asked ends there.
    bool Run(const std::string& name, std::int16_t repeat);
    // Who is told the sound's new level or mute; nobody until set.
    void SetOutcome(PressOutcome& outcome) { outcome_ = &outcome; }

  private:
    // The master level plus the step, clamped, on one device, which is unmuted; returns the
    // new level. Throws Failure when the device refuses or does not say its level, and
    // nothing is changed then.
    std::int32_t ChangeVolume(std::int16_t step);
    // The same device's mute, the other way; said in the log, a refusal too.
    void ToggleMute();

    Keyboard& keyboard_;
    Volume& volume_;
    WindowCommands& windows_;
    ExitCountdown& countdown_;
    EventLogWriter& log_;
    PressOutcome noOutcome_;
    PressOutcome* outcome_ = &noOutcome_;
};

}  // namespace bw
