// The desktop services the system actions use: the output volume, the window in front, and
// ending the Windows session.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

namespace bw {

// The output device of one volume step: read and written through the same device, so that
// a device changed between the two can never take the other's level.
class AudioOutput {
  public:
    virtual ~AudioOutput() = default;
    // The master level, 0 to 65535; nothing when the device does not answer.
    virtual std::optional<std::uint32_t> Level() = 0;
    // Sets the master level; the channels keep their balance. Throws Failure when the
    // device refuses.
    virtual void SetLevel(std::uint32_t level) = 0;
    // Nothing when the device does not say.
    virtual std::optional<bool> Muted() = 0;
    // Throws Failure when the device refuses.
    virtual void SetMuted(bool muted) = 0;
};

class Volume {
  public:
    virtual ~Volume() = default;
    // The default output device, taken afresh for every step. Throws Failure when there is
    // one that cannot be used.
    virtual std::unique_ptr<AudioOutput> DefaultOutput() = 0;
};

class WindowCommands {
  public:
    virtual ~WindowCommands() = default;
    // Minimises the window in front, if there is one.
    virtual void MinimizeForegroundWindow() = 0;
    // Turns the displays off, as their power saving does; any input turns them on again.
    virtual void TurnOffScreen() = 0;
};

class ExitSession {
  public:
    virtual ~ExitSession() = default;
    // ExitWindowsEx flags. Throws Failure with the system's words when Windows refuses.
    virtual void EndSession(std::uint32_t flags) = 0;
    // Sleep, or hibernation. Throws Failure with the system's words, or saying that
    // hibernation is off.
    virtual void Suspend(bool hibernate) = 0;
};

}  // namespace bw
