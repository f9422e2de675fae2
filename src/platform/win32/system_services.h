// The output volume (the default device's endpoint volume, or the wave-out volume where
// there is no such device), the window in front and the screen, and the end of the Windows
// session or its sleep.
#pragma once

#include "platform/system_services.h"

namespace bw::win32 {

class EndpointVolume final : public Volume {
  public:
    // The default render endpoint; wave-out only on a system that has none.
    std::unique_ptr<AudioOutput> DefaultOutput() override;
};

class ForegroundWindowCommands final : public WindowCommands {
  public:
    void MinimizeForegroundWindow() override;
    void TurnOffScreen() override;
};

class ExitWindowsSession final : public ExitSession {
  public:
    // Enables the shutdown privilege first, which a restart or shutdown needs.
    void EndSession(std::uint32_t flags) override;
    // SetSuspendState, from the system folder's powrprof.dll.
    void Suspend(bool hibernate) override;
};

}  // namespace bw::win32
