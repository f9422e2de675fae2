// The desktop services the system actions use: the output volume, the window in front, and
// ending the Windows session.
#pragma once

#include <cstdint>
#include <optional>

namespace bw {

class Volume {
  public:
    virtual ~Volume() = default;
    // Left level in the low 16 bits, right level in the high 16 bits, each 0 to 65535;
    // nothing when no output device answers.
    virtual std::optional<std::uint32_t> Get() = 0;
    virtual void Set(std::uint32_t levels) = 0;
};

class WindowCommands {
  public:
    virtual ~WindowCommands() = default;
    // Minimises the window in front, if there is one.
    virtual void MinimizeForegroundWindow() = 0;
};

class ExitSession {
  public:
    virtual ~ExitSession() = default;
    // ExitWindowsEx flags. Throws Failure with the system's words when Windows refuses.
    virtual void EndSession(std::uint32_t flags) = 0;
};

}  // namespace bw
