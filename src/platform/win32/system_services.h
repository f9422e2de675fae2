// The output volume (the default device's endpoint volume, or the wave-out volume where
// there is no such device), the window in front and the screen, and the end of the Windows
// session or its sleep.
#pragma once

#include <functional>

#include "platform/system_services.h"
#include "platform/win32/windows_api.h"

namespace bw::win32 {

class EndpointVolume final : public Volume {
  public:
    // The default render endpoint; wave-out only on a system that has none.
    std::unique_ptr<AudioOutput> DefaultOutput() override;
};

// Switches the displays off through the default procedure of the program's own window.
void TurnOffDisplays(HWND ownWindow);

class ForegroundWindowCommands final : public WindowCommands {
  public:
    explicit ForegroundWindowCommands(std::function<HWND()> ownWindow)
        : ownWindow_(std::move(ownWindow)) {}
    void MinimizeForegroundWindow() override;
    void TurnOffScreen() override;

  private:
    std::function<HWND()> ownWindow_;
};

class ExitWindowsSession final : public ExitSession {
  public:
    explicit ExitWindowsSession(std::function<HWND()> ownWindow)
        : ownWindow_(std::move(ownWindow)) {}
    // Enables the shutdown privilege first, which a restart or shutdown needs.
    void EndSession(std::uint32_t flags) override;
    // SetSuspendState, from the system folder's powrprof.dll, on a thread of its own; on a
    // computer with modern standby, whose sleep is its screen off, the screen off.
    void Suspend(bool hibernate) override;

  private:
    std::function<HWND()> ownWindow_;
};

}  // namespace bw::win32
